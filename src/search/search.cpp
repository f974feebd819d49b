#include "search/search.h"

#include <algorithm>
#include <cmath>

#include "search/evaluation.h"
#include "search/exchange.h"
#include "search/movegen.h"
#include "search/movepick.h"

namespace zelk::search {

namespace {

// Late moves are searched less deep, the later and the deeper the more.
struct ReductionTable {
  std::uint8_t r[64][64];
  ReductionTable() {
    for (int d = 0; d < 64; ++d)
      for (int m = 0; m < 64; ++m)
        r[d][m] = d < 1 || m < 1 ? 0 : static_cast<std::uint8_t>(0.75 + std::log(d) * std::log(m) / 2.25);
  }
};
const ReductionTable kReductions;

int scoreToTable(int score, int ply) {
  return score > kMateBound ? score + ply : score < -kMateBound ? score - ply : score;
}
int scoreFromTable(int score, int ply) {
  return score > kMateBound ? score - ply : score < -kMateBound ? score + ply : score;
}

// The square the mover's king stands on after the move.
int kingAfter(const Position& p, Move m, int us) {
  return !isDrop(m) && typeOf(p.at(moveFrom(m))) == kKing ? moveTo(m) : p.kingSquare(us);
}

// Whether the move `us` has just made was a pawn dropped to give mate.
bool droppedPawnMates(Position& p, Move m, int us) {
  if (!isDrop(m) || dropKind(m) != kPawn) return false;
  const int theirKing = p.kingSquare(opposite(us));
  return theirKing >= 0 && p.attackersTo(theirKing, us) && !hasSafeMove(p);
}

}  // namespace

int Searcher::repetitionScore(int back, int ply) const {
  const Position& p = *pos_;
  const int us = p.sideToMove();
  bool usAlwaysChecked = p.attackersTo(p.kingSquare(us), opposite(us)) != 0;
  for (int k = ply - 2; k > ply - back; k -= 2) usAlwaysChecked = usAlwaysChecked && inCheckAt(k);
  bool themAlwaysChecked = true;
  for (int k = ply - 1; k > ply - back; k -= 2) themAlwaysChecked = themAlwaysChecked && inCheckAt(k);
  if (usAlwaysChecked) return kRepetitionWin;     // the opponent checked throughout
  if (themAlwaysChecked) return -kRepetitionWin;  // we did
  return us == firstPlayer_ ? -kRepetitionWin : kRepetitionWin;
}

int mateInMoves(int score) { return score > 0 ? kMate - score + 1 : -(kMate + score + 1); }

Searcher::Searcher(std::size_t hashMegabytes) : tt_(hashMegabytes) {}

void Searcher::clear() {
  tt_.clear();
  history_.clear();
  for (Frame& f : frames_) f.killers[0] = f.killers[1] = kNoMove;
  for (auto& row : counters_)
    for (Move& m : row) m = kNoMove;
  continuations_.clear();
}

bool Searcher::outOfTime() {
  if (stop_->load(std::memory_order_relaxed)) return true;
  if (limits_.nodes && nodes_ >= limits_.nodes) return true;
  if (pondering_ && pondering_->load(std::memory_order_relaxed)) {
    wasPondering_ = true;
    return false;
  }
  if (wasPondering_) {  // the ponder move was played: the clock starts now
    wasPondering_ = false;
    start_ = std::chrono::steady_clock::now();
  }
  if (!limits_.hardMs) return false;
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
  return ms >= limits_.hardMs;
}

void Searcher::rememberQuiet(Move m, int depth, int ply, const Move* tried, int triedCount) {
  Frame& f = frames_[ply];
  if (f.killers[0] != m) {
    f.killers[1] = f.killers[0];
    f.killers[0] = m;
  }
  history_.reward(pos_->sideToMove(), m, depth, tried, triedCount);
  if (Move* slot = counterSlot()) *slot = m;
}

ContinuationTable* Searcher::continuation(int ply, int back) {
  if (!features_.continuationHistory || ply < back || !frames_[ply - back].moved) return nullptr;
  return continuations_.after(frames_[ply - back].moved, frames_[ply - back].movedTo);
}

Move* Searcher::counterSlot() {
  const Move last = pos_->lastMove();
  if (!features_.counterMove || last == kNoMove) return nullptr;
  return &counters_[pos_->at(moveTo(last))][moveTo(last)];
}

int Searcher::quiesce(int alpha, int beta, int ply, int qply) {
  Position& p = *pos_;
  ++nodes_;
  if ((nodes_ & 1023) == 0 && outOfTime()) aborted_ = true;
  if (aborted_) return 0;
  if (ply > seldepth_) seldepth_ = ply;
  if (p.canTakeKing()) return kMate - ply;
  if (ply >= kMaxPly) return evaluate(p, weights_);

  const int us = p.sideToMove(), them = opposite(us);
  const TtEntry* entry = features_.quiescenceTable ? tt_.probe(p.key()) : nullptr;
  Move ttMove = kNoMove;
  if (entry) {
    const int s = scoreFromTable(entry->score, ply);
    if (entry->bound() == kBoundExact || (entry->bound() == kBoundLower && s >= beta) ||
        (entry->bound() == kBoundUpper && s <= alpha))
      return s;
    ttMove = p.isPlayable(entry->move) ? entry->move : kNoMove;
  }
  const int alphaAtStart = alpha;
  const bool inCheck = p.attackersTo(p.kingSquare(us), them) != 0;
  int best, staticEval = 0;
  if (inCheck) {
    // Every reply must be tried, or the king is lost: but only so deep.
    if (qply >= 6) return evaluate(p, weights_);
    // With no reply the king is taken next, or under the official rules the game is lost now.
    best = rules_ == Rules::official ? -kMate + ply : -kMate + ply + 1;
  } else {
    best = staticEval = entry ? entry->eval : evaluate(p, weights_);
    if (best >= beta) return best;
    if (best > alpha) alpha = best;
  }

  MoveList list;
  generate(p, list, inCheck ? Generate::kAll : Generate::kCaptures);
  // At the first ply the quiet checks too, drops above all: a mate by a dropped piece is the
  // tactic a captures-only search misses.
  const int theirKing = p.kingSquare(them);
  if (!inCheck && qply == 0 && features_.quiescenceChecks && theirKing >= 0) {
    const Bitboard occ = p.occupied();
    MoveList quiets;
    generate(p, quiets, Generate::kQuiets);
    for (const Move m : quiets) {
      const int t = isDrop(m) ? dropKind(m) : typeOf(p.at(moveFrom(m)));
      // A piece of ours on the square reaches their king as theirs on the king's square reaches it.
      if (reach(them, t, theirKing, occ) & bit(moveTo(m))) list.add(m);
    }
  }
  MovePicker picker(p, list, ttMove, frames_[ply].killers, history_);
  Move bestMove = kNoMove;
  for (Move m = picker.next(); m != kNoMove; m = picker.next()) {
    if (!inCheck && features_.exchangePruning && exchangeGain(p, m) < 0) continue;
    const int king = kingAfter(p, m, us);
    p.make(m);
    if (p.attackersTo(king, them)) {  // leaves the king to be taken
      p.unmake();
      continue;
    }
    if (rules_ == Rules::official && droppedPawnMates(p, m, us)) {  // no move under the official rules
      p.unmake();
      continue;
    }
    const int v = -quiesce(-beta, -alpha, ply + 1, qply + 1);
    p.unmake();
    if (aborted_) return 0;
    if (v > best) {
      best = v;
      bestMove = m;
      if (v > alpha) {
        alpha = v;
        if (v >= beta) break;
      }
    }
  }
  // Never over a deeper search's entry for the position.
  const TtEntry* stored = features_.quiescenceTable ? tt_.probe(p.key()) : nullptr;
  if (features_.quiescenceTable && (!stored || stored->depth == 0)) {
    const Bound bound = best >= beta ? kBoundLower : best > alphaAtStart ? kBoundExact : kBoundUpper;
    tt_.store(p.key(), bestMove, scoreToTable(best, ply), inCheck ? 0 : staticEval, 0, bound);
  }
  return best;
}

int Searcher::search(int alpha, int beta, int depth, int ply, bool pvNode, bool nullAllowed) {
  Position& p = *pos_;
  Frame& f = frames_[ply];
  f.pvLength = 0;
  if (p.canTakeKing()) return kMate - ply;
  if (ply >= kMaxPly) return evaluate(p, weights_);
  if (ply > 0) {
    // A position met again on this line: neither side gains by going round. Under the official
    // rules the game's positions before the root decide only at the fourth occurrence; one met
    // again within the line decides as if the players went on round it.
    int before = 0, firstBack = 0;
    for (int back = 4; back <= ply + pliesBefore_; back += 2) {
      if (p.keyBefore(back) != p.key()) continue;
      if (rules_ != Rules::official) return 0;
      if (back <= ply || ++before == 3) return repetitionScore(back <= ply ? back : firstBack, ply);
      if (!firstBack) firstBack = back;
    }
    alpha = std::max(alpha, -kMate + ply);
    beta = std::min(beta, kMate - ply - 1);
    if (alpha >= beta) return alpha;
  }
  if (depth <= 0) return quiesce(alpha, beta, ply, 0);
  ++nodes_;
  if ((nodes_ & 1023) == 0 && outOfTime()) aborted_ = true;
  if (limits_.nodes && nodes_ >= limits_.nodes) aborted_ = true;
  if (aborted_) return 0;
  if (ply > seldepth_) seldepth_ = ply;

  const int us = p.sideToMove(), them = opposite(us);
  const TtEntry* entry = tt_.probe(p.key());
  Move ttMove = kNoMove;
  if (entry) {
    ttMove = p.isPlayable(entry->move) ? entry->move : kNoMove;
    const int s = scoreFromTable(entry->score, ply);
    if (!pvNode && entry->depth >= depth &&
        (entry->bound() == kBoundExact || (entry->bound() == kBoundLower && s >= beta) ||
         (entry->bound() == kBoundUpper && s <= alpha)))
      return s;
  }

  const bool inCheck = p.attackersTo(p.kingSquare(us), them) != 0;
  const int staticEval = inCheck ? -kInfinity : entry ? entry->eval : evaluate(p, weights_);
  f.staticEval = staticEval;
  f.inCheck = inCheck;
  // No better than two plies ago for the side to move: its late quiet moves deserve less.
  const bool worsening = features_.improving && !inCheck && ply >= 2 && !frames_[ply - 2].inCheck &&
                         staticEval <= frames_[ply - 2].staticEval;

  if (features_.reverseFutility && !pvNode && !inCheck && depth <= 6 && beta > -kMateBound && beta < kMateBound &&
      staticEval - 90 * depth >= beta)
    return staticEval;

  bool mateThreat = false;
  if (features_.nullMove && !pvNode && nullAllowed && !inCheck && depth >= 2 && staticEval >= beta &&
      beta > -kMateBound && beta < kMateBound) {
    const int r = 2 + depth / 4 + std::min((staticEval - beta) / 200, 2);
    f.moved = 0;
    p.makeNull();
    const int v = -search(-beta, -beta + 1, depth - 1 - r, ply + 1, false, false);
    p.unmakeNull();
    if (aborted_) return 0;
    if (v >= beta) return v > kMateBound ? beta : v;
    mateThreat = v < -kMateBound;
  }

  const bool futile = features_.futility && !pvNode && !inCheck && depth <= 2 && alpha > -kMateBound &&
                      staticEval + 120 * depth + 80 <= alpha;
  if (inCheck && features_.checkExtension && ply < 2 * depth + 8) ++depth;
  // Passing would be mated: the defence is the whole question, look at it a ply deeper.
  else if (mateThreat && features_.mateThreatExtension && ply < 2 * depth + 8) ++depth;
  // Without a move from the table the order is a guess: a shallower look is as good and cheaper.
  if (features_.internalReduction && depth >= 4 && ttMove == kNoMove) --depth;

  MoveList list;
  generate(p, list);

  const int alphaAtStart = alpha;
  int best = list.size == 0 ? -kMate + ply : -kMate + ply + 1;
  Move bestMove = kNoMove;
  int legal = 0;
  Move quietsTried[64];
  int quietCount = 0;
  const Move* counter = counterSlot();
  ContinuationTable* const before1 = continuation(ply, 1);
  ContinuationTable* const before2 = continuation(ply, 2);
  MovePicker picker(p, list, ttMove, f.killers, history_, counter ? *counter : kNoMove, before1, before2);
  for (Move m = picker.next(); m != kNoMove; m = picker.next()) {
    if (ply == 0 && !rootExcluded_.empty() &&
        std::find(rootExcluded_.begin(), rootExcluded_.end(), m) != rootExcluded_.end())
      continue;
    const bool quiet = p.capturedBy(m) == 0 && !isPromotion(m);
    // Near the leaves a move that loses more than the depth can win back is left out, once a
    // move has been found to play: a quiet one unless it checks, the more the deeper.
    const bool losing = features_.losingMovePruning && ply > 0 && !inCheck && depth <= 6 && legal > 0 &&
                        best > -kMateBound && m != ttMove &&
                        exchangeGain(p, m) < (quiet ? -25 * depth * depth : -150 * depth);
    const int king = kingAfter(p, m, us);
    f.moved = p.movingPiece(m);
    f.movedTo = moveTo(m);
    p.make(m);
    if (p.attackersTo(king, them)) {  // leaves the king to be taken
      p.unmake();
      continue;
    }
    if (rules_ == Rules::official && droppedPawnMates(p, m, us)) {  // no move under the official rules
      p.unmake();
      continue;
    }
    ++legal;
    const int theirKing = p.kingSquare(them);
    const bool givesCheck = theirKing >= 0 && p.attackersTo(theirKing, us) != 0;
    if (futile && quiet && !givesCheck && legal > 1) {
      p.unmake();
      continue;
    }
    if (losing && !(quiet && givesCheck)) {
      p.unmake();
      continue;
    }
    // Near the leaves, quiet moves this late in the order almost never refute.
    if (features_.lateMovePruning && !pvNode && !inCheck && quiet && !givesCheck && depth <= 4 && alpha > -kMateBound &&
        legal > (worsening ? (3 + depth * depth) / 2 : 4 + depth * depth) && m != f.killers[0] &&
        m != f.killers[1]) {
      p.unmake();
      continue;
    }
    int v;
    if (legal == 1) {
      v = -search(-beta, -alpha, depth - 1, ply + 1, pvNode, true);
    } else {
      int r = 0;
      if (features_.lateMoveReductions && depth >= 3 && quiet && !inCheck && !givesCheck && m != f.killers[0] &&
          m != f.killers[1]) {
        r = kReductions.r[std::min(depth, 63)][std::min(legal, 63)];
        if (features_.historyReductions) r -= history_.of(us, m) / 6000;
        if (worsening) ++r;
        if (pvNode && r > 0) --r;
        r = std::clamp(r, 0, depth - 2);
      }
      v = -search(-alpha - 1, -alpha, depth - 1 - r, ply + 1, false, true);
      if (v > alpha && r > 0) v = -search(-alpha - 1, -alpha, depth - 1, ply + 1, false, true);
      if (v > alpha && v < beta && pvNode) v = -search(-beta, -alpha, depth - 1, ply + 1, true, true);
    }
    p.unmake();
    if (aborted_) return 0;
    if (v > best) {
      best = v;
      bestMove = m;
      if (v > alpha) {
        alpha = v;
        if (pvNode) {
          const Frame& child = frames_[ply + 1];
          f.pv[0] = m;
          for (int k = 0; k < child.pvLength; ++k) f.pv[k + 1] = child.pv[k];
          f.pvLength = child.pvLength + 1;
        }
        if (v >= beta) {
          if (quiet) {
            rememberQuiet(m, depth, ply, quietsTried, quietCount);
            for (ContinuationTable* t : {before1, before2})
              if (t) ContinuationHistory::reward(t, p, m, depth, quietsTried, quietCount);
          }
          break;
        }
      }
    }
    if (quiet && quietCount < 64) quietsTried[quietCount++] = m;
  }

  // Under the official rules a side with no move has lost here and now.
  if (legal == 0 && rules_ == Rules::official) best = -kMate + ply;

  const Bound bound = best >= beta ? kBoundLower : best > alphaAtStart ? kBoundExact : kBoundUpper;
  // A root searched without its best moves has no true score to keep.
  if (ply == 0 && !rootExcluded_.empty()) return best;
  tt_.store(p.key(), bestMove, scoreToTable(best, ply), inCheck ? 0 : staticEval, depth, bound);
  return best;
}

int Searcher::quiescence(Position& p) {
  static const std::atomic<bool> never{false};
  pos_ = &p;
  weights_ = weightsFor(rules_);
  stop_ = &never;
  pondering_ = nullptr;
  limits_ = {};
  aborted_ = false;
  nodes_ = 0;
  return quiesce(-kInfinity, kInfinity, 0, 0);
}

SearchResult Searcher::search(Position& root, const SearchLimits& limits, const std::atomic<bool>& stop,
                              const std::function<void(const IterationInfo&)>& info,
                              const std::atomic<bool>* pondering) {
  pos_ = &root;
  weights_ = weightsFor(rules_);
  stop_ = &stop;
  pondering_ = pondering;
  limits_ = limits;
  start_ = std::chrono::steady_clock::now();
  wasPondering_ = false;
  aborted_ = false;
  nodes_ = 0;
  seldepth_ = 0;
  tt_.allocate();
  tt_.newSearch();
  for (Frame& f : frames_) f.killers[0] = f.killers[1] = kNoMove;
  // The game's positions before the root: which side stood in check in each, read by taking
  // the moves back and making them again.
  pliesBefore_ = features_.gameHistory ? std::min(root.movesMade(), Position::kMaxMovesMade - kMaxPly - 2) : 0;
  checkBefore_.assign(pliesBefore_ + 1, 0);
  if (pliesBefore_ > 0) {
    std::vector<Move> taken;
    for (int k = 1; k <= pliesBefore_; ++k) {
      taken.push_back(root.lastMove());
      root.unmake();
      const int side = root.sideToMove();
      checkBefore_[k] = root.kingSquare(side) >= 0 && root.attackersTo(root.kingSquare(side), opposite(side)) != 0;
    }
    for (auto m = taken.rbegin(); m != taken.rend(); ++m) root.make(*m);
  }

  SearchResult result;
  const int us = root.sideToMove();
  MoveList list;
  generateMoves(root, list, rules_);
  if (list.size == 0) return result;  // nothing to play: the side has lost

  // Taking the king ends the game at once.
  if (root.canTakeKing()) {
    const int k = root.kingSquare(opposite(us));
    for (const Move m : list)
      if (!isDrop(m) && moveTo(m) == k &&
          (result.best == kNoMove ||
           pieceValue(typeOf(root.at(moveFrom(m)))) < pieceValue(typeOf(root.at(moveFrom(result.best))))))
        result.best = m;
    result.score = kMate;
    result.depth = 1;
    if (info) info({1, 1, kMate, 1, 1, 0, {result.best}});
    return result;
  }

  result.best = list.moves[0];  // something to play even if no iteration ends
  const int maxDepth = limits.depth > 0 ? std::min(limits.depth, kMaxPly - 1) : kMaxPly - 1;
  const int lines = std::max(1, limits.multiPV);
  rootExcluded_.clear();
  int lastScore = 0;
  for (int depth = 1; depth <= maxDepth; ++depth) {
    seldepth_ = 0;
    int score;
    if (features_.aspiration && depth >= 4 && lines == 1 && !isMateScore(lastScore)) {
      // A window round the last score; widened on the side it fails until the score fits.
      int delta = 25, alpha = lastScore - delta, beta = lastScore + delta;
      for (;;) {
        score = search(alpha, beta, depth, 0, true, false);
        if (aborted_) break;
        if (score <= alpha) alpha = std::max(-kInfinity, score - delta);
        else if (score >= beta) beta = std::min(kInfinity, score + delta);
        else break;
        delta += delta;
        if (delta > 600) alpha = -kInfinity, beta = kInfinity;
      }
    } else {
      score = search(-kInfinity, kInfinity, depth, 0, true, false);
    }
    const Frame& f = frames_[0];
    // An iteration cut short still searched its first moves fully: a move that beat the last
    // best there is the better choice.
    if (aborted_ && depth > 1 && (f.pvLength == 0 || f.pv[0] == result.best)) break;
    if (f.pvLength > 0) {
      result.best = f.pv[0];
      result.ponder = f.pvLength > 1 ? f.pv[1] : kNoMove;
    }
    if (aborted_) break;  // an iteration cut short: its move, but no score
    // Without a line every move hands the king over: the score says so all the same.
    result.score = score;
    result.depth = depth;
    lastScore = score;
    std::int64_t ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    if (info) info({depth, seldepth_, score, 1, nodes_, ms, std::vector<Move>(f.pv, f.pv + f.pvLength)});
    // The next best lines: the root searched again without the moves the lines found begin with.
    if (lines > 1 && f.pvLength > 0) {
      rootExcluded_.assign(1, f.pv[0]);
      for (int line = 2; line <= lines && !aborted_; ++line) {
        const int v = search(-kInfinity, kInfinity, depth, 0, true, false);
        const Frame& next = frames_[0];
        if (aborted_ || next.pvLength == 0) break;
        rootExcluded_.push_back(next.pv[0]);
        ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
        if (info) info({depth, seldepth_, v, line, nodes_, ms, std::vector<Move>(next.pv, next.pv + next.pvLength)});
      }
      rootExcluded_.clear();
      if (aborted_) break;
    }
    // A forced result found at this depth only repeats deeper.
    if (isMateScore(score) && depth >= kMate - std::abs(score) + 2) break;
    if (stop.load(std::memory_order_relaxed)) break;
    const bool ponderingNow = pondering && pondering->load(std::memory_order_relaxed);
    if (!ponderingNow && !wasPondering_ && limits.softMs && ms >= limits.softMs) break;
  }
  if (limits.temperature > 0 && !aborted_ && result.depth > 0 && !isMateScore(result.score))
    drawNearBest(result, result.depth);
  result.nodes = nodes_;
  return result;
}

void Searcher::drawNearBest(SearchResult& result, int depth) {
  Position& p = *pos_;
  MoveList list;
  generateMoves(p, list, rules_);
  int scores[MoveList::kCapacity];
  int best = -kInfinity;
  for (int i = 0; i < list.size; ++i) {
    p.make(list.moves[i]);
    scores[i] = -search(-kInfinity, kInfinity, depth - 1, 1, true, true);
    p.unmake();
    if (aborted_) return;  // out of time: the best move stands
    best = std::max(best, scores[i]);
  }
  double weights[MoveList::kCapacity], total = 0;
  for (int i = 0; i < list.size; ++i) total += weights[i] = std::exp((scores[i] - best) / double(limits_.temperature));
  // splitmix64: one well-mixed number from the seed, as a fraction in [0, 1).
  std::uint64_t z = limits_.seed + 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  double x = static_cast<double>(z >> 11) / 9007199254740992.0 * total;
  for (int i = 0; i < list.size; ++i) {
    x -= weights[i];
    if (x < 0 || i == list.size - 1) {
      result.best = list.moves[i];
      result.score = scores[i];
      result.ponder = kNoMove;
      return;
    }
  }
}

}  // namespace zelk::search
