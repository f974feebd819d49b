// zelk55-match: plays two USI engines against each other under this game's rules, refereed by
// the game's own rules code, and reports the result with an Elo estimate.

#include <atomic>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

#include "elo.h"
#include "game_log.h"
#include "gnushogi_player.h"
#include "match_options.h"
#include "openings.h"
#include "usi_player.h"

using namespace zelk::match;

namespace {

Defaults defaults() {
  Defaults d;
  d.openingsPath = ZELK55_MATCH_OPENINGS;
  d.zelkCommand = ZELK55_USI_PROGRAM;
  d.fairyVariantIni = ZELK55_MATCH_FAIRY_INI;
  d.gnuCommand = access("/usr/games/gnuminishogi", X_OK) == 0 ? "/usr/games/gnuminishogi" : "gnuminishogi";
  d.fairyCommand = access("/usr/games/fairy-stockfish", X_OK) == 0 ? "/usr/games/fairy-stockfish" : "fairy-stockfish";
  return d;
}

std::string fixed(double v, int decimals) {
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string tallyText(const Tally& t) {
  return "+" + std::to_string(t.wins) + " -" + std::to_string(t.losses) + " =" + std::to_string(t.draws);
}

// What the whole match has seen so far, from engine A's side.
struct Results {
  Tally total, asBlack, asWhite;
  std::map<std::string, int> endings;  // "king captured", "lost on time (B)" ...
  long long moves[2] = {0, 0}, thinkingMs[2] = {0, 0}, longestMs[2] = {0, 0};

  void add(const GameRecord& g, int aColour) {
    Tally& bySide = aColour == 0 ? asBlack : asWhite;
    for (Tally* t : {&total, &bySide}) {
      if (g.winner < 0) ++t->draws;
      else if (g.winner == aColour) ++t->wins;
      else ++t->losses;
    }
    std::string ending = describe(g.ending);
    if (g.winner >= 0 && g.ending != Ending::KingCaptured && g.ending != Ending::Resign)
      ending += g.winner == aColour ? " (B)" : " (A)";  // the engine at fault
    ++endings[ending];
    // Moves alternate from the colour to move after the opening.
    const int firstMover = g.opening.size() % 2 == 0 ? 0 : 1;
    for (std::size_t i = 0; i < g.moves.size(); ++i) {
      const int colour = (firstMover + static_cast<int>(i)) % 2;
      const int engine = colour == aColour ? 0 : 1;
      ++moves[engine];
      thinkingMs[engine] += g.moves[i].elapsedMs;
      longestMs[engine] = std::max(longestMs[engine], g.moves[i].elapsedMs);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  const Defaults d = defaults();
  std::string error;
  const auto parsed = parseMatchOptions(std::vector<std::string>(argv + 1, argv + argc), d, error);
  if (!parsed) {
    std::cerr << "zelk55-match: " << error << "\n";
    return 2;
  }
  const MatchOptions& o = *parsed;
  if (o.help) {
    std::cout << helpText(d);
    return 0;
  }
  const auto openings = readOpenings(o.openingsPath, error, o.rules);
  if (!openings) {
    std::cerr << "zelk55-match: " << error << "\n";
    return 2;
  }
  const int games = o.games > 0 ? o.games : o.sprt ? 2000 : static_cast<int>(openings->size()) * 2;
  const int workers = std::min(o.concurrency, games);

  std::ofstream log;
  if (!o.logPath.empty()) {
    log.open(o.logPath, std::ios::trunc);
    if (!log) {
      std::cerr << "zelk55-match: cannot write " << o.logPath << "\n";
      return 2;
    }
  }

  std::mutex traceLock;
  // Each worker plays its games with its own pair of engine processes.
  std::vector<std::unique_ptr<Player>> players[2];
  for (int w = 0; w < workers; ++w)
    for (int e = 0; e < 2; ++e) {
      EngineConfig c = o.engines[e];
      if (o.debug)
        c.trace = [&traceLock, w, e](const std::string& line) {
          const std::lock_guard<std::mutex> hold(traceLock);
          std::cerr << (e == 0 ? "A" : "B") << w + 1 << line << "\n";
        };
      bool started;
      if (c.protocol == EngineConfig::Protocol::GnuShogi) {
        auto p = std::make_unique<GnuShogiPlayer>(c);
        started = p->start(error);
        players[e].push_back(std::move(p));
      } else {
        auto p = std::make_unique<UsiPlayer>(c);
        started = p->start(error);
        players[e].push_back(std::move(p));
      }
      if (!started) {
        std::cerr << "zelk55-match: engine " << (e == 0 ? "A" : "B") << " does not start: " << error << "\n";
        return 2;
      }
    }
  const std::string names[2] = {players[0][0]->name(), players[1][0]->name()};
  std::cout << "Match: A = " << names[0] << " (" << describe(o.limits[0]) << ")  vs  B = " << names[1] << " ("
            << describe(o.limits[1]) << "), " << games << " games, " << openings->size() << " openings, ply cap "
            << o.plyCap << ", " << workers << " at once\n"
            << std::flush;

  Results results;
  std::mutex lock;
  std::atomic<int> next{0};
  std::atomic<bool> decided{false};  // the SPRT has spoken: no new games
  int finished = 0;
  int verdict = 0, verdictGames = 0;  // the SPRT's decision and the games it was made on
  auto work = [&](int w) {
    for (int i; !decided && (i = next++) < games;) {
      const int aColour = i % 2;
      const std::size_t openingIndex = static_cast<std::size_t>(i / 2) % openings->size();
      Player* byColour[2];
      byColour[aColour] = players[0][w].get();
      byColour[1 - aColour] = players[1][w].get();
      GameSettings s;
      s.limits[aColour] = o.limits[0];
      s.limits[1 - aColour] = o.limits[1];
      s.plyCap = o.plyCap;
      s.marginMs = o.marginMs;
      s.timeoutMs = o.timeoutMs;
      s.rules = o.rules;
      const GameRecord g = playGame(byColour, (*openings)[openingIndex], s);

      const std::lock_guard<std::mutex> hold(lock);
      results.add(g, aColour);
      ++finished;
      std::string ending = describe(g.ending);
      if (!g.detail.empty()) ending += ": " + g.detail;
      const int plies = static_cast<int>(g.opening.size() + g.moves.size());
      std::cout << "Game " << i + 1 << " (" << finished << "/" << games << ", opening " << openingIndex + 1
                << "): " << byColour[0]->name() << " vs " << byColour[1]->name() << ": " << resultText(g) << " {"
                << ending << ", " << plies << " plies}  A " << tallyText(results.total) << " "
                << fixed(100 * results.total.score(), 1) << " %";
      if (o.sprt) std::cout << "  LLR " << fixed(o.sprt->llr(results.total), 2);
      std::cout << "\n" << std::flush;
      if (o.sprt && !decided && (verdict = o.sprt->verdict(results.total)) != 0) {
        decided = true;
        verdictGames = finished;
      }
      if (log) {
        const GameHeader h{i + 1, byColour[0]->name(), byColour[1]->name(), describe(s.limits[0]),
                           describe(s.limits[1])};
        log << gameLogText(h, g) << std::flush;
      }
    }
  };
  std::vector<std::thread> threads;
  for (int w = 0; w < workers; ++w) threads.emplace_back(work, w);
  for (std::thread& t : threads) t.join();
  for (auto& side : players)
    for (auto& p : side) p.reset();

  const Tally& t = results.total;
  const EloEstimate e = estimate(t);
  std::cout << "\nResult of " << names[0] << " (A) vs " << names[1] << " (B), " << t.games() << " games:\n"
            << "A: " << t.wins << " wins, " << t.losses << " losses, " << t.draws << " draws, score "
            << fixed(100 * t.score(), 1) << " %\n"
            << "Elo difference: " << fixed(e.elo, 1) << " +/- " << fixed(e.margin, 1) << " (95 %), LOS "
            << fixed(100 * e.los, 1) << " %\n"
            << "A as black " << tallyText(results.asBlack) << ", as white " << tallyText(results.asWhite) << "\n"
            << "Endings:";
  const char* sep = " ";
  for (const auto& [what, n] : results.endings) std::cout << sep << what << " " << n, sep = ", ";
  std::cout << "\n";
  for (int e = 0; e < 2; ++e)
    std::cout << (e == 0 ? "Time a move: A " : ", B ")
              << (results.moves[e] ? results.thinkingMs[e] / results.moves[e] : 0) << " ms on average, "
              << results.longestMs[e] << " ms at most";
  std::cout << "\n";
  if (o.sprt) {
    const Sprt& sp = *o.sprt;
    std::cout << "SPRT elo0 " << fixed(sp.elo0, 1) << ", elo1 " << fixed(sp.elo1, 1) << ": LLR " << fixed(sp.llr(t), 2)
              << " (" << fixed(sp.lowerBound(), 2) << ", " << fixed(sp.upperBound(), 2) << "): ";
    if (verdict == 0) std::cout << "no decision\n";
    else std::cout << (verdict > 0 ? "elo1" : "elo0") << " accepted after " << verdictGames << " games\n";
  }
  return 0;
}
