#include "core/influence_record.h"
#include "core/influence_survey.h"

namespace zelk {

namespace survey {

void walkLine(GameState& g, int c, bool man, int x, int y, int dx, int dy) {
  const int enemyKing = man ? COM王 : MAN王;
  Map& checks = man ? g.王手駒MAN : g.王手駒COM;
  for (int tx = x + dx, ty = y + dy; onBoard(tx, ty); tx += dx, ty += dy) {
    if (man) recordMan(g, c, x, y, tx, ty, false);
    else recordCom(g, c, x, y, tx, ty, kComLine);
    const int t = g.盤面(tx, ty);
    if (t == 0) continue;
    if (t != enemyKing) return;
    // The squares between the line piece and the king, then the piece itself.
    for (int bx = tx - dx, by = ty - dy; bx != x || by != y; bx -= dx, by -= dy) checks(bx, by) = 1;
    checks(x, y) = 9;
  }
}

}  // namespace survey

using survey::walkLine;

void 勢力確定上直進(GameState& g, int 駒, int X, int Y) { walkLine(g, 駒, 駒 < 0, X, Y, 0, -1); }
void 勢力確定下直進(GameState& g, int 駒, int X, int Y) { walkLine(g, 駒, 駒 < 0, X, Y, 0, 1); }
void 勢力確定右直進(GameState& g, int 駒, int X, int Y) { walkLine(g, 駒, 駒 < 0, X, Y, 1, 0); }
void 勢力確定左直進(GameState& g, int 駒, int X, int Y) { walkLine(g, 駒, 駒 < 0, X, Y, -1, 0); }

void 勢力確定敵角(GameState& g, int 駒, int X, int Y) {
  walkLine(g, 駒, false, X, Y, -1, -1);
  walkLine(g, 駒, false, X, Y, 1, -1);
  walkLine(g, 駒, false, X, Y, -1, 1);
  walkLine(g, 駒, false, X, Y, 1, 1);
}

void 勢力確定自角(GameState& g, int X, int Y) {
  walkLine(g, MAN角, true, X, Y, -1, -1);
  walkLine(g, MAN角, true, X, Y, 1, -1);
  walkLine(g, MAN角, true, X, Y, -1, 1);
  walkLine(g, MAN角, true, X, Y, 1, 1);
}

void 勢力確定敵金(GameState& g, int X, int Y) {
  static constexpr int steps[6][2] = {{0, -1}, {0, 1}, {-1, 1}, {1, 1}, {-1, 0}, {1, 0}};
  for (const auto& s : steps) {
    const int tx = X + s[0], ty = Y + s[1];
    if (!onBoard(tx, ty)) continue;
    // Gold-movers are recorded as golds, without their square, and never as attackers.
    survey::recordCom(g, COM金, X, Y, tx, ty, {true, false, false, false, true});
  }
}

void 勢力確定自金(GameState& g, int 駒, int X, int Y) {
  static constexpr int steps[6][2] = {{0, -1}, {-1, -1}, {1, -1}, {0, 1}, {-1, 0}, {1, 0}};
  for (const auto& s : steps) {
    const int tx = X + s[0], ty = Y + s[1];
    if (onBoard(tx, ty)) survey::recordMan(g, 駒, X, Y, tx, ty, true);
  }
}

}  // namespace zelk
