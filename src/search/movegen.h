#pragma once
// The moves of the side to move on the searching board, written into a fixed array: board
// moves by the movement rules (both versions where promotion is optional, only the promoted
// one for a pawn reaching the last row) and every drop (no pawn on the last row or beside an
// unpromoted pawn of its own on the file). A side whose king has been taken has none.

#include <atomic>
#include <cstdint>

#include "search/position.h"

namespace zelk::search {

struct MoveList {
  // More than any position of one set can have: board moves and drops together stay well
  // under this (five kinds in hand leave at most 20 empty squares each).
  static constexpr int kCapacity = 320;
  Move moves[kCapacity];
  int size = 0;
  void add(Move m) { moves[size++] = m; }
  const Move* begin() const { return moves; }
  const Move* end() const { return moves + size; }
};

enum class Generate { kAll, kCaptures, kQuiets };

// kCaptures: captures and promotions; kQuiets: everything else; kAll: both.
void generate(const Position& p, MoveList& list, Generate what = Generate::kAll);

// The number of moves generate() would give, counted without listing them.
int countMoves(const Position& p);

// Whether the move, one of generate()'s, leaves the mover's own king attacked.
bool leavesKingAttacked(Position& p, Move m);

// Whether the move, one of generate()'s, is a move of the official rules: it leaves the
// mover's king unattacked and is no pawn dropped to give mate.
bool isOfficialMove(Position& p, Move m);

// Whether the side to move has a move leaving its king unattacked.
bool hasSafeMove(Position& p);

// The moves of the rules: generate()'s, under the official rules only those isOfficialMove
// allows.
void generateMoves(Position& p, MoveList& list, Rules rules);

// Leaves of the move tree to the depth (a line ends when a king is taken, or under the official
// rules where no move is left). Stops early, giving what it has counted, when *stop becomes
// true.
std::uint64_t perft(Position& p, int depth, const std::atomic<bool>* stop = nullptr, Rules rules = Rules::kingCapture);

}  // namespace zelk::search
