#include "formats/sfen_record.h"

#include <vector>

#include "base/words.h"
#include "core/position_check.h"
#include "core/position_command.h"
#include "formats/kif_notation.h"
#include "formats/record_file.h"

namespace zelk {

namespace {

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

std::optional<std::string> positionRefusal(const GameState& g, bool decidedGame) {
  if (const auto problem = positionProblem(g, decidedGame)) return "この局面では指せません: " + problem->japanese;
  return std::nullopt;
}

PositionText readPositionText(std::string_view text) {
  PositionText out;
  const std::optional<PositionWords> words = splitPositionText(text, true);
  if (!words) {
    out.error = "局面がありません";
    return out;
  }
  GameState g;
  if (auto err = loadSfen(g, words->sfen)) {
    out.error = "SFEN「" + excerpt(words->sfen) + "」が読めません: " + reasonInJapanese(*err);
    return out;
  }
  // The end of a game won by taking the king is a position too, as 局面ｺﾋﾟｰ gives it.
  if (auto refused = positionRefusal(g, true)) {
    out.error = std::move(*refused);
    return out;
  }
  const bool kingTaken = positionProblem(g).has_value();
  GameRecord& r = out.record;
  r.start = positionOf(g);
  r.firstMoveNumber = g.手数 + 1;

  if (!words->stray.empty()) {
    out.error = "SFENの後に読めない語「" + excerpt(words->stray) + "」があります";
    return out;
  }
  for (const std::string_view word : words->moves) {
    if (kingTaken) {
      out.error = "指し手「" + excerpt(word) + "」: 王が取られた後の指し手です";
      return out;
    }
    std::string why;
    const auto m = parseUsiMove(word, &why);
    if (!m) {
      out.error = "指し手「" + excerpt(word) + "」が読めません: " + reasonInJapanese(why);
      return out;
    }
    if (auto err = playUsiMove(g, *m)) {
      out.error = "指し手「" + excerpt(word) + "」はこの局面で指せません: " + reasonInJapanese(*err);
      return out;
    }
    RecordedMove rm;
    rm.move = *m;
    r.moves.push_back(rm);
  }
  // Every position of the record must have a number an SFEN can give it.
  if (static_cast<long>(r.firstMoveNumber) + static_cast<long>(r.moves.size()) > kLargestMoveNumber) {
    out.error = "手数が大きすぎます";
    return out;
  }
  return out;
}

PositionText readSfenLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const LineSpan span = lineAt(text, pos);
    const std::vector<std::string_view> w = words(text.substr(pos, span.end - pos));
    if (!w.empty() && w[0][0] != '#') lines.push_back(joined(w, 0, w.size()));
    pos = span.next;
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
  if (static_cast<long>(firstNumber) + static_cast<long>(positions.size()) - 1 > kLargestMoveNumber) {
    out.error = "手数が大きすぎます";
    return out;
  }
  out.record = std::move(found.record);
  out.record.firstMoveNumber = firstNumber;
  return out;
}

}  // namespace zelk
