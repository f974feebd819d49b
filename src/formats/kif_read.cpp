#include "formats/kif_read.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/legality.h"
#include "core/position_check.h"
#include "formats/kif_notation.h"
#include "formats/record_file.h"

namespace zelk {

namespace {

bool isSpace(char32_t c) { return c == U' ' || c == U'\t' || c == U'　'; }

std::u32string_view trimmed(std::u32string_view t) {
  while (!t.empty() && isSpace(t.front())) t.remove_prefix(1);
  while (!t.empty() && isSpace(t.back())) t.remove_suffix(1);
  return t;
}

constexpr std::u32string_view kKanjiDigits = U"〇一二三四五六七八九";

bool startsWith(std::u32string_view t, std::u32string_view prefix) { return t.substr(0, prefix.size()) == prefix; }

int digitValue(char32_t c) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  if (c >= U'０' && c <= U'９') return static_cast<int>(c - U'０');
  return -1;
}

// The names other programs give the game on the 手合割 line.
bool isThisGame(std::u32string_view name) {
  return name == U"5五将棋" || name == U"５五将棋" || name == U"五々将棋" || name == U"5五" || name == U"５五" ||
         name == U"55将棋" || name == U"５５将棋";
}

// End words: who wins when the side to move writes it (1 the side to move, -1 the other side,
// 0 nobody).
struct EndWord {
  std::u32string_view word;
  int moverWins;
};
constexpr EndWord kEndWords[] = {
    {U"投了", -1},    {U"詰み", -1},    {U"切れ負け", -1}, {U"反則負け", -1}, {U"不戦敗", -1},
    {U"反則勝ち", 1}, {U"入玉勝ち", 1}, {U"不戦勝", 1},    {U"勝ち宣言", 1},  {U"中断", 0},
    {U"千日手", 0},   {U"持将棋", 0},   {U"不詰", 0},      {U"封じ手", 0},
};

// Reads a hand ("角　歩二", "なし") into counts by kind.
bool readHand(std::u32string_view t, Hand& hand, std::string& reason) {
  hand = Hand{};
  t = trimmed(t);
  if (t.empty() || t == U"なし") return true;
  std::size_t i = 0;
  while (i < t.size()) {
    if (isSpace(t[i])) {
      ++i;
      continue;
    }
    const PieceName name = readPieceName(t.substr(i));
    const int kind = handKindOf(name.magnitude);
    if (name.magnitude == 0 || kind == 0 || kManHandCodes[kind] != -name.magnitude) {
      reason = name.bigGamePiece ? "５五将棋にない駒が持駒にあります" : "持駒が読めません";
      return false;
    }
    i += name.length;
    // A count in kanji: 二, 十, 十八 (none: one piece).
    int count = 0;
    if (i < t.size() && t[i] == U'十') count = 10, ++i;
    if (const auto d = i < t.size() ? kKanjiDigits.find(t[i]) : std::u32string_view::npos;
        d != std::u32string_view::npos && d > 0)
      count += static_cast<int>(d), ++i;
    hand(kind) += count == 0 ? 1 : count;
    if (hand(kind) > 40) {
      reason = "持駒の数が多すぎます";
      return false;
    }
  }
  return true;
}

// Reads one row of a board diagram ("|v飛v角 ・ ・v玉|一") into row y.
bool readDiagramRow(std::u32string_view t, int y, Board& board, std::string& reason) {
  std::size_t i = 1;  // after the opening '|'
  int x = 1;
  while (i < t.size() && t[i] != U'|') {
    bool upper = false;
    if (t[i] == U'v' || t[i] == U'V') upper = true;
    else if (!isSpace(t[i]) && t[i] != U'^') {
      reason = "盤面図の升目が読めません";
      return false;
    }
    ++i;
    if (i >= t.size()) break;
    if (x > 5) {
      reason = "盤面図が５×５ではありません";
      return false;
    }
    if (t[i] == U'・') {
      board(x++, y) = 0;
      ++i;
      continue;
    }
    const PieceName name = readPieceName(t.substr(i));
    if (name.magnitude == 0) {
      reason = name.bigGamePiece ? "５五将棋にない駒が盤面図にあります" : "盤面図の駒が読めません";
      return false;
    }
    board(x++, y) = upper ? name.magnitude : -name.magnitude;
    i += name.length;
  }
  if (x != 6 || i >= t.size()) {
    reason = "盤面図が５×５ではありません";
    return false;
  }
  return true;
}

class Reader {
public:
  KifRead run(std::string_view utf8);

private:
  bool line(std::u32string_view raw);  // false: stop reading
  bool header(std::u32string_view key, std::u32string_view value);
  bool startMoves();
  bool move(std::u32string_view t);
  // The time after a move or an end word: none when the line gives none; refused (nothing)
  // when a parenthesis opens one that is not a time of minutes and seconds below 60.
  std::optional<std::optional<KifTimeRead>> timeAfter(std::u32string_view t);
  void fail(std::string why) {
    out_.error = lineNumber_ > 0 ? std::to_string(lineNumber_) + "行目: " + why : why;
    out_.errorLine = lineNumber_;
  }

