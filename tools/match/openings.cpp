#include "openings.h"

#include <fstream>
#include <sstream>

#include "core/sfen.h"

namespace zelk::match {

std::optional<std::vector<Opening>> parseOpenings(std::string_view text, std::string& error, Rules rules) {
  std::vector<Opening> list;
  std::istringstream in{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (const std::size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    GameState g;
    g.rules = rules;
    loadSfen(g, kStartSfen);
    Opening opening;
    for (std::string w; words >> w;) {
      std::string why;
      const auto m = parseUsiMove(w, &why);
      if (m) {
        if (auto err = playUsiMove(g, *m)) why = *err;
        else if (g.勝者 != 0) why = "takes a king";
      }
      if (!why.empty()) {
        error = "line " + std::to_string(number) + ": " + w + ": " + why;
        return std::nullopt;
      }
      opening.push_back(toUsi(*m));
    }
    if (!opening.empty()) list.push_back(std::move(opening));
  }
  if (list.empty()) {
    error = "no openings";
    return std::nullopt;
  }
  return list;
}

std::optional<std::vector<Opening>> readOpenings(const std::string& path, std::string& error, Rules rules) {
  std::ifstream f(path);
  if (!f) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  std::ostringstream all;
  all << f.rdbuf();
  auto list = parseOpenings(all.str(), error, rules);
  if (!list) error = path + ": " + error;
  return list;
}

}  // namespace zelk::match
