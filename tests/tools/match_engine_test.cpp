// Real engine processes under the referee: the match runner speaks USI to a stand-in engine
// that answers from a script, and loses it the game when it dies, stalls or mumbles.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "core/sfen.h"
#include "gnushogi_player.h"
#include "referee.h"
#include "usi_player.h"

namespace zelk::match {
namespace {

// The stand-in engine with these arguments, as an engine of the match.
EngineConfig fakeEngine(const std::string& args, std::string name = "",
                        std::vector<std::pair<std::string, std::string>> options = {}) {
  EngineConfig c;
  c.command = std::string(FAKE_USI_ENGINE) + " " + args;
  c.name = std::move(name);
  c.options = std::move(options);
  return c;
}

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
    UsiPlayer black(fakeEngine("--name Raider --log " + blackLog.path + " 1e1d 1d1c 1c1a", "", {{"Skill Level", "3"}}));
    UsiPlayer white(fakeEngine("1b1c 4a3b", "Idler"));
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
  }                                        // the engines are told to quit and have left: their logs are complete

  const std::string seen = readAll(blackLog.path);
  const std::size_t option = seen.find("setoption name Skill Level value 3\n");
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
  UsiPlayer black(fakeEngine("--cycle --log " + log.path + " 1e1d @exit"));
  UsiPlayer white(fakeEngine("--cycle 1b1c 4a3b"));
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
  UsiPlayer stalling(fakeEngine("1e1d @silent"));
  UsiPlayer idler(fakeEngine("--cycle 1b1c 4a3b"));
  std::string error;
  ASSERT_TRUE(stalling.start(error)) << error;
  ASSERT_TRUE(idler.start(error)) << error;
  const auto begin = std::chrono::steady_clock::now();
  const GameRecord late = play(stalling, idler, s);
  const auto waited = std::chrono::steady_clock::now() - begin;
  EXPECT_EQ(late.winner, 1);
  EXPECT_EQ(late.ending, Ending::Time);
  EXPECT_LT(waited, std::chrono::seconds(5));  // the referee stops waiting, it does not hang

  UsiPlayer slow(fakeEngine("@sleep=300:1e1d"));
  ASSERT_TRUE(slow.start(error)) << error;
  const GameRecord tooSlow = play(slow, idler, s);
  EXPECT_EQ(tooSlow.ending, Ending::Time);

  UsiPlayer mumbling(fakeEngine("@garbage"));
  ASSERT_TRUE(mumbling.start(error)) << error;
  const GameRecord garbled = play(mumbling, idler, s);
  EXPECT_EQ(garbled.winner, 1);
  EXPECT_EQ(garbled.ending, Ending::IllegalMove);
}

TEST(MatchEngines, AProgramThatIsNoEngineOrAnOptionItLacksStopsTheStart) {
  EngineConfig none;
  none.command = "/nonexistent/engine";
  UsiPlayer missing(none);
  std::string error;
  EXPECT_FALSE(missing.start(error));
  EXPECT_NE(error.find("/nonexistent/engine"), std::string::npos) << error;

  // An option the engine does not announce, or a number outside its range, stops the match
  // before it starts rather than playing a game with the engine's defaults.
  for (const auto& [option, value] : std::vector<std::pair<std::string, std::string>>{
           {"Level", "3"}, {"Skill Level", "7"}, {"Skill Level", "0"}, {"Skill Level", "high"}}) {
    UsiPlayer picky(fakeEngine("", "", {{option, value}}));
    EXPECT_FALSE(picky.start(error)) << option << "=" << value;
    EXPECT_NE(error.find(option), std::string::npos) << error;
  }
  UsiPlayer fine(fakeEngine("", "", {{"Skill Level", "6"}, {"Book", "true"}}));
  EXPECT_TRUE(fine.start(error)) << error;
}

// The command goes through the shell: a variable set before the program, as a wrapper under
// node is started, reaches the engine.
TEST(MatchEngines, ACommandThatSetsAVariableBeforeTheEngineStartsIt) {
  EngineConfig c;
  c.command = "ZELK_FAKE_NAME=wrapped sh -c 'exec " + std::string(FAKE_USI_ENGINE) + " --name \"$ZELK_FAKE_NAME\"'";
  UsiPlayer wrapped(c);
  std::string error;
  ASSERT_TRUE(wrapped.start(error)) << error;
  EXPECT_EQ(wrapped.name(), "wrapped");
}

TEST(MatchEngines, GnuminishogiWhenInstalledAnswersWithMovesTheRulesAccept) {
  constexpr const char* kProgram = "/usr/games/gnuminishogi";
  if (::access(kProgram, X_OK) != 0) GTEST_SKIP() << kProgram << " is not installed";
  EngineConfig c;
  c.command = kProgram;
  GnuShogiPlayer gnu(c);
  std::string error;
  ASSERT_TRUE(gnu.start(error)) << error;
  ASSERT_TRUE(gnu.newGame(error)) << error;
  // It plays both sides for eight plies; every answer must be a move these rules accept.
  GameState g;
  loadSfen(g, kStartSfen);
  std::string position = "position startpos moves";
  for (int ply = 0; ply < 8; ++ply) {
    const Reply r = gnu.play({position, "go depth 1", 10000});
    ASSERT_EQ(r.kind, Reply::Kind::Move) << r.text;
    const auto m = parseUsiMove(r.text);
    ASSERT_TRUE(m) << r.text;
    ASSERT_FALSE(playUsiMove(g, *m)) << position << " " << r.text;
    position += " " + r.text;
  }
  // Positions its rules never reach are answered for it: a king left in check is refused,
  // and a mated side gives up.
  const std::string walk = " 5e4d 1b1c 4d3c 1c1d 3c3b";
  EXPECT_EQ(gnu.play({"position startpos moves" + walk, "go depth 1", 10000}).kind, Reply::Kind::Refused);
  const std::string mated = " 1e1c 2a3b 1c5c 5a5c 5d5c R*2c 2e5b 2c5c 5e4d 5c5b R*5c B*2b 4d5d 5b5c 5d5c R*5b";
  EXPECT_EQ(gnu.play({"position startpos moves" + mated, "go depth 1", 10000}).kind, Reply::Kind::Resign);

  // Kings walking to and fro: it plays on until the start position stands for the fourth
  // time, which ends its game as drawn.
  std::string shuffle = "position startpos moves";
  for (int ply = 0; ply < 12; ++ply) {
    const char* walk[] = {"5e4d", "1a2b", "4d5e", "2b1a"};
    shuffle += std::string(" ") + walk[ply % 4];
    const Reply r = gnu.play({shuffle, "go depth 1", 10000});
    EXPECT_EQ(r.kind, ply < 11 ? Reply::Kind::Move : Reply::Kind::Draw) << ply << " " << r.text;
  }
}

}  // namespace
}  // namespace zelk::match
