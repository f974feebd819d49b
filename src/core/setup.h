#pragma once
#include "core/game_state.h"
#include "core/game_view.h"

namespace zelk {

// Puts the pieces in the starting position (no game, empty hands); nothing else is touched.
void placeStartingPosition(GameState& g);

// Resets one game: counters, clocks, flags, hands and the starting position, then redraws.
// Leaves the side values, the level, the background, the settings and 記録最終 alone.
void 初期設定(GameState& g, GameView& view);

}  // namespace zelk
