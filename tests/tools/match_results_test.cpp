// The match's arithmetic and data: the Elo estimate from a result, and the committed list of
// openings the games start from.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/sfen.h"
#include "elo.h"
#include "king_safety.h"
#include "openings.h"

namespace zelk::match {
namespace {

TEST(MatchElo, TheEstimateFollowsTheLogisticModel) {
  // 60 wins out of 100: Elo = -400 log10(1 / 0.6 - 1) = 70.44; the spread of one game's
  // score is sqrt(0.24), so the 95 % interval is 0.6 +- 1.96 * 0.049 = [0.504, 0.696].
  const EloEstimate e = estimate({60, 40, 0});
  EXPECT_NEAR(e.elo, 70.44, 0.01);
  EXPECT_NEAR(e.margin,
              (eloOfScore(0.6 + 1.959964 * std::sqrt(0.0024)) - eloOfScore(0.6 - 1.959964 * std::sqrt(0.0024))) / 2,
              1e-6);
  EXPECT_NEAR(e.margin, 70.6, 0.1);
  // LOS = (1 + erf(20 / sqrt(200))) / 2 = 0.97725.
  EXPECT_NEAR(e.los, 0.97725, 0.00001);

  // Three quarters of the points: 400 log10(3) = 190.85, whether from wins or from draws.
  EXPECT_NEAR(estimate({75, 25, 0}).elo, 190.85, 0.01);
  EXPECT_NEAR(estimate({50, 0, 50}).elo, 190.85, 0.01);
  // Draws narrow the interval.
  EXPECT_LT(estimate({50, 0, 50}).margin, estimate({75, 25, 0}).margin);

  // An even match is 0 with a LOS of one half; the mirror result mirrors the estimate.
  const EloEstimate even = estimate({30, 30, 40});
  EXPECT_DOUBLE_EQ(even.elo, 0);
  EXPECT_DOUBLE_EQ(even.los, 0.5);
  EXPECT_NEAR(estimate({40, 60, 0}).elo, -70.44, 0.01);
  EXPECT_NEAR(estimate({40, 60, 0}).los, 1 - 0.97725, 0.00001);

  // A clean sweep has no finite estimate.
  EXPECT_TRUE(std::isinf(estimate({10, 0, 0}).elo));
  EXPECT_TRUE(std::isinf(estimate({10, 0, 0}).margin));
}

TEST(MatchElo, TheSequentialTestWeighsTheResultBetweenTwoHypotheses) {
  const Sprt sprt;  // 0 against 10 Elo, 5 % errors either way
  EXPECT_NEAR(sprt.lowerBound(), std::log(0.05 / 0.95), 1e-12);
  EXPECT_NEAR(sprt.upperBound(), -std::log(0.05 / 0.95), 1e-12);
  // LLR = n (s1 - s0) (2 s - s0 - s1) / (2 var), with s0 = 0.5 and s1 = 1 / (1 + 10^(-1/40)).
  EXPECT_NEAR(sprt.llr({60, 40, 0}), 0.55634, 1e-5);
  EXPECT_NEAR(sprt.llr({40, 60, 0}), -0.64259, 1e-5);
  EXPECT_NEAR(sprt.llr({30, 20, 50}), 0.50275, 1e-5);
  EXPECT_NEAR(sprt.llr({500, 400, 100}), 2.76793, 1e-5);
  EXPECT_EQ(sprt.verdict({500, 400, 100}), 0);
  EXPECT_EQ(sprt.verdict({560, 400, 100}), 1);
  EXPECT_EQ(sprt.verdict({400, 500, 100}), -1);
  EXPECT_EQ(sprt.llr({5, 0, 0}), 0);  // every game alike: nothing to weigh yet
}

TEST(MatchOpenings, TheCommittedOpeningsAreLegalSoundDistinctAndShort) {
  std::string error;
  const auto list = readOpenings(MATCH_OPENINGS, error);
  ASSERT_TRUE(list) << error;
  EXPECT_GE(list->size(), 20u);
  std::set<std::string> positions;
  std::set<std::string> firstMoves;
  for (const Opening& o : *list) {
    EXPECT_GE(o.size(), 2u);
    EXPECT_LE(o.size(), 8u);
    GameState g;
    loadSfen(g, kStartSfen);
    for (const std::string& m : o) {
      ASSERT_FALSE(playUsiMove(g, *parseUsiMove(m)));
      EXPECT_FALSE(kingEnPrise(g)) << m << ": the move leaves its own king to be taken";
    }
    EXPECT_TRUE(positions.insert(toSfen(g).substr(0, toSfen(g).rfind(' '))).second) << toSfen(g);
    firstMoves.insert(o[0]);
  }
  EXPECT_GE(firstMoves.size(), 5u);  // varied from the first move on
}

TEST(MatchOpenings, AnOpeningThatBreaksTheRulesIsReportedWithItsLine) {
  std::string error;
  EXPECT_TRUE(parseOpenings("# a comment\n5d5c 1b1c\n\n2e4c  # the bishop out\n", error));
  EXPECT_EQ(parseOpenings("5d5c 1b1c\n5d5b\n", error), std::nullopt);
  EXPECT_EQ(error, "line 2: 5d5b: illegal move");
  EXPECT_EQ(parseOpenings("1e1d 1b1c 1d1c 4a3b 1c1a\n", error), std::nullopt);
  EXPECT_EQ(error, "line 1: 1c1a: takes a king");
  EXPECT_EQ(parseOpenings("# nothing\n", error), std::nullopt);
}

}  // namespace
}  // namespace zelk::match
