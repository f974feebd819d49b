#pragma once
// Carrying out a move already judged legal, capture into hand, and the move history.

#include <cstddef>

#include "core/game_state.h"
#include "core/game_view.h"

namespace zelk {

// Saves the position before the move and the four clock values in slot 記録位置, growing the
// history as needed; 記録最終 becomes 記録位置. The move arguments describe the move only.
void 手順保存(GameState& g, int 元X, int 元Y, int 先X, int 先Y, int 元駒, int 先駒, double 前秒M, double 後秒M,
              double 前秒C, double 後秒C);

// Executes the move or drop (source column 7 or -1 with the kind index as row) on the board
// and in the hands, and redraws what changed. 移動駒 is already promoted when promoting.
void 駒移動(GameState& g, GameView& view, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒);

// Sends a captured piece to the capturer's hand unpromoted, or decides the game for a king.
void 駒取得(GameState& g, int 取得駒);

// Number of pieces in the hand of the side with that side value; 0 for any other value.
int 調査_持駒数(const GameState& g, int side);

// History slot n; an empty slot when the history has none of that number.
HistorySlot slotOf(const GameState& g, int n);

// Copies history slot n back onto the board and hands (the clocks are the caller's business).
void restoreSlot(GameState& g, int n);

}  // namespace zelk
