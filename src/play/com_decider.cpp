#include "play/com_decider.h"

#include <algorithm>
#include <iterator>
#include <random>

#include "players/engine_move.h"
#include "players/levels.h"

namespace zelk {

ComDecider ruleBasedDecider(SearchTick tick) {
  return ComDecider{[tick](GameState& position, const std::atomic<bool>&) { return decideComMove(position, tick); },
                    false};
}

ComDecider searchingDecider(int level) {
  return ComDecider{[level](GameState& position, const std::atomic<bool>& stop) {
                      // The weaker levels draw among near-best moves: a new draw every game and move.
                      return searchComMove(position, level, stop,
                                           (std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}());
                    },
                    true};
}

ComDecider deciderForLevel(int level) { return isSearchingLevel(level) ? searchingDecider(level) : ComDecider{}; }

void keepSearchTraces(GameState& g, const GameState& searched) {
  static_cast<InfluenceMaps&>(g) = searched;
  static_cast<SearchSnapshot&>(g) = searched;
  std::copy(std::begin(searched.二歩MAN), std::end(searched.二歩MAN), std::begin(g.二歩MAN));
  std::copy(std::begin(searched.二歩COM), std::end(searched.二歩COM), std::begin(g.二歩COM));
  g.成駒 = searched.成駒;
}

}  // namespace zelk
