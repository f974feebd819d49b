#include "com/score.h"

#include <cstdlib>

namespace zelk {

std::string scoreText(Score s) {
  const int whole = std::abs(s) / 10, tenth = std::abs(s) % 10;
  std::string t = (s < 0 ? "-" : "") + std::to_string(whole);
  if (tenth != 0) t += "." + std::to_string(tenth);
  return t;
}

}  // namespace zelk
