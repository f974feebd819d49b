#pragma once
// Games of the searching engine against itself, for the tuner to learn from: a few random
// moves from the start, then a search of a fixed number of nodes a move.

#include <cstdint>
#include <iosfwd>

#include "core/game_state.h"

namespace zelk::tune {

struct SelfPlayOptions {
  int games = 1000;
  std::uint64_t nodes = 5000;  // per move
  int randomPlies = 6;         // at most, from the start; at least 2
  int plyCap = 200;            // a longer game is drawn
  std::uint32_t seed = 1;
  int firstGame = 0;  // games are numbered, each from its own seed, so runs can be split
  // Under the official rules a side with no legal move has lost, and a fourth repetition is
  // recorded as drawn (rare in these games, and its loser says little about the position).
  Rules rules = Rules::kingCapture;
};

// Writes one line per position reached after the random moves: its SFEN, a tab, and the
// result for the lower side (1 won, 0.5 drawn, 0 lost). Reports progress on `progress`.
void playGames(const SelfPlayOptions& o, std::ostream& out, std::ostream& progress);

}  // namespace zelk::tune
