#pragma once
// The recording rules the survey and its line and gold procedures share. Internal to the
// survey: nothing outside src/core/influence_*.cpp includes this.

#include "core/game_state.h"

namespace zelk::survey {

// MAN piece recorded as code c on (x, y) reaches (tx, ty). A single step marks a check.
inline void recordMan(GameState& g, int c, int x, int y, int tx, int ty, bool single) {
  g.勢力MAN(tx, ty) += 1;
  const int t = g.盤面(tx, ty);
  if (t < 0) {
    if (c < g.守駒MAN(tx, ty)) g.守駒MAN(tx, ty) = static_cast<std::int16_t>(c);
  } else if (t > 0) {
    if (c > g.攻駒MAN(tx, ty)) {
      g.攻駒MAN(tx, ty) = static_cast<std::int16_t>(c);
      g.攻駒MAN_X(tx, ty) = static_cast<std::int16_t>(x);
      g.攻駒MAN_Y(tx, ty) = static_cast<std::int16_t>(y);
    }
    if (single && t == COM王) g.王手駒MAN(x, y) = 9;
  }
}

// How much of the COM rule a COM piece applies (not every COM piece records everything).
struct ComRule {
  bool defender;     // records in 守駒COM
  bool defenderPos;  // ... with its square
  bool attacker;     // records in 攻駒COM
  bool attackerPos;  // ... with its square
  bool checkMark;    // marks 王手駒COM when the target is the MAN king
};
inline constexpr ComRule kComFull{true, true, true, true, true};
inline constexpr ComRule kComLine{true, true, true, true, false};

inline void recordCom(GameState& g, int c, int x, int y, int tx, int ty, ComRule r) {
  g.勢力COM(tx, ty) += 1;
  const int t = g.盤面(tx, ty);
  if (t >= COM歩) {
    if (r.defender && c < g.守駒COM(tx, ty)) {
      g.守駒COM(tx, ty) = static_cast<std::int16_t>(c);
      if (r.defenderPos) {
        g.守駒COM_X(tx, ty) = static_cast<std::int16_t>(x);
        g.守駒COM_Y(tx, ty) = static_cast<std::int16_t>(y);
      }
    }
  } else if (t <= MAN歩) {
    if (r.attacker && c < g.攻駒COM(tx, ty)) {
      g.攻駒COM(tx, ty) = static_cast<std::int16_t>(c);
      if (r.attackerPos) {
        g.攻駒COM_X(tx, ty) = static_cast<std::int16_t>(x);
        g.攻駒COM_Y(tx, ty) = static_cast<std::int16_t>(y);
      }
    }
    if (r.checkMark && t == MAN王) g.王手駒COM(x, y) = 9;
  }
}

// Walks one line from (x, y) in direction (dx, dy): counts every square up to and including
// the first piece met, sees through the enemy king, and marks the check line.
void walkLine(GameState& g, int c, bool man, int x, int y, int dx, int dy);

}  // namespace zelk::survey
