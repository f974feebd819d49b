#pragma once
// The ladder of the level menu and the engine's Level option: which player plays a level and
// how long it may think.

#include "search/search.h"

namespace zelk {

// Levels 1 to 3 are the rule-based player; the levels above them search.
inline constexpr int kHighestRuleBasedLevel = 3;
inline constexpr int kHighestLevel = 6;

constexpr bool isSearchingLevel(int level) { return level > kHighestRuleBasedLevel; }

// The budget of a searching level on its own: time with a depth cap.
search::SearchLimits levelBudget(int level);

}  // namespace zelk
