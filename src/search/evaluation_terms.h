#pragma once
// The terms of the searching levels' evaluation, each a count times a weight. One walk over
// the position hands every term to a sink: the engine's sink sums the weights at once, the
// tuner's records the counts, so the tuner fits exactly what the engine computes.
//
// Terms are counted for the lower side positively and for the upper side negatively; the
// upper side's squares are turned round (square s is seen as 24 - s) so one table serves both.

#include "search/attacks.h"
#include "search/position.h"

namespace zelk::search::eval {

// Where each group of weights begins in the weight table.
inline constexpr int kMaterial = 0;                                     // by piece type (12)
inline constexpr int kHand = kMaterial + kTypeCount;                    // by hand kind (6)
inline constexpr int kPieceSquare = kHand + 6;                          // by type and square (12 x 25)
inline constexpr int kMobility = kPieceSquare + kTypeCount * kSquares;  // per reachable square, by type
inline constexpr int kZoneAttacked = kMobility + kTypeCount;            // king zone squares the enemy reaches, 0..9
inline constexpr int kZoneAttackers = kZoneAttacked + 10;               // enemy pieces reaching the zone, 0..6+
inline constexpr int kZoneDefenders = kZoneAttackers + 7;               // own pieces guarding the zone, 0..6+
inline constexpr int kDropThreat = kZoneDefenders + 7;  // empty unguarded zone squares x enemy hand, by kind
inline constexpr int kTempo = kDropThreat + 6;          // the side to move
// The attack together: enemy pieces reaching the zone (0..4+) by zone squares they reach (0..6+),
// and zone squares reached (0..4+) by the pieces the enemy holds in hand (0..3+).
inline constexpr int kZoneDanger = kTempo + 1;
inline constexpr int kHandDanger = kZoneDanger + 5 * 7;
// The checks the enemy has on squares we cannot answer by taking: drops by hand kind (the
// squares), and moves by the type of the piece that has one (the pieces).
inline constexpr int kSafeDropCheck = kHandDanger + 5 * 4;
inline constexpr int kSafeMoveCheck = kSafeDropCheck + 6;
// Enemy pieces reaching the king's zone, by type.
inline constexpr int kZoneAttackerType = kSafeMoveCheck + kTypeCount;
inline constexpr int kWeightCount = kZoneAttackerType + kTypeCount;

inline constexpr int seenFrom(int c, int s) { return c == kLower ? s : kSquares - 1 - s; }

// Calls sink(index, count) for every term, counts from the lower side's point of view.
template <class Sink>
void collectTerms(const Position& p, Sink&& sink) {
  const Bitboard occ = p.occupied();
  // Each piece's reach, kept for the king zones, and each square's attack count per colour.
  int count[2] = {0, 0};
  int from[2][kSquares];
  Bitboard reached[2][kSquares];
  std::uint8_t attackCount[2][kSquares] = {};
  Bitboard reachOnce[2] = {0, 0}, reachTwice[2] = {0, 0};  // the squares each colour reaches, and twice or more
  for (int c = 0; c < 2; ++c) {
    const int sign = c == kLower ? 1 : -1;
    Bitboard own = p.pieces(c);
    while (own) {
      const int s = popFirst(own);
      const int t = typeOf(p.at(s));
      sink(kMaterial + t, sign);
      sink(kPieceSquare + t * kSquares + seenFrom(c, s), sign);
      Bitboard r = reach(c, t, s, occ);
      from[c][count[c]] = s;
      reached[c][count[c]++] = r;
      if (t != kKing) {
        const int mobility = popCount(r & ~p.pieces(c));
        if (mobility) sink(kMobility + t, sign * mobility);
      }
      reachTwice[c] |= reachOnce[c] & r;
      reachOnce[c] |= r;
      while (r) ++attackCount[c][popFirst(r)];
    }
    for (int k = 1; k <= 5; ++k)
      if (p.hand(c, k)) sink(kHand + k, sign * p.hand(c, k));
  }
  for (int c = 0; c < 2; ++c) {
    const int k = p.kingSquare(c);
    if (k < 0) continue;
    const int sign = c == kLower ? 1 : -1, them = opposite(c);
    const Bitboard zone = gStepAttacks[c][kKing][k] | bit(k);
    int attacked = 0, attackers = 0, defenders = 0, weak = 0;
    Bitboard z = zone;
    while (z) {
      const int s = popFirst(z);
      if (attackCount[them][s]) ++attacked;
      // The king itself guards each zone square around it; other guards count as defence.
      const int guards = attackCount[c][s] - (s != k ? 1 : 0);
      if (p.at(s) == 0 && guards == 0) ++weak;
    }
    for (int i = 0; i < count[them]; ++i)
      if (reached[them][i] & zone) {
        ++attackers;
        sink(kZoneAttackerType + typeOf(p.at(from[them][i])), sign);
      }
    for (int i = 0; i < count[c]; ++i)
      if (from[c][i] != k && (reached[c][i] & zone)) ++defenders;
    sink(kZoneAttacked + attacked, sign);
    sink(kZoneAttackers + (attackers > 6 ? 6 : attackers), sign);
    sink(kZoneDefenders + (defenders > 6 ? 6 : defenders), sign);
    int inHand = 0;
    for (int kind = 1; kind <= 5; ++kind) {
      inHand += p.hand(them, kind);
      if (weak && p.hand(them, kind)) sink(kDropThreat + kind, sign * weak * p.hand(them, kind));
    }
    sink(kZoneDanger + (attackers > 4 ? 4 : attackers) * 7 + (attacked > 6 ? 6 : attacked), sign);
    sink(kHandDanger + (attacked > 4 ? 4 : attacked) * 4 + (inHand > 3 ? 3 : inHand), sign);
    // A checking square is safe when none of ours but the king guards it and the king cannot
    // take there: it is not next to the king, or another enemy piece guards it.
    const Bitboard nextToKing = gStepAttacks[c][kKing][k];
    const Bitboard unguarded = ~reachOnce[c] | (nextToKing & ~reachTwice[c]);
    const Bitboard dropSafe = unguarded & ~occ & (reachOnce[them] | ~nextToKing);
    for (int kind = 1; kind <= 5; ++kind) {
      if (!p.hand(them, kind)) continue;
      // An enemy piece there reaches our king as ours on the king's square reaches it.
      const int checks = popCount(reach(c, kind, k, occ) & dropSafe);
      if (checks) sink(kSafeDropCheck + kind, sign * (checks > 4 ? 4 : checks));
    }
    // The mover is one of the enemy's pieces that reach the square: it needs a second.
    const Bitboard moveSafe = unguarded & ~p.pieces(them) & (reachTwice[them] | ~nextToKing);
    for (int i = 0; i < count[them]; ++i) {
      const int t = typeOf(p.at(from[them][i]));
      if (t != kKing && (reached[them][i] & reach(c, t, k, occ) & moveSafe)) sink(kSafeMoveCheck + t, sign);
    }
  }
  sink(kTempo, p.sideToMove() == kLower ? 1 : -1);
}

}  // namespace zelk::search::eval
