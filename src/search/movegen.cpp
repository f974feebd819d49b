#include "search/movegen.h"

namespace zelk::search {

namespace {

// Files holding an unpromoted pawn of the colour.
Bitboard pawnFiles(const Position& p, int c) {
  Bitboard pawns = p.pieces(c, kPawn), files = 0;
  while (pawns) files |= columnMask(columnOf(popFirst(pawns)));
  return files;
}

// The board moves of one piece type onto the given targets.
void addBoardMoves(const Position& p, MoveList& list, int t, Bitboard targets, bool captures, bool quiets) {
  const int us = p.sideToMove();
  const Bitboard zone = promotionZone(us);
  const Bitboard occ = p.occupied();
  Bitboard from = p.pieces(us, t);
  while (from) {
    const int f = popFirst(from);
    Bitboard to = reach(us, t, f, occ) & targets;
    const bool fromZone = (bit(f) & zone) != 0;
    while (to) {
      const int s = popFirst(to);
      const bool capture = p.at(s) != 0;
      if (mayPromote(t) && (fromZone || (bit(s) & zone))) {
        // A promotion is generated with the captures, the plain version with the quiets
        // unless it captures; a pawn on the last row has only the promoted one.
        if (captures) list.add(boardMove(f, s, true));
        if (t != kPawn && (capture ? captures : quiets)) list.add(boardMove(f, s));
      } else if (capture ? captures : quiets) {
        list.add(boardMove(f, s));
      }
    }
  }
}

}  // namespace

void generate(const Position& p, MoveList& list, Generate what) {
  const int us = p.sideToMove();
  if (p.kingSquare(us) < 0) return;
  const bool captures = what != Generate::kQuiets, quiets = what != Generate::kCaptures;
  const Bitboard theirs = p.pieces(opposite(us));
  const Bitboard empty = ~p.occupied() & kAllSquares;
  // Promotions may be quiet, so the piece loop sees empty squares whenever it lists promotions.
  const Bitboard targets = theirs | empty;
  for (const int t : {kPawn, kSilver, kGold, kBishop, kRook, kKing, kTokin, kProSilver, kHorse, kDragon})
    if (p.pieces(us, t)) addBoardMoves(p, list, t, targets, captures, quiets);
  if (!quiets) return;
  for (int kind = 1; kind <= 5; ++kind) {
    if (p.hand(us, kind) == 0) continue;
    Bitboard to = empty;
    if (kind == kPawn) to &= ~promotionZone(us) & ~pawnFiles(p, us);
    while (to) list.add(dropMove(kind, popFirst(to)));
  }
}

int countMoves(const Position& p) {
  const int us = p.sideToMove();
  if (p.kingSquare(us) < 0) return 0;
  const Bitboard zone = promotionZone(us);
  const Bitboard occ = p.occupied();
  const Bitboard targets = ~p.pieces(us) & kAllSquares;
  int n = 0;
  // Pawns move one square: every pawn move counts once (the last row's only promoted).
  n += popCount(p.pieces(us, kPawn) & (us == kLower ? targets << 5 : targets >> 5));
  for (const int t : {kSilver, kBishop, kRook}) {
    Bitboard from = p.pieces(us, t);
    while (from) {
      const int f = popFirst(from);
      const Bitboard to = reach(us, t, f, occ) & targets;
      n += popCount(to);
      n += (bit(f) & zone) ? popCount(to) : popCount(to & zone);  // the promoted versions
    }
  }
  for (const int t : {kGold, kKing, kTokin, kProSilver, kHorse, kDragon}) {
    Bitboard from = p.pieces(us, t);
    while (from) n += popCount(reach(us, t, popFirst(from), occ) & targets);
  }
  const Bitboard empty = ~occ & kAllSquares;
  const int emptyCount = popCount(empty);
  for (int kind = 2; kind <= 5; ++kind)
    if (p.hand(us, kind)) n += emptyCount;
  if (p.hand(us, kPawn)) n += popCount(empty & ~zone & ~pawnFiles(p, us));
  return n;
}

bool leavesKingAttacked(Position& p, Move m) {
  const int us = p.sideToMove();
  const int king = !isDrop(m) && typeOf(p.at(moveFrom(m))) == kKing ? moveTo(m) : p.kingSquare(us);
  p.make(m);
  const bool attacked = king >= 0 && p.attackersTo(king, opposite(us)) != 0;
  p.unmake();
  return attacked;
}

bool hasSafeMove(Position& p) {
  MoveList list;
  generate(p, list);
  for (const Move m : list)
    if (!leavesKingAttacked(p, m)) return true;
  return false;
}

bool isOfficialMove(Position& p, Move m) {
  if (leavesKingAttacked(p, m)) return false;
  if (!isDrop(m) || dropKind(m) != kPawn) return true;
  const int us = p.sideToMove();
  p.make(m);
  const int theirKing = p.kingSquare(opposite(us));
  const bool mate = theirKing >= 0 && p.attackersTo(theirKing, us) != 0 && !hasSafeMove(p);
  p.unmake();
  return !mate;
}

void generateMoves(Position& p, MoveList& list, Rules rules) {
  generate(p, list);
  if (rules != Rules::official) return;
  int kept = 0;
  for (int i = 0; i < list.size; ++i)
    if (isOfficialMove(p, list.moves[i])) list.moves[kept++] = list.moves[i];
  list.size = kept;
}

std::uint64_t perft(Position& p, int depth, const std::atomic<bool>* stop, Rules rules) {
  if (depth <= 0) return 1;
  MoveList list;
  if (rules == Rules::official) {
    generateMoves(p, list, rules);
    if (depth == 1) return static_cast<std::uint64_t>(list.size);
  } else {
    if (depth == 1) return static_cast<std::uint64_t>(countMoves(p));
    generate(p, list);
  }
  std::uint64_t total = 0;
  for (const Move m : list) {
    // After a king is taken the line has no moves.
    if (typeOf(p.capturedBy(m)) == kKing) continue;
    p.make(m);
    total += perft(p, depth - 1, stop, rules);
    p.unmake();
    if (stop && depth >= 4 && stop->load(std::memory_order_relaxed)) break;
  }
  return total;
}

}  // namespace zelk::search
