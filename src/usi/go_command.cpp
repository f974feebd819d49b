#include "usi/go_command.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "base/words.h"
#include "search/search.h"

namespace zelk {

namespace {

// A whole number of digits only, within [min, max].
std::optional<std::int64_t> wholeNumber(std::string_view t, std::int64_t min, std::int64_t max) {
  std::int64_t v = 0;
  if (t.empty() || t[0] == '-' || t[0] == '+') return std::nullopt;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size() || v < min || v > max) return std::nullopt;
  return v;
}

constexpr std::int64_t kMaxMs = 1000LL * 60 * 60 * 24 * 365;  // a year

}  // namespace

std::optional<GoCommand> parseGo(std::string_view args, std::string* error) {
  GoCommand go;
  const std::vector<std::string_view> w = words(args);
  auto fail = [&](std::string why) -> std::optional<GoCommand> {
    if (error) *error = std::move(why);
    return std::nullopt;
  };
  if (!w.empty() && w[0] == "perft") {
    go.perft = true;
    if (w.size() > 2) return fail("go perft takes one depth");
    if (w.size() == 2) {
      const auto d = wholeNumber(w[1], 1, 10);
      if (!d) return fail("perft depth must be a whole number from 1 to 10");
      go.perftDepth = static_cast<int>(*d);
    }
    return go;
  }
  for (std::size_t i = 0; i < w.size(); ++i) {
    const std::string_view key = w[i];
    if (key == "infinite") {
      go.infinite = true;
      continue;
    }
    if (key == "ponder") {
      go.ponder = true;
      continue;
    }
    if (key == "mate") {
      go.mate = true;
      if (i + 1 < w.size() && w[i + 1] == "infinite") ++i;
      else if (i + 1 < w.size())
        if (const auto ms = wholeNumber(w[i + 1], 0, kMaxMs)) go.mateMs = *ms, ++i;
      continue;
    }
    const bool known = key == "depth" || key == "nodes" || key == "movetime" || key == "btime" || key == "wtime" ||
                       key == "binc" || key == "winc" || key == "byoyomi";
    if (!known) return fail("unknown word '" + std::string(key) + "' after go");
    if (i + 1 >= w.size()) return fail(std::string(key) + " needs a number");
    const std::string_view value = w[++i];
    const std::int64_t max = key == "depth" ? 1000 : key == "nodes" ? (std::int64_t{1} << 62) : kMaxMs;
    // A clock may be below zero when a GUI lets time run over; it counts as none left.
    const bool clock = key == "btime" || key == "wtime";
    std::optional<std::int64_t> n;
    if (clock && !value.empty() && value[0] == '-')
      n = wholeNumber(value.substr(1), 0, kMaxMs) ? std::optional<std::int64_t>(0) : std::nullopt;
    else n = wholeNumber(value, key == "depth" || key == "nodes" ? 1 : 0, max);
    if (!n) return fail(std::string(key) + " must be a whole number, not '" + std::string(value) + "'");
    if (key == "depth") go.depth = static_cast<int>(std::min<std::int64_t>(*n, search::kMaxPly - 1));
    else if (key == "nodes") go.nodes = static_cast<std::uint64_t>(*n);
    else if (key == "movetime") go.movetime = *n;
    else if (key == "btime") go.time[0] = *n;
    else if (key == "wtime") go.time[1] = *n;
    else if (key == "binc") go.increment[0] = *n;
    else if (key == "winc") go.increment[1] = *n;
    else go.byoyomi = *n;
  }
  return go;
}

}  // namespace zelk
