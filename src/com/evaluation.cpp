#include "com/evaluation.h"

#include <cstdlib>

#include "core/legality.h"
#include "core/mate.h"
#include "com/danger.h"
#include "com/probes.h"

namespace zelk {

namespace {

struct Candidate {
  int cap, pc, fx, fy, tx, ty, kx, ky;
  bool drop;
  bool attacked, defended;  // the destination T
  int ax, ay;               // square of the weakest MAN piece reaching T
  bool nearKing(int d) const { return std::abs(tx - kx) < d && std::abs(ty - ky) < d; }
  bool inKingLine() const { return tx == kx || ty == ky; }
};

bool onlyKingTakesDefended(const GameState& g, const Candidate& c) {
  return g.攻駒MAN(c.tx, c.ty) == MAN王 && c.defended;
}

// The patterns of the piece now on the destination; they add to s and may end the score.
Score piecePatterns(GameState& g, const Candidate& c, Score s) {
  const int tx = c.tx, ty = c.ty;
  switch (c.pc) {
    case COM歩: {
      if (ty < 5) {
        const int front = g.盤面(tx, ty + 1);
        if (front == COM金) s += 5;
        else if (front == COM飛) s -= points(1);
        if (front < MAN歩 && 調査_移動可場所数(g, tx, ty + 1, front) == 0) s += points(-front);
      }
      if (c.defended && tx > 1 && tx < 5 && (g.盤面(tx + 1, ty) == COM飛 || g.盤面(tx - 1, ty) == COM飛))
        s -= points(1);
      if (c.drop) {
        if (!c.defended && ty > 1 && g.盤面(tx, ty - 1) >= COM銀 && (g.持駒MAN(1) > 0 || g.持駒MAN(2) > 0))
          s += points(6);
        if (!(g.勢力MAN(c.ax, c.ay) == 0 && g.前勢力COM(c.ax, c.ay) > 0) && c.defended && g.攻駒MAN(tx, ty) == MAN飛 &&
            c.ax == tx && ty < c.ay)  // the pawn blocks the rook's file
          s += points(120);
        return s;
      }
      s -= 1;
      if (g.守駒COM(tx, ty) == COM金 || g.守駒COM(tx, ty) == COM銀) s += 6;
      if (ty > 3) return s;
      if (g.守駒COM(tx, ty) == COM飛 && g.守駒COM_X(tx, ty) == tx && g.勢力COM(tx, ty) >= g.勢力MAN(tx, ty) &&
          g.守駒COM_Y(tx, ty) < ty)  // the rook backs the pawn from behind
        s += points(2);
      if (isMan(c.cap) && g.勢力COM(c.fx, c.fy) == 1) {
        if (ty > 2 && g.盤面(tx, ty - 2) == COM角) s -= points(5);
        else s += points(5);
      }
      if (c.cap == MAN歩 && g.攻駒MAN(tx, ty) == MAN飛 && g.勢力COM(c.fx, c.fy) < 2) s += points(50);
      const int front = g.盤面(tx, ty + 1);
      if (isMan(front)) {
        if (g.勢力COM(tx, ty) > g.勢力MAN(tx, ty)) return s + points(1);
        if (front == MAN歩) return s - points(5);
        if (c.defended) {
          if (g.前勢力MAN(tx, ty + 1) == 0 && g.前勢力COM(tx, ty + 1) > 0) return s - points(1);
          if (g.勢力COM(tx, ty) >= g.勢力MAN(tx, ty)) return s + points(5);
        } else if (!c.attacked) {
          return s + points(1);
        }
      }
      return s;
    }
    case COMと:
      if (g.勢力COM(tx, ty) >= g.勢力MAN(tx, ty)) s += points(1);
      return s;
    case COM金:
      if (ty > c.fy && tx != c.fx) s -= 5;
      return s;
    case COM角:
      s += points(調査_周辺状況(g, tx, ty));
      if (ty < 5 && g.勢力MAN(tx, ty + 1) > 0 && 調査_移動可場所数(g, tx, ty, COM角) == 0) s -= points(100);
      return s;
    case COM馬: return s + points(調査_周辺状況(g, tx, ty));
    case COM飛:
      s += points(調査_周辺状況(g, tx, ty));
      if (c.drop) {
        if (ty == 5 && g.盤面(tx, 4) == MAN銀 && tx > 1 && tx < 5 &&
            ((g.盤面(tx - 1, 5) != 0 && g.盤面(tx + 1, 4) == MAN金) ||
             (g.盤面(tx + 1, 5) != 0 && g.盤面(tx - 1, 4) == MAN金)))
          s -= points(1);
        return s;
      }
      if (c.fx == 2 && c.fy == 2 && tx == 2 && ty == 3 && g.勢力MAN(2, 2) == 0) s -= points(1);
      if (!c.attacked || onlyKingTakesDefended(g, c)) {
        if (調査_移動可場所数(g, tx, ty, COM飛) <= 1) return s - points(35);
        if (c.inKingLine() && c.nearKing(3)) return s + points(100);
      }
      return s;
    case COM龍:
      s += points(調査_周辺状況(g, tx, ty));
      if (g.盤面(tx, ty - 1) == MAN銀 && tx > 1 && tx < 5 &&
          ((g.盤面(tx - 1, ty) != 0 && g.盤面(tx + 1, ty - 1) == MAN金) ||
           (g.盤面(tx + 1, ty) != 0 && g.盤面(tx - 1, ty - 1) == MAN金)))
        s -= points(10);
      if ((!c.attacked || onlyKingTakesDefended(g, c)) && c.inKingLine() && c.nearKing(3)) s += points(100);
      return s;
    case COM王:
      if (ty > 3) s -= points(15 + ty);
      if (tx != 5) s += points(1);
      if (g.移動不可COM有 == 1) s += points(10);
      if (g.勢力COM(tx, ty) > g.前勢力COM(tx, ty)) s += points(1);
      if (調査_移動可場所数(g, tx, ty, COM王) < 2) s -= points(20);
      return s;
    default: return s;  // a silver has no pattern
  }
}

}  // namespace

Score 盤評価(GameState& g, int 取得駒, int 移動駒, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y) {
  if (取得駒 == MAN王) return kMateCaptureKing;
  if (g.勢力MAN(g.COM王X, g.COM王Y) >= 1) return kMateRefused;

  Candidate c{取得駒,
              移動駒,
              移動元X,
              移動元Y,
              移動先X,
              移動先Y,
              g.MAN王X,
              g.MAN王Y,
              移動元X<0, g.勢力MAN(移動先X, 移動先Y)> 0,
              g.勢力COM(移動先X, 移動先Y) > 0,
              g.攻駒MAN_X(移動先X, 移動先Y),
              g.攻駒MAN_Y(移動先X, 移動先Y)};
  const int tx = c.tx, ty = c.ty, kx = c.kx, ky = c.ky, pc = c.pc;
  const bool check = g.勢力COM(kx, ky) > 0;
  const int weakest = std::abs(g.攻駒MAN(tx, ty));
  Score s = 0;

  if (check) {
    if (詰めかMAN(g) == 1) return pc == COM歩 ? kMateRefused : kMateGiven;
    if (g.攻駒MAN(tx, ty) == MAN王 && c.defended) s += points(100);
    if (g.勢力MAN(tx, ty) <= 2 && g.守駒COM(tx, ty) == COM龍 && tx != kx && ty != ky && c.nearKing(2) &&
        (g.守駒COM_X(tx, ty) == kx || g.守駒COM_Y(tx, ty) == ky))
      s += points(900);
    if (!c.attacked) s += points(10);
  }

  if (c.drop) s -= points(5);
  else if (pc > g.候補駒) s += points(10);

  s += 盤評価_COM危険座標(g, pc, tx, ty);

  // A pinned attacker: taking the moved piece would open the line to the MAN king.
  if (g.勢力MAN(c.ax, c.ay) > 0 && g.移動不可MAN(c.ax, c.ay) == 1 &&
      (g.勢力MAN(tx, ty) == 1 || (g.勢力MAN(tx, ty) == 2 && check && c.defended)) &&
      ((c.ax == kx && tx != kx) || (c.ay == ky && ty != ky) || (c.inKingLine() && c.ax != kx && c.ay != ky)) &&
      移動チェック(g, tx, ty, c.ax, c.ay, g.候補駒) == 1 &&
      (c.drop || g.盤面(g.前攻駒COM_X(c.ax, c.ay), g.前攻駒COM_Y(c.ax, c.ay)) != 0))
    s += points(std::abs(g.盤面(c.ax, c.ay)));

  if (!c.attacked) {
    if (pc != COM角 && pc != COM馬 && pc != COM王 && pc != COM歩) s -= 盤評価_自角注意_COM(g, tx, ty, pc);
    if ((pc >= COM角 && pc <= COM龍) || c.nearKing(3)) {
      const int n = 調査_自王逃道(g);
      if (g.自王逃道数 > n) s += points(g.自王逃道数 - n);
    }
  } else if (c.defended) {
    if (pc > weakest) s += points(weakest - pc);
    if (g.攻駒MAN(tx, ty) == MAN王 && check && ty < ky) s += points(pc);
  } else if (c.drop) {
    s -= points(pc + 50);
  }

  if (取得駒 != 0) {
    const int value = std::abs(取得駒);
    if ((取得駒 == MAN角 || 取得駒 == MAN馬 || 取得駒 == MAN飛 || 取得駒 == MAN龍) && pc <= COM金) s += points(value);
    if (g.レベル == 1) return s;
    if (c.attacked) {
      if (c.defended) {
        if (pc < weakest) s += points(value);
      } else if (g.前勢力MAN(c.fx, c.fy) > 0 && 調査_移動可場所数(g, c.fx, c.fy, pc) == 0) {
        s += points(value);  // the piece had nowhere else to go
      }
    } else {
      s += points(value);
      if (取得駒 == MANと) s += points(50);
    }
  }

  if (g.レベル == 2 || pc == COM成銀) return s;
  return piecePatterns(g, c, s);
}

}  // namespace zelk
