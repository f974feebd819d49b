#pragma once
// 局面編集: setting up a starting position by hand. Pieces of either side, promoted or not,
// are placed on the board and taken off it; hands are filled and emptied a piece at a time;
// the side to move is chosen; the board can be cleared or set to the starting position.
// Taking the position checks it as a pasted one is checked, and makes it the history's
// slot 0: the game menus then play from it, the 検討 menu analyses it, records carry it.

#include <optional>

#include "core/game_state.h"
#include "play/study_panel.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "presentation/sound.h"
#include "records/kif_commands.h"

namespace zelk {

class PositionEditor {
public:
  PositionEditor(GameState& g, Screen& screen, SoundModule& sounds, const Platform& platform, KifCommands& kif,
                 StudyPanel& panel)
      : g(g), screen_(screen), sounds_(sounds), p_(platform), kif_(kif), panel_(panel) {}

  bool editing() const { return view_.editing; }
  const EditorView& view() const { return view_; }

  // 局面編集: starts editing the position shown; while editing, takes the edited position.
  void HENSHU_Click();
  void choose(int code);         // the piece the next click places; 0: the click removes
  void setSideToMove(int side);  // 先手 or 後手
  void clearBoard();             // no pieces anywhere
  void startPosition();          // the pieces where a game starts, hands empty
  // A click on the board (places the chosen piece, or takes off the one there with the right
  // button or when it is the one chosen) or on a hand (left adds one of that kind, right
  // takes one away).
  void click(int Button, int X, int Y);
  // Checks the position and, when it can be played, makes it the start of the history; true
  // then. A refusal says why, as a paste does, and editing goes on.
  bool accept();
  // Leaves the editor: the position shown before it comes back.
  void cancel();

private:
  void redraw();
  bool inTheBox(int code) const;  // one of the piece's kind is still free to place
  void publish() { panel_.showEditor(view_); }

  GameState& g;
  Screen& screen_;
  SoundModule& sounds_;
  Platform p_;
  KifCommands& kif_;
  StudyPanel& panel_;
  EditorView view_;
  std::optional<GameState> before_;  // the game as it was when editing began
};

}  // namespace zelk
