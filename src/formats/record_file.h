#pragma once
// Game-record files (".棋譜"): three header lines (title, upper player, lower player) and one
// fixed-width line of 130 characters per saved position, in code page 932 with CR LF.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game_state.h"

namespace zelk {

struct RecordFile {
  std::string title, upperName, lowerName;  // UTF-8
  std::vector<HistorySlot> records;         // history slots 1, 2, ... in order
};

// The 130-character line of a slot: 25 squares of 4 characters column by column, ten
// one-digit hand counts (MAN and COM interleaved by kind), four clock totals of 5 characters
// (whole seconds; totals past 99999 are written as 99999).
std::string recordLine(const HistorySlot& s);

// Reads a record line (UTF-8; its columns are characters) leniently: every field is a number
// read from its columns, anything that is not a number (or a missing column of a short line)
// gives 0. Codes that are no piece read as empty squares.
HistorySlot parseRecordLine(std::string_view line);

// A header field as the single line it is written as: each run of line breaks (CR, LF, as a
// paste brings them) becomes one space, so the record lines stay where the reader looks.
std::string headerLine(std::string_view text);

// The whole file as bytes (header fields each on one line), or the reason it cannot be written (a name or title with
// characters code page 932 cannot hold).
struct EncodedRecord {
  std::string bytes;
  std::string error;  // empty when bytes is the file
};
EncodedRecord encodeRecordFile(const RecordFile& f);

// A record file opened for reading: its bytes and how far they have been read.
struct OpenRecordFile {
  std::string bytes;
  std::size_t pos = 0;
};

// Where the line starting at `pos` ends and the next begins. A line ends at LF, at CR LF, at a
// run of CRs before an LF (CR CR LF, as a file converted twice has it) or at a CR alone (as
// old files of other systems have it); the last line needs no end.
struct LineSpan {
  std::size_t end, next;
};
LineSpan lineAt(std::string_view bytes, std::size_t pos);

// Reads the next line (ended as lineAt says, the end unread) into 行, as the file holds it;
// 結果 = 1 when a line was read, 0 at the end of the file (行 is then left as it was).
void 読込_棋譜ファイル(OpenRecordFile& file, std::string& 行, int& 結果);

// Reads a record file's bytes; a file of fewer than four lines has no slots.
RecordFile decodeRecordFile(std::string_view bytes);

// Lenient number: leading spaces, an optional sign, digits (and a fraction); 0 without digits.
double leadingNumber(std::string_view text);

}  // namespace zelk
