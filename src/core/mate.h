#pragma once
// Check, mate and flight squares. All need a fresh survey of the position on the board;
// none leaves the board, the hands or the maps changed.

#include "core/game_state.h"

namespace zelk {

// 1 if some COM piece (the king included) could move onto the MAN king's square.
int 詰めかMAN_COM移動(const GameState& g);

// 1 if the MAN king is attacked with no drop, flight, capture or block that lifts the attack.
int 詰めかMAN(GameState& g);

// 1 if the COM king is mated; each defence is judged by surveying the position it leads to.
int 詰めかCOM(GameState& g);

// Empty, unattacked squares next to the MAN king (0..8).
int 調査_自王逃道(const GameState& g);

}  // namespace zelk
