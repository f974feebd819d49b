// The referee judges games by this game's rules: taking the king wins, a move refused by the
// rules loses, the ply cap draws, and a clock that runs out loses.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "referee.h"

namespace zelk::match {
namespace {

// A player that answers from a script, claiming the thinking times it is given.
class ScriptedPlayer final : public Player {
public:
  struct Step {
    std::string move;
    long long elapsedMs = 10;
    Reply::Kind kind = Reply::Kind::Move;
  };
  explicit ScriptedPlayer(std::vector<Step> steps, bool cycle = false) : steps_(std::move(steps)), cycle_(cycle) {}
  const std::string& name() const override { return name_; }
  bool newGame(std::string&) override { return true; }
  Reply play(const MoveRequest& request) override {
    requests.push_back(request);
    if (next_ == steps_.size() && cycle_) next_ = 0;
    if (next_ == steps_.size()) return {Reply::Kind::Resign, "resign", 0, ""};
    const Step& s = steps_[next_++];
    return {s.kind, s.move, s.elapsedMs, ""};
  }
  void gameOver(const std::string& result) override { told = result; }

  std::vector<MoveRequest> requests;
  std::string told;

private:
  std::string name_ = "scripted";
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  bool cycle_;
};

using Steps = std::vector<ScriptedPlayer::Step>;

GameRecord play(ScriptedPlayer& black, ScriptedPlayer& white, const std::vector<std::string>& opening = {},
                GameSettings s = {}) {
  Player* players[2] = {&black, &white};
  return playGame(players, opening, s);
}

// Black's rook climbs the 1-file, takes the pawn and then the king; white does nothing useful.
const Steps kRookRaid = {{"1e1d"}, {"1d1c"}, {"1c1a"}};
const Steps kWhiteIdles = {{"1b1c"}, {"4a3b"}, {"3b4a"}};

TEST(MatchReferee, UnderTheOfficialRulesMateAndTheFourthRepetitionEndTheGame) {
  GameSettings official;
  official.rules = Rules::official;
  // Black's rook takes the pawn with check; white ignores it: a move these rules refuse.
  ScriptedPlayer raider({{"1d1c"}}), careless({{"4a3b"}});
  const GameRecord refused = play(raider, careless, {"1e1d", "1b1c"}, official);
  EXPECT_EQ(refused.ending, Ending::IllegalMove) << refused.detail;
  EXPECT_NE(refused.detail.find("leaves the king attacked"), std::string::npos) << refused.detail;
  EXPECT_EQ(refused.winner, 0);

  // Both kings step out and back: at the fourth occurrence of the start black has lost.
  ScriptedPlayer black({{"5e4d"}, {"4d5e"}}, true), white({{"1a2b"}, {"2b1a"}}, true);
  const GameRecord shuffled = play(black, white, {}, official);
  EXPECT_EQ(shuffled.ending, Ending::Repetition);
  EXPECT_EQ(shuffled.winner, 1);
  EXPECT_EQ(shuffled.moves.size(), 12u);
  // Under the game's own rules the same shuffle goes on to the ply cap.
  ScriptedPlayer black2({{"5e4d"}, {"4d5e"}}, true), white2({{"1a2b"}, {"2b1a"}}, true);
  GameSettings capped;
  capped.plyCap = 20;
  EXPECT_EQ(play(black2, white2, {}, capped).ending, Ending::PlyCap);
}

TEST(MatchReferee, TakingTheKingWinsTheGameAndBothEnginesAreTold) {
  ScriptedPlayer black(kRookRaid), white(kWhiteIdles);
  const GameRecord g = play(black, white);
  EXPECT_EQ(g.winner, 0);
  EXPECT_EQ(g.ending, Ending::KingCaptured);
  EXPECT_EQ(resultText(g), "1-0");
  ASSERT_EQ(g.moves.size(), 5u);
  EXPECT_EQ(g.moves.back().move, "1c1a");
  EXPECT_EQ(black.told, "win");
  EXPECT_EQ(white.told, "lose");
  // Each engine sees the whole game so far, and white is asked only twice.
  ASSERT_EQ(white.requests.size(), 2u);
  EXPECT_EQ(white.requests[1].position, "position startpos moves 1e1d 1b1c 1d1c");
}

TEST(MatchReferee, TheOpeningIsPlayedForBothAndTheGameGoesOnFromIt) {
  ScriptedPlayer black({{"1d1c"}, {"1c1a"}}), white({{"4a3b"}});
  const GameRecord g = play(black, white, {"1e1d", "1b1c"});
  EXPECT_EQ(g.winner, 0);
  EXPECT_EQ(g.moves.size(), 3u);
  EXPECT_EQ(black.requests[0].position, "position startpos moves 1e1d 1b1c");
}

TEST(MatchReferee, AMoveThatLeavesTheKingAttackedIsPlayedAndTheKingCanBeTaken) {
  // Black's king walks up the board and steps next to white's silver, which takes it.
  ScriptedPlayer black({{"5e4d"}, {"4d3c"}, {"3c3b"}}), white({{"1b1c"}, {"1c1d"}, {"3a3b"}});
  const GameRecord g = play(black, white);
  EXPECT_EQ(g.winner, 1);
  EXPECT_EQ(g.ending, Ending::KingCaptured);
  ASSERT_EQ(g.moves.size(), 6u);
  EXPECT_EQ(g.moves[4].move, "3c3b");
}

TEST(MatchReferee, AMoveTheRulesRefuseLosesForTheEngineThatMadeIt) {
  for (const char* bad : {"5d5b", "1b1c", "hello", "P*3c", "5d5c+"}) {
    ScriptedPlayer black({{bad}}), white(kWhiteIdles);
    const GameRecord g = play(black, white);
    EXPECT_EQ(g.winner, 1) << bad;
    EXPECT_EQ(g.ending, Ending::IllegalMove) << bad;
    EXPECT_NE(g.detail.find(bad), std::string::npos) << g.detail;
    EXPECT_TRUE(g.moves.empty()) << bad;
  }
  // The same for white, after one good move of black's.
  ScriptedPlayer black(kRookRaid), white({{"1b1d"}});
  EXPECT_EQ(play(black, white).winner, 0);
}

TEST(MatchReferee, KingsWalkingToAndFroAreDrawnAtThePlyCap) {
  ScriptedPlayer black({{"5e4d"}, {"4d5e"}}, true), white({{"1a2b"}, {"2b1a"}}, true);
  GameSettings s;
  s.plyCap = 10;
  const GameRecord g = play(black, white, {"1e1d", "1b1c"}, s);
  EXPECT_EQ(g.winner, -1);
  EXPECT_EQ(g.ending, Ending::PlyCap);
  EXPECT_EQ(resultText(g), "1/2-1/2");
  EXPECT_EQ(g.opening.size() + g.moves.size(), 10u);  // the opening's plies count
  EXPECT_EQ(black.told, "draw");
}

TEST(MatchReferee, ResigningLosesAndAWinClaimHoldsOnlyWithTheKingEnPrise) {
  ScriptedPlayer resigner({{"resign", 1, Reply::Kind::Resign}}), other(kWhiteIdles);
  const GameRecord resigned = play(resigner, other);
  EXPECT_EQ(resigned.winner, 1);
  EXPECT_EQ(resigned.ending, Ending::Resign);

  // After 1d1c the rook faces white's king over an empty square: the claim is good.
  ScriptedPlayer claimer({{"1e1d"}, {"1d1c"}, {"win", 1, Reply::Kind::Win}}), idler(kWhiteIdles);
  const GameRecord good = play(claimer, idler);
  EXPECT_EQ(good.winner, 0);
  EXPECT_EQ(good.ending, Ending::WinClaim);

  // A claim in the start position is false.
  ScriptedPlayer bluffer({{"win", 1, Reply::Kind::Win}}), idler2(kWhiteIdles);
  const GameRecord bad = play(bluffer, idler2);
  EXPECT_EQ(bad.winner, 1);
  EXPECT_EQ(bad.ending, Ending::FalseClaim);
}

TEST(MatchReferee, AMoveRefusedByAnEngineOfOtherRulesIsJudgedByTheseRules) {
  const ScriptedPlayer::Step refuse{"Illegal move", 1, Reply::Kind::Refused};
  // Black's king steps next to white's silver: refusing it, white would take the king.
  ScriptedPlayer walker({{"5e4d"}, {"4d3c"}, {"3c3b"}}), refuser({{"1b1c"}, {"1c1d"}, refuse});
  const GameRecord enPrise = play(walker, refuser);
  EXPECT_EQ(enPrise.winner, 1);
  EXPECT_EQ(enPrise.ending, Ending::KingLeftEnPrise);

  // A good move refused loses for the engine that refused it.
  ScriptedPlayer mover({{"1e1d"}}), stickler({refuse});
  const GameRecord good = play(mover, stickler);
  EXPECT_EQ(good.winner, 0);
  EXPECT_EQ(good.ending, Ending::LegalRefused);
  EXPECT_NE(good.detail.find("1e1d"), std::string::npos) << good.detail;

  // White's rook dropped on 5b leaves black's king on 5c no move that keeps it: a mate
  // stands, however the other rules name it.
  ScriptedPlayer black({{"1c5c"}, {"5d5c"}, {"2e5b"}, {"5e4d"}, {"R*5c"}, {"4d5d"}, {"5d5c"}, refuse});
  ScriptedPlayer white({{"5a5c"}, {"R*2c"}, {"2c5c"}, {"5c5b"}, {"B*2b"}, {"5b5c"}, {"R*5b"}});
  const GameRecord mate = play(black, white, {"1e1c", "2a3b"});
  EXPECT_EQ(mate.winner, 1);
  EXPECT_EQ(mate.ending, Ending::Mate) << mate.detail;
  EXPECT_EQ(mate.moves.back().move, "R*5b");
}

TEST(MatchReferee, AnEngineThatHoldsTheGameDrawnByItsRulesEndsItDrawn) {
  ScriptedPlayer black({{"5e4d"}, {"4d5e"}}), white({{"1a2b"}, {"repetition", 1, Reply::Kind::Draw}});
  const GameRecord g = play(black, white);
  EXPECT_EQ(g.winner, -1);
  EXPECT_EQ(g.ending, Ending::DrawClaimed);
  EXPECT_EQ(g.moves.size(), 3u);
}

TEST(MatchReferee, AnEngineThatDiesOrDoesNotAnswerLoses) {
  ScriptedPlayer dead({{"", 1, Reply::Kind::Crash}}), idler(kWhiteIdles);
  const GameRecord crashed = play(dead, idler);
  EXPECT_EQ(crashed.winner, 1);
  EXPECT_EQ(crashed.ending, Ending::Crash);

  ScriptedPlayer black(kRookRaid), silent({{"", 1, Reply::Kind::Timeout}});
  const GameRecord late = play(black, silent);
  EXPECT_EQ(late.winner, 0);
  EXPECT_EQ(late.ending, Ending::Time);
}

TEST(MatchReferee, AMoveLongerThanTheTimeLeftLosesAndTheIncrementComesAfterEachMove) {
  GameSettings s;
  s.limits[0] = s.limits[1] = *parseLimit("time 1000 inc 100");
  s.marginMs = 0;
  ScriptedPlayer black({{"1e1d", 600}, {"1d1c", 600}}), white({{"1b1c", 10}, {"4a3b", 10}});
  const GameRecord g = play(black, white, {}, s);
  EXPECT_EQ(black.requests[0].go, "go btime 1000 wtime 1000 binc 100 winc 100");
  EXPECT_EQ(black.requests[0].allowedMs, 1000);
  EXPECT_EQ(white.requests[0].go, "go btime 500 wtime 1000 binc 100 winc 100");
  EXPECT_EQ(black.requests[1].go, "go btime 500 wtime 1090 binc 100 winc 100");
  EXPECT_EQ(g.winner, 1);
  EXPECT_EQ(g.ending, Ending::Time);
  EXPECT_EQ(g.moves.size(), 2u);  // black's late move is not played
}

TEST(MatchReferee, AByoyomiCoversEachMoveOnceTheMainTimeIsSpentWithinTheMargin) {
  GameSettings s;
  s.limits[0] = s.limits[1] = *parseLimit("time 500 byoyomi 1000");
  s.marginMs = 50;
  // Black spends its main time and more on the first move, then 1040 ms (inside the margin),
  // then 1060 ms, which is too long.
  ScriptedPlayer black({{"1e1d", 1200}, {"1d1c", 1040}, {"1c1b", 1060}}), white({{"1b1c"}, {"4a3b"}, {"3b4a"}});
  const GameRecord g = play(black, white, {}, s);
  EXPECT_EQ(black.requests[1].go, "go btime 0 wtime 490 byoyomi 1000");
  EXPECT_EQ(black.requests[1].allowedMs, 1050);
  EXPECT_EQ(g.winner, 1);
  EXPECT_EQ(g.ending, Ending::Time);
}

TEST(MatchReferee, EachSideThinksUnderItsOwnLimit) {
  GameSettings s;
  s.limits[0] = *parseLimit("depth 3");
  s.limits[1] = *parseLimit("movetime 100");
  s.marginMs = 20;
  s.timeoutMs = 9000;
  ScriptedPlayer black(kRookRaid), white(kWhiteIdles);
  play(black, white, {}, s);
  EXPECT_EQ(black.requests[0].go, "go depth 3");
  EXPECT_EQ(black.requests[0].allowedMs, 9000);
  EXPECT_EQ(white.requests[0].go, "go movetime 100");
  EXPECT_EQ(white.requests[0].allowedMs, 120);

  // A level playing its own budget is sent a plain go and waited for up to the timeout.
  s.limits[1] = *parseLimit("own");
  ScriptedPlayer black2(kRookRaid), white2(kWhiteIdles);
  play(black2, white2, {}, s);
  EXPECT_EQ(white2.requests[0].go, "go");
  EXPECT_EQ(white2.requests[0].allowedMs, 9000);
}

TEST(MatchLimits, LimitsAreReadAsTheGoCommandWritesThemAndNonsenseIsRefused) {
  EXPECT_EQ(describe(*parseLimit("movetime 250")), "movetime 250");
  EXPECT_EQ(describe(*parseLimit("nodes 5000")), "nodes 5000");
  EXPECT_EQ(describe(*parseLimit("own")), "own");
  EXPECT_EQ(describe(*parseLimit("time 60000 byoyomi 2000")), "time 60000 byoyomi 2000");
  std::string why;
  for (const char* bad : {"", "movetime", "movetime -5", "depth 0", "time 1000 inc 10 byoyomi 10", "inc 10", "time 0",
                          "movetime 100 depth 2", "speed 3"}) {
    EXPECT_FALSE(parseLimit(bad, &why)) << bad;
    EXPECT_FALSE(why.empty()) << bad;
  }
}

}  // namespace
}  // namespace zelk::match
