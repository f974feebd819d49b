#pragma once
// A game as other shogi programs keep it: a starting position, the moves played from it with
// their times, the header (names, title, date) and how the game ended. Records are seen from
// the first player: the lower side (MAN codes, SFEN uppercase) is 先手.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/game_state.h"
#include "core/sfen.h"

namespace zelk {

// A position of a record: the lower side is 先手; 手番 is 先手 or 後手.
struct RecordPosition {
  Board 盤面;
  Hand 持駒先手, 持駒後手;
  int 手番 = 先手;
  friend bool operator==(const RecordPosition&, const RecordPosition&) = default;
};

// The starting position of ５五将棋, 先手 to move.
RecordPosition standardStart();

struct RecordedMove {
  UsiMove move;
  bool timed = false;                 // the times below were recorded
  long seconds = 0;                   // time spent on this move, whole seconds
  long total = 0;                     // the mover's total after this move, whole seconds
  std::vector<std::string> comments;  // remarks written after the move
  friend bool operator==(const RecordedMove&, const RecordedMove&) = default;
};

// How a game stopped, when the record says so.
struct RecordEnd {
  std::string word;    // 投了, 詰み, 中断, 千日手 …; empty when no end line was written
  bool timed = false;  // the end line carried a time
  long seconds = 0, total = 0;
  int winner = 0;  // 先手, 後手, or 0 (a draw, an interruption, unknown)
  friend bool operator==(const RecordEnd&, const RecordEnd&) = default;
};

struct GameRecord {
  // Header lines in the order read (開始日時, 表題, 棋戦 …), without 手合割, 先手 and 後手.
  std::vector<std::pair<std::string, std::string>> headers;
  std::string 先手名, 後手名;
  std::vector<std::string> headComments;  // remarks before the first move
  RecordPosition start = standardStart();
  int firstMoveNumber = 1;
  std::vector<RecordedMove> moves;
  RecordEnd end;

  // The value of a header line, empty when absent.
  std::string header(std::string_view key) const;
  void setHeader(std::string_view key, std::string value);
};

// The rules' view of a record position (MAN is 先手); the history is empty.
GameState stateOf(const RecordPosition& p);
RecordPosition positionOf(const GameState& g);

// The board and hands of a game or a history slot, with 先手 to move.
template <class Holder>
RecordPosition boardAndHandsOf(const Holder& h) {
  RecordPosition p;
  p.盤面 = h.盤面;
  p.持駒先手 = h.持駒MAN;
  p.持駒後手 = h.持駒COM;
  return p;
}

// Every position of the record, the start first, the moves replayed by the rules. A move the
// rules refuse gives its index (from 0) and the reason instead.
struct Replay {
  std::vector<RecordPosition> positions;
  int failedMove = -1;
  std::string reason;
  bool ok() const { return failedMove < 0; }
};
Replay replay(const GameRecord& r);

// The move that leads from one position to the next, found on the boards and hands and checked
// by the rules; nothing when no single legal move of the side to move does it.
std::optional<UsiMove> moveBetween(const RecordPosition& before, const RecordPosition& after);

// A record of the positions given, the moves found between each pair; the index of the first
// pair no move joins, when there is one.
struct FromPositions {
  GameRecord record;
  int brokenAt = -1;  // index of the position no move reaches
};
FromPositions recordFromPositions(const std::vector<RecordPosition>& positions);

// The position turned round: squares mirrored, every piece and hand changes side, and the
// pieces that were to move still are (so the other side value is to move).
RecordPosition turnedRound(const RecordPosition& p);

// The record cut where the official rules end the game: before a move they refuse (one
// leaving its own king attacked, a pawn dropped to give mate), which then ends it as 反則負け
// of the side to move, or at a position with no move left (詰み) or met a fourth time
// (千日手), won by the side those rules name. A record they end nowhere stays as it is.
void endWhereOfficialRulesEnd(GameRecord& r);

// The text of a winner: "先手" or "後手".
std::string_view sideName(int side);

}  // namespace zelk
