#include "core/mate.h"

#include <cstdlib>

#include "core/influence_survey.h"
#include "core/legality.h"

namespace zelk {

namespace {

// The sides of a mate test: the defender's king, hand and pieces, the attacker's reach.
struct MateSides {
  int king, placeholder;
  int kx, ky;
  int handTotal, handPawns;
  bool (*isDefender)(int);  // board pieces that may capture or block (not the king)
};

bool manNonKing(int c) { return c >= MAN龍 && c <= MAN歩; }
bool comNonKing(int c) { return c >= COM歩 && c <= COM龍; }

// Does any piece marked 9 in the check map still reach the king?
bool checkerStillReaches(const GameState& g, const Map& checks, const MateSides& s) {
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      if (checks(x, y) == 9 && 移動チェック(g, x, y, s.kx, s.ky, g.盤面(x, y)) == 1) return true;
  return false;
}

// Step 2: can a drop between a distant checker and the king lift the check? A hand of pawns
// alone is never credited with an interposition.
bool dropBlocks(GameState& g, const Map& checks, const MateSides& s) {
  if (s.handTotal <= 0) return false;
  for (int x = 1; x <= 5; ++x) {
    for (int y = 1; y <= 5; ++y) {
      const int mark = checks(x, y);
      if (mark == 9 && std::abs(x - s.kx) < 2 && std::abs(y - s.ky) < 2) return false;
      if (mark != 1) continue;
      g.盤面(x, y) = s.placeholder;
      if (s.handTotal == s.handPawns) g.盤面(x, y) = 0;
      const bool reaches = checkerStillReaches(g, checks, s);
      g.盤面(x, y) = 0;
      if (reaches) return false;
    }
  }
  return true;
}

// Step 3: an adjacent square the king may step to that the attacker does not reach.
bool kingFlees(const GameState& g, const Map& attackerReach, const MateSides& s) {
  for (int x = s.kx - 1; x <= s.kx + 1; ++x)
    for (int y = s.ky - 1; y <= s.ky + 1; ++y)
      if (onBoard(x, y) && 移動チェック(g, s.kx, s.ky, x, y, s.king) == 1 && attackerReach(x, y) == 0) return true;
  return false;
}

// Step 4: tries every capture or block by a board piece; `lifted` judges the trial position
// (with the two squares still changed) and the board is put back after each trial.
template <class Lifted>
bool pieceDefends(GameState& g, const Map& checks, const MateSides& s, Lifted lifted) {
  for (int x1 = 1; x1 <= 5; ++x1) {
    for (int y1 = 1; y1 <= 5; ++y1) {
      const int piece = g.盤面(x1, y1);
      if (!s.isDefender(piece)) continue;
      for (int x2 = 1; x2 <= 5; ++x2) {
        for (int y2 = 1; y2 <= 5; ++y2) {
          if ((x2 == x1 && y2 == y1) || checks(x2, y2) <= 0) continue;
          if (移動チェック(g, x1, y1, x2, y2, piece) != 1) continue;
          const int saved = g.盤面(x2, y2);
          g.盤面(x2, y2) = piece;
          g.盤面(x1, y1) = 0;
          const bool ok = lifted();
          g.盤面(x1, y1) = piece;
          g.盤面(x2, y2) = saved;
          if (ok) return true;
        }
      }
    }
  }
  return false;
}

}  // namespace

int 詰めかMAN_COM移動(const GameState& g) {
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      if (isCom(g.盤面(x, y)) && 移動チェック(g, x, y, g.MAN王X, g.MAN王Y, g.盤面(x, y)) == 1) return 1;
  return 0;
}

int 詰めかMAN(GameState& g) {
  if (g.勢力COM(g.MAN王X, g.MAN王Y) == 0) return 0;
  const MateSides s{MAN王, MAN歩, g.MAN王X, g.MAN王Y, g.持駒数MAN, g.持駒MAN(1), manNonKing};
  if (dropBlocks(g, g.王手駒COM, s)) return 0;
  if (kingFlees(g, g.勢力COM, s)) return 0;
  if (pieceDefends(g, g.王手駒COM, s, [&] { return 詰めかMAN_COM移動(g) == 0; })) return 0;
  return 1;
}

int 詰めかCOM(GameState& g) {
  if (g.勢力MAN(g.COM王X, g.COM王Y) == 0) return 0;
  const MateSides s{COM王, COM歩, g.COM王X, g.COM王Y, g.持駒数COM, g.持駒COM(1), comNonKing};
  if (dropBlocks(g, g.王手駒MAN, s)) return 0;
  if (kingFlees(g, g.勢力MAN, s)) return 0;
  // Each trial is surveyed, so the maps of the position under test are kept aside: the loop
  // reads its check map, and the caller gets them back unchanged.
  const InfluenceMaps before = g;
  const bool defended = pieceDefends(g, before.王手駒MAN, s, [&] {
    勢力調査(g);
    return g.勢力MAN(g.COM王X, g.COM王Y) == 0;
  });
  static_cast<InfluenceMaps&>(g) = before;
  return defended ? 0 : 1;
}

int 調査_自王逃道(const GameState& g) {
  static constexpr int steps[8][2] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}};
  int n = 0;
  for (const auto& d : steps) {
    const int x = g.MAN王X + d[0], y = g.MAN王Y + d[1];
    if (onBoard(x, y) && g.盤面(x, y) == 0 && g.勢力COM(x, y) == 0) ++n;
  }
  return n;
}

}  // namespace zelk
