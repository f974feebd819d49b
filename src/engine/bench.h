#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace zelk {

// The fixed positions of the benchmark, as SFEN, taken from games.
const std::vector<std::string>& benchPositions();

// The chosen move's text of every bench position at every level, in order (the basis of the
// signature).
std::vector<std::string> benchChoices();

// Prints the number of positions, the signature of the moves chosen at each level, and the
// median and 95th-percentile time of one decision.
void runBench(std::ostream& out);

}  // namespace zelk
