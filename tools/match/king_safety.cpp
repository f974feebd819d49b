#include "king_safety.h"

#include "core/perft.h"

namespace zelk::match {

bool kingEnPrise(GameState& g) {
  const int king = g.手番 == g.MAN手番 ? COM王 : MAN王;
  for (const UsiMove& m : generateMoves(g))
    if (g.盤面(m.toX, m.toY) == king) return true;
  return false;
}

bool mated(GameState& g) {
  for (const UsiMove& m : generateMoves(g)) {
    GameState after = g;
    playUsiMove(after, m);
    if (after.勝者 != 0 || !kingEnPrise(after)) return false;
  }
  return true;
}

}  // namespace zelk::match
