// Starting, taking up and resetting games, and the strength levels.

#include <algorithm>
#include <ctime>

#include "core/setup.h"
#include "play/form1_controller.h"
#include "players/levels.h"
#include "play/game_end.h"
#include "formats/kif_notation.h"

namespace zelk {

namespace {

// The history kept when play is taken up: up to the shown position when a slot holds it
// (after 戻 or 進), else up to the last position recorded before it. A slot never filled,
// or one left from a line given up, would save as a position that was never played.
int lastSlotKept(const GameState& g) {
  const int n = std::min(g.手数, g.記録位置);
  if (n <= 0) return 0;
  if (static_cast<std::size_t>(n) < g.記録.size()) {
    const HistorySlot& s = g.記録[static_cast<std::size_t>(n)];
    if (s.盤面 == g.盤面 && s.持駒MAN == g.持駒MAN && s.持駒COM == g.持駒COM) return n;
  }
  return n - 1;
}

// No move made yet, or no game: the command starts a game of its own. A position read or pasted
// is played on from as it stands, with the side to move it names, even before its first move.
bool freshStart(const GameState& g) { return g.手番 == 0 || (g.手数 == 0 && g.局面設定済 == 0); }

}  // namespace

Rules Form1Controller::chosenRules() const {
  return p_.menu.isChecked(MenuItem::KOUSIKI) ? Rules::official : Rules::kingCapture;
}

void Form1Controller::KOUSIKI_Click() {
  const bool official = !p_.menu.isChecked(MenuItem::KOUSIKI);
  p_.menu.setChecked(MenuItem::KOUSIKI, official);
  p_.preferences.setValue(kRulesPreference, official ? "official" : "kingcapture");
  // A game in progress keeps its rules until play is started or taken up again.
  if (g.手番 == 0 || g.勝者 != 0) g.rules = chosenRules();
}

持ち時間設定 Form1Controller::chosenTimeControl() const {
  for (const MenuEntry& e : kMenuTable)
    if (e.group == MenuGroup::TimeControl && p_.menu.isChecked(e.item)) return timeControlOf(e.item);
  return {};
}

void Form1Controller::timeControlClick(MenuItem item) {
  for (const MenuEntry& e : kMenuTable)
    if (e.group == MenuGroup::TimeControl) p_.menu.setChecked(e.item, e.item == item);
  p_.preferences.setValue(kTimeControlPreference, menuEntry(item).name);
  // A game in progress keeps its clocks until play is started or taken up again.
}

void Form1Controller::startClocks(bool fresh) {
  // Play taken up keeps the time left, unless another control was chosen meanwhile.
  if (!fresh && g.時間設定 == chosenTimeControl()) return;
  g.時間設定 = chosenTimeControl();
  g.残りMAN = g.残りCOM = g.時間設定.持ち時間;
}

void Form1Controller::TOURYOU_Click() {
  const bool playing = g.手番 != 0 && g.勝者 == 0 && g.棋譜モード == 0;
  if (!playing || (g.対局モード == 1 && g.手番 != g.MAN手番)) {
    refuse();
    return;
  }
  if (p_.dialogs.askYesNo("投了しますか？", "投了") != kYes) return;
  g.勝者 = -g.手番;
  g.終局 = 終局理由::投了;
  g.timer1Enabled = false;
  announceWinner(g, p_.dialogs);
}

bool Form1Controller::beginPlay() {
  if (g.勝者 != 0) 初期設定(g, screen);
  g.rules = chosenRules();
  screen.描画_棋譜読込み部分消去();
  screen.描画_レベル(g.レベル);
  screen.描画_将棋盤桝();
  const bool fresh = freshStart(g);
  if (fresh) g.開始日時 = kifDateTime(std::time(nullptr));  // for the record's header
  startClocks(fresh);
  g.選択状態 = 0;
  g.対局モード = 1;
  g.棋譜モード = 0;
  g.記録最終 = lastSlotKept(g);
  g.timer1Enabled = true;
  return fresh;
}

void Form1Controller::SENTE_Click() {
  const bool fresh = beginPlay();
  g.開始時刻 = p_.clock.timeOfDay();
  if (fresh || g.手番 == g.MAN手番) {
    // MAN moves: a fresh game, or play taken up on MAN's turn (MAN becomes the first player).
    g.MAN手番 = 先手;
    g.COM手番 = 後手;
    g.手番 = 先手;
    p_.dialogs.messageBox("MANの番です", fresh ? " " : "対局");
    g.再開待ち = 0;
  } else if (g.手番 == g.COM手番) {
    com_ban();
  }
}

void Form1Controller::GOTE_Click() {
  if (beginPlay()) {
    g.MAN手番 = 後手;
    g.COM手番 = 先手;
    g.手番 = 先手;
    com_ban();
  } else if (g.手番 == g.MAN手番) {
    p_.dialogs.messageBox("MANの番です", "対局");
    g.再開待ち = 0;
  } else if (g.手番 == g.COM手番) {
    com_ban();
  }
}

void Form1Controller::START_Click() {
  if (g.勝者 != 0) {
    初期設定(g, screen);
    p_.surface.refresh();  // the fresh board is on screen before the game starts
  }
  g.rules = chosenRules();
  g.棋譜モード = 0;
  screen.描画_棋譜読込み部分消去();
  for (const int X : {-2, -1, 0}) screen.描画_絵(g.背景種類, X, 0);  // takes the level display away
  screen.描画_将棋盤桝();
  g.開始時刻 = p_.clock.timeOfDay();
  startClocks(g.手数 == 0 || g.手番 == 0);
  if (elapsedShown() || g.時間設定.on()) g.timer1Enabled = true;  // a control's flag falls unseen too
  g.対局モード = 0;
  if (freshStart(g)) {
    g.開始日時 = kifDateTime(std::time(nullptr));
    g.MAN手番 = 先手;
    g.COM手番 = 後手;
    g.手番 = 先手;
  }
  announceTurn(" ");
  g.再開待ち = 0;
}

void Form1Controller::announceTurn(std::string_view title) {
  if (g.手番 == 1) p_.dialogs.messageBox("先手の番です", title);
  else if (g.手番 == -1) p_.dialogs.messageBox("後手の番です", title);
}

void Form1Controller::TAIKYOKU_Click() { hideRecordPanel(); }
void Form1Controller::STOP_Click() { hideRecordPanel(); }

void Form1Controller::CANCEL_Click() {
  初期設定(g, screen);
  playPiecePlaced();
}

void Form1Controller::levelClick(int level) {
  for (const int X : {-2, -1, 0}) screen.描画_絵(g.背景種類, X, 0);
  レベル_設定(level);
}

void Form1Controller::レベル_設定(int level) {
  // The level items stand in the menu table in order, LEVEL1 first.
  int n = 0;
  for (const MenuEntry& e : kMenuTable)
    if (e.group == MenuGroup::Level) {
      ++n;
      p_.menu.setChecked(e.item, n == level);
    }
  if (level >= 1 && level <= kHighestLevel) g.レベル = level;
  if (g.対局モード == 1) screen.描画_レベル(g.レベル);
}

void Form1Controller::refuse() { p_.sound.dsPlay(sounds.効果音禁止); }
void Form1Controller::playPiecePlaced() { p_.sound.dsPlay(sounds.効果音駒打); }
bool Form1Controller::elapsedShown() const { return p_.menu.isChecked(MenuItem::KEIKA); }

void Form1Controller::hideRecordPanel() { records.closePanel(); }

}  // namespace zelk
