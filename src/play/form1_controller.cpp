#include "play/form1_controller.h"

#include "core/setup.h"
#include "play/view_scale.h"

namespace zelk {

Form1Controller::Form1Controller(const Platform& platform, std::vector<std::filesystem::path> soundFolders,
                                 std::filesystem::path startFolder)
    : screen(g, platform.surface, platform.clock),
      clocks(g, screen, platform),
      sounds(platform.sound, platform.dialogs, std::move(soundFolders)),
      起動フォルダ(std::move(startFolder)),
      p_(platform) {
  screen.setClockDisplay(&clocks);
}

void Form1Controller::Form_Load() {
  sounds.初期化_音源();
  sounds.loadAll();
  g.棋譜モード = 0;
  g.移動指導 = 0;
  g.記録最終 = 0;
  g.レベル = 3;
  p_.menu.setChecked(MenuItem::LEVEL3, true);
  g.MAN手番 = 後手;
  g.COM手番 = 先手;
  g.輪郭色 = 色緑;
  screen.桝色 = g.輪郭色;
  screen.選択色 = 色白;
  screen.移動指導色 = screen.桝色;
  p_.window.setBackgroundColour(g.輪郭色);
  applyDefaultSettings();
  初期設定(g, screen);
  syncTimer();
  if (p_.window.top() != kMaximisedTop) p_.window.place(kStartLeft, kStartTop, kStartWidth, kStartHeight);
}

// The options as a first start without a settings file leaves them: green background,
// no move guidance, the clocks shown, the music on.
void Form1Controller::applyDefaultSettings() {
  チェック設定(背景緑);
  screen.描画_背景(背景緑);
  g.背景種類 = 背景緑;
  p_.menu.setChecked(MenuItem::SIDOU, false);
  p_.menu.setChecked(MenuItem::KEIKA, true);
  p_.menu.setChecked(MenuItem::BGM, true);
  p_.sound.dsPlayLooping(sounds.効果音BGM);
}

void Form1Controller::チェック設定(int 種類) {
  for (MenuItem item : {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE, MenuItem::UCHU, MenuItem::RENGA})
    p_.menu.setChecked(item, false);
  switch (種類) {
    case 背景緑: p_.menu.setChecked(MenuItem::MIDORI, true); break;
    case 背景畳: p_.menu.setChecked(MenuItem::TATAMI, true); break;
    case 背景竹: p_.menu.setChecked(MenuItem::TAKE, true); break;
    case 背景宇宙: p_.menu.setChecked(MenuItem::UCHU, true); break;
    case 背景煉瓦: p_.menu.setChecked(MenuItem::RENGA, true); break;
    default: break;
  }
}

void Form1Controller::Form_KeyPress(int KeyAscii) {
  if (KeyAscii == 27) OWARI_Click();
}

void Form1Controller::Form_Unload() { 終了処理(); }

void Form1Controller::Timer1_Timer() { clocks.Timer1_Timer(); }

void Form1Controller::menuClicked(MenuItem item) {
  switch (item) {
    case MenuItem::OWARI: OWARI_Click(); break;
    case MenuItem::VER: VER_Click(); break;
    case MenuItem::TAIKYOKU: TAIKYOKU_Click(); break;
    case MenuItem::MATCH_MAN: MATCH_MAN_Click(); break;
    case MenuItem::START: START_Click(); break;
    case MenuItem::SENTE: SENTE_Click(); break;
    case MenuItem::GOTE: GOTE_Click(); break;
    case MenuItem::LEVEL1: LEVEL1_Click(); break;
    case MenuItem::LEVEL2: LEVEL2_Click(); break;
    case MenuItem::LEVEL3: LEVEL3_Click(); break;
    case MenuItem::STOP: STOP_Click(); break;
    case MenuItem::CANCEL: CANCEL_Click(); break;
    default: break;  // the other commands arrive with the records and options
  }
  syncTimer();
}

void Form1Controller::OWARI_Click() {
  終了処理();
  p_.window.closeWindow();
}

void Form1Controller::VER_Click() {
  p_.sound.dsPlay(sounds.効果音その他);
  p_.dialogs.showVersionDialog();
}

// The buffers go first, in the order they were loaded; the library last.
void Form1Controller::終了処理() {
  if (ended_) return;
  ended_ = true;
  g.timer1Enabled = false;
  syncTimer();
  sounds.freeAll();
  sounds.終了_音源();
}

void Form1Controller::syncTimer() { p_.timer.setTimer1Enabled(g.timer1Enabled); }

}  // namespace zelk
