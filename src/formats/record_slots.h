#pragma once
// Records and the game's history slots: slot k is the position before move k + 1 (MAN the
// lower side) with both sides' totals before and after that move. The ".棋譜" files and the
// move history hold slots; KIF and SFEN hold moves.

#include <string>
#include <vector>

#include "formats/game_record.h"
#include "formats/record_file.h"

namespace zelk {

// The slots of a record whose moves the rules accept: one per position, the final position
// last (with the final totals before and after). Clocks come from the moves' times.
std::vector<HistorySlot> slotsOf(const GameRecord& r);

// A record of slots, the last of them the final position (its before-values the final
// totals); the moves are found between consecutive slots, their times from the totals. A plain
// game the upper side began is turned round, so that its first player is 先手 as records have
// it (the caller names the players accordingly). `brokenAt` is the first slot no legal move
// reaches (the record then stops before it).
struct FromSlots {
  GameRecord record;
  int brokenAt = -1;
  bool turned = false;  // the record is the game turned round
};
FromSlots recordFromSlots(const std::vector<HistorySlot>& slots);

// A ".棋譜" file as a record: the standard start, then its saved positions; the title and the
// upper and lower players' names go to the header.
FromSlots recordOfRecordFile(const RecordFile& f);

// A record as a ".棋譜" file, or the reason it cannot be one (a start other than the standard).
struct AsRecordFile {
  RecordFile file;
  std::string error;
};
AsRecordFile recordFileOf(const GameRecord& r);

}  // namespace zelk
