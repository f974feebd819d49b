#pragma once
// The mate search of "go mate": a line of checks by the side to move after which the other
// side's every reply leaves its king to be taken. Moves are the rules' own (as the search
// plays them): a check may not leave the checker's king to be taken, and a pawn dropped to
// give mate counts as the rules of this game let it.

#include <atomic>
#include <chrono>
#include <vector>

#include "core/game_state.h"
#include "search/position.h"

namespace zelk {

struct MateAnswer {
  enum class Kind { Mate, NoMate, OutOfTime };
  Kind kind = Kind::OutOfTime;
  std::vector<UsiMove> line;  // the checks and the replies that resist longest, the last a check
};

// Searches deeper and deeper until a mate is found, until every line of checks has ended
// without one (no mate: proven), or until the deadline or `stop`.
MateAnswer searchMate(const GameState& g, std::chrono::steady_clock::time_point deadline,
                      const std::atomic<bool>& stop);

}  // namespace zelk
