#include <gtest/gtest.h>

#include <string_view>

#include "core/influence_survey.h"
#include "core/legality.h"
#include "core/test_support.h"
#include "com/danger.h"
#include "com/evaluation.h"
#include "com/probes.h"
#include "com/snapshot.h"

// Each case freezes the position before COM's move as the search does, makes one candidate
// on the board, surveys it and scores it. Squares are (X, Y): column from the left, row from
// the top. Scores are in tenths of a point.

namespace zelk {
namespace {

struct Candidate {
  GameState g;
  int captured = 0, placed = 0, fx = 0, fy = 0, tx = 0, ty = 0;
  Score score() { return 盤評価(g, captured, placed, fx, fy, tx, ty); }
  Score danger() { return 盤評価_COM危険座標(g, placed, tx, ty); }
};

Candidate boardMove(std::string_view before, int fx, int fy, int tx, int ty, bool promote = false, int level = 3) {
  Candidate c{test::position(before)};
  c.g.レベル = level;
  探索準備(c.g);
  const int piece = c.g.盤面(fx, fy);
  EXPECT_GE(piece, COM歩) << before;
  EXPECT_EQ(移動チェック(c.g, fx, fy, tx, ty, piece), 1) << before;
  c.g.候補駒 = piece;
  c.captured = c.g.盤面(tx, ty);
  c.placed = promote ? piece + 1 : piece;
  c.fx = fx, c.fy = fy, c.tx = tx, c.ty = ty;
  c.g.盤面(fx, fy) = 0;
  c.g.盤面(tx, ty) = c.placed;
  勢力調査(c.g);
  return c;
}

Candidate drop(std::string_view before, int kind, int tx, int ty) {
  Candidate c{test::position(before)};
  探索準備(c.g);
  const int piece = kComHandCodes[kind];
  EXPECT_GT(c.g.持駒COM(kind), 0) << before;
  EXPECT_EQ(移動チェック(c.g, kComHandColumn, kind, tx, ty, piece), 1) << before;
  c.g.候補駒 = piece;
  c.placed = piece;
  c.fx = kComHandColumn, c.fy = kind, c.tx = tx, c.ty = ty;
  c.g.盤面(tx, ty) = piece;
  勢力調査(c.g);
  return c;
}

TEST(Evaluation, VerdictsComeBeforeEveryOtherTerm) {
  // The gold takes the MAN king on (3,4) while the MAN rook on (5,5) still hits the COM king.
  EXPECT_EQ(boardMove("4k/5/2gs1/2K2/4R w - 1", 3, 3, 3, 4).score(), points(9999));
  // The gold on (5,2) shields its king from the rook; taking the bishop on (4,3) opens the file.
  EXPECT_EQ(boardMove("4k/4g/3B1/5/K3R w - 1", 5, 2, 4, 3).score(), -points(9998));
  // The corner king on (1,5): (1,4) is covered by the gold on (2,3), (2,4) by that gold and
  // (2,5) by the silver on (3,4); whatever stands on (1,4) and checks is mate.
  EXPECT_EQ(drop("4k/5/1g3/2s2/K4 w g 1", 3, 1, 4).score(), points(9998));
  EXPECT_EQ(drop("4k/5/1g3/2s2/K4 w p 1", 1, 1, 4).score(), -points(9998));          // pawn drop mate
  EXPECT_EQ(boardMove("4k/5/pg3/2s2/K4 w - 1", 1, 3, 1, 4).score(), -points(9998));  // pawn push mate
  // The same mate given by a gold moved from (1,3), its (1,4) backed by the silver on (2,3).
  EXPECT_EQ(boardMove("4k/5/gs3/5/K4 w - 1", 1, 3, 1, 4).score(), points(9998));
}

TEST(Evaluation, LevelOneStopsACaptureAfterTheMinorTakesMajorBonus) {
  // The pawn on (3,2) takes the bishop on (3,3): the square is unattacked, the MAN king on
  // (3,5) loses its flight (3,4) (five before, four after: +1), and the pawn takes a major: +800.
  constexpr std::string_view before = "2k2/2p2/2B2/5/2K2 w - 1";
  EXPECT_EQ(boardMove(before, 3, 2, 3, 3, false, 1).score(), points(801));
  // Level 2 adds the bishop's value again for a safe capture, and no pawn pattern.
  EXPECT_EQ(boardMove(before, 3, 2, 3, 3, false, 2).score(), points(1601));
  // Level 3 adds the pawn terms: -0.1 for a pawn move, +5 for a capture from a square only the
  // king defends, with no COM bishop two rows behind.
  EXPECT_EQ(boardMove(before, 3, 2, 3, 3, false, 3).score(), 16059);
}

TEST(Evaluation, NonCapturesKeepTheirPiecePatternsAtLevelOneOnly) {
  // The same pawn step without a capture: +1 for the flight, -0.1 for a pawn move.
  constexpr std::string_view before = "2k2/2p2/5/5/2K2 w - 1";
  EXPECT_EQ(boardMove(before, 3, 2, 3, 3, false, 1).score(), 9);
  EXPECT_EQ(boardMove(before, 3, 2, 3, 3, false, 2).score(), 10);
  EXPECT_EQ(boardMove(before, 3, 2, 3, 3, false, 3).score(), 9);
}

TEST(Evaluation, GoldMoversAndSilversBySquareAndPattern) {
  // A piece on (3,2) steps to (3,3): it takes (2,4) from the MAN king on (1,5), which had
  // three flights: +1. The diagonal (2,4)-(5,1) of the COM king is open, but MAN has no bishop.
  EXPECT_EQ(boardMove("4k/2g2/5/5/K4 w - 1", 3, 2, 3, 3).score(), 10);
  EXPECT_EQ(boardMove("4k/2s2/5/5/K4 w - 1", 3, 2, 3, 3).score(), 10);   // silvers: no pattern
  EXPECT_EQ(boardMove("4k/2+s2/5/5/K4 w - 1", 3, 2, 3, 3).score(), 10);  // promoted silver: none
  EXPECT_EQ(boardMove("4k/2+p2/5/5/K4 w - 1", 3, 2, 3, 3).score(), 20);  // と as strong as MAN: +1
  // The gold's diagonal step forward to (2,3) takes (1,4) and (2,4) (+2) and costs 0.5.
  EXPECT_EQ(boardMove("4k/2g2/5/5/K4 w - 1", 3, 2, 2, 3).score(), 15);
}

TEST(Evaluation, KingSteppingDownPaysForTheRow) {
  // The COM king goes from (5,3) to (5,4): row 4 costs 15 + 4, column 5 earns nothing, and the
  // three squares round the MAN king on (1,1) are attacked, undefended and above row 4: 0.1 each.
  EXPECT_EQ(boardMove("K4/5/4k/5/5 w - 1", 5, 3, 5, 4).score(), -193);
}

TEST(Evaluation, PromotionEarnsTenOnlyForABoardMoveThatPromotes) {
  // The silver on (3,4) steps to (3,5); round the MAN king on (1,1) three squares cost 0.1 each.
  EXPECT_EQ(boardMove("K3k/5/5/2s2/5 w - 1", 3, 4, 3, 5, false).score(), -3);
  EXPECT_EQ(boardMove("K3k/5/5/2s2/5 w - 1", 3, 4, 3, 5, true).score(), 97);
}

TEST(Evaluation, ADistantRookCheckFromASafeSquare) {
  // A rook dropped on (1,1) checks the king on (1,5), which still has (2,4): no mate. +10 for
  // a check from an unattacked square, -5 for a drop, +0.1 for the king as its target, +1 for
  // the flight (1,4) taken.
  EXPECT_EQ(drop("4k/5/5/5/K4 w r 1", 5, 1, 1).score(), 61);
}

TEST(Evaluation, APinnedAttackerCountsAsWonWhenTheMovedPieceCanTakeIt) {
  // The MAN gold on (3,4) shields its king on (3,5) from the COM rook on (3,1). A silver on
  // (4,3) is attacked by that gold alone and defended by nothing: C3d costs 100 + 10, the
  // empty (2,3) 0.1, and the pinned gold, which the silver could take, is worth +110.
  EXPECT_EQ(boardMove("2r1k/4s/5/2G2/2K2 w - 1", 5, 2, 4, 3).score(), -1);
  // Dropped there: -5 for the drop and -(100 + 50) for a dropped piece left hanging.
  EXPECT_EQ(drop("2r1k/5/5/2G2/2K2 w s 1", 2, 4, 3).score(), -1551);
  // Pinned on (3,3), away from its king, the gold is unprotected: no bonus. The silver on
  // (4,2), defended by its king, costs nothing more; the empty (2,2) and (2,3) 0.1 each.
  EXPECT_EQ(boardMove("2rsk/5/2G2/5/2K2 w - 1", 4, 1, 4, 2).score(), -2);
}

TEST(Evaluation, APinnedSilverNeitherExchangesNorWins) {
  // The pinned MAN silver on (3,4) is the only attacker of the COM gold arriving on (4,3):
  // no C3b (the gold is worth more than the silver) and no C3c, only C3d's -110 - 10, and
  // 0.1 for the empty (2,3).
  Candidate c = boardMove("2r1k/4g/5/2S2/2K2 w - 1", 5, 2, 4, 3);
  EXPECT_EQ(c.danger(), -1201);
  // The gold could take the pinned silver: +100; its diagonal step forward costs 0.5.
  EXPECT_EQ(c.score(), -206);
}

TEST(Evaluation, BishopCautionIsTakenFromAPieceOnASafeSquare) {
  // The gold steps from (2,2) to (2,3), next to (2,4), from which a MAN bishop would check the
  // COM king on (5,1) and which the MAN bishop on (1,3) reaches: -110. The gold now hits that
  // bishop, which nothing protects (+0.1); the empty (3,1), reached by the bishop and defended
  // by nothing, costs 0.1. The MAN king on (1,5) keeps only (2,5) of its three flights: +2.
  EXPECT_EQ(boardMove("4k/1g3/B4/5/K4 w - 1", 2, 2, 2, 3).score(), -1080);
}

TEST(Danger, RowsOfTheEmptySquaresNextToTheComKing) {
  // COM king (3,1), MAN pawn (3,3) hitting (3,2), which only the king defends. C1: -50, and
  // -250 as MAN is as strong there; E1: -0.5; E3: the pawn below with MAN at least as strong:
  // -30.
  Candidate c = boardMove("1k3/5/2P2/5/K4 w - 1", 2, 1, 3, 1);
  EXPECT_EQ(c.danger(), -3305);
  // A MAN rook on (3,5) behind the pawn adds E3's -70, and -1 for a rook on the COM king's
  // column.
  Candidate rook = boardMove("1k3/5/2P2/5/K1R2 w - 1", 2, 1, 3, 1);
  EXPECT_EQ(rook.danger(), -3305 - points(70) - points(1));
  // A rook in MAN's hand instead adds -700 to C1 and -10 to E1, and E4d for the 17 undefended
  // empty squares: -5 for (1,2) and (5,2) each, -0.1 for each of the 8 in rows 1 to 3.
  Candidate hand = boardMove("1k3/5/2P2/5/K4 w R 1", 2, 1, 3, 1);
  EXPECT_EQ(hand.danger(), -3305 - points(700) - points(10) - 2 * points(5) - 8);
}

TEST(Danger, HandRowsNeedAPieceInMansHand) {
  // Kings on (5,1) and (1,5): no square near the COM king is attacked, so nothing counts.
  Candidate bare = boardMove("3k1/5/5/5/K4 w - 1", 4, 1, 5, 1);
  EXPECT_EQ(bare.danger(), 0);
  // With a pawn in MAN's hand E4d applies to the 20 undefended empty squares: -5 for each of
  // (1,2), (2,2), (3,2) below an empty home square, -0.1 for each of the 11 in rows 1 to 3.
  Candidate pawn = boardMove("3k1/5/5/5/K4 w P 1", 4, 1, 5, 1);
  EXPECT_EQ(pawn.danger(), -161);
  // A COM bishop on (1,1) covers its diagonal and fills the home square above (1,2): of the
  // row-2 squares only (3,2) costs 5; 8 undefended squares in rows 1 to 3 cost 0.1.
  Candidate bishop = boardMove("b2k1/5/5/5/K4 w - 1", 4, 1, 5, 1);
  EXPECT_EQ(bishop.danger(), 0);
  Candidate bishopPawn = boardMove("b2k1/5/5/5/K4 w P 1", 4, 1, 5, 1);
  EXPECT_EQ(bishopPawn.danger(), -58);
}

TEST(Danger, ASilverInHandThreatensAForkUpTheFile) {
  // The MAN pawn on (3,4) hits (3,3) below the COM gold on (3,2): E3 -30.
  EXPECT_EQ(boardMove("1k3/2g2/5/2P2/K4 w - 1", 2, 1, 3, 1).danger(), -300);
  // With a silver in hand, a drop on (3,3) would fork the gold and the king on (3,1): E4a
  // -(100 + 950 / 2). E4d: -5 for (1,2) and (5,2) each, -0.1 for the 6 undefended squares in
  // rows 1 to 3.
  EXPECT_EQ(boardMove("1k3/2g2/5/2P2/K4 w S 1", 2, 1, 3, 1).danger(), -300 - points(100 + 475) - 2 * points(5) - 6);
}

TEST(Danger, AHangingCaptorIsCreditedWithThePieceItTook) {
  // The silver on (3,2) takes the MAN gold on (3,3) and is hit there by the pawn on (3,4),
  // with no defender: C3b -(100 - 10), C3d -100 - 10 + 110 - 20 (a pawn attacks it).
  Candidate c = boardMove("4k/2s2/2G2/2P2/K4 w - 1", 3, 2, 3, 3);
  EXPECT_EQ(c.danger(), -1100);
  // Nothing else counts: the silver still had (2,3) to go to, so the gold is not added.
  EXPECT_EQ(c.score(), -1100);
  // The same silver arriving without a capture is charged in full.
  Candidate quiet = boardMove("4k/2s2/5/2P2/K4 w - 1", 3, 2, 3, 3);
  EXPECT_EQ(quiet.danger(), -2200);
}

TEST(Danger, ForkOfKingAndGoldAddsTheGold) {
  // A rook dropped on (3,5), unattacked, reaches the king on (1,5) and the unprotected gold on
  // (5,5): 0.1 for each target and 110, the cheaper of the two.
  EXPECT_EQ(drop("4k/5/5/5/K3G w r 1", 5, 3, 5).danger(), 1102);
  // With the king its only target: 0.1.
  EXPECT_EQ(drop("4k/5/5/5/K4 w r 1", 5, 3, 5).danger(), 1);
}

TEST(Danger, BishopCautionNeedsABishopCheckSquare) {
  // Before the move a MAN bishop on (3,3), (2,4) or (1,5) would check the COM king on (5,1).
  // The gold going from (1,1) to (2,2) stands next to (3,3), which the MAN bishop on (5,5)
  // reaches: the caution is the gold's value.
  Candidate onBoard = boardMove("g3k/5/5/5/2K1B w - 1", 1, 1, 2, 2);
  EXPECT_EQ(onBoard.g.角王手座標MAN(3, 3), 1);
  EXPECT_EQ(盤評価_自角注意_COM(onBoard.g, 2, 2, COM金), points(110));
  // A bishop in hand could be dropped on (3,3) just as well.
  Candidate inHand = boardMove("g3k/5/5/5/2K2 w B 1", 1, 1, 2, 2);
  EXPECT_EQ(盤評価_自角注意_COM(inHand.g, 2, 2, COM金), points(110));
  // No MAN bishop anywhere: nothing to fear.
  Candidate none = boardMove("g3k/5/5/5/2K2 w - 1", 1, 1, 2, 2);
  EXPECT_EQ(盤評価_自角注意_COM(none.g, 2, 2, COM金), 0);
  // A silver on (4,2) closes the king's diagonal: no bishop-check square, caution 0, although
  // a bishop stands on (5,5) and another is in hand.
  Candidate closed = boardMove("g3k/3s1/5/5/2K1B w B 1", 1, 1, 2, 2);
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) EXPECT_EQ(closed.g.角王手座標MAN(x, y), 0) << x << "," << y;
  EXPECT_EQ(盤評価_自角注意_COM(closed.g, 2, 2, COM金), 0);
}

}  // namespace
}  // namespace zelk
