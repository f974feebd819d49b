#pragma once
// The board area of the window: pictures, square outlines and texts placed on one grid of
// cells. The game logic calls these after it changes the board, the hands or the clocks;
// nothing is retained here, what is on the surface is whatever was drawn last.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/game_state.h"
#include "core/game_view.h"
#include "presentation/platform.h"

namespace zelk {

// The title and background picture codes (画面絵, 背景緑 … 背景煉瓦) are in core/palette.h.

// Window position in twips of the top-left corner of cell (X, Y); X and Y may be fractional.
constexpr float cellX(double X) { return static_cast<float>(盤左 + X * 桝幅); }
constexpr float cellY(double Y) { return static_cast<float>(盤上 + Y * 桝高); }

// The picture 描画_絵 draws for a code; none for a code that has no picture.
std::optional<Picture> pictureFor(int code);

// The words for a text code: full-width file digits 1..9, rank numerals 1001..1009, piece
// names (promoted silver, bishop and rook with the suffix 成); empty for any other code.
std::string 文字列変換(int code);

// The label 描画_文字列 prints for a code: handicap levels -10..10 and 99 "手目"; empty
// for any other code.
std::string_view labelText(int code);

// The clocks, as the full redraw asks for them.
class ClockDisplay {
public:
  virtual ~ClockDisplay() = default;
  virtual void 描画_所有時間(int side, double 秒) = 0;
};

class Screen final : public GameView {
public:
  Screen(GameState& g, Surface& surface, Scheduler& scheduler) : g(g), surface_(surface), scheduler_(scheduler) {}
  void setClockDisplay(ClockDisplay* clocks) { clocks_ = clocks; }

  // Colour variables (palette numbers).
  int 桝色 = 色緑;        // unmarked square outline; drawing in it erases a mark
  int 移動指導色 = 色緑;  // legal-destination outline; shows only while guidance is on
  int 選択色 = 色白;      // last-move text and the thinking notice

  // Board and pieces.
  void 描画_絵(int 駒, double X, double Y) override;
  void 描画_桝輪郭(int 描画色, double X, double Y) override;
  void 描画_盤();
  void 描画_将棋盤桝();
  void 描画_背景(int 種類);
  void 描画_自持盤() override;
  void 描画_敵持盤() override;
  void 描画_移動可能桝色(int 移動元X, int 移動元Y, int 描画色, int 移動駒);
  // The blink and the pause run on the event loop's timers: `then` runs once they are over,
  // and the window keeps repainting meanwhile.
  void 描画_駒点滅(int 入力_駒, int 入力_X, int 入力_Y, int 入力_点滅回数, std::function<void()> then);
  void 待ち時間(double 秒, std::function<void()> then);
  // A square a piece may not go to, outlined in 色明赤 for a moment: the refusal seen as well
  // as heard.
  void 描画_禁止桝(int X, int Y);
  static constexpr double kRefusedSquareSeconds = 0.4;
  // Drops every blink and pause still under way: their `then` never runs.
  void cancelPauses() { ++pauseRun_; }
  void 画面_再描画() override;

  // Text. The shadowed form is drawn by the callers: black 0.1 cell right and down first.
  void 描画_数値(double 入力X, double 入力Y, int 数値, int 色, int モード, int フォントサイズ);
  void 描画_数値(double 入力X, double 入力Y, std::string_view 文字, int 色, int モード, int フォントサイズ);
  void 描画_文字列(double 入力X, double 入力Y, int IN_文字列, int 色, int フォントサイズ);
  void 描画_移動駒種類(double 入力X, double 入力Y, std::string_view 駒文字, int 色);
  void 描画_桝_数値();
  void 描画_手数(int 手数);
  void 描画_レベル(int IN_LEVEL);
  void 描画_ハンデレベル(int レベル);
  void 描画_移動結果(int IN_手番, int 移動先X, int 移動先Y, int 移動駒, int 駒色);
  void 消去_移動結果(int IN_手番);
  void 描画_棋譜読込み部分消去();
  void 消去_思考中();

  bool fontBold() const { return bold_; }

private:
  void print(double X, double Y, std::string_view text, int colour, int size);
  void blinkFrame(int 駒, int X, int Y, int framesLeft, std::function<void()> then);

  GameState& g;
  Surface& surface_;
  Scheduler& scheduler_;
  std::uint64_t pauseRun_ = 0;        // pauses started before the last cancelPauses() are dropped
  std::uint64_t squaresRedrawn_ = 0;  // counts the redraws of all 25 square outlines
  ClockDisplay* clocks_ = nullptr;
  bool bold_ = false;  // the window font; bold from the first coordinate labels on
};

// Lets go of a piece picked up but not yet moved, erasing its marks: every command that
// changes the position calls it, so a later click cannot move a piece that is gone.
void dropSelection(GameState& g, Screen& screen);

}  // namespace zelk
