#include "records/record_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "records/cp932.h"

namespace zelk {

namespace {

bool isPieceCode(int c) {
  switch (magnitude(c)) {
    case 0: case 10: case 11: case 100: case 101: case 110:
    case 800: case 801: case 900: case 901: case 950:
      return true;
    default:
      return false;
  }
}

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

std::string_view column(std::string_view line, std::size_t pos, std::size_t width) {
  if (pos >= line.size()) return {};
  return line.substr(pos, width);
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
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

RecordSlot slotOf(const GameState& g, int n) {
  RecordSlot s;
  const auto i = static_cast<std::size_t>(n);
  if (n < 0 || i >= g.盤面記録.size()) return s;
  s.盤面 = g.盤面記録[i];
  s.持駒MAN = g.持駒記録MAN[i];
  s.持駒COM = g.持駒記録COM[i];
  s.前秒M = g.前秒M記録[i];
  s.後秒M = g.後秒M記録[i];
  s.前秒C = g.前秒C記録[i];
  s.後秒C = g.後秒C記録[i];
  return s;
}

std::string recordLine(const RecordSlot& s) {
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

RecordSlot parseRecordLine(std::string_view line) {
  RecordSlot s;
  std::size_t pos = 0;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y, pos += 4) {
      const int code = static_cast<int>(leadingNumber(column(line, pos, 4)));
      s.盤面(x, y) = isPieceCode(code) ? code : 0;
    }
  for (int k = 1; k <= 5; ++k) {
    s.持駒MAN(k) = static_cast<int>(leadingNumber(column(line, pos++, 1)));
    s.持駒COM(k) = static_cast<int>(leadingNumber(column(line, pos++, 1)));
  }
  for (double* total : {&s.前秒M, &s.後秒M, &s.前秒C, &s.後秒C}) {
    *total = std::max(0.0, leadingNumber(column(line, pos, 5)));
    pos += 5;
  }
  return s;
}

EncodedRecord encodeRecordFile(const RecordFile& f) {
  EncodedRecord out;
  const std::pair<const std::string*, const char*> header[3] = {
      {&f.title, "対局名"}, {&f.upperName, "対局者名"}, {&f.lowerName, "対局者名"}};
  for (const auto& [text, what] : header) {
    const auto bytes = toCp932(*text);
    if (!bytes) {
      out.bytes.clear();
      out.error = std::string(what) + "「" + *text + "」に保存できない文字があります";
      return out;
    }
    out.bytes += *bytes + "\r\n";
  }
  for (const RecordSlot& s : f.slots) out.bytes += recordLine(s) + "\r\n";
  return out;
}

RecordFile decodeRecordFile(std::string_view bytes) {
  RecordFile f;
  const std::vector<std::string_view> lines = splitLines(bytes);
  if (lines.size() > 0) f.title = fromCp932(lines[0]);
  if (lines.size() > 1) f.upperName = fromCp932(lines[1]);
  if (lines.size() > 2) f.lowerName = fromCp932(lines[2]);
  for (std::size_t i = 3; i < lines.size(); ++i) f.slots.push_back(parseRecordLine(lines[i]));
  return f;
}

}  // namespace zelk
