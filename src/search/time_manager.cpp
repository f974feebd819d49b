#include "search/time_manager.h"

#include <algorithm>

namespace zelk::search {

SearchLimits limitsFor(const TimeControl& go, int colour) {
  SearchLimits l;
  l.depth = go.depth;
  l.nodes = go.nodes;
  if (go.infinite) return l;
  if (go.movetime >= 0) {
    l.hardMs = std::max<std::int64_t>(1, go.movetime - kMovetimeOverheadMs);
    l.softMs = l.hardMs;
    return l;
  }
  if (!go.hasClock()) return l;
  const std::int64_t left = std::max<std::int64_t>(0, go.time[colour]);
  const std::int64_t inc = go.increment[colour];
  // What may be spent at most without losing: the time left plus the byoyomi, less overhead.
  const std::int64_t safe = std::max<std::int64_t>(1, left + go.byoyomi - kMoveOverheadMs);
  // A short game: plan for about 25 more moves, spend the increment, use the byoyomi fully.
  const std::int64_t share = left / 25 + inc * 3 / 4 + go.byoyomi;
  l.softMs = std::max<std::int64_t>(1, std::min(safe, share * 6 / 10));
  l.hardMs = std::max<std::int64_t>(1, std::min(safe, std::max(share, left / 8 + go.byoyomi)));
  l.hardMs = std::min(l.hardMs, safe);
  return l;
}

SearchLimits tighter(const SearchLimits& a, const SearchLimits& b) {
  auto least = [](auto x, auto y) { return x == 0 ? y : y == 0 ? x : std::min(x, y); };
  SearchLimits l;
  l.depth = least(a.depth, b.depth);
  l.nodes = least(a.nodes, b.nodes);
  l.softMs = least(a.softMs, b.softMs);
  l.hardMs = least(a.hardMs, b.hardMs);
  l.temperature = std::max(a.temperature, b.temperature);  // a weaker level stays as weak within a clock
  return l;
}

}  // namespace zelk::search
