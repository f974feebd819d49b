#pragma once
// The ladder of the level menu and the engine's Level option: which player plays a level and
// how long it may think.

#include "search/search.h"

namespace zelk {

// Levels 1 to 3 are the rule-based player; the levels above them search.
inline constexpr int kHighestRuleBasedLevel = 3;
inline constexpr int kHighestLevel = 14;

constexpr bool isSearchingLevel(int level) { return level > kHighestRuleBasedLevel; }

// The budget of a searching level on its own: a depth, nodes or time, the time always capped,
// and for the lowest levels a temperature (the seed of its draw is the caller's).
search::SearchLimits levelBudget(int level);

// Under a clock the top level plans from the clock alone; the others keep their budget
// within it.
constexpr bool plansFromClock(int level) { return level == kHighestLevel; }

}  // namespace zelk
