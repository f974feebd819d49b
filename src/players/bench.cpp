#include "players/bench.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <ostream>

#include "core/sfen.h"
#include "players/bench_positions.h"
#include "search/search.h"
#include "players/engine_move.h"

namespace zelk {

const std::vector<std::string>& benchPositions() {
  static const std::vector<std::string> positions(std::begin(kBenchSfens), std::end(kBenchSfens));
  return positions;
}

std::vector<std::string> benchChoices() {
  std::vector<std::string> choices;
  for (int level = 1; level <= 3; ++level) {
    for (const std::string& sfen : benchPositions()) {
      GameState g;
      loadSfen(g, sfen);
      const EngineAnswer a = engineMove(g, level);
      choices.push_back(a.found ? toUsi(a.move) + " " + scoreText(a.score) : "resign");
    }
  }
  return choices;
}

SearchBench benchSearch(int depth) {
  SearchBench b;
  search::Searcher searcher(16);
  const std::atomic<bool> stop{false};
  std::uint64_t signature = 1469598103934665603ull;
  double seconds = 0;
  for (const std::string& sfen : benchPositions()) {
    GameState g;
    loadSfen(g, sfen);
    search::Position p(g);
    searcher.clear();  // each position searched afresh, so the count is the same every run
    search::SearchLimits limits;
    limits.depth = depth;
    const auto t0 = std::chrono::steady_clock::now();
    const search::SearchResult r = searcher.search(p, limits, stop);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    b.nodes += r.nodes;
    const std::string line = (r.best ? toUsi(p.toUsi(r.best)) : "resign") + " " + std::to_string(r.score) + " " +
                             std::to_string(r.nodes) + "\n";
    for (const char ch : line) {
      signature ^= static_cast<unsigned char>(ch);
      signature *= 1099511628211ull;
    }
  }
  b.signature = signature;
  b.nodesPerSecond = seconds > 0 ? static_cast<std::uint64_t>(static_cast<double>(b.nodes) / seconds) : 0;
  return b;
}

void runBench(std::ostream& out) {
  // FNV-1a over every choice and its exact score: any change of behaviour changes it.
  std::uint64_t signature = 1469598103934665603ull;
  for (const std::string& c : benchChoices()) {
    for (const char ch : c + "\n") {
      signature ^= static_cast<unsigned char>(ch);
      signature *= 1099511628211ull;
    }
  }

  constexpr int kRounds = 5;
  std::vector<double> micros[4];
  for (int round = 0; round < kRounds; ++round) {
    for (int level = 1; level <= 3; ++level) {
      for (const std::string& sfen : benchPositions()) {
        GameState g;
        loadSfen(g, sfen);
        const auto t0 = std::chrono::steady_clock::now();
        const EngineAnswer a = engineMove(g, level);
        const auto t1 = std::chrono::steady_clock::now();
        (void)a;
        micros[level].push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
      }
    }
  }
  char sig[32];
  std::snprintf(sig, sizeof sig, "%016llx", static_cast<unsigned long long>(signature));
  out << "positions: " << benchPositions().size() << "\n";
  out << "signature: " << sig << "\n";
  for (int level = 1; level <= 3; ++level) {
    std::vector<double>& t = micros[level];
    std::sort(t.begin(), t.end());
    const double median = t[t.size() / 2];
    const double p95 = t[std::min(t.size() - 1, t.size() * 95 / 100)];
    char line[128];
    std::snprintf(line, sizeof line, "level %d: median %.1f us, p95 %.1f us per decision\n", level, median, p95);
    out << line;
  }
  // The searching levels: a fixed-depth search of every position, its nodes and choices.
  const SearchBench b = benchSearch(kBenchSearchDepth);
  std::snprintf(sig, sizeof sig, "%016llx", static_cast<unsigned long long>(b.signature));
  out << "search depth " << kBenchSearchDepth << ": nodes " << b.nodes << ", nps " << b.nodesPerSecond << ", signature "
      << sig << "\n";
}

}  // namespace zelk
