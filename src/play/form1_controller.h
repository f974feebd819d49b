#pragma once
// The main window's behaviour without the window: it owns the game and answers the window's
// events (start-up, keys, closing, the clock tick, menu commands) through the platform.

#include <filesystem>
#include <vector>

#include "core/game_state.h"
#include "play/platform.h"
#include "play/screen.h"
#include "play/sound.h"
#include "settings/clocks.h"

namespace zelk {

class Form1Controller {
public:
  // soundFolders: where the sound files are looked for, in order; startFolder: the folder
  // the game was started from.
  Form1Controller(const Platform& platform, std::vector<std::filesystem::path> soundFolders,
                  std::filesystem::path startFolder);
  Form1Controller(const Form1Controller&) = delete;
  Form1Controller& operator=(const Form1Controller&) = delete;

  GameState g;
  Screen screen;
  Clocks clocks;
  SoundModule sounds;
  std::filesystem::path 起動フォルダ;

  void Form_Load();
  void Form_KeyPress(int KeyAscii);  // 27 = Esc ends the program
  void Form_Unload();                // the window is being closed
  void Timer1_Timer();
  void menuClicked(MenuItem item);   // a menu item was chosen, or a menu opened

  void OWARI_Click();
  void VER_Click();
  void 終了処理();  // releases the sounds; runs once, whichever way the program ends

private:
  void applyDefaultSettings();
  void チェック設定(int 種類);
  void syncTimer();

  Platform p_;
  bool ended_ = false;
};

}  // namespace zelk
