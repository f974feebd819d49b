#include "settings/settings_commands.h"

#include <string>

#include "base/file_io.h"
#include "settings/settings_file.h"
#include "base/utf8_path.h"

namespace zelk {

namespace {

constexpr MenuItem kBackgroundItems[] = {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE, MenuItem::UCHU,
                                         MenuItem::RENGA};

MenuItem backgroundItem(int 種類) {
  switch (種類) {
    case 背景緑: return MenuItem::MIDORI;
    case 背景畳: return MenuItem::TATAMI;
    case 背景竹: return MenuItem::TAKE;
    case 背景宇宙: return MenuItem::UCHU;
    default: return MenuItem::RENGA;
  }
}

}  // namespace

std::filesystem::path SettingsCommands::filePath() const {
  const std::string_view name = kSettingsFileName;
  return folder_ / pathOfUtf8(name);
}

void SettingsCommands::チェック設定(int 種類) {
  for (const MenuItem item : kBackgroundItems) p_.menu.setChecked(item, false);
  if (!backgroundName(種類).empty()) p_.menu.setChecked(backgroundItem(種類), true);
}

// Lines apply in file order, a later one for the same key winning; unknown keys and values
// change nothing. A file that cannot be read, or has a line without "=", is replaced by the
// defaults, which then take effect.
void SettingsCommands::読込_環境設定ファイル() {
  const FileResult read = readWholeFile(filePath(), kLargestSettingsFile);
  const SettingsLines parsed = read.ok ? parseSettings(read.bytes) : SettingsLines{};
  if (!parsed.ok) {
    applyDefaults();
    return;
  }
  bool musicStarted = false;
  for (const auto& [key, value] : parsed.lines) {
    if (key == "背景画") {
      const int kind = backgroundKind(value);
      if (kind == 0) continue;
      チェック設定(kind);
      screen_.描画_背景(kind);
      g.背景種類 = kind;
    } else if (key == "移動指導") {
      const bool on = value == "ON";
      screen_.移動指導色 = on ? 色白 : 色緑;
      p_.menu.setChecked(MenuItem::SIDOU, on);
      g.移動指導 = on ? 1 : 0;
    } else if (key == "経過時間") {
      p_.menu.setChecked(MenuItem::KEIKA, value == "ON");
    } else if (key == "BGM") {
      const bool on = value == "ON";
      p_.menu.setChecked(MenuItem::BGM, on);
      // A later line that turns the music off stops what an earlier one started.
      if (on) p_.sound.dsPlayLooping(sounds_.効果音BGM);
      else if (musicStarted) p_.sound.dsStop(sounds_.効果音BGM);
      musicStarted = on;
    }
  }
  // No line chose a background: the check mark follows the one drawn (the green default when
  // none is), so that the next option command writes what the player sees.
  if (backgroundName(g.背景種類).empty()) {
    g.背景種類 = 背景緑;
    screen_.描画_背景(背景緑);
  }
  if (!p_.menu.isChecked(backgroundItem(g.背景種類))) チェック設定(g.背景種類);
}

void SettingsCommands::applyDefaults() {
  const FileResult written = writeFileAtomically(filePath(), formatSettings(SettingsMarks{}));
  チェック設定(背景緑);
  screen_.描画_背景(背景緑);
  g.背景種類 = 背景緑;
  p_.menu.setChecked(MenuItem::SIDOU, false);
  p_.menu.setChecked(MenuItem::KEIKA, true);
  p_.menu.setChecked(MenuItem::BGM, true);
  p_.sound.dsPlayLooping(sounds_.効果音BGM);
  if (!written.ok) reportUnsaved(written.error);
}

// The file follows the check marks. When it cannot be written, one more try writes the
// defaults and puts the marks to them; when that fails too the marks stay as they are (they
// still tell what is in effect) and the player is told why the options will not be kept.
void SettingsCommands::書込_環境設定ファイル() {
  SettingsMarks marks;
  marks.background = 0;
  for (const int kind : {背景緑, 背景竹, 背景畳, 背景宇宙, 背景煉瓦})
    if (p_.menu.isChecked(backgroundItem(kind))) {
      marks.background = kind;
      break;
    }
  marks.guidance = p_.menu.isChecked(MenuItem::SIDOU);
  marks.elapsed = p_.menu.isChecked(MenuItem::KEIKA);
  marks.music = p_.menu.isChecked(MenuItem::BGM);
  if (writeFileAtomically(filePath(), formatSettings(marks)).ok) return;

  const FileResult retry = writeFileAtomically(filePath(), formatSettings(SettingsMarks{}));
  if (!retry.ok) {
    reportUnsaved(retry.error);
    return;
  }
  チェック設定(背景緑);
  p_.menu.setChecked(MenuItem::SIDOU, false);
  p_.menu.setChecked(MenuItem::KEIKA, true);
  p_.menu.setChecked(MenuItem::BGM, true);
}

void SettingsCommands::reportUnsaved(const std::string& error) {
  p_.dialogs.messageBox(error, "環境設定", Dialogs::Icon::Exclamation);
}

void SettingsCommands::backgroundClick(int 種類) {
  if (!p_.menu.isChecked(backgroundItem(種類))) {
    チェック設定(種類);
    g.背景種類 = 種類;
  }
  書込_環境設定ファイル();
  screen_.画面_再描画();
}

void SettingsCommands::SIDOU_Click() {
  if (p_.menu.isChecked(MenuItem::SIDOU)) {
    for (int X = 1; X <= 5; ++X)
      for (int Y = 1; Y <= 5; ++Y) screen_.描画_桝輪郭(screen_.桝色, X, Y);
    for (int i = 1; i <= 7; ++i) {
      screen_.描画_桝輪郭(screen_.桝色, -1, i);
      screen_.描画_桝輪郭(screen_.桝色, 11, i + 2);
    }
    p_.menu.setChecked(MenuItem::SIDOU, false);
    g.移動指導 = 0;
    screen_.移動指導色 = screen_.桝色;
  } else {
    p_.menu.setChecked(MenuItem::SIDOU, true);
    g.移動指導 = 1;
    screen_.移動指導色 = 色白;
  }
  書込_環境設定ファイル();
}

void SettingsCommands::KEIKA_Click() {
  if (p_.menu.isChecked(MenuItem::KEIKA)) {
    p_.menu.setChecked(MenuItem::KEIKA, false);
    g.timer1Enabled = false;
    clocks_.消去_所有時間(g.MAN手番);
    clocks_.消去_所有時間(g.COM手番);
  } else {
    p_.menu.setChecked(MenuItem::KEIKA, true);
    // While play waits after 戻 or 進 no move is being timed: the clock starts when play resumes.
    if (g.再開待ち == 0) g.timer1Enabled = true;
    clocks_.描画_所有時間(g.COM手番, g.COM秒);
    clocks_.描画_所有時間(g.MAN手番, g.MAN秒);
  }
  書込_環境設定ファイル();
}

void SettingsCommands::BGM_Click() {
  if (p_.menu.isChecked(MenuItem::BGM)) {
    p_.menu.setChecked(MenuItem::BGM, false);
    p_.sound.dsStop(sounds_.効果音BGM);
  } else {
    p_.menu.setChecked(MenuItem::BGM, true);
    p_.sound.dsPlayLooping(sounds_.効果音BGM);
  }
  書込_環境設定ファイル();
}

}  // namespace zelk
