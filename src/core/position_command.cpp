#include "core/position_command.h"

#include "base/words.h"
#include "core/sfen.h"

namespace zelk {

std::optional<PositionWords> splitPositionText(std::string_view text, bool bareSfen) {
  const std::vector<std::string_view> w = words(text);
  std::size_t i = 0;
  if (i < w.size() && w[i] == "position") ++i;
  if (i >= w.size()) return std::nullopt;
  PositionWords out;
  if (w[i] == "startpos") {
    out.sfen = std::string(kStartSfen);
    ++i;
  } else {
    if (w[i] == "sfen") ++i;
    else if (!bareSfen) return std::nullopt;
    // Board, side to move, hands and move number: the last two may be left out.
    for (const std::size_t first = i; i < w.size() && w[i] != "moves" && i - first < 4; ++i) {
      if (!out.sfen.empty()) out.sfen += ' ';
      out.sfen += w[i];
    }
  }
  if (i < w.size() && w[i] != "moves") {
    out.stray = std::string(w[i]);
    return out;
  }
  if (i < w.size()) ++i;
  out.moves.assign(w.begin() + static_cast<std::ptrdiff_t>(i), w.end());
  return out;
}

}  // namespace zelk
