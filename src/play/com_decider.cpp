#include "play/com_decider.h"

#include <algorithm>
#include <iterator>

#include "core/sfen.h"
#include "engine/position.h"
#include "engine/searcher.h"
#include "engine/time_manager.h"

namespace zelk {

ComDecider ruleBasedDecider(SearchTick tick) {
  return ComDecider{[tick](GameState& position, const std::atomic<bool>&) { return decideComMove(position, tick); },
                    false};
}

ComDecider searchingDecider(int level) {
  return ComDecider{[level](GameState& position, const std::atomic<bool>& stop) {
                      ComDecision d;
                      fast::Position root(position);
                      fast::Searcher searcher;
                      const fast::SearchResult r = searcher.search(root, fast::levelBudget(level), stop);
                      if (r.best == fast::kNoMove) return d;  // every move hands the king over
                      const UsiMove u = root.toUsi(r.best);
                      ComMove& m = d.move;
                      m.toX = u.toX;
                      m.toY = u.toY;
                      if (u.isDrop()) {
                        m.fromX = kComHandColumn;
                        m.fromY = u.kind;
                        m.sourcePiece = m.placed = kComHandCodes[u.kind];
                      } else {
                        m.fromX = u.fromX;
                        m.fromY = u.fromY;
                        m.sourcePiece = position.盤面(u.fromX, u.fromY);
                        m.placed = u.promote ? m.sourcePiece + 1 : m.sourcePiece;  // COM's promoted code is one up
                      }
                      d.found = true;
                      return d;
                    },
                    true};
}

ComDecider deciderForLevel(int level) { return level >= 4 ? searchingDecider(level) : ComDecider{}; }

void keepSearchTraces(GameState& g, const GameState& searched) {
  static_cast<InfluenceMaps&>(g) = searched;
  static_cast<SearchSnapshot&>(g) = searched;
  std::copy(std::begin(searched.二歩MAN), std::end(searched.二歩MAN), std::begin(g.二歩MAN));
  std::copy(std::begin(searched.二歩COM), std::end(searched.二歩COM), std::begin(g.二歩COM));
  g.成駒 = searched.成駒;
}

}  // namespace zelk
