#pragma once
// Where each piece of the searching levels' board reaches: step tables by colour, type and
// square, and the line pieces' reach by table lookup over the blockers (magic multiplication).

#include "search/bitboard.h"

namespace zelk::search {

struct LineTable {
  Bitboard mask;            // squares whose occupancy can stop the line (edges left out)
  std::uint64_t magic;      // multiplier mapping each occupancy of the mask to its own index
  int shift;                // 64 - index bits
  const Bitboard* attacks;  // reach by index
};

extern Bitboard gStepAttacks[2][kTypeCount][kSquares];  // steps of P S G K and golds' kin
extern LineTable gRookLines[kSquares];
extern LineTable gBishopLines[kSquares];

inline Bitboard lineReach(const LineTable& t, Bitboard occupied) {
  return t.attacks[((occupied & t.mask) * t.magic) >> t.shift];
}
inline Bitboard rookReach(int s, Bitboard occupied) { return lineReach(gRookLines[s], occupied); }
inline Bitboard bishopReach(int s, Bitboard occupied) { return lineReach(gBishopLines[s], occupied); }

// Squares the piece of type t and colour c on s reaches (own pieces included).
inline Bitboard reach(int c, int t, int s, Bitboard occupied) {
  switch (t) {
    case kBishop: return bishopReach(s, occupied);
    case kRook: return rookReach(s, occupied);
    case kHorse: return bishopReach(s, occupied) | gStepAttacks[c][kKing][s];
    case kDragon: return rookReach(s, occupied) | gStepAttacks[c][kKing][s];
    default: return gStepAttacks[c][t][s];
  }
}

// Fills the tables; safe to call more than once (the first call does the work).
void initAttacks();

}  // namespace zelk::search
