#pragma once
// Whether a position could stand on the board of a real game: the pieces of one set, one
// king a side, no pawn that can never move, no two unpromoted pawns of a side on a file.
// The rules code itself accepts any position (tests build positions without kings); the
// engine program and pasted positions ask this before they take one.

#include <optional>
#include <string>

#include "core/game_state.h"

namespace zelk {

// What is wrong with a position, in the engine program's English and in the window's Japanese.
struct PositionProblem {
  std::string text;      // e.g. "more than 2 pawns on the board and in the hands"
  std::string japanese;  // e.g. "歩が盤と持駒で2枚を超えています"
};

// The first thing that keeps the position from standing on the board, or nothing when it
// could. Sides are named by their side values (先手 / 後手), squares as in USI ("3a").
// With `kingTaken`, a position whose side to move has lost its king while the other side keeps
// its own is one too: the end of a game decided by taking the king.
std::optional<PositionProblem> positionProblem(const GameState& g, bool kingTaken = false);

}  // namespace zelk
