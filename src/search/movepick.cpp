#include "search/movepick.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>

#include "search/evaluation.h"

namespace zelk::search {

namespace {

constexpr int kTableMoveOrder = 1 << 30;
constexpr int kCaptureOrder = 1 << 20;
constexpr int kKillerOrder = 1 << 19;

// The cut's move gains by the depth, the moves tried in vain before it lose as much; each
// record drawn back toward 0 the further it stands from it, so it stays within ±16 384.
template <class Cell>
void rewardMoves(Move best, int depth, const Move* tried, int triedCount, Cell cell) {
  const int bonus = std::min(depth * depth, 400);
  auto update = [&](Move q, int b) {
    auto& h = cell(q);
    h = static_cast<std::remove_reference_t<decltype(h)>>(h + b - h * std::abs(b) / 16384);
  };
  update(best, bonus);
  for (int i = 0; i < triedCount; ++i)
    if (tried[i] != best) update(tried[i], -bonus);
}

}  // namespace

void MoveHistory::clear() {
  for (auto& side : table_)
    for (auto& row : side)
      for (int& h : row) h = 0;
}

void MoveHistory::reward(int side, Move best, int depth, const Move* tried, int triedCount) {
  rewardMoves(best, depth, tried, triedCount, [&](Move q) -> int& { return table_[side][moveFrom(q)][moveTo(q)]; });
}

void ContinuationHistory::reward(ContinuationTable* t, const Position& p, Move best, int depth, const Move* tried,
                                 int triedCount) {
  rewardMoves(best, depth, tried, triedCount,
              [&](Move q) -> std::int16_t& { return t->score[p.movingPiece(q)][moveTo(q)]; });
}

MovePicker::MovePicker(const Position& p, MoveList& list, Move tableMove, const Move (&killers)[2],
                       const MoveHistory& history, Move counter, const ContinuationTable* before1,
                       const ContinuationTable* before2)
    : list_(list) {
  const int us = p.sideToMove();
  for (int i = 0; i < list.size; ++i) {
    const Move m = list.moves[i];
    if (m == tableMove) {
      scores_[i] = kTableMoveOrder;
      continue;
    }
    const Piece victim = p.capturedBy(m);
    const int mover = typeOf(p.movingPiece(m));
    if (victim || isPromotion(m)) {
      int s = kCaptureOrder + (victim ? pieceValue(typeOf(victim)) * 16 - mover : 0);
      if (isPromotion(m)) s += pieceValue(mover + kPromotion) - pieceValue(mover);
      scores_[i] = s;
    } else if (m == killers[0]) {
      scores_[i] = kKillerOrder + 1;
    } else if (m == killers[1]) {
      scores_[i] = kKillerOrder;
    } else if (m == counter) {
      scores_[i] = kKillerOrder - 1;
    } else {
      int s = history.of(us, m);
      if (before1) s += before1->score[p.movingPiece(m)][moveTo(m)];
      if (before2) s += before2->score[p.movingPiece(m)][moveTo(m)];
      scores_[i] = s;
    }
  }
}

Move MovePicker::next() {
  if (next_ >= list_.size) return kNoMove;
  // The best-scored of the moves not given yet; the first of equals.
  const int i = next_++;
  int best = i;
  for (int j = i + 1; j < list_.size; ++j)
    if (scores_[j] > scores_[best]) best = j;
  std::swap(list_.moves[i], list_.moves[best]);
  std::swap(scores_[i], scores_[best]);
  return list_.moves[i];
}

}  // namespace zelk::search
