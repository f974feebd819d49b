#pragma once
// The game in the move history as a record (a record goes back into the history through its
// slots, record_slots.h).

#include <string>

#include "core/game_state.h"
#include "formats/game_record.h"
#include "formats/record_file.h"

namespace zelk {

// The game from its start to the position on the board (after the last move made, or the slot
// shown after 戻), or a loaded record whole; times from the clocks, and the winner when the
// game is decided on the board shown. A plain game the upper side began is turned round so
// that its first player is 先手 (`turned`), as every record has it.
struct GameAsRecord {
  GameRecord record;
  bool turned = false;
  std::string error;  // the history does not hold a game (it cannot happen in play)
};
GameAsRecord recordOfGame(const GameState& g);

// The position on the board after the last move, which no slot holds yet, with each side's
// total (both its before- and after-values); `before` is the slot of the move that led to it.
HistorySlot liveSlot(const GameState& g, const HistorySlot* before);

// Whether the board shows the position the last move of a game reached (not one stepped back
// to, not a loaded record): the one position of the game in no slot.
bool boardIsPastTheHistory(const GameState& g);

}  // namespace zelk
