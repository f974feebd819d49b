#pragma once
// Writing a game record as KIF text, the record format shogi programs and sites share.

#include <string>
#include <string_view>

#include "formats/game_record.h"

namespace zelk {

// The header value that names the game on a KIF's 手合割 line.
inline constexpr std::string_view kKifGameName = "5五将棋";

// The record as KIF text in UTF-8, every line ended by CR LF: the header (its lines, then
// 手合割, 先手, 後手), a board diagram when the start is not the standard one, one line per
// move with its time when the record has times, the end line and the closing sentence.
// `encodingName` goes into the first comment line ("Shift_JIS" or "UTF-8").
std::string writeKif(const GameRecord& r, std::string_view encodingName = "UTF-8");

// The board diagram of a position: the upper side's hand, the board, the lower side's hand,
// and "後手番" when the upper side is to move.
std::string boardDiagram(const RecordPosition& p);

}  // namespace zelk
