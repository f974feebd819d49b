#include "usi/mate_search.h"

#include "search/movegen.h"

namespace zelk {

namespace {

using search::Move;
using search::Position;

class MateSearch {
public:
  MateSearch(std::chrono::steady_clock::time_point deadline, const std::atomic<bool>& stop)
      : deadline_(deadline), stop_(stop) {}

  // A mate within `plies` (odd) for the side to move; its line in `line`.
  bool attack(Position& p, int plies, std::vector<Move>& line) {
    if (outOfTime()) return false;
    search::MoveList moves;
    search::generate(p, moves);
    const int attacker = p.sideToMove();
    for (const Move m : moves) {
      p.make(m);
      // A check that keeps the checker's own king.
      const int king = p.kingSquare(search::opposite(attacker));
      const bool check = king >= 0 && p.attackersTo(king, attacker) != 0 && !p.canTakeKing();
      std::vector<Move> rest;
      const bool mated = check && defend(p, plies - 1, rest);
      p.unmake();
      if (aborted_) return false;
      if (mated) {
        line.assign(1, m);
        line.insert(line.end(), rest.begin(), rest.end());
        return true;
      }
    }
    return false;
  }

  // Whether every reply of the side in check leaves its king to be taken or is mated again
  // within `plies`; the reply that resists longest in `line`.
  bool defend(Position& p, int plies, std::vector<Move>& line) {
    search::MoveList replies;
    search::generate(p, replies);
    line.clear();
    for (const Move r : replies) {
      p.make(r);
      if (p.canTakeKing()) {  // the king is still there to be taken
        p.unmake();
        continue;
      }
      if (plies < 2) {  // no ply left for another check
        p.unmake();
        cut_ = true;
        return false;
      }
      std::vector<Move> rest;
      const bool mated = attack(p, plies - 1, rest);
      p.unmake();
      if (!mated) return false;
      if (line.empty() || rest.size() + 1 > line.size()) {
        line.assign(1, r);
        line.insert(line.end(), rest.begin(), rest.end());
      }
    }
    return true;
  }

  bool aborted() const { return aborted_; }
  // Some line was cut short by the depth rather than ended: no mate is not yet proven.
  bool cut() const { return cut_; }
  void nextDepth() { cut_ = false; }

private:
  bool outOfTime() {
    if (aborted_) return true;
    if (++nodes_ % 256 == 0 && (stop_ || std::chrono::steady_clock::now() >= deadline_)) aborted_ = true;
    return aborted_;
  }

  std::chrono::steady_clock::time_point deadline_;
  const std::atomic<bool>& stop_;
  std::uint64_t nodes_ = 0;
  bool aborted_ = false;
  bool cut_ = false;
};

}  // namespace

MateAnswer searchMate(const GameState& g, std::chrono::steady_clock::time_point deadline,
                      const std::atomic<bool>& stop) {
  Position root(g);
  MateSearch s(deadline, stop);
  MateAnswer answer;
  // Each line holds a made move for every ply; the board takes at most that many.
  for (int plies = 1; plies < Position::kMaxMovesMade; plies += 2) {
    s.nextDepth();
    std::vector<Move> line;
    const bool mated = s.attack(root, plies, line);
    if (s.aborted()) return answer;
    if (mated) {
      answer.kind = MateAnswer::Kind::Mate;
      Position walk = root;
      for (const Move m : line) {
        answer.line.push_back(walk.toUsi(m));
        walk.make(m);
      }
      return answer;
    }
    if (!s.cut()) {
      answer.kind = MateAnswer::Kind::NoMate;
      return answer;
    }
  }
  return answer;
}

}  // namespace zelk
