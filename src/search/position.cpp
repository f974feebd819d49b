#include "search/position.h"

#include <cassert>
#include <cstring>

namespace zelk::search {

namespace {

// The searching board's piece for a code of the rules core, and back.
Piece pieceOfCode(int code) {
  if (code == 0) return 0;
  const int c = code < 0 ? kLower : kUpper;
  switch (magnitude(code)) {
    case 10: return makePiece(c, kPawn);
    case 11: return makePiece(c, kTokin);
    case 100: return makePiece(c, kSilver);
    case 101: return makePiece(c, kProSilver);
    case 110:
    case 111: return makePiece(c, kGold);
    case 800: return makePiece(c, kBishop);
    case 801: return makePiece(c, kHorse);
    case 900: return makePiece(c, kRook);
    case 901: return makePiece(c, kDragon);
    case 950: return makePiece(c, kKing);
    default: return 0;
  }
}

}  // namespace

Position::Position() {
  initAttacks();
  std::memset(board_, 0, sizeof board_);
  std::memset(byType_, 0, sizeof byType_);
  std::memset(byColour_, 0, sizeof byColour_);
  std::memset(hand_, 0, sizeof hand_);
}

Position::Position(const GameState& g) : Position() {
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      if (const Piece p = pieceOfCode(g.盤面(x, y))) put(squareOf(x, y), p);
  for (int k = 1; k <= 5; ++k) {
    hand_[kLower][k] = static_cast<std::uint8_t>(g.持駒MAN(k) > 0 ? g.持駒MAN(k) : 0);
    hand_[kUpper][k] = static_cast<std::uint8_t>(g.持駒COM(k) > 0 ? g.持駒COM(k) : 0);
  }
  side_ = g.手番 == g.COM手番 ? kUpper : kLower;
  key_ = computeKey();
}

void Position::put(int s, Piece p) {
  board_[s] = p;
  byType_[typeOf(p)] |= bit(s);
  byColour_[colourOf(p)] |= bit(s);
}

void Position::remove(int s) {
  const Piece p = board_[s];
  board_[s] = 0;
  byType_[typeOf(p)] &= ~bit(s);
  byColour_[colourOf(p)] &= ~bit(s);
}

std::uint64_t Position::computeKey() const {
  std::uint64_t k = side_ == kUpper ? kZobrist.upperToMove : 0;
  for (int s = 0; s < kSquares; ++s)
    if (board_[s]) k ^= kZobrist.piece[board_[s]][s];
  for (int c = 0; c < 2; ++c)
    for (int kind = 1; kind <= 5; ++kind) k ^= handKey(c, kind);
  return k;
}

Bitboard Position::attackersTo(int s, int c, Bitboard occ) const {
  const int them = opposite(c);  // a piece of colour c reaches s from where s's steps, seen by the other colour, lead
  const Bitboard kingLike = byType_[kKing] | byType_[kHorse] | byType_[kDragon];
  const Bitboard att = (gStepAttacks[them][kPawn][s] & byType_[kPawn]) |
                       (gStepAttacks[them][kSilver][s] & byType_[kSilver]) |
                       (gStepAttacks[them][kGold][s] & goldMovers()) | (gStepAttacks[them][kKing][s] & kingLike) |
                       (bishopReach(s, occ) & (byType_[kBishop] | byType_[kHorse])) |
                       (rookReach(s, occ) & (byType_[kRook] | byType_[kDragon]));
  return att & byColour_[c];
}

bool Position::isPlayable(Move m) const {
  if (m == kNoMove || (m >> 11) != 0) return false;
  const int to = moveTo(m);
  if (to >= kSquares) return false;
  const int us = side_;
  if (isDrop(m)) {
    const int kind = dropKind(m);
    if (kind < 1 || kind > 5 || isPromotion(m) || hand_[us][kind] == 0 || board_[to] != 0) return false;
    if (kind != kPawn) return true;
    if (bit(to) & promotionZone(us)) return false;
    return (pieces(us, kPawn) & columnMask(columnOf(to))) == 0;
  }
  const int from = moveFrom(m);
  const Piece p = board_[from];
  if (p == 0 || colourOf(p) != us || (bit(to) & byColour_[us])) return false;
  const int t = typeOf(p);
  if (!(reach(us, t, from, occupied()) & bit(to))) return false;
  const bool zone = ((bit(from) | bit(to)) & promotionZone(us)) != 0;
  if (isPromotion(m)) return mayPromote(t) && zone;
  return !(t == kPawn && (bit(to) & promotionZone(us)));
}

void Position::make(Move m) {
  Undo& u = stack_[made_++];
  u.key = key_;
  u.move = m;
  const int us = side_, to = moveTo(m);
  if (isDrop(m)) {
    const int kind = dropKind(m);
    const Piece p = makePiece(us, kind);
    u.captured = 0;
    put(to, p);
    key_ ^= kZobrist.piece[p][to] ^ handKey(us, kind);
    hand_[us][kind] -= 1;
    key_ ^= handKey(us, kind);
  } else {
    const int from = moveFrom(m);
    const Piece p = board_[from];
    const Piece captured = board_[to];
    u.captured = captured;
    if (captured) {
      remove(to);
      key_ ^= kZobrist.piece[captured][to];
      const int kind = unpromoted(typeOf(captured));
      if (kind != kKing) {
        key_ ^= handKey(us, kind);
        hand_[us][kind] += 1;
        key_ ^= handKey(us, kind);
      }
    }
    remove(from);
    const Piece placed = isPromotion(m) ? static_cast<Piece>(p + kPromotion) : p;
    put(to, placed);
    key_ ^= kZobrist.piece[p][from] ^ kZobrist.piece[placed][to];
  }
  side_ ^= 1;
  key_ ^= kZobrist.upperToMove;
  assert(consistent());  // checked in debug builds: the incremental board, sets and key agree
}

void Position::unmake() {
  const Undo& u = stack_[--made_];
  const Move m = u.move;
  side_ ^= 1;
  const int us = side_, to = moveTo(m);
  if (isDrop(m)) {
    remove(to);
    hand_[us][dropKind(m)] += 1;
  } else {
    const int from = moveFrom(m);
    const Piece placed = board_[to];
    remove(to);
    put(from, isPromotion(m) ? static_cast<Piece>(placed - kPromotion) : placed);
    if (u.captured) {
      put(to, u.captured);
      const int kind = unpromoted(typeOf(u.captured));
      if (kind != kKing) hand_[us][kind] -= 1;
    }
  }
  key_ = u.key;
  assert(consistent());
}

void Position::makeNull() {
  Undo& u = stack_[made_++];
  u.key = key_;
  u.move = kNoMove;
  u.captured = 0;
  side_ ^= 1;
  key_ ^= kZobrist.upperToMove;
}

void Position::unmakeNull() {
  key_ = stack_[--made_].key;
  side_ ^= 1;
}

UsiMove Position::toUsi(Move m) const {
  UsiMove u;
  u.toX = columnOf(moveTo(m));
  u.toY = rowOf(moveTo(m));
  if (isDrop(m)) {
    u.kind = dropKind(m);
  } else {
    u.fromX = columnOf(moveFrom(m));
    u.fromY = rowOf(moveFrom(m));
    u.promote = isPromotion(m);
  }
  return u;
}

Move Position::fromUsi(const UsiMove& u) const {
  if (!onBoard(u.toX, u.toY)) return kNoMove;
  const int to = squareOf(u.toX, u.toY);
  Move m;
  if (u.isDrop()) {
    if (u.kind < 1 || u.kind > 5 || u.promote) return kNoMove;
    m = dropMove(u.kind, to);
  } else {
    if (!onBoard(u.fromX, u.fromY)) return kNoMove;
    m = boardMove(squareOf(u.fromX, u.fromY), to, u.promote);
  }
  return isPlayable(m) ? m : kNoMove;
}

bool Position::consistent() const {
  Bitboard types[kTypeCount] = {}, colours[2] = {};
  for (int s = 0; s < kSquares; ++s) {
    const Piece p = board_[s];
    if (!p) continue;
    types[typeOf(p)] |= bit(s);
    colours[colourOf(p)] |= bit(s);
  }
  for (int t = 0; t < kTypeCount; ++t)
    if (types[t] != byType_[t]) return false;
  return colours[0] == byColour_[0] && colours[1] == byColour_[1] && (colours[0] & colours[1]) == 0 &&
         key_ == computeKey();
}

}  // namespace zelk::search
