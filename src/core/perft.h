#pragma once
// Move counting over the rules, for checking the move rules against hand-counted trees.

#include <cstdint>
#include <vector>

#include "core/game_state.h"
#include "core/sfen.h"

namespace zelk {

// Every move of the side to move under these rules: board moves 移動チェック allows (both
// versions where promotion is optional, only the promoted one where it is compulsory) and
// every drop it allows; under the official rules only those 合法手チェック allows. A side whose
// king has been captured has no moves.
std::vector<UsiMove> generateMoves(GameState& g);

std::uint64_t perft(GameState& g, int depth);

}  // namespace zelk
