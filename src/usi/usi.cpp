#include "usi/usi.h"

#include <chrono>
#include <cstdlib>
#include <ostream>
#include <random>
#include <sstream>
#include <vector>

#include "core/position_check.h"
#include "core/position_command.h"
#include "players/bench.h"
#include "players/engine_move.h"
#include "players/levels.h"
#include "usi/line_reader.h"
#include "usi/mate_search.h"
#include "search/movegen.h"
#include "base/words.h"

namespace zelk {

namespace {

GameState startPosition(Rules rules) {
  GameState g;
  loadSfen(g, kStartSfen);
  g.rules = rules;
  return g;
}

// Centipawn-style rounding of a score held in tenths: half away from zero.
long roundedPoints(Score s) { return s >= 0 ? (s + 5) / 10 : -((-s + 5) / 10); }

std::string scoreWords(int score) {
  if (search::isMateScore(score)) return "mate " + std::to_string(search::mateInMoves(score));
  return "cp " + std::to_string(score);
}

constexpr std::size_t kDefaultHashMb = 16;
constexpr std::size_t kMaxHashMb = 1024;
constexpr int kMaxMultiPV = 3;

}  // namespace

UsiEngine::UsiEngine(std::ostream& out)
    : out_(out),
      position_(startPosition(Rules::kingCapture)),
      seed_((std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}()),
      searcher_(kDefaultHashMb) {}

UsiEngine::~UsiEngine() { finishGo(true); }

void UsiEngine::say(const std::string& text) {
  const std::lock_guard<std::mutex> lock(outMutex_);
  out_ << text;
  out_.flush();
}

void UsiEngine::finishGo(bool stopIt) {
  if (stopIt || holding_) {
    stop_ = true;
    pondering_ = false;
    {
      const std::lock_guard<std::mutex> lock(holdMutex_);
      holding_ = false;
    }
    released_.notify_all();
  }
  if (worker_.joinable()) worker_.join();
}

void UsiEngine::waitForAnswer() {
  if (worker_.joinable()) worker_.join();
}

bool UsiEngine::handle(std::string_view line) {
  const std::vector<std::string_view> w = words(line);
  if (w.empty()) return true;
  const std::string_view cmd = w[0];
  const std::string_view rest = line.substr(std::min(line.size(), line.find(cmd) + cmd.size()));
  // What may come while a go works.
  if (cmd == "isready") {
    say("readyok\n");
    return true;
  }
  if (cmd == "stop") {
    finishGo(true);
    return true;
  }
  if (cmd == "ponderhit") {
    pondering_ = false;
    {
      const std::lock_guard<std::mutex> lock(holdMutex_);
      holding_ = false;
    }
    released_.notify_all();
    return true;
  }
  if (cmd == "quit") {
    // A count already asked for is given first, as scripts that pipe "go perft" then "quit"
    // expect; a search ends at once.
    if (perftRunning_) waitForAnswer();
    finishGo(true);
    return false;
  }
  // Everything else waits for the go to end (an endless one is ended first).
  finishGo(false);
  if (cmd == "usi") {
    say("id name Zelk55\n"
        "id author the Zelk team\n"
        "option name Level type spin default 3 min 1 max " +
        std::to_string(kHighestLevel) + "\n" + "option name USI_Hash type spin default " +
        std::to_string(kDefaultHashMb) + " min 1 max " + std::to_string(kMaxHashMb) + "\n" +
        "option name USI_Ponder type check default false\n" +
        "option name Rules type combo default kingcapture var kingcapture var official\n" +
        "option name MultiPV type spin default 1 min 1 max " + std::to_string(kMaxMultiPV) + "\n" +
        searchFeatureOptions() + "usiok\n");
  } else if (cmd == "usinewgame") {
    position_ = startPosition(rules_);
    history_ = {*position_, {}};
    searcher_.clear();
  } else if (cmd == "setoption") {
    setOption(rest);
  } else if (cmd == "position") {
    setPosition(rest);
  } else if (cmd == "go") {
    startGo(rest);
  } else if (cmd == "bench") {
    std::ostringstream text;
    runBench(text);
    say(text.str());
  } else if (cmd != "gameover") {
    say("info string unknown command " + std::string(cmd) + "\n");
  }
  return true;
}

void UsiEngine::refuseLongLine(std::string_view start) {
  const std::string why = "a line longer than " + std::to_string(LineReader::kMaxLine) + " bytes is refused";
  if (words(start).empty() || words(start)[0] != "position") {
    say("info string " + why + "\n");
    return;
  }
  finishGo(false);
  position_.reset();
  refusal_ = why;
  say("info string " + why + "\n");
}

void UsiEngine::setOption(std::string_view args) {
  const std::vector<std::string_view> w = words(args);
  if (w.size() < 2 || w[0] != "name") {
    say("info string setoption name NAME value VALUE\n");
    return;
  }
  const std::string_view name = w[1];
  const std::string_view value = w.size() == 4 && w[2] == "value" ? w[3] : std::string_view();
  auto number = [&](int min, int max) -> std::optional<int> {
    int v = 0;
    for (const char c : value) {
      if (c < '0' || c > '9' || v > max) return std::nullopt;
      v = v * 10 + (c - '0');
    }
    if (value.empty() || v < min || v > max) return std::nullopt;
    return v;
  };
  if (name == "Level") {
    if (const auto v = number(1, kHighestLevel)) {
      level_ = *v;
      return;
    }
    say("info string Level must be 1 to " + std::to_string(kHighestLevel) + "\n");
  } else if (name == "USI_Hash") {
    if (const auto v = number(1, static_cast<int>(kMaxHashMb))) {
      searcher_.setHash(static_cast<std::size_t>(*v));
      return;
    }
    say("info string USI_Hash must be 1 to " + std::to_string(kMaxHashMb) + "\n");
  } else if (name == "Rules") {
    if (value == "kingcapture" || value == "official") {
      rules_ = value == "official" ? Rules::official : Rules::kingCapture;
      if (position_) position_->rules = rules_;
      return;
    }
    say("info string Rules must be kingcapture or official\n");
  } else if (name == "MultiPV") {
    if (const auto v = number(1, kMaxMultiPV)) {
      multiPV_ = *v;
      return;
    }
    say("info string MultiPV must be 1 to " + std::to_string(kMaxMultiPV) + "\n");
  } else if (name == "USI_Ponder") {
    // Pondering is the GUI's choice: go ponder is answered whatever this says.
  } else if (bool* feature = searchFeature(name)) {
    // Switches for measuring one part of the search in games.
    if (value == "true" || value == "false") *feature = value == "true";
    else say("info string " + std::string(name) + " must be true or false\n");
  } else {
    say("info string unknown option " + std::string(name) + "\n");
  }
}

std::string UsiEngine::searchFeatureOptions() {
  std::string text;
  for (const char* name : {"SearchNullMove", "SearchLateMoveReductions", "SearchFutility", "SearchCheckExtension",
                           "SearchReverseFutility", "SearchLateMovePruning", "SearchAspiration",
                           "SearchQuiescenceTable", "SearchGameHistory", "SearchHistoryReductions",
                           "SearchQuiescenceChecks", "SearchExchangePruning", "SearchCounterMove",
                           "SearchContinuationHistory", "SearchInternalReduction", "SearchLosingMovePruning",
                           "SearchMateThreatExtension", "SearchImproving"})
    text +=
        std::string("option name ") + name + " type check default " + (*searchFeature(name) ? "true" : "false") + "\n";
  return text;
}

bool* UsiEngine::searchFeature(std::string_view name) {
  search::SearchFeatures& f = searcher_.features();
  if (name == "SearchNullMove") return &f.nullMove;
  if (name == "SearchLateMoveReductions") return &f.lateMoveReductions;
  if (name == "SearchFutility") return &f.futility;
  if (name == "SearchCheckExtension") return &f.checkExtension;
  if (name == "SearchReverseFutility") return &f.reverseFutility;
  if (name == "SearchLateMovePruning") return &f.lateMovePruning;
  if (name == "SearchAspiration") return &f.aspiration;
  if (name == "SearchQuiescenceTable") return &f.quiescenceTable;
  if (name == "SearchGameHistory") return &f.gameHistory;
  if (name == "SearchHistoryReductions") return &f.historyReductions;
  if (name == "SearchQuiescenceChecks") return &f.quiescenceChecks;
  if (name == "SearchExchangePruning") return &f.exchangePruning;
  if (name == "SearchCounterMove") return &f.counterMove;
  if (name == "SearchContinuationHistory") return &f.continuationHistory;
  if (name == "SearchInternalReduction") return &f.internalReduction;
  if (name == "SearchLosingMovePruning") return &f.losingMovePruning;
  if (name == "SearchMateThreatExtension") return &f.mateThreatExtension;
  if (name == "SearchImproving") return &f.improving;
  return nullptr;
}

void UsiEngine::setPosition(std::string_view args) {
  // Whatever follows, the position before is gone: a refused one leaves none.
  position_.reset();
  auto refuse = [&](std::string why) {
    refusal_ = std::move(why);
    say("info string " + refusal_ + "\n");
  };
  const std::optional<PositionWords> words = splitPositionText(args, false);
  if (!words) return refuse("position needs startpos or sfen");
  GameState g;
  g.rules = rules_;
  if (auto err = loadSfen(g, words->sfen)) return refuse("bad sfen: " + *err);
  if (auto problem = positionProblem(g)) return refuse("impossible position: " + problem->text);
  if (!words->stray.empty()) return refuse("expected moves after the position");
  // The search sees the game's last moves, for the positions met again.
  const std::size_t keptFrom = words->moves.size() > kKeptPlies ? words->moves.size() - kKeptPlies : 0;
  GameState from = g;
  std::vector<UsiMove> moves;
  for (std::size_t i = 0; i < words->moves.size(); ++i) {
    const std::string_view word = words->moves[i];
    if (i == keptFrom) from = g;
    std::string why;
    const auto m = parseUsiMove(word, &why);
    if (!m) return refuse("bad move " + std::string(word) + ": " + why);
    if (auto err = playUsiMove(g, *m)) return refuse("bad move " + std::string(word) + ": " + *err);
    if (i >= keptFrom) moves.push_back(*m);
  }
  position_ = std::move(g);
  history_ = {std::move(from), std::move(moves)};
}

void UsiEngine::startGo(std::string_view args) {
  std::string why;
  const std::optional<GoCommand> go = parseGo(args, &why);
  stop_ = false;
  perftRunning_ = go && go->perft;
  // A mate search with no time runs until stop, or until another command ends it.
  const bool endless = go && !go->perft && (go->infinite || go->ponder || (go->mate && go->mateMs < 0));
  pondering_ = go && go->ponder;
  holding_ = endless;
  if (!go) {
    say("info string " + why + "\n");
    if (args.find("perft") == std::string_view::npos) say("bestmove resign\n");
    return;
  }
  const std::optional<GameState> position = position_;
  const int level = level_;
  worker_ = std::thread([this, go = *go, position, level, history = history_] {
    if (!position) {
      say("info string " + refusal_ + "\n");
      if (go.perft) return;
      if (go.mate) {
        say("checkmate nomate\n");
        return;
      }
      holdWhileAsked();
      say("bestmove resign\n");
      return;
    }
    if (go.perft) runPerft(*position, go.perftDepth);
    else if (go.mate) answerMate(*position, go);
    else if (!isSearchingLevel(level)) answerRuleBased(*position, go);
    else answerSearch(*position, history, go);
  });
}

void UsiEngine::holdWhileAsked() {
  std::unique_lock<std::mutex> lock(holdMutex_);
  released_.wait(lock, [this] { return !holding_; });
}

void UsiEngine::runPerft(const GameState& g, int depth) {
  search::Position p(g);
  search::MoveList list;
  search::generateMoves(p, list, g.rules);
  std::uint64_t total = 0;
  for (const search::Move m : list) {
    std::uint64_t n = 0;
    if (depth == 1) n = 1;
    else if (search::typeOf(p.capturedBy(m)) != search::kKing) {  // after a king is taken the line has no moves
      p.make(m);
      n = search::perft(p, depth - 1, &stop_, g.rules);
      p.unmake();
    }
    if (stop_) {
      say("info string perft stopped\n");
      return;
    }
    say(toUsi(p.toUsi(m)) + ": " + std::to_string(n) + "\n");
    total += n;
  }
  say("Nodes searched: " + std::to_string(total) + "\n");
}

// Within the time asked for, a tenth of it kept for the answer to reach the GUI.
void UsiEngine::answerMate(const GameState& g, const GoCommand& go) {
  const auto now = std::chrono::steady_clock::now();
  const auto deadline = go.mateMs < 0 ? std::chrono::steady_clock::time_point::max()
                                      : now + std::chrono::milliseconds(go.mateMs - go.mateMs / 10);
  const MateAnswer a = searchMate(g, deadline, stop_);
  if (a.kind == MateAnswer::Kind::NoMate) {
    say("checkmate nomate\n");
  } else if (a.kind == MateAnswer::Kind::OutOfTime) {
    say("checkmate timeout\n");
  } else {
    std::string text = "checkmate";
    for (const UsiMove& m : a.line) text += " " + toUsi(m);
    say(text + "\n");
  }
}

void UsiEngine::answerRuleBased(const GameState& g, const GoCommand&) {
  const EngineAnswer a = engineMove(g, level_);
  if (a.found)
    say("info score cp " + std::to_string(roundedPoints(a.score)) + "\ninfo string score " + scoreText(a.score) + "\n");
  holdWhileAsked();
  say(a.found ? "bestmove " + toUsi(a.move) + "\n" : "bestmove resign\n");
}

void UsiEngine::answerSearch(const GameState& g, const GameHistory& history, const GoCommand& go) {
  // The game's moves made on the root, so that a position met again before it counts too.
  search::Position root(history.from);
  bool replayed = true;
  for (const UsiMove& m : history.moves) {
    const search::Move move = root.fromUsi(m);
    if (move == search::kNoMove) {
      replayed = false;
      break;
    }
    root.make(move);
  }
  if (!replayed || root.key() != search::Position(g).key()) root = search::Position(g);
  searcher_.setRules(g.rules);
  const int colour = root.sideToMove();
  search::SearchLimits limits;
  if (go.hasExplicitBudget() || go.infinite) limits = search::limitsFor(go, colour);
  else if (go.hasClock() && plansFromClock(level_)) limits = search::limitsFor(go, colour);
  else if (go.hasClock()) limits = search::tighter(levelBudget(level_), search::limitsFor(go, colour));
  else limits = levelBudget(level_);
  limits.multiPV = multiPV_;
  limits.seed = seed_ + draws_++;
  const auto info = [&](const search::IterationInfo& i) {
    std::string line = "info depth " + std::to_string(i.depth) + " seldepth " + std::to_string(i.seldepth) +
                       (multiPV_ > 1 ? " multipv " + std::to_string(i.line) : std::string()) + " score " +
                       scoreWords(i.score) + " nodes " + std::to_string(i.nodes) + " nps " +
                       std::to_string(i.ms > 0 ? i.nodes * 1000 / static_cast<std::uint64_t>(i.ms) : i.nodes * 1000) +
                       " time " + std::to_string(i.ms) + " pv";
    search::Position walk = root;
    for (const search::Move m : i.pv) {
      line += " " + toUsi(walk.toUsi(m));
      walk.make(m);
    }
    say(line + "\n");
  };
  const search::SearchResult r = searcher_.search(root, limits, stop_, info, &pondering_);
  holdWhileAsked();
  if (r.best == search::kNoMove) {
    say("bestmove resign\n");
    return;
  }
  std::string answer = "bestmove " + toUsi(root.toUsi(r.best));
  if (r.ponder != search::kNoMove) {
    search::Position after = root;
    after.make(r.best);
    answer += " ponder " + toUsi(after.toUsi(r.ponder));
  }
  say(answer + "\n");
}

}  // namespace zelk
