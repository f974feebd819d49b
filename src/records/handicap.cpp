#include "records/handicap.h"

#include <string>

namespace zelk {

HandicapStep handicapStep(int level, bool up) {
  if (up) {
    switch (level) {
      case 4: return {1, 1, 0};
      case 3: return {2, 1, 0};
      case 2: return {3, 1, 0};
      case 1: return {4, 1, 0};
      case 0: return {2, 5, MAN金};
      case -1: return {3, 5, MAN銀};
      case -2: return {4, 5, MAN角};
      case -3: return {5, 5, MAN飛};
      default: return {};
    }
  }
  switch (level) {
    case 3: return {1, 1, COM飛};
    case 2: return {2, 1, COM角};
    case 1: return {3, 1, COM銀};
    case 0: return {4, 1, COM金};
    case -1: return {2, 5, 0};
    case -2: return {3, 5, 0};
    case -3: return {4, 5, 0};
    case -4: return {5, 5, 0};
    default: return {};
  }
}

void Handicap::描画_メッセージ(int reason) {
  std::string text;
  switch (reason) {
    case 1: text = "棋譜ﾓｰﾄﾞではできません"; break;
    case 2: text = "対局途中ではできません"; break;
    case 3: text = "反転後ではできません"; break;
    default: break;
  }
  text += "\r\r局面→最初にして下さい";
  p_.dialogs.messageBox(text, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
}

void Handicap::step(int d) {
  records_.closePanel();
  const int reason = g.棋譜モード == 1 ? 1 : g.記録位置 > 0 ? 2 : g.反転済 == 1 ? 3 : 0;
  if (reason != 0) {
    p_.sound.dsPlay(sounds_.効果音禁止);
    描画_メッセージ(reason);
    return;
  }
  g.記録最終 = 0;
  dropSelection(g, screen_);
  const bool canMove = d > 0 ? g.ハンデレベル < 4 : g.ハンデレベル > -4;
  if (canMove) {
    g.ハンデレベル += d;
    screen_.描画_ハンデレベル(g.ハンデレベル);
    const HandicapStep s = handicapStep(g.ハンデレベル, d > 0);
    g.盤面(s.X, s.Y) = s.駒;
    screen_.描画_絵(s.駒, s.X, s.Y);
    screen_.描画_桝輪郭(g.輪郭色, s.X, s.Y);
    p_.sound.dsPlay(sounds_.効果音駒打);
  }
  g.ハンデ設定済 = 1;
}

}  // namespace zelk
