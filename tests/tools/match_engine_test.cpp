// Real engine processes under the referee: the match runner speaks USI to a stand-in engine
// that answers from a script, and loses it the game when it dies, stalls or mumbles.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "referee.h"
#include "usi_player.h"

namespace zelk::match {
namespace {

std::string fakeEngine(const std::string& args) { return std::string(FAKE_USI_ENGINE) + " " + args; }

std::string readAll(const std::string& path) {
  std::ifstream f(path);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

struct TempLog {
  std::string path = ::testing::TempDir() + "fake_usi_" + std::to_string(::getpid()) + "_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".log";
  ~TempLog() { std::remove(path.c_str()); }
};

GameRecord play(UsiPlayer& black, UsiPlayer& white, GameSettings s = {}) {
  Player* players[2] = {&black, &white};
  return playGame(players, {}, s);
}

TEST(MatchEngines, TwoEnginesPlayAGameOverUsiToTheKingsCapture) {
  TempLog blackLog;
  {
    UsiPlayer black({fakeEngine("--name Raider --log " + blackLog.path + " 1e1d 1d1c 1c1a"), "", {{"Level", "3"}}});
    UsiPlayer white({fakeEngine("1b1c 4a3b"), "Idler", {}});
    std::string error;
    ASSERT_TRUE(black.start(error)) << error;
    ASSERT_TRUE(white.start(error)) << error;
    EXPECT_EQ(black.name(), "Raider");  // the engine's id name
    EXPECT_EQ(white.name(), "Idler");   // a name given on the command line wins
    const GameRecord g = play(black, white);
    EXPECT_EQ(g.winner, 0);
    EXPECT_EQ(g.ending, Ending::KingCaptured);
    ASSERT_EQ(g.moves.size(), 5u);
    EXPECT_EQ(g.moves[0].score, "cp 12");  // the score the engine reported with its move
  }  // the engines are told to quit and have left: their logs are complete

  const std::string seen = readAll(blackLog.path);
  const std::size_t option = seen.find("setoption name Level value 3\n");
  const std::size_t ready = seen.find("isready\n", option);
  const std::size_t newGame = seen.find("usinewgame\n");
  EXPECT_LT(seen.find("usi\n"), option);
  EXPECT_LT(option, ready);
  EXPECT_LT(ready, newGame);
  EXPECT_NE(seen.find("position startpos moves 1e1d 1b1c 1d1c 4a3b\ngo movetime 100\n"), std::string::npos);
  EXPECT_NE(seen.find("gameover win\nquit\n"), std::string::npos);
}

TEST(MatchEngines, AnEngineThatDiesLosesAndIsStartedAfreshForTheNextGame) {
  TempLog log;
  UsiPlayer black({fakeEngine("--cycle --log " + log.path + " 1e1d @exit"), "", {}});
  UsiPlayer white({fakeEngine("--cycle 1b1c 4a3b"), "", {}});
  std::string error;
  ASSERT_TRUE(black.start(error)) << error;
  ASSERT_TRUE(white.start(error)) << error;
  const GameRecord first = play(black, white);
  EXPECT_EQ(first.winner, 1);
  EXPECT_EQ(first.ending, Ending::Crash);
  EXPECT_EQ(first.moves.size(), 2u);
  // The next game starts a new process, which plays its first move again.
  const GameRecord second = play(black, white);
  EXPECT_EQ(second.ending, Ending::Crash);
  EXPECT_EQ(second.moves.size(), 2u);
  const std::string seen = readAll(log.path);
  EXPECT_NE(seen.find("usi\n"), seen.rfind("usi\n"));  // two handshakes
}

TEST(MatchEngines, AnEngineThatStallsLosesOnTimeAndOneThatMumblesLosesTheGame) {
  GameSettings s;
  s.limits[0] = s.limits[1] = *parseLimit("movetime 40");
  s.marginMs = 60;
  UsiPlayer stalling({fakeEngine("1e1d @silent"), "", {}});
  UsiPlayer idler({fakeEngine("--cycle 1b1c 4a3b"), "", {}});
  std::string error;
  ASSERT_TRUE(stalling.start(error)) << error;
  ASSERT_TRUE(idler.start(error)) << error;
  const auto begin = std::chrono::steady_clock::now();
  const GameRecord late = play(stalling, idler, s);
  const auto waited = std::chrono::steady_clock::now() - begin;
  EXPECT_EQ(late.winner, 1);
  EXPECT_EQ(late.ending, Ending::Time);
  EXPECT_LT(waited, std::chrono::seconds(5));  // the referee stops waiting, it does not hang

  UsiPlayer slow({fakeEngine("@sleep=300:1e1d"), "", {}});
  ASSERT_TRUE(slow.start(error)) << error;
  const GameRecord tooSlow = play(slow, idler, s);
  EXPECT_EQ(tooSlow.ending, Ending::Time);

  UsiPlayer mumbling({fakeEngine("@garbage"), "", {}});
  ASSERT_TRUE(mumbling.start(error)) << error;
  const GameRecord garbled = play(mumbling, idler, s);
  EXPECT_EQ(garbled.winner, 1);
  EXPECT_EQ(garbled.ending, Ending::IllegalMove);
}

TEST(MatchEngines, AProgramThatIsNoEngineDoesNotStart) {
  UsiPlayer missing({"/nonexistent/engine", "", {}});
  std::string error;
  EXPECT_FALSE(missing.start(error));
  EXPECT_NE(error.find("/nonexistent/engine"), std::string::npos) << error;
}

}  // namespace
}  // namespace zelk::match
