#include "core/perft.h"

#include "core/legality.h"
#include "core/official_rules.h"

namespace zelk {

namespace {

bool kingOnBoard(const GameState& g, int king) {
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      if (g.盤面(x, y) == king) return true;
  return false;
}

}  // namespace

std::vector<UsiMove> generateMoves(GameState& g) {
  std::vector<UsiMove> moves;
  if (g.手番 == 0 || g.勝者 != 0) return moves;
  const bool man = g.手番 == g.MAN手番;
  if (!kingOnBoard(g, man ? MAN王 : COM王)) return moves;
  for (int fx = 1; fx <= 5; ++fx) {
    for (int fy = 1; fy <= 5; ++fy) {
      const int piece = g.盤面(fx, fy);
      if (man ? !isMan(piece) : !isCom(piece)) continue;
      for (int tx = 1; tx <= 5; ++tx) {
        for (int ty = 1; ty <= 5; ++ty) {
          if (合法手チェック(g, fx, fy, tx, ty, piece) != 1) continue;
          const UsiMove m{fx, fy, tx, ty, 0, false};
          if (移動後チェック(ty, piece) == 1) moves.push_back(m);
          if (canPromote(fx, fy, ty, piece) == 1) moves.push_back({fx, fy, tx, ty, 0, true});
        }
      }
    }
  }
  調査_2歩フラグ設定(g);
  const Hand& hand = man ? g.持駒MAN : g.持駒COM;
  for (int kind = 1; kind <= 5; ++kind) {
    if (hand(kind) <= 0) continue;
    const int piece = man ? kManHandCodes[kind] : kComHandCodes[kind];
    for (int tx = 1; tx <= 5; ++tx)
      for (int ty = 1; ty <= 5; ++ty)
        if (合法手チェック(g, man ? kManHandColumn : kComHandColumn, kind, tx, ty, piece) == 1)
          moves.push_back({0, 0, tx, ty, kind, false});
  }
  return moves;
}

std::uint64_t perft(GameState& g, int depth) {
  if (depth <= 0) return 1;
  const std::vector<UsiMove> moves = generateMoves(g);
  if (depth == 1) return moves.size();
  std::uint64_t total = 0;
  for (const UsiMove& m : moves) {
    GameState child = g;
    if (playUsiMove(child, m)) continue;  // generated moves always play
    total += perft(child, depth - 1);
  }
  return total;
}

}  // namespace zelk
