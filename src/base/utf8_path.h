#pragma once
// File names as the game holds them, UTF-8 text, and as the file system takes them.

#include <filesystem>
#include <string>
#include <string_view>

namespace zelk {

inline std::filesystem::path pathOfUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

}  // namespace zelk
