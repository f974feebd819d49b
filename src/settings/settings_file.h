#pragma once
// The settings file "Zelk５五将棋.ini": lines of key "=" value in code page 932 with CR LF,
// written in the order 背景画, 移動指導, 経過時間, BGM.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/palette.h"

namespace zelk {

inline constexpr const char* kSettingsFileName = "Zelk５五将棋.ini";
// A settings file larger than this is no settings file (the real one is some 60 bytes).
inline constexpr std::uintmax_t kLargestSettingsFile = 64u << 10;

// The value written after "背景画=" for a kind, "" for no kind.
std::string_view backgroundName(int kind);
// The kind named by a "背景画" value; 0 for an unknown value.
int backgroundKind(std::string_view name);

// The file's lines as key and value (UTF-8), or not ok when some line has no "=": then the
// file is to be replaced by the defaults.
struct SettingsLines {
  bool ok = false;
  std::vector<std::pair<std::string, std::string>> lines;
};
SettingsLines parseSettings(std::string_view bytes);

// The options as the menu's check marks hold them.
struct SettingsMarks {
  int background = 背景緑;  // the first checked background item; 0 when none is checked
  bool guidance = false;    // 移動指導
  bool elapsed = true;      // 経過時間
  bool music = true;        // BGM
  friend bool operator==(const SettingsMarks&, const SettingsMarks&) = default;
};

// The whole file's bytes for these marks.
std::string formatSettings(const SettingsMarks& m);

}  // namespace zelk
