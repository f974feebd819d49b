#include "engine/evaluate.h"

#include "engine/eval_features.h"
#include "engine/eval_weights.h"

namespace zelk::fast {

static_assert(std::size(eval::kWeights) == eval::kWeightCount, "the weight table fits the terms");

int evaluate(const Position& p) {
  int score = 0;
  eval::collectTerms(p, [&score](int index, int count) { score += eval::kWeights[index] * count; });
  return p.sideToMove() == kLower ? score : -score;
}

int pieceValue(int type) { return eval::kWeights[eval::kMaterial + type]; }

}  // namespace zelk::fast
