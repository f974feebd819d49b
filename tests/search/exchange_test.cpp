#include <gtest/gtest.h>

#include "core/sfen.h"
#include "core/test_support.h"
#include "search/evaluation.h"
#include "search/exchange.h"

namespace zelk::search {
namespace {

int gainOf(const char* sfen, const char* move) {
  Position p(test::position(sfen));
  const Move m = p.fromUsi(*parseUsiMove(move));
  EXPECT_NE(m, kNoMove) << move;
  return exchangeGain(p, m);
}

TEST(Exchange, TakingAGuardedPieceCountsWhatTheRecaptureCosts) {
  // The rook takes the pawn on 3c and the silver on 3b takes the rook.
  EXPECT_EQ(gainOf("4k/2s2/2p2/5/K1R2 b - 1", "3e3c"), pieceValue(kPawn) - pieceValue(kRook));
  // A pawn takes a silver guarded by a gold: the gold takes the pawn, the silver is still won.
  EXPECT_EQ(gainOf("4k/2g2/2s2/2P2/K4 b - 1", "3d3c"), pieceValue(kSilver) - pieceValue(kPawn));
  // A silver dropped where the upper silver reaches it is simply lost.
  EXPECT_EQ(gainOf("4k/2s2/5/5/K4 b S 1", "S*3c"), -pieceValue(kSilver));
  // An unguarded piece is won outright.
  EXPECT_EQ(gainOf("4k/5/2g2/5/K1R2 b - 1", "3e3c"), pieceValue(kGold));
}

TEST(Exchange, AKingRecapturesOnlyWhereNothingTakesItBack) {
  // The gold on 3c is guarded by the king alone: with the silver on 4d behind the rook the
  // king cannot take back, without it the king takes the rook.
  EXPECT_EQ(gainOf("5/2k2/2g2/1S3/K1R2 b - 1", "3e3c"), pieceValue(kGold));
  EXPECT_EQ(gainOf("5/2k2/2g2/5/K1R2 b - 1", "3e3c"), pieceValue(kGold) - pieceValue(kRook));
}

}  // namespace
}  // namespace zelk::search
