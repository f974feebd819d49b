#include "search/exchange.h"

#include <algorithm>

#include "search/evaluation.h"

namespace zelk::search {

namespace {
constexpr int kKingValue = 100000;  // the king takes last
}  // namespace

int exchangeGain(const Position& p, Move m) {
  const int to = moveTo(m);
  Bitboard occ = p.occupied();
  int moverValue = pieceValue(typeOf(p.movingPiece(m)));
  int gain[32];
  gain[0] = p.capturedBy(m) ? pieceValue(typeOf(p.capturedBy(m))) : 0;
  if (isPromotion(m)) {
    const int promoted = pieceValue(typeOf(p.movingPiece(m)) + kPromotion);
    gain[0] += promoted - moverValue;
    moverValue = promoted;
  }
  if (!isDrop(m)) occ &= ~bit(moveFrom(m));
  int side = opposite(p.sideToMove());
  int d = 0;
  for (;;) {
    const Bitboard attackers = p.attackersTo(to, side, occ) & occ;
    if (!attackers) break;
    // The least valuable piece takes next.
    int from = -1, value = 0;
    for (Bitboard a = attackers; a;) {
      const int s = popFirst(a);
      const int t = typeOf(p.at(s));
      const int v = t == kKing ? kKingValue : pieceValue(t);
      if (from < 0 || v < value) from = s, value = v;
    }
    occ &= ~bit(from);
    // A king takes only where nothing takes it back.
    if (value == kKingValue && (p.attackersTo(to, opposite(side), occ) & occ)) break;
    ++d;
    gain[d] = moverValue - gain[d - 1];
    if (d == 31) break;
    moverValue = value;
    side = opposite(side);
  }
  while (d > 0) {
    gain[d - 1] = -std::max(-gain[d - 1], gain[d]);
    --d;
  }
  return gain[0];
}

}  // namespace zelk::search
