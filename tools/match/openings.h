#pragma once
// The opening lines a match starts its games from: one line of USI moves from the start
// position per line of text; '#' starts a comment.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_state.h"

namespace zelk::match {

using Opening = std::vector<std::string>;

// Reads the lines and checks each against the rules (no line may end the game); on error
// returns the line number and the reason in `error`.
std::optional<std::vector<Opening>> parseOpenings(std::string_view text, std::string& error,
                                                  Rules rules = Rules::kingCapture);
std::optional<std::vector<Opening>> readOpenings(const std::string& path, std::string& error,
                                                 Rules rules = Rules::kingCapture);

}  // namespace zelk::match
