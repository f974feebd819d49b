#pragma once
// The transposition table: what earlier searches learned about a position (best move, score
// and whether it is exact or a bound, depth), in buckets of four entries replaced by depth
// and age. Its size is the USI_Hash option.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "search/bitboard.h"

namespace zelk::search {

enum Bound : std::uint8_t { kBoundNone = 0, kBoundUpper = 1, kBoundLower = 2, kBoundExact = 3 };

struct TtEntry {
  std::uint64_t key;
  Move move;
  std::int16_t score;
  std::int16_t eval;
  std::uint8_t depth;
  std::uint8_t ageBound;  // age in the high 6 bits, bound in the low 2
  Bound bound() const { return static_cast<Bound>(ageBound & 3); }
};

class TranspositionTable {
public:
  explicit TranspositionTable(std::size_t megabytes = 16) { resize(megabytes); }
  // Sizes the table to the largest power of two of buckets that fits, and empties it. The
  // memory is taken when a search first needs it.
  void resize(std::size_t megabytes);
  void allocate();
  void clear();
  // A new search begins: older entries give way first.
  void newSearch() { age_ = static_cast<std::uint8_t>((age_ + 4) & 0xFC); }

  // The entry for the key, or nullptr.
  const TtEntry* probe(std::uint64_t key) const;
  void store(std::uint64_t key, Move move, int score, int eval, int depth, Bound bound);
  std::size_t megabytes() const { return wanted_ * sizeof(Bucket) >> 20; }
  // Thousandths of the first buckets filled by this search's age.
  int permille() const;

private:
  struct Bucket {
    TtEntry e[4];
  };
  std::vector<Bucket> buckets_;
  std::size_t wanted_ = 0;  // buckets
  std::uint64_t mask_ = 0;
  std::uint8_t age_ = 0;
};

}  // namespace zelk::search
