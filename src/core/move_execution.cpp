#include "core/move_execution.h"

#include <cstddef>

namespace zelk {

void 手順保存(GameState& g, int 元X, int 元Y, int 先X, int 先Y, int 元駒, int 先駒, double 前秒M, double 後秒M,
              double 前秒C, double 後秒C) {
  (void)元X, (void)元Y, (void)先X, (void)先Y, (void)元駒, (void)先駒;  // found again by comparing slots
  const auto n = static_cast<std::size_t>(g.記録位置);
  if (g.記録.size() <= n) g.記録.resize(n + 1);
  g.記録[n] = HistorySlot{g.盤面, g.持駒MAN, g.持駒COM, 前秒M, 後秒M, 前秒C, 後秒C};
  g.記録最終 = g.記録位置;
  g.未保存 = true;
}

HistorySlot slotOf(const GameState& g, int n) {
  if (n < 0 || static_cast<std::size_t>(n) >= g.記録.size()) return HistorySlot{};
  return g.記録[static_cast<std::size_t>(n)];
}

void restoreSlot(GameState& g, int n) {
  if (n < 0 || static_cast<std::size_t>(n) >= g.記録.size()) return;
  const HistorySlot& s = g.記録[static_cast<std::size_t>(n)];
  g.盤面 = s.盤面;
  g.持駒MAN = s.持駒MAN;
  g.持駒COM = s.持駒COM;
  g.持駒数MAN = 調査_持駒数(g, g.MAN手番);
  g.持駒数COM = 調査_持駒数(g, g.COM手番);
}

void 駒取得(GameState& g, int 取得駒) {
  if (取得駒 == COM王) {
    g.勝者 = g.MAN手番;
    return;
  }
  if (取得駒 == MAN王) {
    g.勝者 = g.COM手番;
    return;
  }
  const int kind = handKindOf(取得駒);
  if (kind == 0) return;
  if (isCom(取得駒)) g.持駒MAN(kind) += 1;
  else if (isMan(取得駒)) g.持駒COM(kind) += 1;
}

void 駒移動(GameState& g, GameView& view, int 移動元X, int 移動元Y, int 移動先X, int 移動先Y, int 移動駒) {
  const int captured = g.盤面(移動先X, 移動先Y);
  if (isMan(captured)) {
    g.持駒数COM += 1;
    駒取得(g, captured);
    view.描画_敵持盤();
  } else if (isCom(captured)) {
    g.持駒数MAN += 1;
    駒取得(g, captured);
    view.描画_自持盤();
  }

  view.描画_絵(0, 移動元X, 移動元Y);
  view.描画_桝輪郭(g.輪郭色, 移動元X, 移動元Y);

  g.盤面(移動先X, 移動先Y) = 移動駒;
  if (移動駒 == MAN王) {
    g.MAN王X = 移動先X;
    g.MAN王Y = 移動先Y;
  }

  const bool kindOk = 移動元Y >= 1 && 移動元Y <= 5;  // a caller's bad row never writes outside the hand
  if (移動元X == kComHandColumn) {
    g.持駒数COM -= 1;
    if (kindOk) g.持駒COM(移動元Y) -= 1;
    view.描画_敵持盤();
  } else if (移動元X == kManHandColumn) {
    g.持駒数MAN -= 1;
    if (kindOk) g.持駒MAN(移動元Y) -= 1;
    view.描画_自持盤();
  } else {
    g.盤面(移動元X, 移動元Y) = 0;
  }

  view.描画_絵(移動駒, 移動先X, 移動先Y);
  view.描画_桝輪郭(g.輪郭色, 移動先X, 移動先Y);
  view.描画_桝輪郭(g.輪郭色, 移動先X, 移動先Y);
}

int 調査_持駒数(const GameState& g, int side) {
  const Hand* hand = side == g.MAN手番 ? &g.持駒MAN : side == g.COM手番 ? &g.持駒COM : nullptr;
  if (hand == nullptr) return 0;
  int total = 0;
  for (int k = 1; k <= 5; ++k)
    if ((*hand)(k) > 0) total += (*hand)(k);
  return total;
}

}  // namespace zelk
