#include "players/levels.h"

namespace zelk {

namespace {

// Each rung about 200 Elo over the one below, measured in games (docs/ladder.md). The lowest
// search one ply and stray from the best by a temperature; the middle ones stop at a depth;
// the upper ones at a number of nodes, so that a level is the same on a fast machine and a
// slow one; the top thinks for its time. Every level stops by its hard time at the latest.
constexpr search::SearchLimits kRungs[] = {
    {.depth = 1, .softMs = 100, .hardMs = 300, .temperature = 150},  // 4
    {.depth = 1, .softMs = 100, .hardMs = 300, .temperature = 60},   // 5
    {.depth = 2, .softMs = 100, .hardMs = 300, .temperature = 50},   // 6
    {.depth = 3, .softMs = 100, .hardMs = 300},                      // 7
    {.depth = 4, .softMs = 100, .hardMs = 300},                      // 8
    {.depth = 5, .softMs = 150, .hardMs = 300},                      // 9
    {.nodes = 8000, .softMs = 150, .hardMs = 300},                   // 10
    {.nodes = 30000, .softMs = 300, .hardMs = 600},                  // 11
    {.nodes = 120000, .softMs = 400, .hardMs = 800},                 // 12
    {.nodes = 500000, .softMs = 600, .hardMs = 1200},                // 13
    {.softMs = 1000, .hardMs = 2000},                                // 14: the top
};
static_assert(std::size(kRungs) == kHighestLevel - kHighestRuleBasedLevel, "a rung for every searching level");

}  // namespace

search::SearchLimits levelBudget(int level) {
  const int i = level - kHighestRuleBasedLevel - 1;
  return kRungs[i < 0 ? 0 : i >= int(std::size(kRungs)) ? std::size(kRungs) - 1 : i];
}

}  // namespace zelk
