#pragma once
// The position text of the USI protocol, "[position] startpos|sfen <SFEN> [moves <move> …]",
// split into its position and its moves, for the engine's `position` command and the
// game's paste alike. Each caller plays the moves and words its own refusals.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

struct PositionWords {
  std::string sfen;                     // the position (the start position for startpos)
  std::string stray;                    // a word after the position that is not "moves"
  std::vector<std::string_view> moves;  // the words after "moves", as given
};

// Splits the text; none when it names no position. A leading "position" is skipped; with
// `bareSfen` an SFEN without the word "sfen" is taken too. An SFEN is at most four words.
std::optional<PositionWords> splitPositionText(std::string_view text, bool bareSfen);

}  // namespace zelk
