#include "play/position_editor.h"

#include "core/move_execution.h"
#include "core/setup.h"
#include "formats/game_record.h"
#include "formats/sfen_record.h"

namespace zelk {

namespace {

constexpr std::string_view kTitle = "局面編集";

// How many of a kind one side may hold: every piece of both sets.
constexpr int kMostInHand = 2;

}  // namespace

void PositionEditor::HENSHU_Click() {
  if (view_.editing) {
    accept();
    return;
  }
  before_ = g;
  g.選択状態 = 0;
  g.timer1Enabled = false;
  view_.editing = true;
  view_.sideToMove = g.手番 == 後手 ? 後手 : 先手;
  if (view_.chosen == 0) view_.chosen = MAN歩;
  p_.menu.setChecked(MenuItem::HENSHU, true);
  redraw();
  publish();
}

void PositionEditor::choose(int code) {
  view_.chosen = code;
  publish();
}

void PositionEditor::setSideToMove(int side) {
  view_.sideToMove = side == 後手 ? 後手 : 先手;
  publish();
}

void PositionEditor::clearBoard() {
  if (!view_.editing) return;
  g.盤面 = Board{};
  g.持駒MAN = Hand{};
  g.持駒COM = Hand{};
  redraw();
}

void PositionEditor::startPosition() {
  if (!view_.editing) return;
  placeStartingPosition(g);
  g.持駒MAN = Hand{};
  g.持駒COM = Hand{};
  view_.sideToMove = 先手;
  redraw();
  publish();
}

void PositionEditor::click(int Button, int X, int Y) {
  if (!view_.editing) return;
  const auto refuse = [&] { p_.sound.dsPlay(sounds_.効果音禁止); };
  if (X >= 1 && X <= 5 && Y >= 1 && Y <= 5) {
    int& square = g.盤面(X, Y);
    const int placed = Button == 2 || view_.chosen == 0 || square == view_.chosen ? 0 : view_.chosen;
    const int before = square;
    square = 0;  // what stood there goes back to the box first
    if (placed != 0 && !inTheBox(placed)) {
      square = before;
      return refuse();
    }
    square = placed;
  } else if ((X == kManHandColumn || X == kComHandColumn) && Y >= 1 && Y <= 5) {
    const int kind = X == kManHandColumn ? Y : 6 - Y;
    int& n = X == kManHandColumn ? g.持駒MAN(kind) : g.持駒COM(kind);
    if (Button == 2) n = std::max(0, n - 1);
    else if (n < kMostInHand && inTheBox(kComHandCodes[kind])) ++n;
    else return refuse();
  } else {
    return;
  }
  p_.sound.dsPlay(sounds_.効果音駒打);
  redraw();
}

// The set has two of each kind, a king for each side: a piece is placed only while one of its
// kind is still in the box, whoever holds the others.
bool PositionEditor::inTheBox(int code) const {
  const int kind = handKindOf(code);
  int used = 0;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) {
      const int c = g.盤面(x, y);
      if (kind == 0 ? c == code : c != 0 && handKindOf(c) == kind) ++used;
    }
  if (kind == 0) return used == 0;  // a king: one of each side's colour
  return used + g.持駒MAN(kind) + g.持駒COM(kind) < 2;
}

bool PositionEditor::accept() {
  if (!view_.editing) return false;
  GameState edited = g;
  edited.MAN手番 = 先手;
  edited.COM手番 = 後手;
  edited.手番 = view_.sideToMove;
  if (const auto refused = positionRefusal(edited)) {
    p_.sound.dsPlay(sounds_.効果音禁止);
    p_.dialogs.messageBox(*refused, kTitle, Dialogs::Icon::Exclamation);
    return false;
  }
  view_.editing = false;
  before_.reset();
  p_.menu.setChecked(MenuItem::HENSHU, false);
  publish();
  GameRecord r;
  r.start = positionOf(edited);
  kif_.setUpPosition(r, kTitle);
  return true;
}

void PositionEditor::cancel() {
  if (!view_.editing) return;
  view_.editing = false;
  if (before_) g = *before_;
  before_.reset();
  p_.menu.setChecked(MenuItem::HENSHU, false);
  screen_.画面_再描画();
  screen_.描画_手数(g.手数);
  publish();
}

void PositionEditor::redraw() {
  g.持駒数MAN = 調査_持駒数(g, g.MAN手番);
  g.持駒数COM = 調査_持駒数(g, g.COM手番);
  screen_.描画_自持盤();
  screen_.描画_敵持盤();
  screen_.描画_盤();
}

}  // namespace zelk
