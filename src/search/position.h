#pragma once
// The searching levels' board: bitboards by type and colour, a square array, both hands and a
// Zobrist key (hands included), with moves made and taken back incrementally and nothing
// allocated. It plays exactly the moves of the rules core: a move may leave its own king
// attacked, and taking a king ends the game.

#include <cstdint>

#include "core/game_state.h"
#include "core/sfen.h"
#include "search/attacks.h"

namespace zelk::search {

// The Zobrist numbers: one per piece and square, one per hand kind and colour (multiplied by
// the count held), and one for the upper side to move.
struct Zobrist {
  std::uint64_t piece[32][kSquares]{};
  std::uint64_t hand[2][6]{};
  std::uint64_t upperToMove = 0;
};

constexpr Zobrist makeZobrist() {
  Zobrist z;
  std::uint64_t state = 0x5A454C4B35355ull;  // splitmix64 from a fixed seed
  auto next = [&state] {
    std::uint64_t r = (state += 0x9E3779B97F4A7C15ull);
    r = (r ^ (r >> 30)) * 0xBF58476D1CE4E5B9ull;
    r = (r ^ (r >> 27)) * 0x94D049BB133111EBull;
    return r ^ (r >> 31);
  };
  for (auto& row : z.piece)
    for (auto& v : row) v = next();
  for (auto& row : z.hand)
    for (auto& v : row) v = next();
  z.upperToMove = next();
  return z;
}
inline constexpr Zobrist kZobrist = makeZobrist();

class Position {
public:
  static constexpr int kMaxMovesMade = 1024;  // moves made on top of the position set

  Position();
  // The board, hands and side to move of the game (MAN is the lower colour).
  explicit Position(const GameState& g);

  Piece at(int s) const { return board_[s]; }
  Bitboard occupied() const { return byColour_[0] | byColour_[1]; }
  Bitboard pieces(int c) const { return byColour_[c]; }
  Bitboard pieces(int c, int t) const { return byColour_[c] & byType_[t]; }
  Bitboard ofType(int t) const { return byType_[t]; }
  // Golds and the pieces that move as golds (と, 成銀).
  Bitboard goldMovers() const { return byType_[kGold] | byType_[kTokin] | byType_[kProSilver]; }
  int hand(int c, int kind) const { return hand_[c][kind]; }
  int sideToMove() const { return side_; }
  std::uint64_t key() const { return key_; }
  int movesMade() const { return made_; }
  std::uint64_t keyBefore(int plies) const { return stack_[made_ - plies].key; }  // plies <= movesMade()
  Move lastMove() const { return made_ > 0 ? stack_[made_ - 1].move : kNoMove; }

  // The king's square, or -1 once it has been taken.
  int kingSquare(int c) const {
    const Bitboard k = pieces(c, kKing);
    return k ? firstSquare(k) : -1;
  }

  // Pieces of colour c that reach square s with the board occupied as given.
  Bitboard attackersTo(int s, int c, Bitboard occupied) const;
  Bitboard attackersTo(int s, int c) const { return attackersTo(s, c, occupied()); }
  // True when the side to move can take the opposing king now.
  bool canTakeKing() const {
    const int k = kingSquare(opposite(side_));
    return k >= 0 && attackersTo(k, side_) != 0;
  }

  // Whether the move is one of this position's moves (for a move from a table or a killer).
  bool isPlayable(Move m) const;
  Piece capturedBy(Move m) const { return isDrop(m) ? 0 : board_[moveTo(m)]; }
  Piece movingPiece(Move m) const { return isDrop(m) ? makePiece(side_, dropKind(m)) : board_[moveFrom(m)]; }

  void make(Move m);
  void unmake();
  // Passing (for null-move pruning only).
  void makeNull();
  void unmakeNull();

  // The move in the rules core's terms, and back (0 when the text names no move here).
  UsiMove toUsi(Move m) const;
  Move fromUsi(const UsiMove& m) const;

  // Recomputes everything derived and compares: true when the incremental state is sound.
  bool consistent() const;

private:
  struct Undo {
    std::uint64_t key;
    Move move;
    Piece captured;
  };
  void put(int s, Piece p);
  void remove(int s);
  std::uint64_t computeKey() const;
  // The hand's part of the key: the kind's number times its count, so any count has one.
  std::uint64_t handKey(int c, int kind) const { return kZobrist.hand[c][kind] * hand_[c][kind]; }

  Piece board_[kSquares];
  Bitboard byType_[kTypeCount];
  Bitboard byColour_[2];
  std::uint8_t hand_[2][6];
  int side_ = kLower;
  std::uint64_t key_ = 0;
  int made_ = 0;
  Undo stack_[kMaxMovesMade];
};

}  // namespace zelk::search
