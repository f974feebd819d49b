#pragma once
// The words of a protocol line or a pasted text, split at blanks and line ends.

#include <string_view>
#include <vector>

namespace zelk {

inline std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> w;
  std::size_t i = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (i < s.size()) {
    while (i < s.size() && blank(s[i])) ++i;
    const std::size_t start = i;
    while (i < s.size() && !blank(s[i])) ++i;
    if (i > start) w.push_back(s.substr(start, i - start));
  }
  return w;
}

}  // namespace zelk
