#include "formats/record_formats.h"

#include <system_error>

#include "base/cp932.h"
#include "base/file_io.h"
#include "formats/kif_notation.h"
#include "formats/kif_read.h"
#include "formats/kif_write.h"
#include "formats/record_file.h"
#include "formats/record_slots.h"
#include "formats/sfen_record.h"
#include "base/utf8_path.h"

namespace zelk {

namespace {

// Where well-formed UTF-8 stops (the size when it never does: no overlong form, no surrogate,
// nothing past U+10FFFF), and whether any byte is beyond ASCII.
struct Utf8Check {
  std::size_t brokenAt = std::string_view::npos;
  bool beyondAscii = false;
  bool wellFormed() const { return brokenAt == std::string_view::npos; }
};

Utf8Check checkUtf8(std::string_view s) {
  Utf8Check c;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    c.beyondAscii = true;
    c.brokenAt = i;
    std::size_t n;
    unsigned lowest, value;
    if (b >= 0xC2 && b <= 0xDF) n = 1, lowest = 0x80, value = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF) n = 2, lowest = 0x800, value = b & 0x0F;
    else if (b >= 0xF0 && b <= 0xF4) n = 3, lowest = 0x10000, value = b & 0x07;
    else return c;
    if (i + n >= s.size()) return c;
    for (std::size_t k = 1; k <= n; ++k) {
      const auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) return c;
      value = (value << 6) | (cb & 0x3F);
    }
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return c;
    c.brokenAt = std::string_view::npos;
    i += n + 1;
  }
  return c;
}

// The line (from 1) that holds the byte at `at`, lines ended as the readers end them.
std::size_t lineOf(std::string_view s, std::size_t at) {
  std::size_t n = 1;
  for (std::size_t pos = 0; pos < s.size(); ++n) {
    const LineSpan line = lineAt(s, pos);
    if (at < line.next) break;
    pos = line.next;
  }
  return n;
}

std::string lowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// KIF text in code page 932, or the first line it cannot hold.
EncodedBytes inCp932(const std::string& utf8) {
  EncodedBytes out;
  if (auto bytes = toCp932(utf8)) {
    out.bytes = std::move(*bytes);
    return out;
  }
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t end = utf8.find("\r\n", pos);
    if (end == std::string::npos) end = utf8.size();
    const std::string line = utf8.substr(pos, end - pos);
    if (!toCp932(line)) {
      out.error = "「" + excerpt(line) + "」には .kif (Shift_JIS) に書けない文字があります。.kifu なら書けます";
      return out;
    }
    pos = end + 2;
  }
  out.error = ".kif (Shift_JIS) に書けない文字があります";
  return out;
}

}  // namespace

std::optional<RecordFormat> formatNamed(std::string_view extension) {
  if (!extension.empty() && extension[0] == '.') extension.remove_prefix(1);
  const std::string e = lowerAscii(std::string(extension));
  if (e == "棋譜") return RecordFormat::Native;
  if (e == "kif") return RecordFormat::Kif;
  if (e == "kifu") return RecordFormat::Kifu;
  if (e == "sfen") return RecordFormat::Sfen;
  return std::nullopt;
}

std::optional<RecordFormat> formatOfPath(const std::filesystem::path& path) {
  return formatNamed(utf8Of(path.extension()));
}

KifText kifText(std::string_view bytes) {
  KifText out;
  // Longer marks first: UTF-32's little-endian mark starts with UTF-16's.
  static constexpr std::pair<std::string_view, std::string_view> kWideMarks[] = {
      {std::string_view("\xFF\xFE\0\0", 4), "UTF-32"},
      {std::string_view("\0\0\xFE\xFF", 4), "UTF-32"},
      {"\xFF\xFE", "UTF-16"},
      {"\xFE\xFF", "UTF-16"},
  };
  for (const auto& [mark, name] : kWideMarks)
    if (bytes.substr(0, mark.size()) == mark) {
      out.error = std::string(name) + " で書かれた棋譜は読めません。UTF-8 か Shift_JIS で保存して下さい";
      return out;
    }
  const bool marked = bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (marked) bytes.remove_prefix(3);
  const Utf8Check c = checkUtf8(bytes);
  if (c.wellFormed()) {
    out.text = std::string(bytes);
    return out;
  }
  if (marked) {
    out.error = std::to_string(lineOf(bytes, c.brokenAt)) + "行目: UTF-8 として正しくないバイトがあります";
    return out;
  }
  if (auto text = fromCp932Exactly(bytes)) {
    out.text = std::move(*text);
    return out;
  }
  // The first line that is no code page 932.
  std::size_t pos = 0, line = 1;
  for (; pos < bytes.size(); ++line) {
    const LineSpan span = lineAt(bytes, pos);
    if (!fromCp932Exactly(bytes.substr(pos, span.end - pos))) break;
    pos = span.next;
  }
  out.error = std::to_string(line) + "行目: Shift_JIS としても UTF-8 としても読めないバイトがあります";
  return out;
}

DecodedRecord decodeRecord(std::string_view bytes, RecordFormat format) {
  DecodedRecord out;
  switch (format) {
    case RecordFormat::Native: {
      const RecordFile f = decodeRecordFile(bytes);
      if (f.records.empty()) {
        out.error = "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません";
        return out;
      }
      FromSlots found = recordOfRecordFile(f);
      if (found.brokenAt >= 0) {
        // Slot k of the file is its line 3 + k.
        out.error = std::to_string(found.brokenAt + 3) + "行目: 前の局面から一手で指せる局面ではありません";
        return out;
      }
      out.record = std::move(found.record);
      return out;
    }
    case RecordFormat::Kif:
    case RecordFormat::Kifu: {
      const KifText text = kifText(bytes);
      if (!text.ok()) {
        out.error = text.error;
        return out;
      }
      KifRead read = readKif(text.text);
      if (!read.ok()) out.error = read.error;
      else out.record = std::move(read.record);
      return out;
    }
    case RecordFormat::Sfen: {
      PositionText read = readSfenLines(bytes);
      if (!read.ok()) out.error = read.error;
      else out.record = std::move(read.record);
      return out;
    }
  }
  return out;
}

DecodedRecord readRecordFile(const std::filesystem::path& path, RecordFormat format) {
  DecodedRecord out;
  const FileResult read = readWholeFile(path, kLargestKifFile);
  if (!read.ok) {
    out.error = read.tooLarge ? displayName(path) + ": 棋譜としては大きすぎます" : read.error;
    return out;
  }
  out = decodeRecord(read.bytes, format);
  if (!out.ok()) out.error = displayName(path) + ": " + out.error;
  return out;
}

EncodedBytes encodeRecord(const GameRecord& r, RecordFormat format) {
  EncodedBytes out;
  switch (format) {
    case RecordFormat::Native: {
      AsRecordFile f = recordFileOf(r);
      if (!f.error.empty()) {
        out.error = f.error;
        return out;
      }
      EncodedRecord e = encodeRecordFile(f.file);
      out.bytes = std::move(e.bytes);
      out.error = std::move(e.error);
      return out;
    }
    case RecordFormat::Kif: return inCp932(writeKif(r, "Shift_JIS"));
    case RecordFormat::Kifu: out.bytes = writeKif(r, "UTF-8"); return out;
    case RecordFormat::Sfen: out.bytes = sfenLines(r); return out;
  }
  return out;
}

}  // namespace zelk
