#pragma once
// Records as SFEN, the position text of the USI protocol: one line per position, or a
// position with the moves played from it ("position sfen … moves …").

#include <optional>
#include <string>
#include <string_view>

#include "formats/game_record.h"

namespace zelk {

// The SFEN of a position with the move number given.
std::string sfenOf(const RecordPosition& p, int moveNumber);

// One SFEN line per position of the record, the start first; lines end with LF.
std::string sfenLines(const GameRecord& r);

// Why a position cannot be played from, as a pasted or edited position is refused ("この局面
// では指せません: …"); nothing when it can. With `decidedGame` the end of a game won by taking
// the king, the loser's king gone, is a position too.
std::optional<std::string> positionRefusal(const GameState& g, bool decidedGame = false);

struct PositionText {
  GameRecord record;
  std::string error;  // what is wrong with the text; empty when read
  bool ok() const { return error.empty(); }
};

// A position given as text: an SFEN, "sfen <SFEN>", "startpos", or the USI command
// "position startpos|sfen <SFEN>", each optionally followed by "moves <move> …" (checked by
// the rules; the record then holds the moves).
PositionText readPositionText(std::string_view text);

// A ".sfen" file: one line (a position, maybe with moves), or one position per line with the
// moves found between consecutive lines. Blank lines and lines starting with "#" are skipped.
PositionText readSfenLines(std::string_view text);

}  // namespace zelk
