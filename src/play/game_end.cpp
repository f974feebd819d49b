#include "play/game_end.h"

#include "core/official_rules.h"

namespace zelk {

void announceWinner(const GameState& g, Dialogs& dialogs) {
  if (g.対局モード == 1) dialogs.messageBox(g.勝者 == g.MAN手番 ? "あなたの勝ちです" : "ｺﾝﾋﾟｭｰﾀの勝ちです", "終了");
  else dialogs.messageBox(g.勝者 == 先手 ? "先手の勝ちです" : "後手の勝ちです", "終了");
}

持ち時間設定 timeControlOf(MenuItem item) {
  switch (item) {
    case MenuItem::JIKAN_5_10: return {300, 10, 0};
    case MenuItem::JIKAN_10_30: return {600, 30, 0};
    case MenuItem::JIKAN_3_2: return {180, 0, 2};
    default: return {};
  }
}

void endOnTime(GameState& g, Dialogs& dialogs) {
  if (g.勝者 != 0 || g.手番 == 0) return;
  g.勝者 = -g.手番;
  g.終局 = 終局理由::時間切れ;
  g.timer1Enabled = false;
  dialogs.messageBox("時間切れです", "終局");
  announceWinner(g, dialogs);
}

bool endByOfficialRules(GameState& g, Dialogs& dialogs) {
  if (g.rules != Rules::official || g.勝者 != 0 || g.手番 == 0) return false;
  const 公式終局 end = 調査_公式終局(g);
  if (end.敗者 == 0) return false;
  g.勝者 = -end.敗者;
  g.終局 = end.理由;
  g.timer1Enabled = false;
  const char* why = end.理由 == 終局理由::詰み ? "詰みです（指せる手がありません）"
                    : end.連続王手 ? "連続王手の千日手です（王手をかけ続けた側の負け）"
                                   : "千日手です（同一局面４回、先手の負け）";
  dialogs.messageBox(why, "終局");
  announceWinner(g, dialogs);
  return true;
}

}  // namespace zelk
