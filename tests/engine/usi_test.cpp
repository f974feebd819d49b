#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <sstream>
#include <string>

#include "core/sfen.h"
#include "core/test_support.h"
#include "engine/search.h"
#include "engine/usi.h"

// Counts heap allocations, so a test can show the search makes none.
static std::atomic<long> gAllocations{0};
void* operator new(std::size_t n) {
  ++gAllocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace zelk {
namespace {

std::string session(const std::string& lines) {
  std::ostringstream out;
  UsiEngine e(out);
  std::istringstream in(lines);
  std::string line;
  while (std::getline(in, line))
    if (!e.handle(line)) break;
  return out.str();
}

TEST(Usi, HandshakeNamesTheEngineAndItsLevelOption) {
  const std::string out = session("usi\nisready\nquit\nisready\n");
  EXPECT_NE(out.find("id name "), std::string::npos);
  EXPECT_NE(out.find("id author "), std::string::npos);
  EXPECT_NE(out.find("option name Level type spin default 3 min 1 max 3\n"), std::string::npos);
  EXPECT_NE(out.find("usiok\n"), std::string::npos);
  // One readyok: nothing is answered after quit.
  EXPECT_EQ(out.find("readyok"), out.rfind("readyok"));
}

TEST(Usi, PerftPrintsEachRootMoveAndTheTotal) {
  const std::string out = session("position startpos\ngo perft 1\n");
  EXPECT_NE(out.find("5d5c: 1\n"), std::string::npos);  // the MAN pawn straight up
  EXPECT_NE(out.find("2e4c: 1\n"), std::string::npos);  // the bishop two squares up-left
  EXPECT_NE(out.find("Nodes searched: 14\n"), std::string::npos);
}

TEST(Usi, ABadPositionIsReportedAndThePreviousOneKept) {
  std::ostringstream out;
  UsiEngine e(out);
  e.handle("position startpos moves 5d5c");
  const std::string before = toSfen(e.position());
  EXPECT_EQ(before, "rbsgk/4p/P4/5/KGSBR w - 2");
  for (const char* bad : {"position sfen rbsgk/4p/5/P4/KGSBX b - 1", "position startpos moves 5d5c 1a1e",
                          "position startpos moves 5d5c 1b1c 5c5a", "position startpos moves zz",
                          "position", "position sfen rbsgk/4p/5/P4/KGSBR"}) {
    out.str("");
    e.handle(bad);
    EXPECT_EQ(out.str().rfind("info string ", 0), 0u) << bad << " gave: " << out.str();
    EXPECT_EQ(toSfen(e.position()), before) << bad;
  }
}

TEST(Usi, LevelOptionTakesOneToThreeOnly) {
  std::ostringstream out;
  UsiEngine e(out);
  e.handle("setoption name Level value 1");
  EXPECT_EQ(e.level(), 1);
  e.handle("setoption name Level value 4");
  EXPECT_EQ(e.level(), 1);
  EXPECT_NE(out.str().find("info string"), std::string::npos);
}

TEST(Usi, GoAnswersScoreThenBestMove) {
  // COM to move can take the MAN king with its gold: 9999, and the search stops there.
  const std::string out = session("position sfen 4k/5/5/3g1/3K1 w - 1\ngo btime 0 wtime 0\n");
  EXPECT_NE(out.find("info score cp 9999\ninfo string score 9999\nbestmove 2d2e\n"), std::string::npos) << out;
}

TEST(Usi, ASideWithoutACandidateResigns) {
  // The upper side's king has been captured: the game is over.
  EXPECT_NE(session("position sfen 5/5/5/5/K4 w - 1\ngo\n").find("bestmove resign\n"), std::string::npos);
  // A COM pawn on the last rank cannot move and COM has nothing else.
  GameState g = test::position("5/5/5/4K/p4 w - 1");
  EXPECT_FALSE(decideComMove(g).found);
}

// The lower side's move is the upper side's move in the turned-round position, turned back.
TEST(Usi, TheLowerSideIsSearchedAsTheUpperSideTurnedRound) {
  for (const char* sfen : {"rbsgk/4p/5/P4/KGSBR w - 1", "r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22",
                           "1+R2g/+B2kp/2Ss1/PG3/1K1BR w - 22"}) {
    GameState upper = test::position(sfen);
    GameState lower = upper;
    turnRound(lower);
    ASSERT_EQ(lower.手番, lower.MAN手番);
    const EngineAnswer a = engineMove(upper, 3);
    const EngineAnswer b = engineMove(lower, 3);
    ASSERT_TRUE(a.found && b.found) << sfen;
    EXPECT_EQ(turnedRound(a.move), b.move) << sfen;
    EXPECT_EQ(a.score, b.score) << sfen;
  }
}

TEST(Usi, TheEnginePlaysWholeGamesAgainstItselfAtEveryLevel) {
  for (int level = 1; level <= 3; ++level) {
    GameState g = test::position(kStartSfen);
    int plies = 0;
    for (; plies < 300; ++plies) {
      const EngineAnswer a = engineMove(g, level);
      if (!a.found) break;
      const auto err = playUsiMove(g, a.move);
      ASSERT_FALSE(err.has_value()) << "level " << level << " ply " << plies << ": " << toUsi(a.move) << " in "
                                    << toSfen(g) << ": " << *err;
      if (g.勝者 != 0) break;
    }
    EXPECT_GT(plies, 2) << "level " << level;
  }
}

TEST(Search, TheDecisionAllocatesNothing) {
  GameState g = test::position("r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22");
  const long before = gAllocations.load();
  const ComDecision d = decideComMove(g);
  EXPECT_EQ(gAllocations.load(), before);
  EXPECT_TRUE(d.found);
}

}  // namespace
}  // namespace zelk
