#pragma once
// The searching levels' search: iterative deepening over principal-variation alpha-beta with
// a transposition table, quiescence on captures and promotions, ordered moves (table move,
// captures by victim and attacker, killers, history) and the reductions that pay.
//
// Scores are centipawns for the side to move. A won position scores kMate minus the plies to
// the king's capture, so the shortest win and the longest defence are preferred; a position
// met again on the line being searched scores 0 under the game's own rules; under the official
// rules it decides the game as a fourth occurrence would (see repetitionScore).

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "search/movepick.h"
#include "search/position.h"
#include "search/transposition.h"

namespace zelk::search {

inline constexpr int kMate = 32000;
inline constexpr int kMaxPly = 96;
inline constexpr int kMateBound = kMate - kMaxPly;  // scores beyond this are wins or losses
inline constexpr int kInfinity = kMate + 1;
// A game decided by the official rules' repetition: beyond any material, short of a mate.
inline constexpr int kRepetitionWin = 20000;

// What to search for. Zero means no limit of that kind.
struct SearchLimits {
  int depth = 0;
  std::uint64_t nodes = 0;
  std::int64_t softMs = 0;  // no new iteration begins after this
  std::int64_t hardMs = 0;  // the search stops here
  int multiPV = 1;          // how many best lines each iteration finds, best first
  // A weaker level's freedom: above 0, every root move is scored at the depth reached and one
  // is drawn with odds exp((score - best) / temperature), so a move a few centipawns short of
  // the best is often played and a lost piece almost never. The seed makes the draw repeatable.
  int temperature = 0;
  std::uint64_t seed = 0;
};

// Switches for the pruning, reductions and extensions, so each can be measured in games;
// one is switched on only when games show that it gains (null move, late-move reductions,
// futility, the check extension and the internal reduction did).
struct SearchFeatures {
  bool nullMove = true;
  bool lateMoveReductions = true;
  bool futility = true;
  bool checkExtension = true;        // a side in check is searched a ply deeper
  bool reverseFutility = true;       // a quiet node far above beta is cut at once
  bool lateMovePruning = false;      // late quiet moves near the leaves are not searched
  bool aspiration = true;            // each iteration searched first in a window round the last score
  bool quiescenceTable = false;      // the captures' search reads and writes the table too
  bool gameHistory = false;          // a position of the game before the root met again counts as on the line
  bool historyReductions = false;    // late moves with a good record reduced less, a bad one more
  bool quiescenceChecks = false;     // the captures' search tries the quiet checks at its first ply
  bool exchangePruning = false;      // the captures' search leaves out moves that lose the exchange
  bool counterMove = false;          // the quiet move that refuted a move is tried early against it again
  bool continuationHistory = false;  // quiet moves ordered also by how they fared after the last two moves
  bool internalReduction = true;     // a node the table knows no move for is searched a ply shallower
  bool losingMovePruning = false;    // near the leaves, moves that lose the exchange are not searched
  bool mateThreatExtension = false;  // a side that would be mated if it passed is searched a ply deeper
  bool improving = false;            // late quiet moves cut and reduced more where the position got worse
};

// One finished iteration, as `info` shows it.
struct IterationInfo {
  int depth = 0, seldepth = 0, score = 0;
  int line = 1;  // which of the best lines, 1 = the best
  std::uint64_t nodes = 0;
  std::int64_t ms = 0;
  std::vector<Move> pv;
};

struct SearchResult {
  Move best = kNoMove;
  Move ponder = kNoMove;
  int score = 0;
  int depth = 0;
  std::uint64_t nodes = 0;
};

class Searcher {
public:
  explicit Searcher(std::size_t hashMegabytes = 16);

  void setHash(std::size_t megabytes) { tt_.resize(megabytes); }
  std::size_t hashMegabytes() const { return tt_.megabytes(); }
  // Forgets the table and the move statistics (a new game).
  void clear();
  SearchFeatures& features() { return features_; }
  // The rules searched, and the colour of the first player, who loses a repetition under the
  // official rules unless the other side gave check throughout.
  void setRules(Rules rules, int firstPlayer = kLower) {
    rules_ = rules;
    firstPlayer_ = firstPlayer;
  }
  Rules rules() const { return rules_; }

  // Searches the position (left as it was) until a limit, the deepest depth or *stop. Called
  // with info for every finished iteration. While *pondering is true no time limit counts;
  // the clock of the limits starts again when it turns false.
  SearchResult search(Position& root, const SearchLimits& limits, const std::atomic<bool>& stop,
                      const std::function<void(const IterationInfo&)>& info = {},
                      const std::atomic<bool>* pondering = nullptr);

  // The quiescence score of the position alone (captures and promotions played out), for
  // picking the quiet positions the tuner learns from.
  int quiescence(Position& p);

private:
  struct Frame {
    Move killers[2] = {kNoMove, kNoMove};
    Move pv[kMaxPly + 1];
    int pvLength = 0;
    int staticEval = 0;
    bool inCheck = false;  // the side to move at this ply stands in check
    Piece moved = 0;       // the piece the move made at this ply moved, 0 for a pass
    int movedTo = 0;
  };

  // The score, for the side to move at ply, of the position first met `back` plies before.
  int repetitionScore(int back, int ply) const;
  // Whether the side to move stood in check at ply (negative: the game's positions before the root).
  bool inCheckAt(int ply) const { return ply >= 0 ? frames_[ply].inCheck : checkBefore_[-ply]; }

  int search(int alpha, int beta, int depth, int ply, bool pvNode, bool nullAllowed);
  // One root move drawn by the limits' temperature from every move's score at depth.
  void drawNearBest(SearchResult& result, int depth);
  int quiesce(int alpha, int beta, int ply, int qply);
  bool outOfTime();
  void rememberQuiet(Move m, int depth, int ply, const Move* tried, int triedCount);
  // The slot of the move that refutes the opponent's last move, or nullptr after a pass.
  Move* counterSlot();
  // The continuation table for the move made `back` plies before ply, or nullptr.
  ContinuationTable* continuation(int ply, int back);

  TranspositionTable tt_;
  SearchFeatures features_;
  Rules rules_ = Rules::kingCapture;
  int firstPlayer_ = kLower;
  MoveHistory history_;
  Move counters_[32][kSquares] = {};  // by the piece that moved and where it went
  ContinuationHistory continuations_;
  Frame frames_[kMaxPly + 2];

  // Per search.
  Position* pos_ = nullptr;
  const std::int16_t* weights_ = nullptr;  // the evaluation's, for the rules searched
  std::vector<Move> rootExcluded_;         // root moves the lines already found begin with
  int pliesBefore_ = 0;                    // the game's moves made on the root position that count
  std::vector<char> checkBefore_;          // [k]: the side to move stood in check k plies before the root
  const std::atomic<bool>* stop_ = nullptr;
  const std::atomic<bool>* pondering_ = nullptr;
  SearchLimits limits_;
  std::chrono::steady_clock::time_point start_;
  bool wasPondering_ = false;
  bool aborted_ = false;
  std::uint64_t nodes_ = 0;
  int seldepth_ = 0;
};

// Whether a score is a win or loss, and in how many moves (positive: the side to move wins).
inline bool isMateScore(int score) { return score > kMateBound || score < -kMateBound; }
int mateInMoves(int score);

}  // namespace zelk::search
