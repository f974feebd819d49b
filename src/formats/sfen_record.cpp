#include "formats/sfen_record.h"

#include <vector>

#include "core/position_check.h"

namespace zelk {

namespace {

std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> w;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '\r' && s[i] != '\n') ++i;
    if (i > start) w.push_back(s.substr(start, i - start));
  }
  return w;
}

std::string joined(const std::vector<std::string_view>& w, std::size_t from, std::size_t to) {
  std::string s;
  for (std::size_t i = from; i < to; ++i) {
    if (!s.empty()) s += ' ';
    s += w[i];
  }
  return s;
}

}  // namespace

std::string sfenOf(const RecordPosition& p, int moveNumber) {
  GameState g = stateOf(p);
  g.手数 = moveNumber - 1;
  return toSfen(g);
}

std::string sfenLines(const GameRecord& r) {
  const Replay played = replay(r);
  std::string out;
  for (std::size_t k = 0; k < played.positions.size(); ++k)
    out += sfenOf(played.positions[k], r.firstMoveNumber + static_cast<int>(k)) + "\n";
  return out;
}

std::optional<std::string> positionRefusal(const GameState& g) {
  if (const auto problem = positionProblem(g)) return "この局面では指せません: " + problem->japanese;
  return std::nullopt;
}

PositionText readPositionText(std::string_view text) {
  PositionText out;
  std::vector<std::string_view> w = words(text);
  std::size_t i = 0;
  if (i < w.size() && w[i] == "position") ++i;
  if (i >= w.size()) {
    out.error = "局面がありません";
    return out;
  }

  std::string sfen;
  if (w[i] == "startpos") {
    sfen = std::string(kStartSfen);
    ++i;
  } else {
    if (w[i] == "sfen") ++i;
    std::size_t end = i;
    while (end < w.size() && w[end] != "moves" && end - i < 4) ++end;
    sfen = joined(w, i, end);
    i = end;
  }
  GameState g;
  if (auto err = loadSfen(g, sfen)) {
    out.error = "SFEN「" + sfen + "」が読めません: " + *err;
    return out;
  }
  if (auto refused = positionRefusal(g)) {
    out.error = std::move(*refused);
    return out;
  }
  GameRecord& r = out.record;
  r.start = positionOf(g);
  r.firstMoveNumber = g.手数 + 1;

  if (i < w.size() && w[i] != "moves") {
    out.error = "SFENの後に読めない語「" + std::string(w[i]) + "」があります";
    return out;
  }
  if (i < w.size()) ++i;
  for (; i < w.size(); ++i) {
    std::string why;
    const auto m = parseUsiMove(w[i], &why);
    if (!m) {
      out.error = "指し手「" + std::string(w[i]) + "」が読めません: " + why;
      return out;
    }
    if (auto err = playUsiMove(g, *m)) {
      out.error = "指し手「" + std::string(w[i]) + "」はこの局面で指せません: " + *err;
      return out;
    }
    RecordedMove rm;
    rm.move = *m;
    r.moves.push_back(rm);
  }
  return out;
}

PositionText readSfenLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::vector<std::string_view> w = words(text.substr(pos, end - pos));
    if (!w.empty() && w[0][0] != '#') lines.push_back(joined(w, 0, w.size()));
    pos = end + 1;
  }
  if (lines.empty()) {
    PositionText none;
    none.error = "局面がありません";
    return none;
  }
  if (lines.size() == 1) return readPositionText(lines[0]);

  std::vector<RecordPosition> positions;
  int firstNumber = 1;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    PositionText one = readPositionText(lines[k]);
    if (!one.ok() || !one.record.moves.empty()) {
      PositionText bad;
      bad.error = std::to_string(k + 1) + "行目: " + (one.ok() ? "局面ごとの行に指し手があります" : one.error);
      return bad;
    }
    if (k == 0) firstNumber = one.record.firstMoveNumber;
    positions.push_back(one.record.start);
  }
  FromPositions found = recordFromPositions(positions);
  PositionText out;
  if (found.brokenAt >= 0) {
    out.error = std::to_string(found.brokenAt + 1) + "行目: 前の行の局面から一手で指せる局面ではありません";
    return out;
  }
  out.record = std::move(found.record);
  out.record.firstMoveNumber = firstNumber;
  return out;
}

}  // namespace zelk
