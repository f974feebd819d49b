#include "players/engine_move.h"

#include "players/levels.h"
#include "search/position.h"
#include "search/search.h"
#include "search/time_manager.h"

namespace zelk {

UsiMove usiMoveOf(const ComMove& c) {
  UsiMove m;
  m.toX = c.toX;
  m.toY = c.toY;
  if (c.isDrop()) {
    m.kind = c.fromY;
  } else {
    m.fromX = c.fromX;
    m.fromY = c.fromY;
    m.promote = c.placed != c.sourcePiece;
  }
  return m;
}

ComMove comMoveOf(const GameState& g, const UsiMove& u) {
  ComMove m;
  m.toX = u.toX;
  m.toY = u.toY;
  if (u.isDrop()) {
    m.fromX = kComHandColumn;
    m.fromY = u.kind;
    m.sourcePiece = m.placed = kComHandCodes[u.kind];
  } else {
    m.fromX = u.fromX;
    m.fromY = u.fromY;
    m.sourcePiece = g.盤面(u.fromX, u.fromY);
    m.placed = u.promote ? m.sourcePiece + 1 : m.sourcePiece;  // COM's promoted code is one up
  }
  return m;
}

EngineAnswer engineMove(const GameState& position, int level) {
  GameState g = position;
  g.レベル = level;
  EngineAnswer answer;
  if (g.手番 == 0 || g.勝者 != 0) return answer;
  const bool turned = g.手番 == g.MAN手番;
  if (turned) turnRound(g);
  const ComDecision d = decideComMove(g);
  if (!d.found) return answer;
  answer.found = true;
  answer.score = d.move.score;
  const UsiMove m = usiMoveOf(d.move);
  answer.move = turned ? turnedRound(m) : m;
  return answer;
}

void useGameRules(search::Searcher& searcher, const GameState& g) {
  searcher.setRules(g.rules, g.MAN手番 == 先手 ? search::kLower : search::kUpper);
}

ComDecision searchComMove(const GameState& g, int level, const std::atomic<bool>& stop, std::uint64_t seed) {
  ComDecision d;
  search::Position root(g);
  search::Searcher searcher;
  useGameRules(searcher, g);
  search::SearchLimits limits = levelBudget(level);
  if (g.時間設定.on()) {
    // Within the game's control: the upper side's clock (the computer's) and the lower one's.
    search::TimeControl control;
    control.time[search::kLower] = static_cast<std::int64_t>(g.残りMAN * 1000);
    control.time[search::kUpper] = static_cast<std::int64_t>(g.残りCOM * 1000);
    control.increment[search::kLower] = control.increment[search::kUpper] =
        static_cast<std::int64_t>(g.時間設定.加算 * 1000);
    control.byoyomi = g.時間設定.加算 > 0 ? 0 : static_cast<std::int64_t>(g.時間設定.秒読み * 1000);
    limits = plansFromClock(level) ? search::limitsFor(control, search::kUpper)
                                   : search::tighter(limits, search::limitsFor(control, search::kUpper));
  }
  limits.seed = seed;
  const search::SearchResult r = searcher.search(root, limits, stop);
  if (r.best == search::kNoMove) return d;
  d.move = comMoveOf(g, root.toUsi(r.best));
  d.found = true;
  return d;
}

}  // namespace zelk
