#include "selfplay.h"

#include <ostream>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/sfen.h"
#include "search/movegen.h"
#include "search/search.h"

namespace zelk::tune {

namespace {

// A random move that does not hand the king over at once; kNoMove when there is none.
search::Move randomSafeMove(search::Position& p, std::mt19937& rng) {
  search::MoveList list;
  search::generate(p, list);
  std::vector<search::Move> safe;
  const int us = p.sideToMove();
  for (const search::Move m : list) {
    p.make(m);
    const int k = p.kingSquare(us);
    if (k >= 0 && p.attackersTo(k, search::opposite(us)) == 0) safe.push_back(m);
    p.unmake();
  }
  return safe.empty() ? search::kNoMove : safe[rng() % safe.size()];
}

}  // namespace

void playGames(const SelfPlayOptions& o, std::ostream& out, std::ostream& progress) {
  search::Searcher searcher(16);
  searcher.setRules(o.rules);
  const std::atomic<bool> stop{false};
  for (int n = o.firstGame; n < o.firstGame + o.games; ++n) {
    std::mt19937 rng(o.seed * 1000003u + static_cast<std::uint32_t>(n));
    GameState g;
    loadSfen(g, kStartSfen);
    search::Position p(g);
    searcher.clear();
    const int randomPlies = 2 + static_cast<int>(rng() % static_cast<unsigned>(std::max(1, o.randomPlies - 1)));
    bool ok = true;
    for (int i = 0; i < randomPlies && ok; ++i) {
      const search::Move m = randomSafeMove(p, rng);
      if (m == search::kNoMove) ok = false;
      else playUsiMove(g, p.toUsi(m)), p.make(m);
    }
    if (!ok) continue;
    std::vector<std::string> seen;
    std::unordered_map<std::uint64_t, int> occurrences;
    double lowerResult = 0.5;  // drawn unless a king falls or a side cannot move
    for (int ply = 0; ply < o.plyCap; ++ply) {
      const int us = p.sideToMove();
      if (p.canTakeKing()) {
        lowerResult = us == search::kLower ? 1 : 0;
        break;
      }
      if (o.rules == Rules::official && ++occurrences[p.key()] == 4) break;
      search::SearchLimits limits;
      limits.nodes = o.nodes;
      const search::SearchResult r = searcher.search(p, limits, stop);
      if (r.best == search::kNoMove) {
        lowerResult = us == search::kLower ? 0 : 1;
        break;
      }
      seen.push_back(toSfen(g));
      playUsiMove(g, p.toUsi(r.best));
      p.make(r.best);
      if (p.movesMade() >= search::Position::kMaxMovesMade - 1) break;
    }
    for (const std::string& s : seen) out << s << '\t' << lowerResult << '\n';
    if ((n + 1) % 100 == 0) progress << "games " << (n + 1 - o.firstGame) << " of " << o.games << std::endl;
  }
}

}  // namespace zelk::tune
