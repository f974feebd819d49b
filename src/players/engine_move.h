#pragma once
// The players' moves in the rules' terms: the rule-based player's choice for whichever side is
// to move, the searching player's choice as a COM move, and the conversions between them.

#include <atomic>

#include "com/move_choice.h"
#include "core/game_state.h"
#include "core/sfen.h"

namespace zelk::search {
class Searcher;
}

namespace zelk {

// The rule-based player's move for the side to move in the position, whichever side that is:
// where the lower side moves, the position is turned round, searched as COM and the move
// turned back.
struct EngineAnswer {
  bool found = false;
  UsiMove move;
  Score score = 0;
};
EngineAnswer engineMove(const GameState& position, int level);

// A COM move as a USI move, and back in the position it is played from.
UsiMove usiMoveOf(const ComMove& m);
ComMove comMoveOf(const GameState& g, const UsiMove& u);

// Sets the searcher to the game's rules and its first player (who loses a repetition under the
// official rules), as the computer's own move is searched: hints and analysis judge by them too.
void useGameRules(search::Searcher& searcher, const GameState& g);

// The searching player's move for COM at a level, within the level's budget; at once with
// the best move found so far when `stop` turns true. None when every move hands the king over.
// The seed decides the weaker levels' draw among near-best moves.
ComDecision searchComMove(const GameState& g, int level, const std::atomic<bool>& stop, std::uint64_t seed = 0);

}  // namespace zelk
