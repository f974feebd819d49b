#include <gtest/gtest.h>

#include <cstdint>

#include "core/legality.h"
#include "core/move_execution.h"
#include "core/official_rules.h"
#include "core/perft.h"
#include "core/sfen.h"
#include "core/test_support.h"

namespace zelk {
namespace {

GameState official(const char* sfen) {
  GameState g = test::position(sfen);
  g.rules = Rules::official;
  return g;
}

// Plays the move as the game does: the position before it saved in the history first.
void play(GameState& g, const char* usi) {
  手順保存(g, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  const auto m = parseUsiMove(usi);
  ASSERT_TRUE(m.has_value()) << usi;
  const auto err = playUsiMove(g, *m);
  ASSERT_FALSE(err.has_value()) << usi << ": " << *err;
  g.記録位置 += 1;
}

// The MAN gold on 5d shields its king on 5e from the COM rook on 5c.
constexpr const char* kPinnedGold = "4k/5/r4/G4/K4 b - 1";
// COM's king on 1a: a MAN pawn dropped on 1b checks it, defended by the gold on 2c, with 2a
// under the bishop and 2b under the rook.
constexpr const char* kPawnDropMate = "4k/R4/1B1G1/5/K4 b PG 1";

TEST(OfficialRules, AMoveLeavingOnesOwnKingAttackedIsNoMove) {
  GameState g = official(kPinnedGold);
  EXPECT_EQ(合法手チェック(g, 1, 4, 2, 4, MAN金), 0) << "the pinned gold steps aside";
  EXPECT_EQ(合法手チェック(g, 1, 5, 2, 4, MAN王), 1) << "the king steps off the rook's file";
  EXPECT_EQ(合法手チェック(g, 1, 4, 1, 3, MAN金), 1) << "the gold takes the rook";
  EXPECT_TRUE(playUsiMove(g, *parseUsiMove("5d4d")).has_value());
  // The game's own rules let the gold go, and the king may then be taken.
  GameState own = test::position(kPinnedGold);
  EXPECT_EQ(合法手チェック(own, 1, 4, 2, 4, MAN金), 1);
  EXPECT_EQ(g.盤面, official(kPinnedGold).盤面) << "the refusals changed nothing";
}

TEST(OfficialRules, APawnDroppedToGiveMateIsRefusedOtherDropsAreNot) {
  GameState g = official(kPawnDropMate);
  調査_2歩フラグ設定(g);
  EXPECT_EQ(合法手チェック(g, kManHandColumn, 1, 5, 2, MAN歩), 0) << "pawn-drop mate";
  EXPECT_EQ(合法手チェック(g, kManHandColumn, 3, 5, 2, MAN金), 1) << "a gold dropped to mate is fine";
  EXPECT_TRUE(playUsiMove(g, *parseUsiMove("P*1b")).has_value());
  // Without the gold guarding 1b the king takes the pawn: a check, not a mate, and allowed.
  GameState check = official("4k/5/1B3/5/K4 b P 1");
  調査_2歩フラグ設定(check);
  EXPECT_EQ(合法手チェック(check, kManHandColumn, 1, 5, 2, MAN歩), 1);
  GameState own = test::position(kPawnDropMate);
  調査_2歩フラグ設定(own);
  EXPECT_EQ(合法手チェック(own, kManHandColumn, 1, 5, 2, MAN歩), 1) << "the game's own rules allow it";
  EXPECT_EQ(g.二歩MAN[5], 0) << "the trial pawn left no flag behind";
}

TEST(OfficialRules, ASideWithNoMoveHasLost) {
  GameState g = official(kPawnDropMate);
  EXPECT_EQ(調査_公式終局(g).敗者, 0);
  play(g, "G*1b");
  const 公式終局 end = 調査_公式終局(g);
  EXPECT_EQ(end.敗者, g.COM手番);
  EXPECT_EQ(end.理由, 終局理由::詰み);
  EXPECT_TRUE(generateMoves(g).empty());
}

TEST(OfficialRules, TheFourthOccurrenceOfAPositionLosesForTheFirstPlayer) {
  GameState g = official("rbsgk/4p/5/P4/KGSBR b - 1");
  const char* cycle[] = {"5e4d", "1a2b", "4d5e", "2b1a"};
  for (int round = 0; round < 3; ++round)
    for (const char* m : cycle) {
      EXPECT_EQ(調査_公式終局(g).敗者, 0) << "round " << round << " before " << m;
      play(g, m);
    }
  EXPECT_EQ(同一局面回数(g), 4);
  const 公式終局 end = 調査_公式終局(g);
  EXPECT_EQ(end.理由, 終局理由::千日手);
  EXPECT_EQ(end.敗者, 先手);
  EXPECT_FALSE(end.連続王手);
}

TEST(OfficialRules, APerpetualCheckLosesForTheSideGivingIt) {
  // COM, the second player, chases the MAN king with its rook, checking at every move.
  GameState g = official("2k2/5/5/K4/4r w - 1");
  const char* cycle[] = {"1e1d", "5d5e", "1d1e", "5e5d"};
  for (int round = 0; round < 3; ++round)
    for (const char* m : cycle) play(g, m);
  const 公式終局 end = 調査_公式終局(g);
  EXPECT_EQ(end.理由, 終局理由::千日手);
  EXPECT_EQ(end.敗者, g.COM手番);
  EXPECT_EQ(g.COM手番, 後手);
  EXPECT_TRUE(end.連続王手);
}

// The counts of the official rules from the start, as other minishogi programs give them.
TEST(OfficialRules, PerftFromTheStart) {
  GameState g = official("rbsgk/4p/5/P4/KGSBR b - 1");
  const std::uint64_t expected[] = {14, 181, 2512, 35401, 533203};
  for (int depth = 1; depth <= 5; ++depth) EXPECT_EQ(perft(g, depth), expected[depth - 1]) << "depth " << depth;
}

}  // namespace
}  // namespace zelk
