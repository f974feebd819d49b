#include "time_control.h"

#include <charconv>
#include <vector>

namespace zelk::match {

namespace {

std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> w;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) w.push_back(s.substr(start, i - start));
  }
  return w;
}

std::optional<long long> number(std::string_view t) {
  long long v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size() || v < 0) return std::nullopt;
  return v;
}

}  // namespace

std::optional<Limit> parseLimit(std::string_view text, std::string* error) {
  auto fail = [&](std::string why) -> std::optional<Limit> {
    if (error) *error = std::move(why);
    return std::nullopt;
  };
  const std::vector<std::string_view> w = words(text);
  if (w.size() == 1 && w[0] == "own") {
    Limit own;
    own.kind = Limit::Kind::Own;
    return own;
  }
  if (w.size() < 2 || w.size() % 2 != 0)
    return fail("a limit is 'movetime MS', 'depth N', 'nodes N' or 'time MS [inc MS] [byoyomi MS]' or 'own'");
  Limit l;
  for (std::size_t i = 0; i < w.size(); i += 2) {
    const auto v = number(w[i + 1]);
    if (!v) return fail("'" + std::string(w[i + 1]) + "' is not a whole number");
    const std::string_view key = w[i];
    const bool single = w.size() == 2;
    if (key == "movetime" && single && *v > 0) l.kind = Limit::Kind::MoveTime, l.movetime = *v;
    else if (key == "depth" && single && *v > 0) l.kind = Limit::Kind::Depth, l.depth = *v;
    else if (key == "nodes" && single && *v > 0) l.kind = Limit::Kind::Nodes, l.nodes = *v;
    else if (key == "time" && i == 0) l.kind = Limit::Kind::Clock, l.time = *v;
    else if (key == "inc" && i > 0 && l.kind == Limit::Kind::Clock) l.inc = *v;
    else if (key == "byoyomi" && i > 0 && l.kind == Limit::Kind::Clock) l.byoyomi = *v;
    else return fail("unexpected '" + std::string(key) + " " + std::string(w[i + 1]) + "' in limit");
  }
  if (l.kind == Limit::Kind::Clock && l.time + l.inc + l.byoyomi == 0) return fail("a clock needs some time");
  if (l.inc > 0 && l.byoyomi > 0) return fail("a clock has an increment or a byoyomi, not both");
  return l;
}

std::string describe(const Limit& l) {
  switch (l.kind) {
    case Limit::Kind::MoveTime: return "movetime " + std::to_string(l.movetime);
    case Limit::Kind::Depth: return "depth " + std::to_string(l.depth);
    case Limit::Kind::Nodes: return "nodes " + std::to_string(l.nodes);
    case Limit::Kind::Own: return "own";
    case Limit::Kind::Clock: break;
  }
  std::string s = "time " + std::to_string(l.time);
  if (l.inc) s += " inc " + std::to_string(l.inc);
  if (l.byoyomi) s += " byoyomi " + std::to_string(l.byoyomi);
  return s;
}

long long Clock::allowed(const Limit& limit, long long margin) const {
  switch (limit.kind) {
    case Limit::Kind::MoveTime: return limit.movetime + margin;
    case Limit::Kind::Clock: return remaining + limit.byoyomi + margin;
    default: return -1;  // no time rule: the caller's own timeout applies
  }
}

void Clock::charge(const Limit& limit, long long used) {
  if (limit.kind != Limit::Kind::Clock) return;
  remaining = used <= remaining ? remaining - used : 0;
  remaining += limit.inc;
}

}  // namespace zelk::match
