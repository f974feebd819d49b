#pragma once
// The two clocks: each side's thinking time in this game, shown as hh:mm:ss beside its hand
// and redrawn by the 50 ms tick whenever the whole second of the running move changes.

#include <functional>
#include <string>

#include "core/game_state.h"
#include "presentation/platform.h"
#include "presentation/screen.h"

namespace zelk {

// Seconds from the time of day `start` to the time of day `now`, across midnight.
double 調査_経過秒(double start, double now);

// hh:mm:ss of a number of seconds (whole seconds, fractions dropped); 100 hours or more
// leave the hour field empty.
std::string 調査_時間秒追加結果(double 秒);

// A whole number as a two-digit field: "07", "42"; empty for three digits or more.
std::string 変換_数字から文字(long long n);

// Under a time control: the seconds the side may spend on its running move before its flag
// falls (main time left, then the byoyomi; an increment comes only after the move).
double 調査_持ち時間(const GameState& g, int side);
// Under a time control: a completed move of `spent` seconds charged to the side's main time,
// byoyomi first used up, the increment added.
void 持ち時間_消費(GameState& g, int side, double spent);
// Under a time control: what the side's clock shows after `spent` seconds of its move: the
// main time left, then the byoyomi left, counting down.
double 調査_残り表示(const GameState& g, int side, double spent);
// Under a time control: the main time each side had left at history slot n, where
// `sideToMove` is to move, found by charging again the time of every move before it; a move
// stepped back over gives its time back, as its total on the clock does.
void 持ち時間_復元(GameState& g, int n, int sideToMove);

class Clocks final : public ClockDisplay {
public:
  Clocks(GameState& g, Screen& screen, const Platform& platform) : g(g), screen_(screen), p_(platform) {}

  // The tick: refresh 経過秒 and redraw the running clock when its whole second changed.
  // Under a time control a player's flag falling calls onFlag (the computer's own flag is
  // judged when its move comes).
  void Timer1_Timer();
  std::function<void()> onFlag;
  // True when the side to move has used up its time under the control.
  bool flagFallen() const;

  // One clock, for the side value given; nothing while the 経過時間 display is off.
  void 描画_所有時間(int side, double 秒) override;
  void 消去_所有時間(int side);

private:
  GameState& g;
  Screen& screen_;
  Platform p_;
};

}  // namespace zelk
