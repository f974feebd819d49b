#pragma once
// The searching levels' evaluation: material on the board and in hand, piece-square values,
// mobility, the safety of each king, the move; weights fitted to game results by the tuner
// (tools/tune) and compiled in from engine/eval_weights.h.

#include "engine/position.h"

namespace zelk::fast {

// Centipawns (a pawn on the board is near 100) for the side to move.
int evaluate(const Position& p);

// Piece values for ordering captures, by type.
int pieceValue(int type);

}  // namespace zelk::fast
