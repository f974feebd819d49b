// The evaluation's tuner: the weight tables it reads and writes, and a fit that learns what
// decides games from positions and their results.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/sfen.h"
#include "search/evaluation_terms.h"
#include "search/evaluation_weights.h"
#include "search/evaluation.h"
#include "fit.h"

namespace zelk::tune {
namespace {

constexpr std::size_t kCount = search::eval::kWeightCount;

TEST(Tune, AWrittenTableReadsBackAndTheHandSetStartingTableFitsTheLayout) {
  std::vector<double> w(std::begin(search::eval::kWeights), std::end(search::eval::kWeights));
  w[search::eval::kTempo] = 33;
  std::istringstream header(weightsHeader(w, "zelk55-tune fit games.txt"));
  EXPECT_EQ(readWeights(header, kCount), w);
  std::istringstream official(
      weightsHeader(w, "zelk55-tune fit --name kWeightsOfficial games.txt", "kWeightsOfficial"));
  EXPECT_EQ(readWeights(official, kCount), w);  // the official rules' table too

  std::ifstream hand(TUNE_HAND_WEIGHTS);
  const std::vector<double> start = readWeights(hand, kCount);
  ASSERT_EQ(start.size(), kCount);
  EXPECT_GT(start[search::eval::kMaterial + 1], 0);  // a pawn is worth something

  std::istringstream shortTable("{ 1, 2, 3 }");
  EXPECT_TRUE(readWeights(shortTable, kCount).empty());  // a table of another layout is refused
}

TEST(Tune, TheFitLearnsThatAnExtraPieceInHandWinsAndTheEngineCanPlayWithTheResult) {
  // Quiet positions where the side with a gold in hand won, from both sides.
  std::ostringstream games;
  for (int i = 0; i < 20; ++i) {
    games << "rbs1k/4p/5/P4/KGSBR b G 1\t1\n";
    games << "rbsgk/4p/5/P4/KGSB1 b r 1\t0\n";
  }
  std::istringstream in(games.str());
  std::ostringstream progress;
  const TermStore store = loadSamples(in, progress);
  ASSERT_EQ(store.samples.size(), 40u);

  std::vector<double> w(kCount, 0.0);  // starting from nothing at all
  const double k = 1.0;
  const double before = meanError(store, w, k);
  FitOptions o;
  o.epochs = 200;
  fitWeights(store, w, std::vector<double>(kCount, 0.0), k, o, progress);
  EXPECT_LT(meanError(store, w, k), before / 4);

  // The engine evaluates with the fitted table while told to, under either rules: the winner's
  // side is ahead in both kinds of position; then with its own tables again.
  GameState won, lost;
  ASSERT_FALSE(loadSfen(won, "rbs1k/4p/5/P4/KGSBR b G 1").has_value());
  ASSERT_FALSE(loadSfen(lost, "rbsgk/4p/5/P4/KGSB1 b r 1").has_value());
  const search::Position ahead(won), behind(lost);
  const int compiled = search::evaluate(ahead);
  std::vector<std::int16_t> table(w.begin(), w.end());
  search::useWeights(table.data());
  EXPECT_GT(search::evaluate(ahead), 50);
  EXPECT_LT(search::evaluate(behind), -50);
  EXPECT_GT(search::evaluate(ahead, search::weightsFor(Rules::official)), 50);
  search::useWeights(nullptr);
  EXPECT_EQ(search::evaluate(ahead), compiled);
  EXPECT_NE(search::weightsFor(Rules::official), table.data());
}

}  // namespace
}  // namespace zelk::tune
