#include "play/form1_controller.h"

#include "core/setup.h"
#include "play/game_end.h"
#include "presentation/view_scale.h"
#include "base/utf8_path.h"

namespace zelk {

namespace {

RecordPanel& panelOr(RecordPanel* panel, std::unique_ptr<RecordPanel>& own) {
  if (panel) return *panel;
  own = std::make_unique<UnseenRecordPanel>();
  return *own;
}

RecordExchange& exchangeOr(RecordExchange* exchange, std::unique_ptr<RecordExchange>& own) {
  if (exchange) return *exchange;
  own = std::make_unique<UnseenRecordExchange>();
  return *own;
}

StudyPanel& studyPanelOr(StudyPanel* panel, std::unique_ptr<StudyPanel>& own) {
  if (panel) return *panel;
  if (!own) own = std::make_unique<UnseenStudyPanel>();
  return *own;
}

}  // namespace

Form1Controller::Form1Controller(const Platform& platform, std::vector<std::filesystem::path> soundFolders,
                                 std::filesystem::path startFolder, RecordPanel* panel, RecordExchange* exchange,
                                 StudyPanel* studyPanel)
    : screen(g, platform.surface, platform.scheduler),
      clocks(g, screen, platform),
      sounds(platform.sound, platform.dialogs, soundFolders),
      起動フォルダ(std::move(startFolder)),
      dataFolders_(std::move(soundFolders)),
      records(g, screen, platform, panelOr(panel, ownPanel_)),
      navigation(g, screen, clocks, sounds, platform, records),
      handicap(g, screen, sounds, platform, records),
      settings(g, screen, clocks, sounds, platform, 起動フォルダ),
      comTurn(g, screen, clocks, sounds, platform),
      kif(g, screen, sounds, platform, records, exchangeOr(exchange, ownExchange_)),
      study(g, screen, sounds, platform, navigation, studyPanelOr(studyPanel, ownStudyPanel_)),
      editor(g, screen, sounds, platform, kif, studyPanelOr(studyPanel, ownStudyPanel_)),
      p_(platform) {
  screen.setClockDisplay(&clocks);
  clocks.onFlag = [this] {
    endOnTime(g, p_.dialogs);
    syncTimer();
  };
  comTurn.deciderFor = deciderForLevel;
  comTurn.onRunningChanged = [this](bool running) {
    for (const MenuEntry& e : kMenuTable) p_.menu.setEnabled(e.item, !running || allowedWhileComputerMoves(e.item));
  };
  // The study's searches make way for the computer's turn and take up the position after it.
  comTurn.onBegin = [this] { study.stopSearching(); };
  comTurn.onEnd = [this] { study.refresh(); };
  study.computerMoving = [this] { return computerMoving(); };
  kif.annotate = [this](GameRecord& r) { study.annotate(r); };
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
  settings.読込_環境設定ファイル();
  p_.menu.setChecked(MenuItem::KOUSIKI, p_.preferences.value(kRulesPreference) == "official");
  g.rules = chosenRules();
  MenuItem control = MenuItem::JIKAN_NASI;
  for (const MenuEntry& e : kMenuTable)
    if (e.group == MenuGroup::TimeControl && e.name == p_.preferences.value(kTimeControlPreference)) control = e.item;
  p_.menu.setChecked(control, true);
  初期設定(g, screen);
  syncTimer();
  if (p_.window.top() != kMaximisedTop) p_.window.place(kStartLeft, kStartTop, kStartWidth, kStartHeight);
}

void Form1Controller::Form_KeyPress(int KeyAscii) {
  if (KeyAscii == 27) OWARI_Click();
}

void Form1Controller::Form_Unload() { 終了処理(); }

void Form1Controller::Timer1_Timer() { clocks.Timer1_Timer(); }

bool Form1Controller::allowedWhileComputerMoves(MenuItem item) {
  switch (item) {
    case MenuItem::OWARI:
    case MenuItem::KAISETU:
    case MenuItem::BGM:
    case MenuItem::TAIKYOKU:
    case MenuItem::MATCH_MAN:
    case MenuItem::START2:
    case MenuItem::LEVEL:
    case MenuItem::STOP:
    case MenuItem::KIFU:
    case MenuItem::OPTION:
    case MenuItem::HAIKEI_GA:
    case MenuItem::SONOTA:
    case MenuItem::KENTOU:
    case MenuItem::KIFU_LIST:
    case MenuItem::HINT:
    case MenuItem::KENTOU_MODE: return true;
    default: return false;
  }
}

// While a position is being edited, a command that plays or analyses takes the edited position
// first (and does not run when it is refused); one that would replace the position leaves the
// editor with the position as it was before.
bool Form1Controller::leaveEditor(MenuItem item) {
  if (!editor.editing()) return true;
  switch (item) {
    case MenuItem::HENSHU:
    case MenuItem::OWARI:
    case MenuItem::VER:
    case MenuItem::KAISETU:
    case MenuItem::TAIKYOKU:
    case MenuItem::MATCH_MAN:
    case MenuItem::START2:
    case MenuItem::LEVEL:
    case MenuItem::LEVEL1:
    case MenuItem::LEVEL2:
    case MenuItem::LEVEL3:
    case MenuItem::LEVEL4:
    case MenuItem::LEVEL5:
    case MenuItem::LEVEL6:
    case MenuItem::LEVEL7:
    case MenuItem::LEVEL8:
    case MenuItem::LEVEL9:
    case MenuItem::LEVEL10:
    case MenuItem::LEVEL11:
    case MenuItem::LEVEL12:
    case MenuItem::LEVEL13:
    case MenuItem::LEVEL14:
    case MenuItem::STOP:
    case MenuItem::KIFU:
    case MenuItem::KENTOU:
    case MenuItem::KIFU_LIST:
    case MenuItem::OPTION:
    case MenuItem::HAIKEI_GA:
    case MenuItem::MIDORI:
    case MenuItem::TATAMI:
    case MenuItem::TAKE:
    case MenuItem::UCHU:
    case MenuItem::RENGA:
    case MenuItem::SIDOU:
    case MenuItem::KEIKA:
    case MenuItem::BGM:
    case MenuItem::SONOTA: return true;
    case MenuItem::START:
    case MenuItem::SENTE:
    case MenuItem::GOTE:
    case MenuItem::KENTOU_MODE: return editor.accept();
    default: editor.cancel(); return true;
  }
}

void Form1Controller::menuClicked(MenuItem item) {
  if (computerMoving() && !allowedWhileComputerMoves(item)) return;
  if (!leaveEditor(item)) return;
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
    case MenuItem::LEVEL4: LEVEL4_Click(); break;
    case MenuItem::LEVEL5: LEVEL5_Click(); break;
    case MenuItem::LEVEL6: LEVEL6_Click(); break;
    case MenuItem::LEVEL7: LEVEL7_Click(); break;
    case MenuItem::LEVEL8: LEVEL8_Click(); break;
    case MenuItem::LEVEL9: LEVEL9_Click(); break;
    case MenuItem::LEVEL10: LEVEL10_Click(); break;
    case MenuItem::LEVEL11: LEVEL11_Click(); break;
    case MenuItem::LEVEL12: LEVEL12_Click(); break;
    case MenuItem::LEVEL13: LEVEL13_Click(); break;
    case MenuItem::LEVEL14: LEVEL14_Click(); break;
    case MenuItem::STOP: STOP_Click(); break;
    case MenuItem::CANCEL: CANCEL_Click(); break;
    case MenuItem::KOUSIKI: KOUSIKI_Click(); break;
    case MenuItem::TOURYOU: TOURYOU_Click(); break;
    case MenuItem::JIKAN_NASI:
    case MenuItem::JIKAN_5_10:
    case MenuItem::JIKAN_10_30:
    case MenuItem::JIKAN_3_2: timeControlClick(item); break;
    case MenuItem::REVERSE: navigation.REVERSE_Click(); break;
    case MenuItem::REPLAY: navigation.REPLAY_Click(); break;
    case MenuItem::AFTER: navigation.AFTER_Click(); break;
    case MenuItem::LBEL_UP: handicap.LBEL_UP_Click(); break;
    case MenuItem::LEBEL_DOWN: handicap.LEBEL_DOWN_Click(); break;
    case MenuItem::KIFU_READ: records.KIFU_READ_Click(); break;
    case MenuItem::KIFU_WRITE: records.KIFU_WRITE_Click(); break;
    case MenuItem::KIF_READ: kif.KIF_READ_Click(); break;
    case MenuItem::KIF_WRITE: kif.KIF_WRITE_Click(); break;
    case MenuItem::SFEN_COPY: kif.SFEN_COPY_Click(); break;
    case MenuItem::KIF_COPY: kif.KIF_COPY_Click(); break;
    case MenuItem::KIF_PASTE: kif.KIF_PASTE_Click(); break;
    case MenuItem::OPTION: records.closePanel(); break;
    case MenuItem::MIDORI: settings.MIDORI_Click(); break;
    case MenuItem::TATAMI: settings.TATAMI_Click(); break;
    case MenuItem::TAKE: settings.TAKE_Click(); break;
    case MenuItem::UCHU: settings.UCHU_Click(); break;
    case MenuItem::RENGA: settings.RENGA_Click(); break;
    case MenuItem::SIDOU: settings.SIDOU_Click(); break;
    case MenuItem::KEIKA: settings.KEIKA_Click(); break;
    case MenuItem::BGM: settings.BGM_Click(); break;
    case MenuItem::KAISETU: KAISETU_Click(); break;
    case MenuItem::KIFU_LIST: study.KIFU_LIST_Click(); break;
    case MenuItem::HINT: study.HINT_Click(); break;
    case MenuItem::KENTOU_MODE: study.KENTOU_MODE_Click(); break;
    case MenuItem::KAISEKI: study.KAISEKI_Click(); break;
    case MenuItem::HENSHU:
      study.clearHint();
      editor.HENSHU_Click();
      break;
    default: break;  // menus that only open (棋譜, 背景画, その他 …)
  }
  syncTimer();
  if (!ended_) study.refresh();
}

