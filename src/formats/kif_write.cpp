#include "formats/kif_write.h"

#include "formats/kif_notation.h"

namespace zelk {

namespace {

constexpr std::string_view kEol = "\r\n";

std::string handText(const Hand& h) {
  std::string s;
  for (const int kind : {5, 4, 3, 2, 1}) {
    if (h(kind) <= 0) continue;
    if (!s.empty()) s += "　";
    s += kifPieceName(kManHandCodes[kind]);
    if (h(kind) > 1) s += kanjiCount(h(kind));
  }
  return s.empty() ? "なし" : s;
}

// Move number, the move padded to its column, and the time when there is one.
std::string moveLine(int number, const std::string& text, bool timed, long seconds, long total) {
  std::string n = std::to_string(number);
  std::string line = std::string(n.size() < 4 ? 4 - n.size() : 0, ' ') + n + " " + text;
  if (!timed) return line;
  const std::size_t width = displayWidth(text);
  line += std::string(width < 13 ? 13 - width : 1, ' ');
  line += kifTime(seconds, total);
  return line;
}

// Who won, as the closing sentence says it; empty when nobody did.
std::string closingSentence(int moves, const RecordEnd& end) {
  const std::string head = "まで" + std::to_string(moves) + "手で";
  if (end.winner != 0) return head + std::string(sideName(end.winner)) + "の勝ち";
  if (end.word == "中断" || end.word == "千日手" || end.word == "持将棋") return head + end.word;
  return {};
}

}  // namespace

std::string boardDiagram(const RecordPosition& p) {
  std::string s = "後手の持駒：" + handText(p.持駒後手) + std::string(kEol);
  s += "  ５ ４ ３ ２ １" + std::string(kEol);
  s += "+---------------+" + std::string(kEol);
  static const char* const kRanks[] = {"", "一", "二", "三", "四", "五"};
  for (int y = 1; y <= 5; ++y) {
    s += "|";
    for (int x = 1; x <= 5; ++x) {
      const int code = p.盤面(x, y);
      if (code == 0) s += " ・";
      else s += (isCom(code) ? "v" : " ") + std::string(diagramPieceName(code));
    }
    s += "|" + std::string(kRanks[y]) + std::string(kEol);
  }
  s += "+---------------+" + std::string(kEol);
  s += "先手の持駒：" + handText(p.持駒先手) + std::string(kEol);
  if (p.手番 == 後手) s += "後手番" + std::string(kEol);
  return s;
}

std::string writeKif(const GameRecord& r, std::string_view encodingName) {
  std::string out = "#KIF version=2.0 encoding=" + std::string(encodingName) + std::string(kEol);
  for (const auto& [key, value] : r.headers) out += key + "：" + value + std::string(kEol);
  out += "手合割：" + std::string(kKifGameName) + std::string(kEol);
  if (!r.先手名.empty()) out += "先手：" + r.先手名 + std::string(kEol);
  if (!r.後手名.empty()) out += "後手：" + r.後手名 + std::string(kEol);
  if (r.start != standardStart()) out += boardDiagram(r.start);
  for (const std::string& c : r.headComments) out += "*" + c + std::string(kEol);
  out += "手数----指手---------消費時間--" + std::string(kEol);

  GameState g = stateOf(r.start);
  const UsiMove* previous = nullptr;
  int number = r.firstMoveNumber;
  for (const RecordedMove& m : r.moves) {
    const std::string text = kifMoveText(g, m.move, previous);
    out += moveLine(number++, text, m.timed, m.seconds, m.total) + std::string(kEol);
    for (const std::string& c : m.comments) out += "*" + c + std::string(kEol);
    playUsiMove(g, m.move);
    previous = &m.move;
  }
  if (!r.end.word.empty())
    out += moveLine(number, r.end.word, r.end.timed, r.end.seconds, r.end.total) + std::string(kEol);
  // A record that names no end (a ".棋譜", a line of positions) still closes with the win of
  // a side that took the king.
  RecordEnd end = r.end;
  if (end.word.empty() && end.winner == 0) end.winner = g.勝者;
  const std::string closing = closingSentence(number - 1, end);
  if (!closing.empty()) out += closing + std::string(kEol);
  return out;
}

}  // namespace zelk
