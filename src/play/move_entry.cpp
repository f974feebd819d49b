// Entering a move with the mouse: select, cancel, reselect, refuse, promote with the right
// button, make the move, and hand the turn over; the board's guards before a game, after it
// and while a record is viewed.

#include <cmath>

#include "core/influence_survey.h"
#include "core/legality.h"
#include "core/mate.h"
#include "core/move_execution.h"
#include "core/official_rules.h"
#include "core/setup.h"
#include "play/form1_controller.h"
#include "play/game_end.h"

namespace zelk {

namespace {

inline constexpr int 左ボタン = 1;
inline constexpr int 右ボタン = 2;

// The grid cell under a point in twips; floor towards minus infinity, so a click left of the
// board's left edge gives column -1.
int cellOf(double twips, int origin, int size) {
  const double v = std::floor((twips - origin) / size);
  if (v < -100) return -100;  // far outside: off the board all the same
  if (v > 100) return 100;
  return static_cast<int>(v);
}

bool ownPiece(const GameState& g, int code) {
  return (g.手番 == g.MAN手番 && isMan(code)) || (g.手番 == g.COM手番 && isCom(code));
}

}  // namespace

// While the computer moves, a click is dropped: it is not carried out later either.
void Form1Controller::Form_MouseDown(int Button, double x, double y) {
  if (computerMoving()) return;
  study.clearHint();
  if (editor.editing()) {
    editor.click(Button, cellOf(x, 盤左, 桝幅), cellOf(y, 盤上, 桝高));
    return;
  }
  mouseDown(Button, x, y);
  syncTimer();
  if (!ended_) study.refresh();
}

void Form1Controller::mouseDown(int Button, double x, double y) {
  hideRecordPanel();

  if (g.棋譜モード == 1) {
    if (p_.dialogs.askYesNo("棋譜を '進 'で進めて下さい", "棋譜") == kNo) {
      refuse();
      初期設定(g, screen);
    }
    return;
  }
  if (g.勝者 != 0) {
    p_.dialogs.messageBox("新規に対局してください", "終局");
    return;
  }
  const int X = cellOf(x, 盤左, 桝幅);
  const int Y = cellOf(y, 盤上, 桝高);
  if (g.手番 == 0) {
    refuse();
    p_.dialogs.messageBox("「対局」で始めて下さい", "開始");
    return;
  }

  // The first click after the position was stepped takes up play from it.
  if (g.対局モード == 0 && g.再開待ち == 1) {
    g.再開待ち = 0;
    g.開始時刻 = p_.clock.timeOfDay();
    if (elapsedShown()) g.timer1Enabled = true;
    announceTurn("対局");
  } else if (g.対局モード == 1) {
    if (g.手番 == g.COM手番) {
      g.再開待ち = 0;
      p_.dialogs.messageBox("OKですか？", "再開(COM)");
      // The click is carried out once the computer has moved, unless that move ended the game.
      comTurn.start([this, Button, X, Y] {
        if (g.勝者 == 0) dispatchClick(Button, X, Y);
        syncTimer();
      });
      return;
    } else if (g.再開待ち == 1) {
      g.再開待ち = 0;
      g.開始時刻 = p_.clock.timeOfDay();
      if (elapsedShown()) g.timer1Enabled = true;
      p_.dialogs.messageBox("MANの番です", "対局");
    }
  }
  dispatchClick(Button, X, Y);
}

void Form1Controller::dispatchClick(int Button, int X, int Y) {
  if (!onBoard(X, Y)) {
    // A click beside the board: release the marks of the last selection, maybe pick from a hand.
    if (isMan(g.移動駒) || isCom(g.移動駒)) {
      screen.描画_移動可能桝色(g.移動元X, g.移動元Y, screen.桝色, g.移動駒);
      screen.描画_桝輪郭(screen.桝色, g.移動元X, g.移動元Y);
    }
    selectHandPiece(X, Y);
    return;
  }

  if (g.選択状態 == 0) {
    const int code = g.盤面(X, Y);
    if (code == 0) return;
    g.移動元X = X;
    g.移動元Y = Y;
    g.移動駒 = code;
    screen.描画_移動可能桝色(X, Y, screen.移動指導色, code);
    if (ownPiece(g, code)) {
      screen.描画_桝輪郭(色明赤, X, Y);
      g.選択状態 = 1;
    } else {
      screen.描画_桝輪郭(screen.移動指導色, X, Y);  // a look at the opponent's piece
    }
    return;
  }

  g.移動先X = X;
  g.移動先Y = Y;
  const bool wrongHand =
      (g.移動元X == kComHandColumn && g.手番 == g.MAN手番) || (g.移動元X == kManHandColumn && g.手番 == g.COM手番);
  if (wrongHand) {
    screen.描画_移動可能桝色(g.移動元X, g.移動元Y, screen.桝色, g.移動駒);
    screen.描画_桝輪郭(screen.桝色, g.移動元X, g.移動元Y);
    g.選択状態 = 0;
    return;
  }
  if (ownPiece(g, g.盤面(X, Y))) {
    screen.描画_桝輪郭(screen.桝色, g.移動元X, g.移動元Y);
    g.移動元X = X;
    g.移動元Y = Y;
    g.移動駒 = g.盤面(X, Y);
    screen.描画_移動可能桝色(X, Y, screen.移動指導色, g.移動駒);
    screen.描画_桝輪郭(色明赤, X, Y);
    return;
  }
  if (合法手チェック(g, g.移動元X, g.移動元Y, X, Y, g.移動駒) == 0) {
    refuse();
    g.選択状態 = 0;
    screen.描画_将棋盤桝();
    screen.描画_禁止桝(X, Y);
    return;
  }
  if (移動後チェック(Y, g.移動駒) == 0 && Button == 左ボタン) {
    refuse();
    p_.dialogs.messageBox("マウスの右をクリックして下さい", "成り");
    return;
  }
  makeMove(Button);
}

void Form1Controller::makeMove(int Button) {
  // The time on this move, measured now: the display's tick may be off.
  g.経過秒 = 調査_経過秒(g.開始時刻, p_.clock.timeOfDay());
  if (clocks.flagFallen()) {  // the time ran out before the tick saw it
    endOnTime(g, p_.dialogs);
    return;
  }
  手順保存(g, g.移動元X, g.移動元Y, g.移動先X, g.移動先Y, g.移動駒, g.盤面(g.移動先X, g.移動先Y), g.MAN秒,
           g.MAN秒 + g.経過秒, g.COM秒, g.COM秒);
  g.手数 += 1;
  screen.描画_手数(g.手数);
  if (調査_駒成(g, g.移動元X, g.移動元Y, g.移動先X, g.移動先Y, g.移動駒) == 1 && Button == 右ボタン) g.移動駒 = g.成駒;
  g.選択状態 = 0;
  screen.描画_桝輪郭(screen.桝色, g.移動元X, g.移動元Y);
  screen.描画_桝輪郭(screen.桝色, g.移動先X, g.移動先Y);
  screen.描画_移動可能桝色(g.移動元X, g.移動元Y, screen.桝色, g.移動駒);
  if (g.移動元X < 0) g.移動元Y = 6 - g.移動元Y;  // COM's hand is drawn upside down
  const int captured = g.盤面(g.移動先X, g.移動先Y);
  駒移動(g, screen, g.移動元X, g.移動元Y, g.移動先X, g.移動先Y, g.移動駒);
  playPiecePlaced();
  g.記録位置 += 1;
  screen.描画_移動結果(g.移動駒 >= COM歩 ? g.COM手番 : g.MAN手番, g.移動先X, g.移動先Y, g.移動駒, screen.選択色);

  if (g.対局モード == 1) {
    g.timer1Enabled = false;
    g.MAN秒 += g.経過秒;
    持ち時間_消費(g, g.MAN手番, g.経過秒);
    勢力調査(g);
    if (g.rules == Rules::official) {
      g.手番 = g.COM手番;
      if (!endByOfficialRules(g, p_.dialogs)) com_ban();
      return;
    }
    if (captured == COM王 || 詰めかCOM(g) == 1) {
      g.勝者 = g.MAN手番;
      p_.dialogs.messageBox("あなたの勝ちです", "終了");
      return;
    }
    g.手番 = g.COM手番;
    com_ban();
    return;
  }

  if (g.勝者 == g.MAN手番) p_.dialogs.messageBox("先手の勝ちです", "終了");
  if (g.勝者 == g.COM手番) p_.dialogs.messageBox("後手の勝ちです", "終了");
  if (g.手番 == 1) {
    g.手番 = -1;
    g.MAN秒 += g.経過秒;
    持ち時間_消費(g, g.MAN手番, g.経過秒);
  } else if (g.手番 == -1) {
    g.手番 = 1;
    g.COM秒 += g.経過秒;
    持ち時間_消費(g, g.COM手番, g.経過秒);
  }
  g.開始時刻 = p_.clock.timeOfDay();
  endByOfficialRules(g, p_.dialogs);
}

void Form1Controller::selectHandPiece(int X, int Y) {
  if (Y < 1 || Y > 5 || (X != kManHandColumn && X != kComHandColumn)) return;
  const bool man = X == kManHandColumn;
  const int kind = man ? Y : 6 - Y;  // COM's hand stands upside down
  if ((man ? g.持駒MAN(kind) : g.持駒COM(kind)) <= 0) return;
  調査_2歩フラグ設定(g);
  g.選択状態 = 1;
  g.移動元X = X;
  g.移動元Y = Y;  // COM's screen row becomes the kind when the move is made
  g.移動駒 = man ? kManHandCodes[kind] : kComHandCodes[kind];
  const bool ownHand = g.手番 == (man ? g.MAN手番 : g.COM手番);
  screen.描画_桝輪郭(ownHand ? 色明赤 : screen.移動指導色, X, Y);
  screen.描画_移動可能桝色(g.移動元X, g.移動元Y, screen.移動指導色, g.移動駒);
}

}  // namespace zelk
