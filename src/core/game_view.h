#pragma once
// What the rules core asks of the window: the drawing that follows a reset or a move.
// The core never draws itself; the game's presentation layer implements this, and the
// tests use NullGameView.

namespace zelk {

// clang-format off
// Aligned by hand: the comments line up by their width on screen, which the formatter does
// not count right for Japanese names.

class GameView {
public:
  virtual ~GameView() = default;
  virtual void 描画_絵(int 駒, double X, double Y) = 0;          // picture of a code at a cell
  virtual void 描画_桝輪郭(int 描画色, double X, double Y) = 0;  // outline of a cell
  virtual void 描画_自持盤() = 0;                                 // MAN's hand stand
  virtual void 描画_敵持盤() = 0;                                 // COM's hand stand
  virtual void 画面_再描画() = 0;                                 // the whole window
};

class NullGameView final : public GameView {
public:
  void 描画_絵(int, double, double) override {}
  void 描画_桝輪郭(int, double, double) override {}
  void 描画_自持盤() override {}
  void 描画_敵持盤() override {}
  void 画面_再描画() override {}
};

// clang-format on
}  // namespace zelk
