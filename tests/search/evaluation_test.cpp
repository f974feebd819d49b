#include <gtest/gtest.h>

#include <map>

#include "core/test_support.h"
#include "search/evaluation_terms.h"

namespace zelk::search {
namespace {

// Every term's count, from the lower side's point of view.
std::map<int, int> termsOf(const char* sfen) {
  initAttacks();
  const Position p(test::position(sfen));
  std::map<int, int> counts;
  eval::collectTerms(p, [&counts](int index, int count) { counts[index] += count; });
  return counts;
}

TEST(Evaluation, AnEnemyCheckOnASquareNothingOfOursGuardsCountsAgainstTheKing) {
  // A gold in the enemy's hand checks the lower king on 1e from 1d, 2d or 2e; the king takes
  // a gold dropped there unless the silver on 2c guards it, as it does 1d and 2d.
  EXPECT_EQ(termsOf("k4/5/5/5/4K b g 1")[eval::kSafeDropCheck + kGold], 0);
  EXPECT_EQ(termsOf("k4/5/3s1/5/4K b g 1")[eval::kSafeDropCheck + kGold], 2);
  // A gold of ours on 2e guards both squares.
  EXPECT_EQ(termsOf("k4/5/3s1/5/3GK b g 1")[eval::kSafeDropCheck + kGold], 0);
  // The rook on 3a checks by going to 1a or 3e, neither within the king's reach.
  EXPECT_EQ(termsOf("k1r2/5/5/5/4K b - 1")[eval::kSafeMoveCheck + kRook], 1);
  EXPECT_EQ(termsOf("k1r2/5/5/5/3GK b - 1")[eval::kSafeMoveCheck + kRook], 1);  // 1a still
  EXPECT_EQ(termsOf("k1r2/4G/5/5/3GK b - 1")[eval::kSafeMoveCheck + kRook], 0);
}

}  // namespace
}  // namespace zelk::search
