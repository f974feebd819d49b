#pragma once
// How exposed the COM king and pieces are after a candidate, and the bishop caution.
// Both read the candidate position after its survey; neither changes anything lasting.

#include "core/game_state.h"
#include "com/score.h"

namespace zelk {

// Penalties and bonuses from every square: weak squares near the COM king, hanging COM
// pieces, what MAN's hand could do, and the fork bonus of the moved piece.
Score 盤評価_COM危険座標(GameState& g, int 移動駒, int 移動先X, int 移動先Y);

// The moved piece's value when it stands on an open diagonal to a square from which a MAN
// bishop would check the COM king and that a MAN bishop can reach; else 0.
Score 盤評価_自角注意_COM(const GameState& g, int 移動先X, int 移動先Y, int 移動駒);

}  // namespace zelk
