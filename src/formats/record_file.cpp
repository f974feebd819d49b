#include "formats/record_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/cp932.h"
#include "formats/kif_notation.h"

namespace zelk {

namespace {

std::string rightAligned(long value, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%*ld", width, value);
  return buf;
}

long wholeSeconds(double total) {
  if (!(total > 0)) return 0;
  if (total >= 99999) return 99999;  // the field holds five digits
  return static_cast<long>(std::floor(total));
}

// A line's columns are its characters: where each one starts (UTF-8; a stray continuation
// byte at the start counts as a character of its own).
std::vector<std::size_t> characterStarts(std::string_view utf8) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < utf8.size(); ++i)
    if (i == 0 || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) starts.push_back(i);
  return starts;
}

// `width` characters from the character at `pos`; shorter or empty past the line's end.
std::string_view columnOf(std::string_view line, const std::vector<std::size_t>& starts, std::size_t pos,
                          std::size_t width) {
  if (pos >= starts.size()) return {};
  const std::size_t end = pos + width < starts.size() ? starts[pos + width] : line.size();
  return line.substr(starts[pos], end - starts[pos]);
}

}  // namespace

double leadingNumber(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
  double v = 0;
  bool digits = false;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) v = v * 10 + (t[i] - '0'), digits = true;
  if (i < t.size() && t[i] == '.') {
    double scale = 0.1;
    for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) v += (t[i] - '0') * scale, scale /= 10, digits = true;
  }
  if (!digits) return 0;
  return negative ? -v : v;
}

std::string recordLine(const HistorySlot& s) {
  std::string line;
  line.reserve(130);
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) line += rightAligned(s.盤面(x, y), 4);
  for (int k = 1; k <= 5; ++k) {
    line += static_cast<char>('0' + std::min(9, std::max(0, s.持駒MAN(k))));
    line += static_cast<char>('0' + std::min(9, std::max(0, s.持駒COM(k))));
  }
  for (const double total : {s.前秒M, s.後秒M, s.前秒C, s.後秒C}) line += rightAligned(wholeSeconds(total), 5);
  return line;
}

HistorySlot parseRecordLine(std::string_view line) {
  HistorySlot s;
  const std::vector<std::size_t> starts = characterStarts(line);
  const auto column = [&](std::size_t at, std::size_t width) { return columnOf(line, starts, at, width); };
  std::size_t pos = 0;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y, pos += 4) {
      const int code = static_cast<int>(leadingNumber(column(pos, 4)));
      s.盤面(x, y) = isPieceCode(code) ? code : 0;  // anything else is an empty square
    }
  for (int k = 1; k <= 5; ++k) {
    s.持駒MAN(k) = static_cast<int>(leadingNumber(column(pos++, 1)));
    s.持駒COM(k) = static_cast<int>(leadingNumber(column(pos++, 1)));
  }
  for (double* total : {&s.前秒M, &s.後秒M, &s.前秒C, &s.後秒C}) {
    *total = std::max(0.0, leadingNumber(column(pos, 5)));
    pos += 5;
  }
  return s;
}

std::string headerLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) ++i;
    line += ' ';
  }
  return line;
}

EncodedRecord encodeRecordFile(const RecordFile& f) {
  EncodedRecord out;
  const std::pair<const std::string*, const char*> header[3] = {
      {&f.title, "対局名"}, {&f.upperName, "対局者名"}, {&f.lowerName, "対局者名"}};
  for (const auto& [text, what] : header) {
    const auto bytes = toCp932(headerLine(*text));
    if (!bytes) {
      out.bytes.clear();
      out.error = std::string(what) + "「" + excerpt(*text) + "」に保存できない文字があります";
      return out;
    }
    out.bytes += *bytes + "\r\n";
  }
  for (const HistorySlot& s : f.records) out.bytes += recordLine(s) + "\r\n";
  return out;
}

LineSpan lineAt(std::string_view bytes, std::size_t pos) {
  const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
  if (end == bytes.size() || bytes[end] == '\n') return {end, std::min(end + 1, bytes.size())};
  std::size_t after = end;
  while (after < bytes.size() && bytes[after] == '\r') ++after;
  if (after < bytes.size() && bytes[after] == '\n') return {end, after + 1};
  return {end, end + 1};
}

void 読込_棋譜ファイル(OpenRecordFile& file, std::string& 行, int& 結果) {
  if (file.pos >= file.bytes.size()) {
    結果 = 0;
    return;
  }
  const LineSpan line = lineAt(file.bytes, file.pos);
  行.assign(file.bytes, file.pos, line.end - file.pos);
  file.pos = line.next;
  結果 = 1;
}

RecordFile decodeRecordFile(std::string_view bytes) {
  RecordFile f;
  OpenRecordFile file{std::string(bytes)};
  std::string 行;
  int 結果 = 0;
  for (std::string* header : {&f.title, &f.upperName, &f.lowerName}) {
    読込_棋譜ファイル(file, 行, 結果);
    if (結果 == 1) *header = fromCp932(行);
  }
  for (;;) {
    読込_棋譜ファイル(file, 行, 結果);
    if (結果 != 1) break;
    f.records.push_back(parseRecordLine(fromCp932(行)));
  }
  return f;
}

}  // namespace zelk
