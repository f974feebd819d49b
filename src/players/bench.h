#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace zelk {

// The fixed positions of the benchmark, as SFEN, taken from games.
const std::vector<std::string>& benchPositions();

// The chosen move's text of every bench position at every level, in order (the basis of the
// signature).
std::vector<std::string> benchChoices();

// A fixed-depth search of the searching levels over the bench positions: the nodes, their
// rate, and a signature of each position's move, score and node count.
struct SearchBench {
  std::uint64_t nodes = 0;
  std::uint64_t nodesPerSecond = 0;
  std::uint64_t signature = 0;
};
inline constexpr int kBenchSearchDepth = 8;
SearchBench benchSearch(int depth);

// Prints the number of positions, the signature of the moves chosen at levels 1-3, the median
// and 95th-percentile time of one decision, and the search line of benchSearch.
void runBench(std::ostream& out);

}  // namespace zelk
