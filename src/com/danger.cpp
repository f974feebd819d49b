#include "com/danger.h"

#include <algorithm>
#include <cstdlib>

#include "core/legality.h"
#include "com/probes.h"

namespace zelk {

namespace {

bool manHoldsMajor(const GameState& g) { return g.持駒MAN(4) > 0 || g.持駒MAN(5) > 0; }

bool undefendedCom(const GameState& g, int x, int y) { return isCom(g.盤面(x, y)) && g.勢力COM(x, y) == 0; }

Score emptySquare(GameState& g, int X, int Y) {
  Score r = 0;
  const int att = g.勢力MAN(X, Y), def = g.勢力COM(X, Y);
  if (att > 0) {
    if (std::abs(X - g.COM王X) < 2 && std::abs(Y - g.COM王Y) < 2) {  // E1: next to the COM king
      r -= 5 * att;
      if (def == 1 && att > 1) r -= points(10);
      if (manHoldsMajor(g)) r -= points(10);
    }
    if (def == 0 && Y < 4) {  // E2
      r -= 1;
      if (調査_自守駒MAN_直進駒(g, X, Y) == 1) r -= points(10);
    }
    if (Y < 4 && g.盤面(X, Y + 1) == MAN歩 && att >= def) {  // E3
      r -= points(30);
      if (調査_自守駒MAN_直進駒(g, X, Y + 1) == 1) r -= points(70);
    }
  }
  if (g.持駒数MAN <= 0) return r;
  const bool weak = att > 0 || def == 0;
  if (g.持駒MAN(2) > 0 && Y > 2 && isCom(g.盤面(X, Y - 1)) && weak) {  // E4a: a silver fork upwards
    for (int y = Y - 2; y >= 1; --y) {
      const int c = g.盤面(X, y);
      if (c == 0) continue;
      if (isCom(c)) r -= points(100) + 5 * c;
      break;
    }
  }
  if (g.持駒MAN(3) > 0 && weak && Y > 2 && X >= 2 && X <= 4 &&  // E4b: a gold fork
      g.盤面(X - 1, Y - 2) > COM歩 && g.盤面(X + 1, Y - 2) > COM歩)
    r -= points(20);
  if ((g.持駒MAN(3) > 0 || g.持駒MAN(2) > 0) && def <= 1) {  // E4c
    const int crowd = 調査_周辺状況(g, X, Y);
    if (crowd < -1) r -= points(5);
    if (def == 0 && crowd < 0) {
      r -= points(1);
      if (Y < 4) r -= points(10);
    }
  }
  if (def == 0) {  // E4d
    if (Y == 2 && g.盤面(X, 1) == 0) r -= points(5);
    if (Y < 4) r -= 1;
    if (g.持駒MAN(4) > 0 && Y > 1 && Y < 5 && X >= 2 && X <= 4) {
      if (undefendedCom(g, X - 1, Y - 1) && undefendedCom(g, X + 1, Y + 1)) r -= points(20);
      if (undefendedCom(g, X - 1, Y + 1) && undefendedCom(g, X + 1, Y - 1)) r -= points(20);
    }
  }
  return r;
}

Score comPiece(GameState& g, int X, int Y) {
  Score r = 0;
  const int v = g.盤面(X, Y);
  const int att = g.勢力MAN(X, Y), def = g.勢力COM(X, Y);
  const int weakest = std::abs(g.攻駒MAN(X, Y));
  if (v == COM王 && Y == 1 && g.勢力MAN(X, 2) > 0) {  // C1
    r -= points(50);
    if (g.勢力MAN(X, 2) >= g.勢力COM(X, 2)) r -= points(250);
    if (manHoldsMajor(g)) r -= points(700);
  }
  if (v == COM歩 && g.攻駒MAN(X, Y) == MAN飛 && g.持駒MAN(1) > 0 && att >= def && Y < 5 &&
      g.勢力COM(X, Y + 1) == 1)  // C2
    r -= points(5);
  if (att == 0) return r;
  const bool attackerFree = g.移動不可MAN(g.攻駒MAN_X(X, Y), g.攻駒MAN_Y(X, Y)) == 0;
  if (g.守駒COM(X, Y) == COM王 && (att > 1 || v > weakest)) r -= points(100);  // C3a
  if (attackerFree && v > weakest) r -= points(v - weakest);                   // C3b
  if (def > 0 && attackerFree) {                                               // C3c
    if (att > def && g.守駒COM(X, Y) >= weakest) r -= points(v);
    if (Y <= 3 && def == att && g.盤面(X, Y + 1) != 0 && 調査_自守駒MAN_直進駒(g, X, Y + 1) == 1)
      r -= points(v + std::abs(g.攻駒MAN(X, Y + 1)));
  }
  if (def == 0) {  // C3d
    r -= points(v);
    if (Y <= 3) r -= points(10);
    if (g.前盤面(X, Y) <= MAN歩) r += points(-g.前盤面(X, Y));
    if (Y < 4 && g.攻駒MAN(X, Y) == MAN歩) r -= points(20);
  }
  return r;
}

}  // namespace

Score 盤評価_COM危険座標(GameState& g, int 移動駒, int 移動先X, int 移動先Y) {
  Score r = 0;
  int forks = 0, cheapest = 9999;
  for (int x = 1; x <= 5; ++x) {
    for (int y = 1; y <= 5; ++y) {
      const int c = g.盤面(x, y);
      if (c == 0) {
        r += emptySquare(g, x, y);
      } else if (isCom(c)) {
        r += comPiece(g, x, y);
      } else if (isMan(c)) {
        if (g.勢力COM(x, y) > 0 && g.前勢力COM(x, y) == 0 && std::abs(x - g.COM王X) < 3 &&
            std::abs(y - g.COM王Y) < 3)  // M1: a new attack near the COM king
          r += points(15);
        if ((c == MAN飛 || c == MAN龍) && x == g.COM王X) r -= points(1);  // M2
        if (g.勢力MAN(移動先X, 移動先Y) == 0 && (g.勢力MAN(x, y) == 0 || (x == g.MAN王X && y == g.MAN王Y)) &&
            移動チェック(g, 移動先X, 移動先Y, x, y, 移動駒) == 1) {  // M3: a target of the moved piece
          r += 1;
          ++forks;
          cheapest = std::min(cheapest, -c);
        }
      }
    }
  }
  if (forks > 1) r += points(cheapest);
  return r;
}

Score 盤評価_自角注意_COM(const GameState& g, int 移動先X, int 移動先Y, int 移動駒) {
  int px = 0, py = 0;
  for (int x = 1; x <= 5 && px == 0; ++x)
    for (int y = 1; y <= 5; ++y)
      if (g.角王手座標MAN(x, y) == 1 && (移動チェック(g, 移動先X, 移動先Y, x, y, MAN角) == 1 ||
                                         移動チェック(g, 移動先X, 移動先Y, x, y, MAN馬) == 1)) {
        px = x, py = y;
        break;
      }
  if (px == 0) return 0;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) {
      const int c = g.盤面(x, y);
      if ((c == MAN角 || c == MAN馬) && 移動チェック(g, x, y, px, py, c) == 1) return points(移動駒);
    }
  if (g.持駒MAN(4) > 0 && g.盤面(px, py) == 0) return points(移動駒);
  return 0;
}

}  // namespace zelk
