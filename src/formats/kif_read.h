#pragma once
// Reading KIF text as real files hold it: header lines in any order, a board diagram, comments
// ("*" remarks kept, "#" lines skipped), moves with or without times, 同, 打, 成 and 不成, the
// end lines (投了, 詰み, 中断, 千日手 …), and the branches (変化：) after the main line, which
// are skipped. Every move is checked by the rules of ５五将棋 as it is read.

#include <string>
#include <string_view>

#include "formats/game_record.h"

namespace zelk {

struct KifRead {
  GameRecord record;
  std::string error;  // why the text is no record of this game, naming the line; empty when read
  int errorLine = 0;  // 1-based; 0 when the text as a whole is at fault
  bool ok() const { return error.empty(); }
};

// A line longer than this is no line of a record: it is refused before it is read.
inline constexpr std::size_t kLongestKifLine = 64u << 10;

// Reads KIF text (UTF-8, any line ends). On an error the record holds what was read before it.
KifRead readKif(std::string_view utf8);

}  // namespace zelk
