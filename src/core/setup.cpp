#include "core/setup.h"

#include "core/move_execution.h"

namespace zelk {

void placeStartingPosition(GameState& g) {
  g.盤面 = Board{};
  g.盤面(1, 1) = COM飛;
  g.盤面(2, 1) = COM角;
  g.盤面(3, 1) = COM銀;
  g.盤面(4, 1) = COM金;
  g.盤面(5, 1) = COM王;
  g.盤面(5, 2) = COM歩;
  g.盤面(1, 4) = MAN歩;
  g.盤面(1, 5) = MAN王;
  g.盤面(2, 5) = MAN金;
  g.盤面(3, 5) = MAN銀;
  g.盤面(4, 5) = MAN角;
  g.盤面(5, 5) = MAN飛;
}

void 初期設定(GameState& g, GameView& view) {
  g.ハンデレベル = 0;
  g.ハンデ設定済 = 0;
  g.対局モード = 0;
  g.勝者 = 0;
  g.終局 = 終局理由::なし;
  g.手番 = 0;

  g.記録位置 = 0;
  g.手数 = 0;
  g.反転済 = 0;
  g.局面設定済 = 0;

  g.timer1Enabled = false;
  g.時間設定 = {};
  g.残りMAN = g.残りCOM = 0;
  g.COM秒 = 0;
  g.MAN秒 = 0;
  g.再開待ち = 0;
  g.棋譜モード = 0;
  g.未保存 = false;
  g.表示秒 = 0;

  g.選択状態 = 0;
  g.棋譜表題.clear();
  g.上の対局者.clear();
  g.下の対局者.clear();
  g.開始日時.clear();

  g.持駒MAN = Hand{};
  g.持駒COM = Hand{};
  placeStartingPosition(g);
  g.持駒数MAN = 調査_持駒数(g, g.MAN手番);
  g.持駒数COM = 調査_持駒数(g, g.COM手番);

  view.画面_再描画();
}

}  // namespace zelk
