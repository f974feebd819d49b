#include "players/levels.h"

namespace zelk {

search::SearchLimits levelBudget(int level) {
  search::SearchLimits l;
  switch (level) {
    case 4: l.depth = 2, l.softMs = 100, l.hardMs = 200; break;
    case 5: l.depth = 6, l.softMs = 300, l.hardMs = 600; break;
    default: l.softMs = 1000, l.hardMs = 2000; break;
  }
  return l;
}

}  // namespace zelk