  KifRead out_;
  int lineNumber_ = 0;
  bool sawSomething_ = false;  // a header, a diagram or a move: this is a record
  bool started_ = false;       // the first move line has been met
  bool ended_ = false;
  std::vector<std::u32string> diagramRows_;
  bool diagramSeen_ = false;
  int diagramLine_ = 0;     // the line of the diagram's first row
  bool otherGame_ = false;  // 手合割 names the game "その他" or leaves it to the diagram
  Hand handFirst_, handSecond_;
  int sideToMove_ = 先手;
  GameState g_;
  int expected_ = 0;
};

KifRead Reader::run(std::string_view utf8) {
  if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const LineSpan span = lineAt(utf8, pos);
    ++lineNumber_;
    if (span.end - pos > kLongestKifLine) {
      fail("「" + excerpt(utf8.substr(pos, span.end - pos)) + "」棋譜の行としては長すぎます");
      return out_;
    }
    if (!line(codePoints(utf8.substr(pos, span.end - pos)))) {
      if (!out_.ok()) return out_;
      break;
    }
    pos = span.next;
  }
  lineNumber_ = 0;
  if (!started_ && !startMoves()) return out_;
  if (!sawSomething_) {
    out_.error = "棋譜が見つかりません";
    return out_;
  }
  // A king taken by the last move decides the game without an end line.
  if (!ended_ && g_.勝者 != 0) out_.record.end.winner = g_.勝者 == g_.MAN手番 ? 先手 : 後手;
  return out_;
}

bool Reader::line(std::u32string_view raw) {
  const std::u32string_view t = trimmed(raw);
  if (t.empty() || t[0] == U'#' || t[0] == U'&') return true;
  if (t[0] == U'*') {
    const std::string remark = utf8Of(t.substr(1));
    if (ended_) return true;
    if (out_.record.moves.empty()) out_.record.headComments.push_back(remark);
    else out_.record.moves.back().comments.push_back(remark);
    return true;
  }
  if (startsWith(t, U"変化")) return false;  // the branches follow the main line to the end
  if (ended_ || startsWith(t, U"まで")) return true;

  // Column numbers over a diagram ("５ ４ ３ ２ １"): a wider board is another game.
  bool numbers = true;
  int groups = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    numbers = numbers && (isSpace(t[i]) || digitValue(t[i]) >= 0);
    if (digitValue(t[i]) >= 0 && (i == 0 || isSpace(t[i - 1]))) ++groups;
  }
  if (numbers && groups > 1) {
    for (const char32_t c : t)
      if (digitValue(c) > 5) {
        fail("盤面図が５×５ではありません");
        return false;
      }
    return true;
  }
  if (digitValue(t[0]) >= 0) {
    if (!started_ && !startMoves()) return false;
    return move(t);
  }
  if (t[0] == U'|') {
    if (started_) return true;
    sawSomething_ = diagramSeen_ = true;
    if (diagramRows_.empty()) diagramLine_ = lineNumber_;
    diagramRows_.emplace_back(t);
    return true;
  }
  if (t[0] == U'+' || startsWith(t, U"手数")) return true;  // diagram border, column titles, 手数＝

  if (t == U"先手番" || t == U"下手番") {
    sideToMove_ = 先手;
    return true;
  }
  if (t == U"後手番" || t == U"上手番") {
    sideToMove_ = 後手;
    return true;
  }
  const std::size_t colon = t.find_first_of(U"：:");
  if (colon == std::u32string_view::npos || colon == 0) return true;  // a line of no known kind
  return header(trimmed(t.substr(0, colon)), trimmed(t.substr(colon + 1)));
}

bool Reader::header(std::u32string_view key, std::u32string_view value) {
  if (started_) return true;
  sawSomething_ = true;
  std::string reason;
  if (key == U"先手の持駒" || key == U"下手の持駒") {
    if (!readHand(value, handFirst_, reason)) fail(reason);
    return out_.ok();
  }
  if (key == U"後手の持駒" || key == U"上手の持駒") {
    if (!readHand(value, handSecond_, reason)) fail(reason);
    return out_.ok();
  }
  if (key == U"手合割") {
    if (value == U"その他") otherGame_ = true;
    else if (!isThisGame(value)) {
      fail("手合割「" + excerpt(value) + "」は５五将棋ではありません");
      return false;
    }
    return true;
  }
  if (key == U"先手" || key == U"下手") out_.record.先手名 = utf8Of(value);
  else if (key == U"後手" || key == U"上手") out_.record.後手名 = utf8Of(value);
  else out_.record.headers.emplace_back(utf8Of(key), utf8Of(value));
  return true;
}

