#include "search/evaluation.h"

#include "search/evaluation_terms.h"
#include "search/evaluation_weights.h"
#include "search/evaluation_weights_official.h"

namespace zelk::search {

static_assert(std::size(eval::kWeights) == eval::kWeightCount, "the weight table fits the terms");
static_assert(std::size(eval::kWeightsOfficial) == eval::kWeightCount, "the weight table fits the terms");

namespace {
const std::int16_t* gChosen = nullptr;  // the tuner's table, for every rule set
}  // namespace

void useWeights(const std::int16_t* weights) { gChosen = weights; }

const std::int16_t* weightsFor(Rules rules) {
  return gChosen ? gChosen : rules == Rules::official ? eval::kWeightsOfficial : eval::kWeights;
}

int evaluate(const Position& p) { return evaluate(p, weightsFor(Rules::kingCapture)); }

int evaluate(const Position& p, const std::int16_t* w) {
  int score = 0;
  eval::collectTerms(p, [&score, w](int index, int count) { score += w[index] * count; });
  return p.sideToMove() == kLower ? score : -score;
}

int pieceValue(int type) { return weightsFor(Rules::kingCapture)[eval::kMaterial + type]; }

}  // namespace zelk::search
