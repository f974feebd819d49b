#include "formats/record_formats.h"

#include <system_error>

#include "base/cp932.h"
#include "base/file_io.h"
#include "formats/kif_read.h"
#include "formats/kif_write.h"
#include "formats/record_file.h"
#include "formats/record_slots.h"
#include "formats/sfen_record.h"
#include "base/utf8_path.h"

namespace zelk {

namespace {

// Whether the bytes are well-formed UTF-8, and whether any of them is beyond ASCII.
struct Utf8Check {
  bool wellFormed = true;
  bool beyondAscii = false;
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
    std::size_t n;
    unsigned lowest, value;
    if (b >= 0xC2 && b <= 0xDF) n = 1, lowest = 0x80, value = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF) n = 2, lowest = 0x800, value = b & 0x0F;
    else if (b >= 0xF0 && b <= 0xF4) n = 3, lowest = 0x10000, value = b & 0x07;
    else return Utf8Check{false, true};
    if (i + n >= s.size()) return Utf8Check{false, true};
    for (std::size_t k = 1; k <= n; ++k) {
      const auto cb = static_cast<unsigned char>(s[i + k]);
      if ((cb & 0xC0) != 0x80) return Utf8Check{false, true};
      value = (value << 6) | (cb & 0x3F);
    }
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return Utf8Check{false, true};
    i += n + 1;
  }
  return c;
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
      out.error = "「" + line + "」には .kif (Shift_JIS) に書けない文字があります。.kifu なら書けます";
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

std::string kifText(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return std::string(bytes.substr(3));
  const Utf8Check c = checkUtf8(bytes);
  if (c.wellFormed) return std::string(bytes);
  return fromCp932(bytes);
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
      KifRead read = readKif(kifText(bytes));
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
