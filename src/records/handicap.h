#pragma once
// Handicap levels: before the first move, △ takes COM's home-row pieces off one by one
// (金, 銀, 角, 飛) and ▽ gives them back, then takes MAN's off in the same order.
// Level 0 is no handicap; positive levels weaken COM, negative levels weaken MAN.

#include "core/game_state.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "presentation/sound.h"
#include "records/record_commands.h"

namespace zelk {

// The home-row square a step changes and what it receives.
struct HandicapStep {
  int X = 0, Y = 0, 駒 = 0;
};

// The step that reaches `level` (-4 … 4) by △ (up) or ▽ (down).
HandicapStep handicapStep(int level, bool up);

class Handicap {
public:
  Handicap(GameState& g, Screen& screen, SoundModule& sounds, const Platform& platform, RecordCommands& records)
      : g(g), screen_(screen), sounds_(sounds), p_(platform), records_(records) {}

  void LBEL_UP_Click() { step(+1); }     // △
  void LEBEL_DOWN_Click() { step(-1); }  // ▽

  // The refusal box: 1 a record is loaded, 2 a move has been made, 3 the board was turned.
  void 描画_メッセージ(int reason);

private:
  void step(int d);

  GameState& g;
  Screen& screen_;
  SoundModule& sounds_;
  Platform p_;
  RecordCommands& records_;
};

}  // namespace zelk
