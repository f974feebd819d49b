#pragma once
// The official rules of minishogi, for games played under them: which moves they leave a
// side, and how they end a game (no move left, the fourth occurrence of a position). The
// tests change 盤面 and the two-pawn flags only for a trial and put them back.

#include "core/game_state.h"

namespace zelk {

// True when the king of that side (MAN's when man) stands attacked by some opposing piece.
// A side with no king on the board is not attacked.
bool kingAttacked(const GameState& g, bool man);

// 1 if the board move or drop, judged legal by 移動チェック, leaves the mover's own king
// attacked, else 0.
int 王手放置チェック(GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒);

// 1 if dropping the pawn 移動駒 on the square gives mate: the opponent is then attacked with
// no move that lifts the attack.
int 打歩詰めチェック(GameState& g, int 移動先X, int 移動先Y, int 移動駒);

// 移動チェック under the game's rules: under the official rules a move that leaves one's own
// king attacked or drops a pawn to mate is also refused. The two-pawn flags must be fresh.
int 合法手チェック(GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒);

// True when the side (MAN's when man) has a move that leaves its king unattacked.
bool hasSafeMove(GameState& g, bool man);

// How the official rules end the game in the position on the board, with 手番 to move and
// history slots 0 .. 記録位置 - 1 holding the positions before the moves played: the side to
// move has lost when it has no move; at the fourth occurrence of the position (board, hands,
// side to move) the side that gave check in every position since its first occurrence has
// lost, otherwise 先手. 敗者 is 0 while the game goes on.
struct 公式終局 {
  int 敗者 = 0;
  終局理由 理由 = 終局理由::なし;
  bool 連続王手 = false;  // a repetition lost by the side that checked throughout
};
公式終局 調査_公式終局(GameState& g);

// How often the position on the board has occurred in the game, itself included.
int 同一局面回数(const GameState& g);

}  // namespace zelk
