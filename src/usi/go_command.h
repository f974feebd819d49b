#pragma once
// The words after `go`: a time control for the search, or a perft count.

#include <optional>
#include <string>
#include <string_view>

#include "search/time_manager.h"

namespace zelk {

struct GoCommand : search::TimeControl {
  bool ponder = false;
  bool perft = false;
  bool mate = false;  // go mate: a mate search, which this engine answers at once that it has none
  int perftDepth = 1;
};

// The words after `go`, strictly: every number whole and in range. On error the reason.
std::optional<GoCommand> parseGo(std::string_view args, std::string* error);

}  // namespace zelk
