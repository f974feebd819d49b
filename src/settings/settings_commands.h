#pragma once
// The four options of the "ｵﾌﾟｼｮﾝ" menu and the settings file that keeps them: read once at
// start-up (replaced by the defaults when missing or unreadable), rewritten whole by every
// option command. The file lives in the folder the game was started from.

#include <filesystem>
#include <string>

#include "core/game_state.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "presentation/sound.h"
#include "settings/clocks.h"

namespace zelk {

class SettingsCommands {
public:
  // folder: the folder that was current at start-up; the file stays there for the whole run.
  SettingsCommands(GameState& g, Screen& screen, Clocks& clocks, SoundModule& sounds, const Platform& platform,
                   std::filesystem::path folder)
      : g(g), screen_(screen), clocks_(clocks), sounds_(sounds), p_(platform), folder_(std::move(folder)) {}

  std::filesystem::path filePath() const;

  void 読込_環境設定ファイル();
  void 書込_環境設定ファイル();
  // Checks the background item of the kind, and clears the other four.
  void チェック設定(int 種類);

  void MIDORI_Click() { backgroundClick(背景緑); }
  void TATAMI_Click() { backgroundClick(背景畳); }
  void TAKE_Click() { backgroundClick(背景竹); }
  void UCHU_Click() { backgroundClick(背景宇宙); }
  void RENGA_Click() { backgroundClick(背景煉瓦); }
  void SIDOU_Click();  // move guidance on or off
  void KEIKA_Click();  // the clocks shown or not
  void BGM_Click();    // the music on or off

private:
  void backgroundClick(int 種類);
  void applyDefaults();
  void reportUnsaved(const std::string& error);

  GameState& g;
  Screen& screen_;
  Clocks& clocks_;
  SoundModule& sounds_;
  Platform p_;
  std::filesystem::path folder_;
};

}  // namespace zelk
