// The computer's turn: the thinking sign, the one-ply search, then the move recorded,
// blinked, played and announced exactly as a player's move is shown.

#include "core/influence_survey.h"
#include "core/mate.h"
#include "core/move_execution.h"
#include "engine/search.h"
#include "play/form1_controller.h"

namespace zelk {

void Form1Controller::com_ban() {
  if (g.勝者 != 0) return;
  g.開始時刻 = p_.clock.timeOfDay();
  if (elapsedShown()) g.timer1Enabled = true;
  screen.消去_思考中();
  screen.描画_数値(-1.5, 6.5, "思考中", 色黒, 0, 12);
  screen.描画_数値(-1.6, 6.4, "思考中", screen.選択色, 0, 12);
  p_.surface.refresh();

  // The clock keeps running on screen while the computer thinks.
  const SearchTick tick{[](void* self) { static_cast<Form1Controller*>(self)->clocks.Timer1_Timer(); }, this};
  const ComDecision d = decideComMove(g, tick);
  g.経過秒 = 調査_経過秒(g.開始時刻, p_.clock.timeOfDay());

  if (!d.found) {
    // With no legal move the computer has lost; nothing is recorded or played.
    g.timer1Enabled = false;
    screen.消去_思考中();
    g.勝者 = g.MAN手番;
    p_.dialogs.messageBox("あなたの勝ちです", "終了");
    return;
  }
  const ComMove& m = d.move;
  手順保存(g, m.fromX, m.fromY, m.toX, m.toY, m.sourcePiece, m.placed, g.MAN秒, g.MAN秒, g.COM秒, g.COM秒 + g.経過秒);
  g.手数 += 1;
  screen.描画_手数(g.手数);
  if (m.isDrop()) screen.描画_駒点滅(m.placed, kComHandColumn, 6 - m.fromY, 2);
  else screen.描画_駒点滅(m.sourcePiece, m.fromX, m.fromY, 2);
  駒移動(g, screen, m.fromX, m.fromY, m.toX, m.toY, m.placed);
  screen.消去_思考中();
  screen.待ち時間(0.5);
  playPiecePlaced();
  g.記録位置 += 1;
  g.timer1Enabled = false;

  勢力調査(g);
  if (g.勝者 == g.COM手番) {
    // The MAN king was taken; no mate test on a board without it.
    screen.消去_移動結果(g.COM手番);
    p_.dialogs.messageBox("ｺﾝﾋﾟｭｰﾀの勝ちです", "終了");
    g.手番 = g.MAN手番;
    return;
  }
  if (詰めかMAN(g) == 1) {
    p_.dialogs.messageBox("よし！!", "詰め ?");
  } else if (g.勢力COM(g.MAN王X, g.MAN王Y) > 0) {
    p_.dialogs.messageBox("   ** 王手 **", "");
  }

  screen.描画_移動結果(g.COM手番, m.toX, m.toY, m.placed, 色白);
  screen.描画_桝輪郭(色白, m.toX, m.toY);
  g.COM秒 += g.経過秒;
  g.開始時刻 = p_.clock.timeOfDay();
  g.手番 = g.MAN手番;
  if (elapsedShown()) g.timer1Enabled = true;
}

}  // namespace zelk
