#pragma once
// The two clocks: each side's thinking time in this game, shown as hh:mm:ss beside its hand
// and redrawn by the 50 ms tick whenever the whole second of the running move changes.

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

class Clocks final : public ClockDisplay {
public:
  Clocks(GameState& g, Screen& screen, const Platform& platform) : g(g), screen_(screen), p_(platform) {}

  // The tick: refresh 経過秒 and redraw the running clock when its whole second changed.
  void Timer1_Timer();

  // One clock, for the side value given; nothing while the 経過時間 display is off.
  void 描画_所有時間(int side, double 秒) override;
  void 消去_所有時間(int side);

private:
  GameState& g;
  Screen& screen_;
  Platform p_;
};

}  // namespace zelk
