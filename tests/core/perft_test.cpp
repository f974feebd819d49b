#include <gtest/gtest.h>

#include <cstdint>

#include "core/perft.h"
#include "core/test_support.h"

namespace zelk {
namespace {

// From the start MAN has: pawn 1, king 1, gold 2, silver 3, bishop 3 + 1, rook 3 = 14, and
// COM, point-symmetric, also 14. At depth 2 COM's count changes only where MAN's move
// touches COM's lines: the pawn to 5c stops the rook one square sooner (13), the bishop to
// 5b blocks the rook's file (12), and the rook taking the pawn removes the pawn's move but
// gives the COM king and gold a capture each (15); all other eleven replies leave 14.
// 13 + 12 + 15 + 11 * 14 = 194.
TEST(Perft, StartingPositionCountsAreTheHandCountedOnes) {
  GameState g = test::position("rbsgk/4p/5/P4/KGSBR b - 1");
  EXPECT_EQ(perft(g, 1), 14u);
  EXPECT_EQ(perft(g, 2), 194u);
}

// The counts every program playing these rules must reach from the start, five plies deep.
TEST(Perft, StartingPositionToDepthFive) {
  GameState g = test::position("rbsgk/4p/5/P4/KGSBR b - 1");
  const GameState before = g;
  const std::uint64_t expected[] = {14, 194, 3097, 49952, 905959};
  for (int depth = 1; depth <= 5; ++depth) EXPECT_EQ(perft(g, depth), expected[depth - 1]) << "depth " << depth;
  EXPECT_EQ(g.盤面, before.盤面);  // every move was taken back
  EXPECT_EQ(g.持駒MAN, before.持駒MAN);
  EXPECT_EQ(g.持駒COM, before.持駒COM);
}

TEST(Perft, ASideWhoseKingWasTakenHasNoMoves) {
  GameState g = test::position("rbsg1/4R/5/P4/KGSB1 w P 2");
  EXPECT_EQ(perft(g, 1), 0u);
}

TEST(Perft, CompulsoryPromotionCountsOnceOptionalTwice) {
  // A MAN pawn on 3b may only go to 3a promoted; a MAN silver there has both versions of each
  // move into row a, and only the plain one of its backward moves (it starts on row b).
  GameState pawn = test::position("4k/2P2/5/5/K4 b - 1");
  // King 5e: 4e, 4d, 5d = 3; pawn 3b-3a+ only = 1.
  EXPECT_EQ(perft(pawn, 1), 4u);
  GameState silver = test::position("4k/2S2/5/5/K4 b - 1");
  // Silver 3b: 4a, 3a, 2a each with and without promotion = 6, back 4c, 2c = 2; king 3.
  EXPECT_EQ(perft(silver, 1), 11u);
}

}  // namespace
}  // namespace zelk
