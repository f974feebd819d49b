#include <gtest/gtest.h>

#include "core/sfen.h"
#include "core/test_support.h"
#include "players/engine_move.h"

namespace zelk {
namespace {

// The lower side's move is the upper side's move in the turned-round position, turned back.
TEST(EngineMove, TheLowerSideIsSearchedAsTheUpperSideTurnedRound) {
  for (const char* sfen :
       {"rbsgk/4p/5/P4/KGSBR w - 1", "r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22", "1+R2g/+B2kp/2Ss1/PG3/1K1BR w - 22"}) {
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

TEST(EngineMove, TheRuleBasedPlayerPlaysWholeGamesAgainstItselfAtEveryLevelAgainstItselfAtEveryLevel) {
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

}  // namespace
}  // namespace zelk
