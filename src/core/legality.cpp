#include "core/legality.h"

#include <cstdlib>

namespace zelk {

namespace {

// One step towards the opponent: up the screen for MAN, down for COM.
constexpr int forwardOf(int code) { return code < 0 ? -1 : 1; }

bool goldStep(int dx, int dy, int fwd) {
  return (std::abs(dx) <= 1 && (dy == fwd || dy == 0)) || (dx == 0 && dy == -fwd);
}

}  // namespace

int 移動チェック(const GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒) {
  if (!onBoard(移動先X, 移動先Y)) return 0;
  if (移動元X == 移動先X && 移動元Y == 移動先Y) return 0;
  const int target = g.盤面(移動先X, 移動先Y);
  if (移動駒 >= COM歩 && isCom(target)) return 0;
  if (移動駒 < COM歩 && isMan(target)) return 0;

  const bool drop = isDropSource(移動元X);
  if (drop) {
    if (target != 0) return 0;
    if (移動駒 == MAN歩 && g.二歩MAN[移動先X] == 1) return 0;
    if (移動駒 == COM歩 && g.二歩COM[移動先X] == 1) return 0;
    if (移動駒 != MAN歩 && 移動駒 != COM歩) return 1;
  }

  const int dx = 移動先X - 移動元X;
  const int dy = 移動先Y - 移動元Y;
  const int fwd = forwardOf(移動駒);
  switch (移動駒) {
    case MAN歩:
    case COM歩:
      if (drop) return (移動駒 == MAN歩 ? 移動先Y != 1 : 移動先Y != 5) ? 1 : 0;
      return (dx == 0 && dy == fwd) ? 1 : 0;
    case MAN銀:
    case COM銀: return (std::abs(dx) <= 1 && (dy == fwd || (dy == -fwd && dx != 0))) ? 1 : 0;
    case MAN金:
    case COM金:
    case MANと:
    case COMと:
    case MAN成銀:
    case COM成銀: return goldStep(dx, dy, fwd) ? 1 : 0;
    case MAN角:
    case COM角: return 移動チェック角(g, 移動元X, 移動元Y, 移動先X, 移動先Y);
    case MAN馬:
    case COM馬:
      if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return 1;
      return 移動チェック角(g, 移動元X, 移動元Y, 移動先X, 移動先Y);
    case MAN飛:
    case COM飛: return 移動チェック飛車(g, 移動元X, 移動元Y, 移動先X, 移動先Y);
    case MAN龍:
    case COM龍:
      if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return 1;
      return 移動チェック飛車(g, 移動元X, 移動元Y, 移動先X, 移動先Y);
    case MAN王:
    case COM王: return (std::abs(dx) <= 1 && std::abs(dy) <= 1) ? 1 : 0;
    default: return 1;  // no such code stands on the board
  }
}

int 移動チェック飛車(const GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) {
  if (移動元X != 移動先X && 移動元Y != 移動先Y) return 0;
  if (移動元Y != 移動先Y) {
    const int step = 移動先Y > 移動元Y ? 1 : -1;
    for (int y = 移動元Y + step; y != 移動先Y; y += step)
      if (g.盤面(移動先X, y) != 0) return 0;
  }
  if (移動元X != 移動先X) {
    const int step = 移動先X > 移動元X ? 1 : -1;
    for (int x = 移動元X + step; x != 移動先X; x += step)
      if (g.盤面(x, 移動先Y) != 0) return 0;
  }
  return 1;
}

int 移動チェック角(const GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) {
  const bool falling = 移動元X - 移動元Y == 移動先X - 移動先Y;
  const bool rising = 移動元X + 移動元Y == 移動先X + 移動先Y;
  if (!falling && !rising) return 0;
  const bool up = 移動元Y > 移動先Y;
  // Rising diagonals go right when moving up; falling diagonals go left.
  const int sx = rising ? (up ? 1 : -1) : (up ? -1 : 1);
  const int sy = up ? -1 : 1;
  for (int k = 1;; ++k) {
    const int x = 移動元X + sx * k;
    if (sx > 0 ? x >= 移動先X : x <= 移動先X) break;
    if (g.盤面(x, 移動元Y + sy * k) != 0) return 0;
  }
  return 1;
}

void 調査_2歩フラグ設定(GameState& g) {
  for (int x = 1; x <= 5; ++x) {
    g.二歩MAN[x] = 0;
    g.二歩COM[x] = 0;
    for (int y = 1; y <= 5; ++y) {
      if (g.盤面(x, y) == MAN歩) g.二歩MAN[x] = 1;
      if (g.盤面(x, y) == COM歩) g.二歩COM[x] = 1;
    }
  }
}

int canPromote(int 移動元X, int 移動元Y, int 移動先Y, int 移動駒) {
  if (isDropSource(移動元X)) return 0;
  switch (移動駒) {
    case MAN歩: return 移動先Y == 1 ? 1 : 0;
    case MAN銀:
    case MAN角:
    case MAN飛: return (移動先Y == 1 || 移動元Y == 1) ? 1 : 0;
    case COM歩: return 移動先Y == 5 ? 1 : 0;
    case COM銀:
    case COM角:
    case COM飛: return (移動先Y == 5 || 移動元Y == 5) ? 1 : 0;
    default: return 0;
  }
}

int 調査_駒成(GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒) {
  (void)移動先X;  // the file plays no part in promotion
  if (canPromote(移動元X, 移動元Y, 移動先Y, 移動駒) == 0) return 0;
  g.成駒 = 移動駒 < 0 ? 移動駒 - 1 : 移動駒 + 1;
  return 1;
}

int 移動後チェック(int 移動先Y, int 移動駒) {
  if (移動駒 == COM歩 && 移動先Y == 5) return 0;
  if (移動駒 == MAN歩 && 移動先Y == 1) return 0;
  return 1;
}

}  // namespace zelk
