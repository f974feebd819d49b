#include "search/evaluation.h"

#include "search/evaluation_terms.h"
#include "search/evaluation_weights.h"

namespace zelk::search {

static_assert(std::size(eval::kWeights) == eval::kWeightCount, "the weight table fits the terms");

namespace {
const std::int16_t* gWeights = eval::kWeights;
}  // namespace

void useWeights(const std::int16_t* weights) { gWeights = weights ? weights : eval::kWeights; }

int evaluate(const Position& p) {
  const std::int16_t* w = gWeights;
  int score = 0;
  eval::collectTerms(p, [&score, w](int index, int count) { score += w[index] * count; });
  return p.sideToMove() == kLower ? score : -score;
}

int pieceValue(int type) { return gWeights[eval::kMaterial + type]; }

}  // namespace zelk::search
