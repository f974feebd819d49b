#pragma once
// The computer's choice of move: every legal COM board move, then every drop, made on the
// board, surveyed, scored and taken back; the first best in loop order wins. A function of
// the position, the level and the rules alone (under the official rules only their moves
// are tried; the scoring is the same).

#include "core/game_state.h"
#include "com/score.h"

namespace zelk {

struct ComMove {
  int fromX = 0, fromY = 0;  // source square, or (-1, kind) for a drop
  int toX = 0, toY = 0;
  int placed = 0;       // code placed on the destination (promoted or not)
  int sourcePiece = 0;  // code that stood on the source (the dropped piece for a drop)
  Score score = kNoScoreYet;
  bool isDrop() const { return fromX == kComHandColumn; }
};

// Called once at the start of each source column and each hand kind, so a clock can run.
struct SearchTick {
  void (*fn)(void*) = nullptr;
  void* context = nullptr;
  void operator()() const {
    if (fn) fn(context);
  }
};

// Chooses COM's move in the position on the board; the board and hands are as they were
// when it returns. `found` is false when COM has no legal candidate.
struct ComDecision {
  bool found = false;
  ComMove move;
};
ComDecision decideComMove(GameState& g, SearchTick tick = {});

}  // namespace zelk
