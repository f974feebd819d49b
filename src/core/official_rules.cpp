#include "core/official_rules.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "core/legality.h"

namespace zelk {

namespace {

bool isPawn(int code) { return code == MAN歩 || code == COM歩; }

// Puts the two-pawn flags back as they were when it was made.
class PawnFlagsKept {
public:
  explicit PawnFlagsKept(GameState& g) : g_(g) {
    std::copy(std::begin(g.二歩MAN), std::end(g.二歩MAN), man_);
    std::copy(std::begin(g.二歩COM), std::end(g.二歩COM), com_);
  }
  ~PawnFlagsKept() {
    std::copy(std::begin(man_), std::end(man_), g_.二歩MAN);
    std::copy(std::begin(com_), std::end(com_), g_.二歩COM);
  }
  PawnFlagsKept(const PawnFlagsKept&) = delete;
  PawnFlagsKept& operator=(const PawnFlagsKept&) = delete;

private:
  GameState& g_;
  int man_[6], com_[6];
};

bool samePosition(const HistorySlot& s, const GameState& g) {
  return s.盤面 == g.盤面 && s.持駒MAN == g.持駒MAN && s.持駒COM == g.持駒COM;
}

}  // namespace

bool kingAttacked(const GameState& g, bool man) {
  const int king = man ? MAN王 : COM王;
  int kx = 0, ky = 0;
  for (int x = 1; x <= 5 && kx == 0; ++x)
    for (int y = 1; y <= 5; ++y)
      if (g.盤面(x, y) == king) {
        kx = x, ky = y;
        break;
      }
  if (kx == 0) return false;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) {
      const int piece = g.盤面(x, y);
      if ((man ? isCom(piece) : isMan(piece)) && 移動チェック(g, x, y, kx, ky, piece) == 1) return true;
    }
  return false;
}

int 王手放置チェック(GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒) {
  const bool drop = isDropSource(移動元X);
  const int captured = g.盤面(移動先X, 移動先Y);
  const int source = drop ? 0 : g.盤面(移動元X, 移動元Y);
  if (!drop) g.盤面(移動元X, 移動元Y) = 0;
  g.盤面(移動先X, 移動先Y) = 移動駒;
  const bool attacked = kingAttacked(g, isMan(移動駒));
  g.盤面(移動先X, 移動先Y) = captured;
  if (!drop) g.盤面(移動元X, 移動元Y) = source;
  return attacked ? 1 : 0;
}

bool hasSafeMove(GameState& g, bool man) {
  for (int fx = 1; fx <= 5; ++fx)
    for (int fy = 1; fy <= 5; ++fy) {
      const int piece = g.盤面(fx, fy);
      if (man ? !isMan(piece) : !isCom(piece)) continue;
      for (int tx = 1; tx <= 5; ++tx)
        for (int ty = 1; ty <= 5; ++ty)
          if (移動チェック(g, fx, fy, tx, ty, piece) == 1 && 王手放置チェック(g, fx, fy, tx, ty, piece) == 0)
            return true;
    }
  const Hand& hand = man ? g.持駒MAN : g.持駒COM;
  const PawnFlagsKept kept(g);
  調査_2歩フラグ設定(g);
  const int column = man ? kManHandColumn : kComHandColumn;
  for (int kind = 1; kind <= 5; ++kind) {
    if (hand(kind) <= 0) continue;
    const int piece = man ? kManHandCodes[kind] : kComHandCodes[kind];
    for (int tx = 1; tx <= 5; ++tx)
      for (int ty = 1; ty <= 5; ++ty)
        if (移動チェック(g, column, kind, tx, ty, piece) == 1 && 王手放置チェック(g, column, kind, tx, ty, piece) == 0)
          return true;
  }
  return false;
}

int 打歩詰めチェック(GameState& g, int 移動先X, int 移動先Y, int 移動駒) {
  if (!isPawn(移動駒) || !onBoard(移動先X, 移動先Y) || g.盤面(移動先X, 移動先Y) != 0) return 0;
  const bool defender = !isMan(移動駒);  // MAN defends against a COM pawn
  g.盤面(移動先X, 移動先Y) = 移動駒;
  const bool mate = kingAttacked(g, defender) && !hasSafeMove(g, defender);
  g.盤面(移動先X, 移動先Y) = 0;
  return mate ? 1 : 0;
}

int 合法手チェック(GameState& g, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒) {
  if (移動チェック(g, 移動元X, 移動元Y, 移動先X, 移動先Y, 移動駒) != 1) return 0;
  if (g.rules != Rules::official) return 1;
  if (王手放置チェック(g, 移動元X, 移動元Y, 移動先X, 移動先Y, 移動駒) == 1) return 0;
  if (isDropSource(移動元X) && 打歩詰めチェック(g, 移動先X, 移動先Y, 移動駒) == 1) return 0;
  return 1;
}

int 同一局面回数(const GameState& g) {
  int count = 1;
  const int last = std::min(g.記録位置, static_cast<int>(g.記録.size()));
  for (int k = g.記録位置 - 2; k >= 0; k -= 2)
    if (k < last && samePosition(g.記録[static_cast<std::size_t>(k)], g)) ++count;
  return count;
}

公式終局 調査_公式終局(GameState& g) {
  公式終局 r;
  if (g.手番 == 0) return r;
  const bool man = g.手番 == g.MAN手番;
  if (!hasSafeMove(g, man)) {
    r.敗者 = g.手番;
    r.理由 = 終局理由::詰み;
    return r;
  }
  // The three earlier occurrences, latest first; the first of the four opens the stretch.
  const int n = g.記録位置;
  const int last = std::min(n, static_cast<int>(g.記録.size()));
  std::vector<int> earlier;
  for (int k = n - 2; k >= 0 && earlier.size() < 3; k -= 2)
    if (k < last && samePosition(g.記録[static_cast<std::size_t>(k)], g)) earlier.push_back(k);
  if (earlier.size() < 3) return r;
  const int first = earlier.back();
  // Whether the side to move at position j stood in check there; position n is the board.
  GameState probe = g;
  auto checkedAt = [&](int j) {
    if (j < n) probe.盤面 = g.記録[static_cast<std::size_t>(j)].盤面;
    else probe.盤面 = g.盤面;
    const bool moverIsMan = ((n - j) % 2 == 0) == man;
    return kingAttacked(probe, moverIsMan);
  };
  bool moverAlwaysChecked = true, otherAlwaysChecked = true;
  for (int j = first + 1; j <= n; ++j) {
    if ((n - j) % 2 == 0) moverAlwaysChecked = moverAlwaysChecked && checkedAt(j);
    else otherAlwaysChecked = otherAlwaysChecked && checkedAt(j);
  }
  r.理由 = 終局理由::千日手;
  r.連続王手 = moverAlwaysChecked || otherAlwaysChecked;
  if (moverAlwaysChecked) r.敗者 = -g.手番;      // the side that just moved checked throughout
  else if (otherAlwaysChecked) r.敗者 = g.手番;  // the side to move did
  else r.敗者 = 先手;
  return r;
}

}  // namespace zelk
