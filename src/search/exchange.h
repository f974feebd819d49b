#pragma once
// The static exchange on a move's square: what the mover wins or loses when both sides go on
// taking there, least valuable piece first, each free to stop. Counts board values only (the
// piece taken also goes to a hand, which makes a losing exchange only worse to start).

#include "search/position.h"

namespace zelk::search {

// The material the side to move ends up with after the exchange the move begins (negative
// when it loses material), in the evaluation's piece values.
int exchangeGain(const Position& p, Move m);

}  // namespace zelk::search
