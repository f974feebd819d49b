#pragma once
// A finished game as text for reading and replaying: PGN-like tags, then the moves in USI
// notation numbered by ply, each with its thinking time and the engine's score.

#include <string>

#include "referee.h"

namespace zelk::match {

struct GameHeader {
  int number = 0;
  std::string black, white;            // player names
  std::string blackLimit, whiteLimit;  // as describe(Limit) gives them
};

std::string gameLogText(const GameHeader& header, const GameRecord& game);

}  // namespace zelk::match
