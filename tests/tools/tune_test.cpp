// The evaluation's tuner: the weight tables it reads and writes, and a fit that learns what
// decides games from positions and their results.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/sfen.h"
#include "engine/eval_features.h"
#include "engine/eval_weights.h"
#include "engine/evaluate.h"
#include "fit.h"

namespace zelk::tune {
namespace {

constexpr std::size_t kCount = fast::eval::kWeightCount;

TEST(Tune, AWrittenTableReadsBackAndTheHandSetStartingTableFitsTheLayout) {
  std::vector<double> w(std::begin(fast::eval::kWeights), std::end(fast::eval::kWeights));
  w[fast::eval::kTempo] = 33;
  std::istringstream header(weightsHeader(w, "zelk55-tune fit games.txt"));
  EXPECT_EQ(readWeights(header, kCount), w);

  std::ifstream hand(TUNE_HAND_WEIGHTS);
  const std::vector<double> start = readWeights(hand, kCount);
  ASSERT_EQ(start.size(), kCount);
  EXPECT_GT(start[fast::eval::kMaterial + 1], 0);  // a pawn is worth something

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

  // The engine evaluates with the fitted table while told to: the winner's side is ahead in
  // both kinds of position; then with its own table again.
  GameState won, lost;
  ASSERT_FALSE(loadSfen(won, "rbs1k/4p/5/P4/KGSBR b G 1").has_value());
  ASSERT_FALSE(loadSfen(lost, "rbsgk/4p/5/P4/KGSB1 b r 1").has_value());
  const fast::Position ahead(won), behind(lost);
  const int compiled = fast::evaluate(ahead);
  std::vector<std::int16_t> table(w.begin(), w.end());
  fast::useWeights(table.data());
  EXPECT_GT(fast::evaluate(ahead), 50);
  EXPECT_LT(fast::evaluate(behind), -50);
  fast::useWeights(nullptr);
  EXPECT_EQ(fast::evaluate(ahead), compiled);
}

}  // namespace
}  // namespace zelk::tune
