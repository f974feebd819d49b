#pragma once
// Walking through the move history on the board: 戻 takes the last move back, 進 plays the
// next recorded one again, 反転 turns the board round so that the sides change places.
// Each step copies a whole saved position back; nothing is recomputed.

#include "core/game_state.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "presentation/sound.h"
#include "records/record_commands.h"
#include "settings/clocks.h"

namespace zelk {

// Where a move ended: its destination square and the code standing there.
struct MoveEnd {
  bool found = false;
  int X = 0, Y = 0, 駒 = 0;
};

// The first square, column by column, that is occupied after the move and held something
// else before it. A move or drop changes exactly one square to a piece (the source only
// empties), so this is the destination; the hands are not looked at.
MoveEnd 調査_移動結果(const Board& after, const Board& before);

// Move n of the history: slot n against slot n − 1; nothing found when either is missing.
MoveEnd 調査_移動結果(const GameState& g, int n);

class Navigation {
public:
  Navigation(GameState& g, Screen& screen, Clocks& clocks, SoundModule& sounds, const Platform& platform,
             RecordCommands& records)
      : g(g), screen_(screen), clocks_(clocks), sounds_(sounds), p_(platform), records_(records) {}

  void REPLAY_Click();   // 戻
  void AFTER_Click();    // 進
  void REVERSE_Click();  // 反転

private:
  bool hasSlot(int n) const;
  void showClocks(int slot);

  GameState& g;
  Screen& screen_;
  Clocks& clocks_;
  SoundModule& sounds_;
  Platform p_;
  RecordCommands& records_;
};

}  // namespace zelk
