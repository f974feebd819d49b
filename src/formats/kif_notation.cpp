#include "formats/kif_notation.h"

#include <cstdio>

#include "core/legality.h"

namespace zelk {

namespace {

constexpr char32_t kFullWidthDigits[] = U"０１２３４５６７８９";
constexpr char32_t kKanjiNumbers[] = U"〇一二三四五六七八九";

bool isSpace(char32_t c) { return c == U' ' || c == U'\t' || c == U'　'; }

// A digit 0 … 9 written half-width, full-width or (when `kanji`) as a kanji; -1 otherwise.
int digitOf(char32_t c, bool kanji) {
  if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
  for (int d = 0; d <= 9; ++d) {
    if (c == kFullWidthDigits[d]) return d;
    if (kanji && c == kKanjiNumbers[d]) return d;
  }
  return -1;
}

std::string fullWidthDigit(int d) { return utf8Of(std::u32string(1, kFullWidthDigits[d])); }
std::string kanjiDigit(int d) { return utf8Of(std::u32string(1, kKanjiNumbers[d])); }

struct NameEntry {
  std::u32string_view text;
  int magnitude;  // 0: a piece of the big game only
};

// Longer names first, so that 成銀 is not read as 成 and 銀.
constexpr NameEntry kNames[] = {
    {U"成銀", 101}, {U"成香", 0}, {U"成桂", 0}, {U"歩", 10},  {U"と", 11},  {U"銀", 100}, {U"全", 101},
    {U"金", 110},   {U"角", 800}, {U"馬", 801}, {U"飛", 900}, {U"龍", 901}, {U"竜", 901}, {U"玉", 950},
    {U"王", 950},   {U"香", 0},   {U"桂", 0},   {U"杏", 0},   {U"圭", 0},
};

// A square written as a file and a rank ("５三", "53"); reports a square off this board.
bool readSquare(std::u32string_view t, std::size_t& i, int& x, int& y, std::string* reason) {
  if (i + 1 >= t.size()) return false;
  const int file = digitOf(t[i], false);
  const int rank = digitOf(t[i + 1], true);
  if (file < 0 || rank < 0) return false;
  if (file < 1 || file > 5 || rank < 1 || rank > 5) {
    if (reason) *reason = "５×５の盤にないマスです";
    return false;
  }
  x = 6 - file;
  y = rank;
  i += 2;
  return true;
}

}  // namespace

std::string excerpt(std::u32string_view t) {
  constexpr std::size_t kMost = 40;
  return t.size() <= kMost ? utf8Of(t) : utf8Of(t.substr(0, kMost)) + "…";
}

std::string excerpt(std::string_view utf8) {
  // Enough bytes for 40 characters of up to four bytes, and one more to tell it is longer.
  return excerpt(std::u32string_view(codePoints(utf8.substr(0, 4 * 40 + 4))).substr(0, 41));
}

std::u32string codePoints(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < s.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto cb = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      if ((cb & 0xC0) != 0x80) ok = false;
      else c = (c << 6) | (cb & 0x3F);
    }
    // An overlong form (C0 8A for a line break), a surrogate or a code past U+10FFFF is no
    // character: it must not turn into one it merely spells.
    static constexpr char32_t kLowest[] = {0, 0x80, 0x800, 0x10000};
    if (ok && (c < kLowest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
    if (!ok) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string utf8Of(std::u32string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (char32_t c : text) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = U'\uFFFD';
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string kifSquare(int x, int y) { return fullWidthDigit(6 - x) + kanjiDigit(y); }

std::string_view kifPieceName(int code) {
  switch (magnitude(code)) {
    case 10: return "歩";
    case 11: return "と";
    case 100: return "銀";
    case 101: return "成銀";
    case 110: return "金";
    case 800: return "角";
    case 801: return "馬";
    case 900: return "飛";
    case 901: return "龍";
    case 950: return "玉";
    default: return "？";
  }
}

std::string_view diagramPieceName(int code) { return magnitude(code) == 101 ? "全" : kifPieceName(code); }

std::string kanjiCount(int n) {
  if (n < 1 || n > 18) return {};
  if (n < 10) return kanjiDigit(n);
  return "十" + (n == 10 ? std::string() : kanjiDigit(n - 10));
}

PieceName readPieceName(std::u32string_view text) {
  for (const NameEntry& e : kNames)
    if (text.substr(0, e.text.size()) == e.text) return PieceName{e.magnitude, e.text.size(), e.magnitude == 0};
  return PieceName{};
}

std::string kifMoveText(const GameState& before, const UsiMove& m, const UsiMove* previous) {
  std::string s =
      previous && previous->toX == m.toX && previous->toY == m.toY ? std::string("同　") : kifSquare(m.toX, m.toY);
  if (m.isDrop()) {
    s += kifPieceName(kManHandCodes[m.kind]);
    s += "打";
    return s;
  }
  const int piece = before.盤面(m.fromX, m.fromY);
  s += kifPieceName(piece);
  if (m.promote) s += "成";
  else if (canPromote(m.fromX, m.fromY, m.toY, piece) == 1) s += "不成";
  s += "(" + std::to_string(6 - m.fromX) + std::to_string(m.fromY) + ")";
  return s;
}

std::optional<KifMoveWords> readKifMove(std::u32string_view t, std::string* reason) {
  auto fail = [&](const char* why) -> std::optional<KifMoveWords> {
    if (reason && reason->empty()) *reason = why;
    return std::nullopt;
  };
  if (reason) reason->clear();
  KifMoveWords w;
  std::size_t i = 0;
  if (i < t.size() && t[i] == U'同') {
    w.same = true;
    ++i;
    while (i < t.size() && isSpace(t[i])) ++i;
  } else if (!readSquare(t, i, w.toX, w.toY, reason)) {
    return fail("指し手のマスが読めません");
  }

  const PieceName name = readPieceName(t.substr(i));
  if (name.bigGamePiece) return fail("５五将棋にない駒です");
  if (name.magnitude == 0) return fail("駒の名前が読めません");
  w.magnitude = name.magnitude;
  i += name.length;

  // Words that tell apart pieces in other notations; the source square says it all here.
  while (i < t.size() && std::u32string_view(U"右左直上引寄行入").find(t[i]) != std::u32string_view::npos) ++i;
  if (t.substr(i, 2) == U"不成") {
    w.declined = true;
    i += 2;
  } else if (i < t.size() && t[i] == U'生') {
    w.declined = true;
    ++i;
  } else if (i < t.size() && t[i] == U'成') {
    w.promote = true;
    ++i;
  }
  if (i < t.size() && t[i] == U'打') {
    if (w.promote || w.declined) return fail("打つ駒は成れません");
    w.drop = true;
    ++i;
  } else if (i < t.size() && (t[i] == U'(' || t[i] == U'（')) {
    ++i;
    const int file = i < t.size() ? digitOf(t[i], false) : -1;
    const int rank = i + 1 < t.size() ? digitOf(t[i + 1], true) : -1;
    if (file < 0 || rank < 0 || i + 2 >= t.size() || (t[i + 2] != U')' && t[i + 2] != U'）'))
      return fail("移動元が読めません");
    if (file < 1 || file > 5 || rank < 1 || rank > 5) return fail("移動元が５×５の盤にありません");
    w.fromX = 6 - file;
    w.fromY = rank;
    i += 3;
  } else {
    w.drop = true;  // some writers leave 打 out when only a drop can reach the square
  }
  w.length = i;
  return w;
}

std::optional<UsiMove> resolveKifMove(const GameState& g, const KifMoveWords& w, const UsiMove* previous,
                                      std::string* reason) {
  auto fail = [&](std::string why) -> std::optional<UsiMove> {
    if (reason) *reason = std::move(why);
    return std::nullopt;
  };
  UsiMove m;
  if (w.same) {
    if (!previous) return fail("「同」の前に指し手がありません");
    m.toX = previous->toX;
    m.toY = previous->toY;
  } else {
    m.toX = w.toX;
    m.toY = w.toY;
  }
  const bool man = g.手番 == g.MAN手番;
  const std::string name(kifPieceName(w.magnitude));
  if (w.drop) {
    const int kind = handKindOf(w.magnitude);
    if (kind == 0 || kManHandCodes[kind] != -w.magnitude) return fail(name + "は持駒から打てません");
    if ((man ? g.持駒MAN(kind) : g.持駒COM(kind)) <= 0) return fail("持駒に" + name + "がありません");
    m.kind = kind;
    return m;
  }
  const int piece = g.盤面(w.fromX, w.fromY);
  if (magnitude(piece) != w.magnitude || (man ? !isMan(piece) : !isCom(piece))) {
    const std::string said = w.magnitude == 950 ? "王" : name;  // the board calls a king 王
    return fail(kifSquare(w.fromX, w.fromY) + "に指す側の" + said + "がありません");
  }
  m.fromX = w.fromX;
  m.fromY = w.fromY;
  m.promote = w.promote;
  return m;
}

std::string kifTime(long seconds, long total) {
  if (seconds < 0) seconds = 0;
  if (total < 0) total = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "(%2ld:%02ld/%02ld:%02ld:%02ld)", seconds / 60, seconds % 60, total / 3600,
                total / 60 % 60, total % 60);
  return buf;
}

std::optional<KifTimeRead> readKifTime(std::u32string_view t) {
  std::size_t i = 0;
  auto skipSpaces = [&] {
    while (i < t.size() && isSpace(t[i])) ++i;
  };
  // A number of at most `most` digits; -1 when there is none.
  auto number = [&](int most) -> long {
    skipSpaces();
    long v = 0;
    int n = 0;
    for (; i < t.size() && n < most; ++i, ++n) {
      const int d = digitOf(t[i], false);
      if (d < 0) break;
      v = v * 10 + d;
    }
    return n == 0 ? -1 : v;
  };
  auto expect = [&](char32_t half, char32_t full) {
    skipSpaces();
    if (i < t.size() && (t[i] == half || t[i] == full)) {
      ++i;
      return true;
    }
    return false;
  };
  if (!expect(U'(', U'（')) return std::nullopt;
  const long m = number(6);
  if (m < 0 || !expect(U':', U'：')) return std::nullopt;
  const long s = number(2);
  if (s < 0 || !expect(U'/', U'／')) return std::nullopt;
  const long h = number(6);
  if (h < 0 || !expect(U':', U'：')) return std::nullopt;
  const long mm = number(2);
  if (mm < 0 || !expect(U':', U'：')) return std::nullopt;
  const long ss = number(2);
  if (ss < 0 || !expect(U')', U'）')) return std::nullopt;
  if (s >= 60 || mm >= 60 || ss >= 60) return std::nullopt;  // no clock shows them: not a time
  KifTimeRead r;
  r.seconds = m * 60 + s;
  r.total = h * 3600 + mm * 60 + ss;
  r.length = i;
  return r;
}

std::string kifDateTime(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  static const char* const kDays[] = {"日", "月", "火", "水", "木", "金", "土"};
  char date[32], time[32];
  std::strftime(date, sizeof date, "%Y/%m/%d", &local);
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  return std::string(date) + "(" + kDays[local.tm_wday % 7] + ") " + time;
}

std::size_t displayWidth(std::string_view utf8) {
  std::size_t w = 0;
  for (const char32_t c : codePoints(utf8)) w += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
  return w;
}

}  // namespace zelk
