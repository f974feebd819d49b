#include <gtest/gtest.h>

#include <string_view>

#include "core/sfen.h"
#include "core/test_support.h"
#include "com/move_choice.h"

// The clock tick is called once per source column and once per hand kind, so counting the
// ticks shows where the search stopped. Squares are (X, Y): column from the left, row from
// the top.

namespace zelk {
namespace {

struct Searched {
  ComDecision d;
  int ticks = 0;
};

Searched search(GameState& g) {
  Searched s;
  s.d = decideComMove(g, SearchTick{+[](void* n) { ++*static_cast<int*>(n); }, &s.ticks});
  return s;
}

Searched search(std::string_view sfen) {
  GameState g = test::position(sfen);
  const std::string before = toSfen(g);
  Searched s = search(g);
  EXPECT_EQ(toSfen(g), before) << "the search left the position changed";
  return s;
}

void expectMove(const ComMove& m, int fx, int fy, int tx, int ty, int placed) {
  EXPECT_EQ(m.fromX, fx);
  EXPECT_EQ(m.fromY, fy);
  EXPECT_EQ(m.toX, tx);
  EXPECT_EQ(m.toY, ty);
  EXPECT_EQ(m.placed, placed);
}

TEST(Search, TheFirstKingCaptureInLoopOrderIsPlayedAtOnce) {
  // The gold on (3,3) and the silver on (4,3) can both take the king on (3,4); column 3 comes
  // first, and the search ends there, after three source columns.
  const Searched s = search("4k/5/2gs1/2K2/4R w - 1");
  ASSERT_TRUE(s.d.found);
  expectMove(s.d.move, 3, 3, 3, 4, COM金);
  EXPECT_EQ(s.d.move.sourcePiece, COM金);
  EXPECT_EQ(s.d.move.score, points(9999));
  EXPECT_EQ(s.ticks, 3);
}

TEST(Search, PawnBishopAndRookPromoteWheneverTheyMaySilverOnlyWhenItPays) {
  // Each captures the MAN king on row 5; both versions score 9999.
  const Searched silver = search("4k/5/5/1s3/1K3 w - 1");
  expectMove(silver.d.move, 2, 4, 2, 5, COM銀);
  EXPECT_EQ(silver.d.move.score, points(9999));
  const Searched bishop = search("4k/5/5/1b3/K4 w - 1");
  expectMove(bishop.d.move, 2, 4, 1, 5, COM馬);
  EXPECT_EQ(bishop.d.move.sourcePiece, COM角);
  const Searched rook = search("4k/5/5/5/Kr3 w - 1");
  expectMove(rook.d.move, 2, 5, 1, 5, COM龍);
  const Searched pawn = search("4k/5/5/1p3/1K3 w - 1");
  expectMove(pawn.d.move, 2, 4, 2, 5, COMと);
}

TEST(Search, ADropThatMatesEndsTheSearch) {
  // A gold dropped on (1,4), backed by the pawn on (1,3), mates the king on (1,5). No board
  // move mates; the gold is the third kind tried, so 5 + 3 ticks.
  const Searched s = search("4k/5/p4/5/K4 w g 1");
  ASSERT_TRUE(s.d.found);
  EXPECT_TRUE(s.d.move.isDrop());
  expectMove(s.d.move, kComHandColumn, 3, 1, 4, COM金);
  EXPECT_EQ(s.d.move.sourcePiece, COM金);
  EXPECT_EQ(s.d.move.score, points(9998));
  EXPECT_EQ(s.ticks, 8);
}

TEST(Search, ABoardMoveThatMatesDoesNotEndTheSearchAndKeepsItsTie) {
  // The gold on (1,3) mates on (1,4), its square backed by the silver on (2,3). The search
  // goes on through every column and every kind; the gold drop on (1,4), mate as well, only
  // ties and does not replace it.
  const Searched s = search("4k/5/gs3/5/K4 w g 1");
  ASSERT_TRUE(s.d.found);
  expectMove(s.d.move, 1, 3, 1, 4, COM金);
  EXPECT_EQ(s.d.move.score, points(9998));
  EXPECT_EQ(s.ticks, 10);
}

TEST(Search, NoDropIsTriedWhenComHadNothingInHand) {
  // The gold that would mate on (1,4) is in the kind counts, but the hand total says empty.
  GameState g = test::position("4k/5/p4/5/K4 w - 1");
  g.持駒COM(3) = 1;
  const Searched s = search(g);
  ASSERT_TRUE(s.d.found);
  EXPECT_FALSE(s.d.move.isDrop());
  EXPECT_LT(s.d.move.score, points(9998));
  EXPECT_EQ(s.ticks, 5);
}

TEST(Search, EqualScoresGoToTheFirstCandidateInLoopOrder) {
  // The lone COM king on (3,1) facing the MAN king on (3,5): each of its five steps earns 1
  // for leaving column 5 alone and nothing else, so (2,1), the first destination, is played.
  const Searched s = search("2k2/5/5/5/2K2 w - 1");
  ASSERT_TRUE(s.d.found);
  expectMove(s.d.move, 3, 1, 2, 1, COM王);
  EXPECT_EQ(s.d.move.score, points(1));
}

TEST(Search, NoLegalCandidateIsReported) {
  // COM's only piece is a pawn that cannot move, and its hand is empty.
  GameState g;
  g.盤面(1, 5) = MAN王;
  g.盤面(3, 5) = COM歩;
  const Searched s = search(g);
  EXPECT_FALSE(s.d.found);
  EXPECT_EQ(g.盤面(3, 5), COM歩);
}

}  // namespace
}  // namespace zelk
