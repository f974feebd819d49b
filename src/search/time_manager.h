#pragma once
// How long to think: a fixed budget or a clock turned into the search's limits, with the clock
// read so that a move never comes too late.

#include <cstdint>

#include "search/search.h"

namespace zelk::search {

// What the caller gives to think by. Times are milliseconds; -1 means not given.
struct TimeControl {
  int depth = 0;
  std::uint64_t nodes = 0;
  std::int64_t movetime = -1;
  std::int64_t time[2] = {-1, -1};  // btime (the lower side, b) and wtime
  std::int64_t increment[2] = {0, 0};
  std::int64_t byoyomi = 0;
  bool infinite = false;
  bool hasClock() const { return time[0] >= 0 || time[1] >= 0 || byoyomi > 0; }
  bool hasExplicitBudget() const { return depth > 0 || nodes > 0 || movetime >= 0; }
};

// Time kept back on every move for reading, writing and the operating system.
inline constexpr std::int64_t kMoveOverheadMs = 30;
// A fixed time a move loses nothing on the clock: only the answer's way back is kept.
inline constexpr std::int64_t kMovetimeOverheadMs = 8;

// The limits for the side to move (colour) under the control's clock, depth, nodes or
// movetime. Without any, thinks without end (only a stop ends it).
SearchLimits limitsFor(const TimeControl& control, int colour);

// The tighter of two sets of limits (0 = none in each).
SearchLimits tighter(const SearchLimits& a, const SearchLimits& b);

}  // namespace zelk::search
