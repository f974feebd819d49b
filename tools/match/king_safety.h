#pragma once
// Questions the referee asks of a position under this game's rules, where a king is lost by
// being taken.

#include "core/game_state.h"

namespace zelk::match {

// Whether the side to move could take the opposing king now.
bool kingEnPrise(GameState& g);

// Whether every move of the side to move leaves its king to be taken (no move at all counts).
bool mated(GameState& g);

}  // namespace zelk::match
