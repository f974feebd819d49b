#include "com/probes.h"

#include "core/legality.h"

namespace zelk {

namespace {

bool isComLinePiece(int c) { return c == COM角 || c == COM馬 || c == COM飛 || c == COM龍; }
bool isManLinePiece(int c) { return c == MAN角 || c == MAN馬 || c == MAN飛 || c == MAN龍; }

}  // namespace

void 調査_持角狙座標(GameState& g) {
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) {
      g.角王手座標MAN(x, y) = 0;
      if (g.盤面(x, y) == 0 && g.勢力COM(x, y) == 0 && 移動チェック(g, x, y, g.COM王X, g.COM王Y, MAN角) == 1)
        g.角王手座標MAN(x, y) = 1;
    }
}

void 調査_移動不可駒(GameState& g) {
  g.移動不可COM有 = 0;
  for (int x = 1; x <= 5; ++x) {
    for (int y = 1; y <= 5; ++y) {
      g.移動不可MAN(x, y) = 0;
      const int piece = g.盤面(x, y);
      if (piece == 0) continue;
      g.盤面(x, y) = 0;
      for (int x2 = 1; x2 <= 5; ++x2) {
        for (int y2 = 1; y2 <= 5; ++y2) {
          const int line = g.盤面(x2, y2);
          if (isMan(piece) && isComLinePiece(line) && 移動チェック(g, x2, y2, g.MAN王X, g.MAN王Y, line) == 1)
            g.移動不可MAN(x, y) = 1;
          if (isCom(piece) && isManLinePiece(line) && 移動チェック(g, x2, y2, g.COM王X, g.COM王Y, line) == 1)
            g.移動不可COM有 = 1;
        }
      }
      g.盤面(x, y) = piece;
    }
  }
}

int 調査_移動可場所数(const GameState& g, int X, int Y, int 駒) {
  const Map& opponent = 駒 >= COM歩 ? g.勢力MAN : g.勢力COM;
  int n = 0;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      if (opponent(x, y) == 0 && 移動チェック(g, X, Y, x, y, 駒) == 1) ++n;
  return n;
}

int 調査_自守駒MAN_直進駒(GameState& g, int X, int Y) {
  int result = 0;
  const int piece = g.盤面(X, Y);
  g.盤面(X, Y) = 0;
  for (int y2 = Y + 1; y2 <= 5; ++y2) {
    const int c = g.盤面(X, y2);
    if (isCom(c)) break;
    if (c == MAN飛 || c == MAN龍) {
      result = 移動チェック(g, X, y2, X, Y, c);
      break;
    }
  }
  g.盤面(X, Y) = piece;
  return result;
}

int 調査_周辺状況(const GameState& g, int X, int Y) {
  int result = 0;
  for (int i = X - 1; i <= X + 1; ++i)
    for (int j = Y - 1; j <= Y + 1; ++j)
      if (onBoard(i, j) && !(i == X && j == Y) && g.盤面(i, j) >= COM角) --result;
  return result;
}

}  // namespace zelk