void Form1Controller::OWARI_Click() {
  終了処理();
  p_.window.closeWindow();
}

void Form1Controller::VER_Click() {
  records.closePanel();
  p_.sound.dsPlay(sounds.効果音その他);
  p_.dialogs.showVersionDialog();
}

std::filesystem::path helpPage(const std::vector<std::filesystem::path>& dataFolders,
                               const std::filesystem::path& startFolder) {
  std::filesystem::path page = findFile(kHelpPage, dataFolders);
  if (page.empty()) page = startFolder / pathOfUtf8(kHelpPage);
  return page;
}

// The help page from the start-up folder, else beside the program, else where it is installed.
void Form1Controller::KAISETU_Click() { p_.dialogs.showHelp(helpPage(dataFolders_, 起動フォルダ)); }

// The buffers go first, in the order they were loaded; the library last.
void Form1Controller::終了処理() {
  if (ended_) return;
  ended_ = true;
  study.stopSearching();
  comTurn.stop();
  g.timer1Enabled = false;
  syncTimer();
  sounds.freeAll();
  sounds.終了_音源();
}

// The computer's turn keeps the tick timer itself until it is over.
void Form1Controller::syncTimer() {
  if (!computerMoving()) p_.timer.setTimer1Enabled(g.timer1Enabled);
}

}  // namespace zelk
