#pragma once
// Who decides the computer's move, and where. The rule-based player of levels 1-3 decides
// within a frame, on the event loop; a player that thinks for seconds runs on a worker thread
// and returns at once when told to stop. Either works on its own copy of the game, so the
// window keeps drawing the real one meanwhile.

#include <atomic>
#include <functional>

#include "core/game_state.h"
#include "com/move_choice.h"

namespace zelk {

struct ComDecider {
  // Decides COM's move in `position`, the decider's own copy of the game, which it may change.
  // `stop` turns true when the program ends: a long decision then returns at once.
  std::function<ComDecision(GameState& position, const std::atomic<bool>& stop)> decide;
  // True when a decision may take longer than a frame: it then runs on a worker thread while
  // the event loop keeps the window and the clocks going.
  bool onWorker = false;
};

// The rule-based player (levels 1-3), on the event loop; `tick` runs once at each source
// column and hand kind, so the clock display keeps going during the search.
ComDecider ruleBasedDecider(SearchTick tick);

// The searching player of levels 4-6, on a worker thread, within the level's thinking budget;
// it answers at once with the best move found so far when told to stop.
ComDecider searchingDecider(int level);

// The decider for a level of the menu: the search above level 3, else none (the rule-based
// player).
ComDecider deciderForLevel(int level);

// What the search leaves in the game besides its choice (the survey's maps, the snapshot,
// the two-pawn flags, the last promoted code), copied from the decider's copy into the game,
// so that the game reads exactly as if the search had run on it.
void keepSearchTraces(GameState& g, const GameState& searched);

}  // namespace zelk
