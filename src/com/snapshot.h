#pragma once
#include "core/game_state.h"

namespace zelk {

// Freezes the position before the computer's search: the board, the two-pawn flags, the
// MAN king's flight count, a fresh survey with its counts and attacker squares, the
// bishop-check and pin maps, and COM's hand total.
void 探索準備(GameState& g);

}  // namespace zelk
