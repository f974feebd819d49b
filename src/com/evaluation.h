#pragma once
// The computer's score of one candidate, made on the board and surveyed. Higher is better
// for COM; 9999 (takes the king), 9998 (mates) and -9998 (own king left attacked, or mate
// by a pawn) are verdicts.

#include "core/game_state.h"
#include "com/score.h"

namespace zelk {

// 取得駒: the MAN piece captured (0 for a non-capture and every drop); 移動駒: the piece now on
// the destination, promoted if the candidate promotes; a drop has 移動元X = -1, 移動元Y = kind.
Score 盤評価(GameState& g, int 取得駒, int 移動駒, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y);

}  // namespace zelk
