#include "settings/settings_file.h"

#include "base/cp932.h"

namespace zelk {

namespace {

struct Named {
  int kind;
  std::string_view name;
};
// The writer's order: 緑, 竹, 畳, 宇宙, 煉瓦.
constexpr Named kBackgrounds[] = {
    {背景緑, "緑"}, {背景竹, "竹"}, {背景畳, "畳"}, {背景宇宙, "宇宙"}, {背景煉瓦, "煉瓦"}};

}  // namespace

std::string_view backgroundName(int kind) {
  for (const Named& b : kBackgrounds)
    if (b.kind == kind) return b.name;
  return {};
}

int backgroundKind(std::string_view name) {
  for (const Named& b : kBackgrounds)
    if (b.name == name) return b.kind;
  return 0;
}

SettingsLines parseSettings(std::string_view bytes) {
  SettingsLines r;
  const std::string text = fromCp932(bytes);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = std::string_view(text).substr(start, end - start);
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return SettingsLines{};
    r.lines.emplace_back(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
    // CR LF, a lone CR or a lone LF ends a line.
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  r.ok = true;
  return r;
}

std::string formatSettings(const SettingsMarks& m) {
  std::string text;
  if (!backgroundName(m.background).empty()) text += "背景画=" + std::string(backgroundName(m.background)) + "\r\n";
  text += m.guidance ? "移動指導=ON\r\n" : "移動指導=OFF\r\n";
  text += m.elapsed ? "経過時間=ON\r\n" : "経過時間=OFF\r\n";
  text += m.music ? "BGM=ON\r\n" : "BGM=OFF\r\n";
  return toCp932(text).value_or(std::string());
}

}  // namespace zelk
