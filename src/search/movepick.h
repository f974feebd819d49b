#pragma once
// The order moves are tried in: the table's move first, then captures and promotions (the
// most valuable victim by the least valuable attacker, plus what a promotion gains), then the
// two killers of the ply, the move that last refuted the opponent's move, then quiet moves by
// their history, alone or with how they fared after the last two moves. A good order is most
// of what makes alpha-beta cut.

#include <cstdint>
#include <vector>

#include "search/movegen.h"
#include "search/position.h"

namespace zelk::search {

// What the search has learnt about quiet moves: how often each from-to move of a side cut
// the search off, less how often it was tried in vain.
class MoveHistory {
public:
  void clear();
  int of(int side, Move m) const { return table_[side][moveFrom(m)][moveTo(m)]; }
  // The quiet move `best` cut at `depth`; the quiet moves tried before it did not.
  void reward(int side, Move best, int depth, const Move* tried, int triedCount);

private:
  int table_[2][30][kSquares] = {};
};

// The same for a quiet move after a given earlier move: how it fared, by the piece that moves
// and where to, after each piece's move to each square. The search keeps one for the
// opponent's last move and one for its own move before.
struct ContinuationTable {
  std::int16_t score[32][kSquares] = {};
};
class ContinuationHistory {
public:
  void clear() { table_.assign(table_.size(), ContinuationTable{}); }
  ContinuationTable* after(Piece moved, int to) { return &table_[moved * kSquares + to]; }
  // The quiet move `best` of `p` cut; the quiet moves tried before it did not.
  static void reward(ContinuationTable* t, const Position& p, Move best, int depth, const Move* tried, int triedCount);

private:
  std::vector<ContinuationTable> table_ = std::vector<ContinuationTable>(32 * kSquares);  // 1.3 MB, off the stack
};

class MovePicker {
public:
  // Orders the moves of `list`, which the picker reorders in place as it goes.
  MovePicker(const Position& p, MoveList& list, Move tableMove, const Move (&killers)[2], const MoveHistory& history,
             Move counter = kNoMove, const ContinuationTable* before1 = nullptr,
             const ContinuationTable* before2 = nullptr);
  // The next move in order, or kNoMove when every move has been given.
  Move next();

private:
  MoveList& list_;
  int scores_[MoveList::kCapacity];
  int next_ = 0;
};

}  // namespace zelk::search
