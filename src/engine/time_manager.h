#pragma once
// How long to think: the limits of a USI `go` command and the levels' own budgets turned into
// the search's limits, with the clock read so that a move never comes too late.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/searcher.h"

namespace zelk::fast {

// A parsed `go`. Times are milliseconds; -1 means not given.
struct GoCommand {
  int depth = 0;
  std::uint64_t nodes = 0;
  std::int64_t movetime = -1;
  std::int64_t time[2] = {-1, -1};  // btime (the lower side, b) and wtime
  std::int64_t increment[2] = {0, 0};
  std::int64_t byoyomi = 0;
  bool infinite = false;
  bool ponder = false;
  bool perft = false;
  int perftDepth = 1;
  bool hasClock() const { return time[0] >= 0 || time[1] >= 0 || byoyomi > 0; }
  bool hasExplicitBudget() const { return depth > 0 || nodes > 0 || movetime >= 0; }
};

// The words after `go`, strictly: every number whole and in range. On error the reason.
std::optional<GoCommand> parseGo(std::string_view args, std::string* error);

// Time kept back on every move for reading, writing and the operating system.
inline constexpr std::int64_t kMoveOverheadMs = 30;

// The limits for the side to move (colour) under the command's clock, depth, nodes or
// movetime. Without any, thinks without end (only a stop ends it).
SearchLimits limitsFor(const GoCommand& go, int colour);

// The budget of a searching level (4, 5 or 6) on its own: time with a depth cap.
SearchLimits levelBudget(int level);

// The tighter of two sets of limits (0 = none in each).
SearchLimits tighter(const SearchLimits& a, const SearchLimits& b);

}  // namespace zelk::fast
