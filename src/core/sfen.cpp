#include "core/sfen.h"

#include <cctype>
#include <utility>

#include "core/game_view.h"
#include "core/legality.h"
#include "core/move_execution.h"
#include "core/official_rules.h"
#include "base/words.h"

namespace zelk {

namespace {

constexpr char kKindLetters[6] = {'?', 'P', 'S', 'G', 'B', 'R'};

// Unpromoted code of the lower side (MAN) for an uppercase letter; 0 when unknown.
int manCodeOf(char upper) {
  switch (upper) {
    case 'P': return MAN歩;
    case 'S': return MAN銀;
    case 'G': return MAN金;
    case 'B': return MAN角;
    case 'R': return MAN飛;
    case 'K': return MAN王;
    default: return 0;
  }
}

int kindOfLetter(char upper) {
  for (int k = 1; k <= 5; ++k)
    if (kKindLetters[k] == upper) return k;
  return 0;
}

std::string pieceText(int code) {
  const int m = magnitude(code);
  const bool promoted = m == 11 || m == 101 || m == 801 || m == 901;
  char c = '?';
  switch (promoted ? m - 1 : m) {
    case 10: c = 'P'; break;
    case 100: c = 'S'; break;
    case 110: c = 'G'; break;
    case 800: c = 'B'; break;
    case 900: c = 'R'; break;
    case 950: c = 'K'; break;
    default: break;
  }
  if (code > 0) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return promoted ? std::string("+") + c : std::string(1, c);
}

}  // namespace

void locateKings(GameState& g) {
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) {
      if (g.盤面(x, y) == MAN王) g.MAN王X = x, g.MAN王Y = y;
      if (g.盤面(x, y) == COM王) g.COM王X = x, g.COM王Y = y;
    }
}

std::optional<std::string> loadSfen(GameState& g, std::string_view sfen) {
  // Fields: board, side, hands, move number (the last two may be left out).
  const std::vector<std::string_view> w = words(sfen);
  if (w.size() > 4) return "too many fields in sfen";
  std::string_view fields[4];
  const int count = static_cast<int>(w.size());
  for (int i = 0; i < count; ++i) fields[i] = w[i];
  if (count < 2) return "sfen needs a board and a side to move";

  Board board;
  int kings[2] = {0, 0};  // MAN, COM
  int x = 1, y = 1;
  for (std::size_t i = 0; i < fields[0].size(); ++i) {
    const char ch = fields[0][i];
    if (ch == '/') {
      if (x != 6) return "rank " + std::to_string(y) + " does not have 5 squares";
      if (++y > 5) return "more than 5 ranks";
      x = 1;
      continue;
    }
    if (ch >= '1' && ch <= '5') {
      x += ch - '0';
      if (x > 6) return "rank " + std::to_string(y) + " has more than 5 squares";
      continue;
    }
    bool promoted = false;
    char letter = ch;
    if (ch == '+') {
      if (++i >= fields[0].size()) return "'+' at the end of the board";
      promoted = true;
      letter = fields[0][i];
    }
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    int code = manCodeOf(upper);
    if (code == 0) return std::string("unknown piece '") + letter + "'";
    if (promoted && (upper == 'G' || upper == 'K')) return std::string("piece '") + letter + "' cannot promote";
    if (promoted) code -= 1;
    const bool com = std::islower(static_cast<unsigned char>(letter)) != 0;
    if (com) code = -code;
    if (x > 5) return "rank " + std::to_string(y) + " has more than 5 squares";
    if (upper == 'K' && ++kings[com ? 1 : 0] > 1) return "more than one king of a side";
    board(x, y) = code;
    ++x;
  }
  if (y != 5 || x != 6) return "the board must have 5 ranks of 5 squares";

  int side;
  if (fields[1] == "b") side = 0;
  else if (fields[1] == "w") side = 1;
  else return "side to move must be 'b' or 'w'";

  Hand man, com;
  if (count >= 3 && fields[2] != "-") {
    int n = 0;
    for (const char ch : fields[2]) {
      if (std::isdigit(static_cast<unsigned char>(ch))) {
        n = n * 10 + (ch - '0');
        if (n > 40) return "hand count too large";
        continue;
      }
      const int kind = kindOfLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(ch))));
      if (kind == 0) return std::string("unknown piece in hand '") + ch + "'";
      Hand& h = std::isupper(static_cast<unsigned char>(ch)) ? man : com;
      // Counts of one kind add up (2P3P); their sum is held to the same bound.
      h(kind) += n == 0 ? 1 : n;
      if (h(kind) > 40) return "hand count too large";
      n = 0;
    }
    if (n != 0) return "hand ends with a count";
  }

  int moveNumber = 1;
  if (count == 4) {
    moveNumber = 0;
    for (const char ch : fields[3]) {
      if (!std::isdigit(static_cast<unsigned char>(ch)) || moveNumber > kLargestMoveNumber / 10)
        return "bad move number";
      moveNumber = moveNumber * 10 + (ch - '0');
    }
    if (moveNumber > kLargestMoveNumber) return "bad move number";
    if (moveNumber < 1) return "bad move number";
  }

  g.盤面 = board;
  g.持駒MAN = man;
  g.持駒COM = com;
  g.MAN手番 = 先手;
  g.COM手番 = 後手;
  g.手番 = side == 0 ? g.MAN手番 : g.COM手番;
  g.持駒数MAN = 調査_持駒数(g, g.MAN手番);
  g.持駒数COM = 調査_持駒数(g, g.COM手番);
  g.勝者 = 0;
  g.終局 = 終局理由::なし;
  g.手数 = moveNumber - 1;
  locateKings(g);
  return std::nullopt;
}

