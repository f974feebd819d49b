#pragma once
// The record formats a game goes in and out of, told apart by the file's extension:
// ".棋譜" (this game's own), ".kif" (KIF in code page 932), ".kifu" (KIF in UTF-8) and
// ".sfen" (one SFEN line per position). Bytes in, bytes out; the files are the callers'.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "formats/game_record.h"

namespace zelk {

// Native is the game's own ".棋譜"; Kif and Kifu are KIF in code page 932 and in UTF-8.
enum class RecordFormat { Native, Kif, Kifu, Sfen };

// The format an extension names ("棋譜", "kif", "kifu", "sfen", with or without the dot,
// any case for the Latin ones); nothing for any other.
std::optional<RecordFormat> formatNamed(std::string_view extension);
std::optional<RecordFormat> formatOfPath(const std::filesystem::path& path);

// A file far larger than any game record is refused before it is read.
inline constexpr std::uintmax_t kLargestKifFile = 16u << 20;

// KIF bytes as text: UTF-8 when the bytes are UTF-8 (a byte-order mark, or characters beyond
// ASCII that are all well-formed UTF-8), else code page 932, whatever the name promised.
// Bytes that are neither (after a UTF-8 byte-order mark: anything but well-formed UTF-8, with
// no overlong form or surrogate) are refused, naming the line; so is a file whose byte-order
// mark says UTF-16 or UTF-32, naming that encoding.
struct KifText {
  std::string text;   // UTF-8, without a byte-order mark
  std::string error;  // empty when the bytes were read
  bool ok() const { return error.empty(); }
};
KifText kifText(std::string_view bytes);

struct DecodedRecord {
  GameRecord record;
  std::string error;  // what is wrong with the bytes (naming the line for KIF); empty when read
  bool ok() const { return error.empty(); }
};
DecodedRecord decodeRecord(std::string_view bytes, RecordFormat format);

// Reads a record file in the format given, refusing one far larger than any record before
// reading it; the reason names the file.
DecodedRecord readRecordFile(const std::filesystem::path& path, RecordFormat format);

struct EncodedBytes {
  std::string bytes;
  std::string error;  // why the record cannot be written in that format; empty when it can
  bool ok() const { return error.empty(); }
};
EncodedBytes encodeRecord(const GameRecord& r, RecordFormat format);

}  // namespace zelk
