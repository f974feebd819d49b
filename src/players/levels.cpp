#include "players/levels.h"

namespace zelk {

namespace {

// Each rung about 200 Elo over the one below, measured in games (docs/ladder.md). The lowest
// search one ply and stray from the best by a temperature; the middle ones stop at a depth;
// the upper ones at a number of nodes, so that a level is the same on a fast machine and a
// slow one; the top thinks for its time. Every level stops by its hard time at the latest.
struct Rung {
  int depth;
  std::uint64_t nodes;
  std::int64_t softMs, hardMs;
  int temperature;
};

constexpr Rung kRungs[] = {
    {1, 0, 100, 300, 150},      // 4
    {1, 0, 100, 300, 60},       // 5
    {2, 0, 100, 300, 50},       // 6
    {3, 0, 100, 300, 0},        // 7
    {4, 0, 100, 300, 0},        // 8
    {5, 0, 150, 300, 0},        // 9
    {0, 8000, 150, 300, 0},     // 10
    {0, 30000, 300, 600, 0},    // 11
    {0, 120000, 400, 800, 0},   // 12
    {0, 500000, 600, 1200, 0},  // 13
    {0, 0, 1000, 2000, 0},      // 14: the top
};
static_assert(std::size(kRungs) == kHighestLevel - kHighestRuleBasedLevel, "a rung for every searching level");

}  // namespace

search::SearchLimits levelBudget(int level) {
  const int i = level - kHighestRuleBasedLevel - 1;
  const Rung& r = kRungs[i < 0 ? 0 : i >= int(std::size(kRungs)) ? std::size(kRungs) - 1 : i];
  search::SearchLimits l;
  l.depth = r.depth;
  l.nodes = r.nodes;
  l.softMs = r.softMs;
  l.hardMs = r.hardMs;
  l.temperature = r.temperature;
  return l;
}

}  // namespace zelk
