#pragma once
// The searching levels' evaluation: material on the board and in hand, piece-square values,
// mobility, the safety of each king, the move; weights fitted to game results by the tuner
// (tools/tune) and compiled in from search/evaluation_weights.h.

#include <cstdint>

#include "search/position.h"

namespace zelk::search {

// Centipawns (a pawn on the board is near 100) for the side to move, by the weights in use for
// the game's own rules.
int evaluate(const Position& p);
// The same by a table of the layout of search/evaluation_terms.h.
int evaluate(const Position& p, const std::int16_t* weights);

// The table the search evaluates by under the rules: the official rules have their own, fitted
// to games played under them, unless the tuner has set one for its games.
const std::int16_t* weightsFor(Rules rules);

// Piece values for ordering captures, by type.
int pieceValue(int type);

// The weights the evaluation uses: a table of the layout of search/evaluation_terms.h (the
// tuner plays games with the weights it is fitting), or nullptr for those compiled in.
// Not for use while a search runs.
void useWeights(const std::int16_t* weights);

}  // namespace zelk::search
