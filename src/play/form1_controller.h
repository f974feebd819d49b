#pragma once
// The main window's behaviour without the window: it owns the game and answers the window's
// events (start-up, keys, closing, the clock tick, menu commands) through the platform.

#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "core/game_state.h"
#include "play/com_turn.h"
#include "play/position_editor.h"
#include "play/study.h"
#include "play/study_panel.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "presentation/sound.h"
#include "records/handicap.h"
#include "records/kif_commands.h"
#include "records/navigation.h"
#include "records/record_commands.h"
#include "records/record_exchange.h"
#include "records/record_panel.h"
#include "settings/clocks.h"
#include "settings/settings_commands.h"

namespace zelk {

inline constexpr std::string_view kHelpPage = "Zelk５五将棋.htm";

// The help page: the first of the data folders holding it, else the start-up folder's.
std::filesystem::path helpPage(const std::vector<std::filesystem::path>& dataFolders,
                               const std::filesystem::path& startFolder);

class Form1Controller {
public:
  // soundFolders: where the sound files and the help page are looked for, in order;
  // startFolder: the folder the game was started from (the settings file lives there);
  // panel: the record-file panel's controls (none: a panel that is never seen);
  // exchange: the file dialogs and the clipboard of the KIF commands (none: never seen);
  // studyPanel: the move list, analysis and review beside the board (none: never seen).
  Form1Controller(const Platform& platform, std::vector<std::filesystem::path> soundFolders,
                  std::filesystem::path startFolder, RecordPanel* panel = nullptr, RecordExchange* exchange = nullptr,
                  StudyPanel* studyPanel = nullptr);
  Form1Controller(const Form1Controller&) = delete;
  Form1Controller& operator=(const Form1Controller&) = delete;

  GameState g;
  Screen screen;
  Clocks clocks;
  SoundModule sounds;
  std::filesystem::path 起動フォルダ;

private:
  std::unique_ptr<RecordPanel> ownPanel_;  // when the window gives none
  std::unique_ptr<RecordExchange> ownExchange_;
  std::unique_ptr<StudyPanel> ownStudyPanel_;
  std::vector<std::filesystem::path> dataFolders_;

public:
  RecordCommands records;
  Navigation navigation;
  Handicap handicap;
  SettingsCommands settings;
  ComTurn comTurn;
  KifCommands kif;
  Study study;            // the 検討 menu
  PositionEditor editor;  // 局面編集

  // True while the computer's turn runs: board clicks, the record panel and the menu commands
  // that would change the game are refused (dropped, never kept for later) until it is over.
  bool computerMoving() const { return comTurn.running(); }
  // Whether a menu item may be chosen while the computer moves: 終わり, the help page, the
  // music, and opening a menu.
  static bool allowedWhileComputerMoves(MenuItem item);

  void Form_Load();
  void Form_KeyPress(int KeyAscii);  // 27 = Esc ends the program
  void Form_Unload();                // the window is being closed
  void Timer1_Timer();
  void menuClicked(MenuItem item);  // a menu item was chosen, or a menu opened

  void OWARI_Click();
  void VER_Click();
  void KAISETU_Click();  // the help page
  void 終了処理();       // releases the sounds; runs once, whichever way the program ends

  // Move entry: a mouse-down at (x, y) twips with button 1 (left) or 2 (right).
  void Form_MouseDown(int Button, double x, double y);

  // Game flow.
  void SENTE_Click();  // against the computer, MAN first (or take up play)
  void GOTE_Click();   // against the computer, COM first (or take up play)
  void START_Click();  // two people (or take up play)
  void MATCH_MAN_Click() {}
  void TAIKYOKU_Click();                 // opening the 対局 menu
  void STOP_Click();                     // opening the 局面 menu
  void CANCEL_Click();                   // back to the starting position, no game
  void KOUSIKI_Click();                  // the official rules on or off, kept for the next runs
  void TOURYOU_Click();                  // the player to move resigns, after a yes
  void timeControlClick(MenuItem item);  // a choice of the 持ち時間 menu, kept for the next runs

  // The computer's turn: search, record, blink, play and announce its move, on the event
  // loop's timers; it returns after the decision, before the blink.
  void com_ban() { comTurn.start(); }

  // Strength levels.
  void LEVEL1_Click() { levelClick(1); }
  void LEVEL2_Click() { levelClick(2); }
  void LEVEL3_Click() { levelClick(3); }
  // The searching levels above the rule-based three.
  void LEVEL4_Click() { levelClick(4); }
  void LEVEL5_Click() { levelClick(5); }
  void LEVEL6_Click() { levelClick(6); }
  void LEVEL7_Click() { levelClick(7); }
  void LEVEL8_Click() { levelClick(8); }
  void LEVEL9_Click() { levelClick(9); }
  void LEVEL10_Click() { levelClick(10); }
  void LEVEL11_Click() { levelClick(11); }
  void LEVEL12_Click() { levelClick(12); }
  void LEVEL13_Click() { levelClick(13); }
  void LEVEL14_Click() { levelClick(14); }
  void レベル_設定(int level);

private:
  void mouseDown(int Button, double x, double y);
  bool leaveEditor(MenuItem item);               // false when the command is not to run
  void dispatchClick(int Button, int X, int Y);  // a click on the board or beside it
  void levelClick(int level);
  Rules chosenRules() const;               // the rules the 公式ﾙｰﾙ item chooses
  持ち時間設定 chosenTimeControl() const;  // the control the 持ち時間 menu chooses
  void startClocks(bool fresh);            // the chosen control, each side's main time full
  void hideRecordPanel();
  void refuse();                              // the refusal sound
  void playPiecePlaced();                     // the piece-placed sound
  bool elapsedShown() const;                  // the 経過時間 item is checked
  void announceTurn(std::string_view title);  // 先手の番です / 後手の番です
  void makeMove(int Button);                  // the selected piece goes to the chosen square
  void selectHandPiece(int X, int Y);
  void syncTimer();
  // What starting play as either side begins with: a finished game set up anew, the level and
  // board drawn, the game in play from the last slot played. True for a fresh game.
  bool beginPlay();

  Platform p_;
  bool ended_ = false;
};

}  // namespace zelk
