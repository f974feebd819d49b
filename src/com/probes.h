#pragma once
// Small board queries of the computer player. All read the board and the maps of the last
// survey; the two map builders also need that survey's king squares.

#include "core/game_state.h"

namespace zelk {

// Fills 角王手座標MAN: empty squares no COM piece reaches from which a MAN bishop would reach
// the COM king.
void 調査_持角狙座標(GameState& g);

// Fills 移動不可MAN (MAN pieces shielding their king from a COM line piece) and sets
// 移動不可COM有 when some COM piece shields the COM king from a MAN line piece.
void 調査_移動不可駒(GameState& g);

// Destinations the piece could move to from (X, Y) that the opponent does not reach.
int 調査_移動可場所数(const GameState& g, int X, int Y, int 駒);

// 1 if a MAN rook or dragon below (X, Y) in its column reaches (X, Y) as if it were empty.
int 調査_自守駒MAN_直進駒(GameState& g, int X, int Y);

// Minus the number of COM bishops, horses, rooks, dragons and the king around (X, Y).
int 調査_周辺状況(const GameState& g, int X, int Y);

}  // namespace zelk
