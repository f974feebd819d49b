#include "search/attacks.h"

#include <vector>

namespace zelk::search {

Bitboard gStepAttacks[2][kTypeCount][kSquares];
LineTable gRookLines[kSquares];
LineTable gBishopLines[kSquares];

namespace {

struct Step {
  int dx, dy;  // dy < 0 is forward for the lower side
};

Bitboard stepsFrom(int s, int c, std::initializer_list<Step> steps) {
  Bitboard b = 0;
  const int x = columnOf(s), y = rowOf(s);
  for (const Step st : steps) {
    const int tx = x + st.dx, ty = y + (c == kLower ? st.dy : -st.dy);
    if (tx >= 1 && tx <= 5 && ty >= 1 && ty <= 5) b |= bit(squareOf(tx, ty));
  }
  return b;
}

// The reach along the given directions, stopping at (and including) the first blocker.
Bitboard slide(int s, Bitboard occupied, std::initializer_list<Step> dirs) {
  Bitboard b = 0;
  for (const Step d : dirs) {
    int x = columnOf(s) + d.dx, y = rowOf(s) + d.dy;
    while (x >= 1 && x <= 5 && y >= 1 && y <= 5) {
      b |= bit(squareOf(x, y));
      if (occupied & bit(squareOf(x, y))) break;
      x += d.dx, y += d.dy;
    }
  }
  return b;
}

// The blockers that matter: the squares of each ray except its last.
Bitboard relevant(int s, std::initializer_list<Step> dirs) {
  Bitboard b = 0;
  for (const Step d : dirs) {
    int x = columnOf(s) + d.dx, y = rowOf(s) + d.dy;
    while (x + d.dx >= 1 && x + d.dx <= 5 && y + d.dy >= 1 && y + d.dy <= 5) {
      b |= bit(squareOf(x, y));
      x += d.dx, y += d.dy;
    }
  }
  return b;
}

std::uint64_t nextRandom(std::uint64_t& state) {
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return state;
}

// Finds a multiplier that sends every occupancy of the mask to a slot holding its reach.
void buildLines(LineTable* tables, std::vector<Bitboard>& store, std::initializer_list<Step> dirs) {
  std::uint64_t seed = 0x9E3779B97F4A7C15ull;
  std::vector<std::size_t> offsets;
  for (int s = 0; s < kSquares; ++s) {
    const Bitboard mask = relevant(s, dirs);
    const int bits = popCount(mask);
    std::vector<Bitboard> occupancies, reaches;
    Bitboard sub = 0;
    do {  // every subset of the mask
      occupancies.push_back(sub);
      reaches.push_back(slide(s, sub, dirs));
      sub = (sub - mask) & mask;
    } while (sub != 0);
    const int indexBits = bits == 0 ? 1 : bits;
    std::vector<Bitboard> table(std::size_t{1} << indexBits);
    std::vector<bool> used(table.size());
    std::uint64_t magic = 0;
    for (bool ok = false; !ok;) {
      magic = nextRandom(seed) & nextRandom(seed) & nextRandom(seed);
      std::fill(used.begin(), used.end(), false);
      ok = true;
      for (std::size_t i = 0; i < occupancies.size() && ok; ++i) {
        const std::size_t idx = (occupancies[i] * magic) >> (64 - indexBits);
        if (used[idx] && table[idx] != reaches[i]) ok = false;
        used[idx] = true;
        table[idx] = reaches[i];
      }
    }
    offsets.push_back(store.size());
    store.insert(store.end(), table.begin(), table.end());
    tables[s] = {mask, magic, 64 - indexBits, nullptr};
  }
  for (int s = 0; s < kSquares; ++s) tables[s].attacks = store.data() + offsets[s];
}

std::vector<Bitboard>& rookStore() {
  static std::vector<Bitboard> v;
  return v;
}
std::vector<Bitboard>& bishopStore() {
  static std::vector<Bitboard> v;
  return v;
}

bool fillTables() {
  for (int c = 0; c < 2; ++c) {
    for (int s = 0; s < kSquares; ++s) {
      const Bitboard gold = stepsFrom(s, c, {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {0, 1}});
      gStepAttacks[c][kPawn][s] = stepsFrom(s, c, {{0, -1}});
      gStepAttacks[c][kSilver][s] = stepsFrom(s, c, {{-1, -1}, {0, -1}, {1, -1}, {-1, 1}, {1, 1}});
      gStepAttacks[c][kGold][s] = gold;
      gStepAttacks[c][kTokin][s] = gold;
      gStepAttacks[c][kProSilver][s] = gold;
      gStepAttacks[c][kKing][s] =
          stepsFrom(s, c, {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}});
    }
  }
  buildLines(gRookLines, rookStore(), {{1, 0}, {-1, 0}, {0, 1}, {0, -1}});
  buildLines(gBishopLines, bishopStore(), {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}});
  return true;
}

}  // namespace

void initAttacks() {
  static const bool done = fillTables();
  (void)done;
}

namespace {
// The tables are ready before main; initAttacks() serves callers that run earlier.
[[maybe_unused]] const bool gFilled = (initAttacks(), true);
}  // namespace

}  // namespace zelk::search