// The start position, from the diagram when there is one.
bool Reader::startMoves() {
  started_ = true;
  RecordPosition start = standardStart();
  if (diagramSeen_) {
    if (diagramRows_.size() != 5) {
      fail("盤面図が５×５ではありません");
      return false;
    }
    start.盤面 = Board{};
    std::string reason;
    for (int y = 1; y <= 5; ++y)
      if (!readDiagramRow(diagramRows_[static_cast<std::size_t>(y - 1)], y, start.盤面, reason)) {
        fail(reason);
        return false;
      }
    start.持駒先手 = handFirst_;
    start.持駒後手 = handSecond_;
  } else if (otherGame_) {
    fail("手合割「その他」の盤面図がありません");
    return false;
  }
  start.手番 = sideToMove_;
  out_.record.start = start;
  g_ = stateOf(start);
  if (const auto problem = positionProblem(g_)) {
    lineNumber_ = diagramLine_;
    fail("盤面図の局面では指せません: " + problem->japanese);
    return false;
  }
  return true;
}

std::optional<std::optional<KifTimeRead>> Reader::timeAfter(std::u32string_view t) {
  t = trimmed(t);
  if (t.empty() || (t[0] != U'(' && t[0] != U'（')) return std::optional<KifTimeRead>();
  if (const auto time = readKifTime(t)) return time;
  const std::size_t close = t.find_first_of(U")）");
  fail("消費時間「" + excerpt(t.substr(0, close == std::u32string_view::npos ? t.size() : close + 1)) +
       "」が読めません");
  return std::nullopt;
}

bool Reader::move(std::u32string_view t) {
  sawSomething_ = true;
  std::size_t i = 0;
  long number = 0;
  for (; i < t.size() && digitValue(t[i]) >= 0; ++i)
    if (number <= kLargestMoveNumber) number = number * 10 + digitValue(t[i]);
  // The position after the move must have a number an SFEN can give it.
  if (number >= kLargestMoveNumber) {
    fail("手数「" + excerpt(t.substr(0, i)) + "」が大きすぎます");
    return false;
  }
  while (i < t.size() && isSpace(t[i])) ++i;
  const std::u32string_view rest = t.substr(i);

  GameRecord& r = out_.record;
  if (r.moves.empty() && expected_ == 0) {
    if (number < 1) {
      fail("手数が読めません");
      return false;
    }
    expected_ = static_cast<int>(number);
    r.firstMoveNumber = expected_;
  }
  if (number != expected_) {
    fail("手数が続いていません（" + std::to_string(expected_) + "手目のはずです）");
    return false;
  }

  const bool manToMove = g_.手番 == g_.MAN手番;
  for (const EndWord& e : kEndWords) {
    if (!startsWith(rest, e.word)) continue;
    ended_ = true;
    r.end.word = utf8Of(e.word);
    const int mover = manToMove ? 先手 : 後手;
    r.end.winner = e.moverWins * mover;
    const auto time = timeAfter(rest.substr(e.word.size()));
    if (!time) return false;
    if (*time) {
      r.end.timed = true;
      r.end.seconds = (*time)->seconds;
      r.end.total = (*time)->total;
    }
    return true;
  }

  std::string reason;
  const auto words = readKifMove(rest, &reason);
  const std::string moveText = excerpt(trimmed(rest.substr(0, words ? words->length : rest.size())));
  const auto refuse = [&](const std::string& why) {
    fail("「" + moveText + "」" + why);
    return false;
  };
  if (!words) return refuse(reason);
  const UsiMove* previous = r.moves.empty() ? nullptr : &r.moves.back().move;
  const auto m = resolveKifMove(g_, *words, previous, &reason);
  if (!m) return refuse(reason);

  if (g_.勝者 != 0) return refuse("王が取られた後の指し手です");
  if (!m->isDrop()) {
    const int piece = g_.盤面(m->fromX, m->fromY);
    if (m->promote && canPromote(m->fromX, m->fromY, m->toY, piece) == 0) return refuse("この駒はここで成れません");
    if (!m->promote && 移動後チェック(m->toY, piece) == 0) return refuse("歩は敵陣の奥で成らなければなりません");
  }
  if (playUsiMove(g_, *m)) return refuse("この局面では指せない手です");

  const auto time = timeAfter(rest.substr(words->length));
  if (!time) return false;
  RecordedMove rm;
  rm.move = *m;
  if (*time) {
    rm.timed = true;
    rm.seconds = (*time)->seconds;
    rm.total = (*time)->total;
  }
  r.moves.push_back(std::move(rm));
  ++expected_;
  return true;
}

}  // namespace

KifRead readKif(std::string_view utf8) { return Reader().run(utf8); }

}  // namespace zelk