std::string toSfen(const GameState& g) {
  std::string s;
  for (int y = 1; y <= 5; ++y) {
    int empty = 0;
    for (int x = 1; x <= 5; ++x) {
      const int code = g.盤面(x, y);
      if (code == 0) {
        ++empty;
        continue;
      }
      if (empty) s += static_cast<char>('0' + empty), empty = 0;
      s += pieceText(code);
    }
    if (empty) s += static_cast<char>('0' + empty);
    if (y < 5) s += '/';
  }
  s += g.手番 == g.COM手番 ? " w " : " b ";
  std::string hands;
  for (int side = 0; side < 2; ++side) {
    const Hand& h = side == 0 ? g.持駒MAN : g.持駒COM;
    for (int k = 5; k >= 1; --k) {
      if (h(k) <= 0) continue;
      if (h(k) > 1) hands += std::to_string(h(k));
      const char c = kKindLetters[k];
      hands += side == 0 ? c : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  s += hands.empty() ? "-" : hands;
  s += ' ';
  s += std::to_string(g.手数 + 1);
  return s;
}

std::optional<UsiMove> parseUsiMove(std::string_view t, std::string* error) {
  auto fail = [&](const char* why) -> std::optional<UsiMove> {
    if (error) *error = why;
    return std::nullopt;
  };
  auto file = [](char c) { return c >= '1' && c <= '5' ? 6 - (c - '0') : 0; };
  auto rank = [](char c) { return c >= 'a' && c <= 'e' ? c - 'a' + 1 : 0; };
  UsiMove m;
  if (t.size() == 4 && t[1] == '*') {
    m.kind = kindOfLetter(t[0]);
    if (m.kind == 0) return fail("unknown piece to drop");
    m.toX = file(t[2]);
    m.toY = rank(t[3]);
    if (!m.toX || !m.toY) return fail("square off the board");
    return m;
  }
  if (t.size() != 4 && !(t.size() == 5 && t[4] == '+')) return fail("a move is like 5d5c, 5d5c+ or P*3c");
  m.fromX = file(t[0]);
  m.fromY = rank(t[1]);
  m.toX = file(t[2]);
  m.toY = rank(t[3]);
  if (!m.fromX || !m.fromY || !m.toX || !m.toY) return fail("square off the board");
  m.promote = t.size() == 5;
  return m;
}

std::string toUsi(const UsiMove& m) {
  std::string s;
  auto square = [&](int x, int y) {
    s += static_cast<char>('0' + 6 - x);
    s += static_cast<char>('a' + y - 1);
  };
  if (m.isDrop()) {
    s += kKindLetters[m.kind];
    s += '*';
    square(m.toX, m.toY);
    return s;
  }
  square(m.fromX, m.fromY);
  square(m.toX, m.toY);
  if (m.promote) s += '+';
  return s;
}

namespace {

// The reasons above with their Japanese; '#' stands for the rank number or the piece letter
// the English names.
struct Reason {
  std::string_view english, japanese;
};
constexpr Reason kReasons[] = {
    {"too many fields in sfen", "SFENの欄が多すぎます"},
    {"sfen needs a board and a side to move", "SFENには盤面と手番が要ります"},
    {"rank # does not have 5 squares", "#段目が5升ではありません"},
    {"more than 5 ranks", "段が5つより多くあります"},
    {"rank # has more than 5 squares", "#段目に5升より多くあります"},
    {"'+' at the end of the board", "盤面が「+」で終わっています"},
    {"unknown piece '#'", "「#」という駒はありません"},
    {"piece '#' cannot promote", "「#」は成れない駒です"},
    {"more than one king of a side", "一方の王が2枚以上あります"},
    {"the board must have 5 ranks of 5 squares", "盤面が5段5升ではありません"},
    {"side to move must be 'b' or 'w'", "手番は b (先手) か w (後手) です"},
    {"hand count too large", "持駒の数が多すぎます"},
    {"unknown piece in hand '#'", "持駒に「#」という駒はありません"},
    {"hand ends with a count", "持駒が数で終わっています"},
    {"bad move number", "手数が読めません"},
    {"unknown piece to drop", "打つ駒がわかりません"},
    {"square off the board", "盤の外の升です"},
    {"a move is like 5d5c, 5d5c+ or P*3c", "指し手は 5d5c, 5d5c+, P*3c のように書きます"},
    {"no side to move", "手番がありません"},
    {"the game is over", "対局は終わっています"},
    {"no such piece in hand", "その駒は持駒にありません"},
    {"no piece of the side to move on the source square", "移動元に手番の駒がありません"},
    {"illegal move", "指せない手です"},
    {"this move cannot promote", "成れない手です"},
    {"a pawn on the last rank must promote", "最終段の歩は成らなければなりません"},
};

// The text a '#' of the pattern stood for, when `reason` is the pattern.
std::optional<std::string> matchReason(std::string_view pattern, std::string_view reason) {
  const std::size_t hash = pattern.find('#');
  if (hash == std::string_view::npos) return pattern == reason ? std::optional<std::string>("") : std::nullopt;
  const std::string_view before = pattern.substr(0, hash), after = pattern.substr(hash + 1);
  if (reason.size() <= before.size() + after.size() || !reason.starts_with(before) || !reason.ends_with(after))
    return std::nullopt;
  return std::string(reason.substr(before.size(), reason.size() - before.size() - after.size()));
}

}  // namespace

std::string reasonInJapanese(std::string_view reason) {
  for (const Reason& r : kReasons) {
    const auto part = matchReason(r.english, reason);
    if (!part) continue;
    std::string out(r.japanese);
    if (const std::size_t hash = out.find('#'); hash != std::string::npos) out.replace(hash, 1, *part);
    return out;
  }
  return std::string(reason);
}

std::optional<std::string> playUsiMove(GameState& g, const UsiMove& m) {
  const bool man = g.手番 == g.MAN手番;
  if (g.手番 == 0) return "no side to move";
  if (g.勝者 != 0) return "the game is over";
  int fromX = m.fromX, fromY = m.fromY, piece;
  if (m.isDrop()) {
    if (m.kind < 1 || m.kind > 5) return "unknown piece to drop";
    const Hand& h = man ? g.持駒MAN : g.持駒COM;
    if (h(m.kind) <= 0) return "no such piece in hand";
    fromX = man ? kManHandColumn : kComHandColumn;
    fromY = m.kind;
    piece = man ? kManHandCodes[m.kind] : kComHandCodes[m.kind];
    調査_2歩フラグ設定(g);
  } else {
    if (!onBoard(fromX, fromY)) return "square off the board";
    piece = g.盤面(fromX, fromY);
    if (man ? !isMan(piece) : !isCom(piece)) return "no piece of the side to move on the source square";
  }
  if (移動チェック(g, fromX, fromY, m.toX, m.toY, piece) != 1) return "illegal move";
  if (g.rules == Rules::official) {
    if (王手放置チェック(g, fromX, fromY, m.toX, m.toY, piece) == 1) return "the move leaves the king attacked";
    if (m.isDrop() && 打歩詰めチェック(g, m.toX, m.toY, piece) == 1) return "a pawn dropped to give mate";
  }
  int placed = piece;
  if (m.promote) {
    if (調査_駒成(g, fromX, fromY, m.toX, m.toY, piece) != 1) return "this move cannot promote";
    placed = g.成駒;
  } else if (移動後チェック(m.toY, piece) == 0) {
    return "a pawn on the last rank must promote";
  }
  NullGameView view;
  駒移動(g, view, fromX, fromY, m.toX, m.toY, placed);
  g.手番 = -g.手番;
  g.手数 += 1;
  return std::nullopt;
}

UsiMove turnedRound(const UsiMove& m) {
  UsiMove r = m;
  if (!m.isDrop()) r.fromX = 6 - m.fromX, r.fromY = 6 - m.fromY;
  r.toX = 6 - m.toX;
  r.toY = 6 - m.toY;
  return r;
}

void turnRound(GameState& g) {
  Board b;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) b(6 - x, 6 - y) = -g.盤面(x, y);
  g.盤面 = b;
  std::swap(g.持駒MAN, g.持駒COM);
  std::swap(g.持駒数MAN, g.持駒数COM);
  g.手番 = g.手番 == g.MAN手番 ? g.COM手番 : g.MAN手番;
  locateKings(g);
}

}  // namespace zelk
