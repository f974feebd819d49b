#pragma once
// The influence survey: for every square, which pieces of each side reach it in one move,
// rebuilt from the board alone on every call. Also refreshes both king squares.

#include "core/game_state.h"

namespace zelk {

void 勢力調査(GameState& g);

// The confirmation procedures the survey hands long lines and gold steps to.
void 勢力確定上直進(GameState& g, int 駒, int X, int Y);
void 勢力確定下直進(GameState& g, int 駒, int X, int Y);
void 勢力確定右直進(GameState& g, int 駒, int X, int Y);
void 勢力確定左直進(GameState& g, int 駒, int X, int Y);
void 勢力確定敵角(GameState& g, int 駒, int X, int Y);
void 勢力確定自角(GameState& g, int X, int Y);
void 勢力確定敵金(GameState& g, int X, int Y);
void 勢力確定自金(GameState& g, int 駒, int X, int Y);

}  // namespace zelk
