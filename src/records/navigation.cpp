#include "records/navigation.h"

#include <cstddef>
#include <utility>

#include "core/move_execution.h"

namespace zelk {

MoveEnd 調査_移動結果(const Board& after, const Board& before) {
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y)
      if (after(X, Y) != 0 && after(X, Y) != before(X, Y)) return MoveEnd{true, X, Y, after(X, Y)};
  return MoveEnd{};
}

MoveEnd 調査_移動結果(const GameState& g, int n) {
  if (n < 1 || static_cast<std::size_t>(n) >= g.記録.size()) return MoveEnd{};
  return 調査_移動結果(g.記録[n].盤面, g.記録[n - 1].盤面);
}

bool Navigation::hasSlot(int n) const { return n >= 0 && static_cast<std::size_t>(n) < g.記録.size(); }

// Both clocks as they stood at the position of the slot: the totals before its move, and
// under a time control the time left then. The side to move there is the one not to move now.
void Navigation::showClocks(int slot) {
  持ち時間_復元(g, slot, -g.手番);
  g.COM秒 = g.記録[slot].前秒C;
  clocks_.描画_所有時間(g.COM手番, g.COM秒);
  g.MAN秒 = g.記録[slot].前秒M;
  clocks_.描画_所有時間(g.MAN手番, g.MAN秒);
}

void Navigation::REPLAY_Click() {
  records_.closePanel();
  g.再開待ち = 1;
  if (g.記録位置 < 1 || !hasSlot(g.記録位置 - 1)) {
    p_.sound.dsPlay(sounds_.効果音禁止);
    p_.dialogs.messageBox("できません", "戻る");
    return;
  }
  g.選択状態 = 0;
  g.timer1Enabled = false;
  screen_.描画_将棋盤桝();
  screen_.消去_思考中();

  // The move taken back: from the live position when it was never saved, else from its slot.
  const int k = g.記録位置 - 1;
  const MoveEnd taken = g.記録位置 > g.記録最終 || !hasSlot(g.記録位置) ? 調査_移動結果(g.盤面, g.記録[k].盤面)
                                                                        : 調査_移動結果(g, g.記録位置);

  restoreSlot(g, k);
  showClocks(k);
  screen_.描画_自持盤();
  screen_.描画_敵持盤();
  screen_.描画_盤();
  p_.sound.dsPlay(sounds_.効果音駒打);
  screen_.消去_移動結果(taken.found && taken.駒 > 0 ? g.COM手番 : g.MAN手番);

  g.記録位置 -= 1;
  g.手数 -= 1;
  g.手番 = -g.手番;
  screen_.描画_手数(g.手数);
}

void Navigation::AFTER_Click() {
  records_.closePanel();
  if (g.手番 == 0) {
    p_.sound.dsPlay(sounds_.効果音禁止);
    p_.dialogs.messageBox("「対局」で始めて下さい", "開始");
    return;
  }
  g.再開待ち = 1;
  if (g.記録位置 >= g.記録最終 || !hasSlot(g.記録位置 + 1)) {
    if (g.棋譜モード == 1) {
      p_.dialogs.messageBox("終わり", "進む");
    } else {
      p_.sound.dsPlay(sounds_.効果音禁止);
      p_.dialogs.messageBox("できません", "進む");
    }
    return;
  }
  screen_.消去_思考中();
  g.選択状態 = 0;
  g.timer1Enabled = false;
  screen_.描画_将棋盤桝();

  g.記録位置 += 1;
  g.手数 += 1;
  screen_.描画_手数(g.手数);
  const int k = g.記録位置;
  restoreSlot(g, k);
  showClocks(k);
  screen_.描画_自持盤();
  screen_.描画_敵持盤();
  screen_.描画_盤();

  const MoveEnd played = 調査_移動結果(g, k);
  p_.sound.dsPlay(sounds_.効果音駒打);
  // No square received a piece: the lower side's text is wiped and nothing is written for it.
  if (played.found)
    screen_.描画_移動結果(played.駒 > 0 ? g.COM手番 : g.MAN手番, played.X, played.Y, played.駒, screen_.選択色);
  else screen_.消去_移動結果(g.MAN手番);
  g.手番 = -g.手番;
  screen_.描画_手数(g.手数);
}

void Navigation::REVERSE_Click() {
  if (g.棋譜モード == 1) {
    p_.sound.dsPlay(sounds_.効果音禁止);
    p_.dialogs.messageBox("棋譜ﾓｰﾄﾞではできません", "反転");
    return;
  }
  g.反転済 = 1;
  g.選択状態 = 0;

  const Board before = g.盤面;
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y) {
      const int v = before(X, Y);
      g.盤面(6 - X, 6 - Y) = isMan(v) || isCom(v) ? -v : v;  // each piece changes side, promoted or not
    }
  for (int k = 1; k <= 5; ++k) std::swap(g.持駒MAN(k), g.持駒COM(k));
  g.持駒数COM = 調査_持駒数(g, g.COM手番);
  g.持駒数MAN = 調査_持駒数(g, g.MAN手番);

  screen_.画面_再描画();
  screen_.描画_手数(g.手数);
  if (g.ハンデ設定済 == 1) {
    g.ハンデレベル = -g.ハンデレベル;
    screen_.描画_ハンデレベル(g.ハンデレベル);
  }
  p_.sound.dsPlay(sounds_.効果音駒打);
  g.手番 = -g.手番;
  g.記録位置 = 0;
  g.記録最終 = 0;
}

}  // namespace zelk
