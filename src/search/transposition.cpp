#include "search/transposition.h"

#include <algorithm>

namespace zelk::search {

void TranspositionTable::resize(std::size_t megabytes) {
  const std::size_t bytes = std::max<std::size_t>(megabytes, 1) << 20;
  std::size_t n = 1;
  while (n * 2 * sizeof(Bucket) <= bytes) n *= 2;
  wanted_ = n;
  buckets_.clear();
  buckets_.shrink_to_fit();
  mask_ = 0;
  age_ = 0;
}

void TranspositionTable::allocate() {
  if (buckets_.size() == wanted_) return;
  buckets_.assign(wanted_, Bucket{});
  mask_ = wanted_ - 1;
}

void TranspositionTable::clear() {
  std::fill(buckets_.begin(), buckets_.end(), Bucket{});
  age_ = 0;
}

const TtEntry* TranspositionTable::probe(std::uint64_t key) const {
  const Bucket& b = buckets_[key & mask_];
  for (const TtEntry& e : b.e)
    if (e.key == key && e.bound() != kBoundNone) return &e;
  return nullptr;
}

void TranspositionTable::store(std::uint64_t key, Move move, int score, int eval, int depth, Bound bound) {
  Bucket& b = buckets_[key & mask_];
  TtEntry* slot = nullptr;
  for (TtEntry& e : b.e) {
    if (e.key == key) {
      slot = &e;
      break;
    }
  }
  if (slot) {
    // Keep a deeper exact result of this search unless the new one is exact too.
    if (move == kNoMove) move = slot->move;
    if (bound != kBoundExact && (slot->ageBound & 0xFC) == age_ && slot->depth > depth + 2) return;
  } else {
    // Replace the entry worth least: old searches first, then shallow ones.
    slot = &b.e[0];
    auto worth = [this](const TtEntry& e) {
      return e.bound() == kBoundNone ? -1000 : e.depth - 8 * (((age_ - (e.ageBound & 0xFC)) & 0xFC) >> 2);
    };
    for (TtEntry& e : b.e)
      if (worth(e) < worth(*slot)) slot = &e;
  }
  slot->key = key;
  slot->move = move;
  slot->score = static_cast<std::int16_t>(score);
  slot->eval = static_cast<std::int16_t>(eval);
  slot->depth = static_cast<std::uint8_t>(std::clamp(depth, 0, 255));
  slot->ageBound = static_cast<std::uint8_t>(age_ | bound);
}

int TranspositionTable::permille() const {
  int n = 0;
  const std::size_t count = std::min<std::size_t>(buckets_.size(), 250);
  if (count == 0) return 0;
  for (std::size_t i = 0; i < count; ++i)
    for (const TtEntry& e : buckets_[i].e)
      if (e.bound() != kBoundNone && (e.ageBound & 0xFC) == age_) ++n;
  return static_cast<int>(n * 1000 / (count * 4));
}

}  // namespace zelk::search
