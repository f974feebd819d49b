#pragma once
// The engine as a USI program: the rules, the three rule-based levels and the searching
// levels behind the protocol that shogi GUIs and tools speak. A `go` runs on its own thread
// so that `stop`, `ponderhit`, `isready` and `quit` are answered while it works.

#include <atomic>
#include <condition_variable>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/game_state.h"
#include "core/sfen.h"
#include "search/search.h"
#include "usi/go_command.h"

namespace zelk {

class UsiEngine {
public:
  explicit UsiEngine(std::ostream& out);
  ~UsiEngine();
  UsiEngine(const UsiEngine&) = delete;
  UsiEngine& operator=(const UsiEngine&) = delete;

  // Handles one command line; false after "quit". A `go` starts its work and returns.
  bool handle(std::string_view line);
  // A line cut short by the reader: a cut `position` leaves no position.
  void refuseLongLine(std::string_view start);
  // Until the running `go` has given its answer (an infinite search or a ponder waits for
  // stop or ponderhit).
  void waitForAnswer();

  // The position `go` answers for; none after a refused `position`.
  const std::optional<GameState>& position() const { return position_; }
  int level() const { return level_; }
  Rules rules() const { return rules_; }

private:
  void say(const std::string& text);
  void setPosition(std::string_view args);
  void setOption(std::string_view args);
  bool* searchFeature(std::string_view name);
  std::string searchFeatureOptions();
  void startGo(std::string_view args);
  // The worker's jobs.
  void runPerft(const GameState& g, int depth);
  void answerMate(const GameState& g, const GoCommand& go);
  void answerRuleBased(const GameState& g, const GoCommand& go);
  // The game's moves that led to the position, from the position before the first.
  struct GameHistory {
    GameState from;
    std::vector<UsiMove> moves;
  };
  static constexpr std::size_t kKeptPlies = 512;
  void answerSearch(const GameState& g, const GameHistory& history, const GoCommand& go);
  // Holds the answer of an infinite or ponder search until stop or ponderhit.
  void holdWhileAsked();
  // Ends a `go` that would otherwise run on (infinite, ponder) and waits for any `go` to end.
  void finishGo(bool stopIt);

  std::ostream& out_;
  std::mutex outMutex_;
  std::optional<GameState> position_;
  GameHistory history_;
  std::string refusal_;  // why there is no position
  int level_ = 3;
  Rules rules_ = Rules::kingCapture;
  int multiPV_ = 1;          // best lines shown by each iteration
  std::uint64_t seed_;       // a new one each run, so matches and games differ
  std::uint64_t draws_ = 0;  // the weaker levels' draws so far, so no two moves share a seed
  search::Searcher searcher_;

  std::thread worker_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> pondering_{false};
  std::atomic<bool> holding_{false};  // the running go was infinite or ponder
  bool perftRunning_ = false;         // the last go was a perft (read on the reader's thread only)
  std::mutex holdMutex_;
  std::condition_variable released_;
};

}  // namespace zelk
