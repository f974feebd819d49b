#pragma once
// The words after `go`: a time control for the search, or a perft count.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "search/time_manager.h"

namespace zelk {

struct GoCommand : search::TimeControl {
  bool ponder = false;
  bool perft = false;
  bool mate = false;         // go mate: a search for a mate by checks
  std::int64_t mateMs = -1;  // its time in milliseconds; -1 until stop
  int perftDepth = 1;
};

// The words after `go`, strictly: every number whole and in range. On error the reason.
std::optional<GoCommand> parseGo(std::string_view args, std::string* error);

}  // namespace zelk
