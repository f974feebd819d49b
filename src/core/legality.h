#pragma once
// Movement rules: whether one move or drop obeys how the pieces move, whether it may promote,
// and whether a pawn would be left where it can never move. Pure over the board and hands.
// Whose turn it is and the safety of the mover's own king are the callers' business.

#include "core/game_state.h"

namespace zelk {

// 1 if the move or drop is legal by the movement rules, else 0. A drop comes from column 7
// (MAN) or -1 (COM) with the kind index as row; the two-pawn flags must be fresh.
int 移動チェック(const GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒);

// 1 if the two squares share a file or rank with nothing between them.
int 移動チェック飛車(const GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y);

// 1 if the two squares share a diagonal with nothing between them.
int 移動チェック角(const GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y);

// Refills 二歩MAN and 二歩COM: 1 on a column holding an unpromoted pawn of that side.
void 調査_2歩フラグ設定(GameState& g);

// 1 if the move may promote (and 成駒 is set to the promoted code), else 0. Only the
// opponent's home row is a promotion zone; a drop never promotes.
int 調査_駒成(GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒);
int canPromote(int 移動元X, int 移動元Y, int 移動先Y, int 移動駒);  // the same test, without 成駒

// 0 if the piece would stand on a row from which it can never move (a pawn on the last row).
int 移動後チェック(int 移動先Y, int 移動駒);

}  // namespace zelk
