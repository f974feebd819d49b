#pragma once
// The searching levels' board vocabulary: the 25 squares as bits of a 32-bit word, the piece
// types and colours, and moves packed into 16 bits.
//
// Square s = (Y - 1) * 5 + (X - 1) for the board's (X, Y): bit 0 is the top-left square.
// Colour 0 is the lower side (MAN, uppercase in SFEN, moving up), colour 1 the upper (COM).

#include <bit>
#include <cstdint>

namespace zelk::search {

using Bitboard = std::uint32_t;
inline constexpr int kSquares = 25;
inline constexpr Bitboard kAllSquares = (1u << kSquares) - 1;

inline constexpr int squareOf(int x, int y) { return (y - 1) * 5 + (x - 1); }
inline constexpr int columnOf(int s) { return s % 5 + 1; }  // X
inline constexpr int rowOf(int s) { return s / 5 + 1; }     // Y
inline constexpr Bitboard bit(int s) { return 1u << s; }
inline constexpr Bitboard rowMask(int y) { return 31u << ((y - 1) * 5); }
inline constexpr Bitboard columnMask(int x) { return 0x108421u << (x - 1); }

inline int popCount(Bitboard b) { return std::popcount(b); }
inline int firstSquare(Bitboard b) { return std::countr_zero(b); }
// The lowest square of b, removed from it.
inline int popFirst(Bitboard& b) {
  const int s = std::countr_zero(b);
  b &= b - 1;
  return s;
}

enum Colour : int { kLower = 0, kUpper = 1 };
inline constexpr int opposite(int c) { return c ^ 1; }
// The opponent's home row: where this colour promotes and where its pawn can go no further.
inline constexpr int promotionRow(int c) { return c == kLower ? 1 : 5; }
inline constexpr Bitboard promotionZone(int c) { return rowMask(promotionRow(c)); }

// Piece types; 1..5 are also the hand kinds (歩 銀 金 角 飛), promoted = unpromoted + 6.
enum PieceType : int {
  kNoType = 0,
  kPawn = 1,
  kSilver = 2,
  kGold = 3,
  kBishop = 4,
  kRook = 5,
  kKing = 6,
  kTokin = 7,
  kProSilver = 8,
  kHorse = 10,
  kDragon = 11,
  kTypeCount = 12
};
inline constexpr int kPromotion = 6;
inline constexpr bool mayPromote(int t) { return t == kPawn || t == kSilver || t == kBishop || t == kRook; }
inline constexpr int unpromoted(int t) { return t > kKing ? t - kPromotion : t; }

// A piece on the board: type in the low 4 bits, colour in bit 4; 0 = empty.
using Piece = std::uint8_t;
inline constexpr Piece makePiece(int c, int t) { return static_cast<Piece>(c << 4 | t); }
inline constexpr int typeOf(Piece p) { return p & 15; }
inline constexpr int colourOf(Piece p) { return p >> 4; }

// A move: destination in bits 0-4, source square (0-24) or 24 + hand kind for a drop in bits
// 5-9, promotion in bit 10. 0 is no move (a move never ends where it starts).
using Move = std::uint16_t;
inline constexpr Move kNoMove = 0;
inline constexpr Move boardMove(int from, int to, bool promote = false) {
  return static_cast<Move>(to | from << 5 | (promote ? 1 << 10 : 0));
}
inline constexpr Move dropMove(int kind, int to) { return static_cast<Move>(to | (24 + kind) << 5); }
inline constexpr int moveTo(Move m) { return m & 31; }
inline constexpr int moveFrom(Move m) { return m >> 5 & 31; }
inline constexpr bool isDrop(Move m) { return moveFrom(m) >= kSquares; }
inline constexpr int dropKind(Move m) { return moveFrom(m) - 24; }
inline constexpr bool isPromotion(Move m) { return (m & 1 << 10) != 0; }

}  // namespace zelk::search
