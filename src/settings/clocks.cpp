#include "settings/clocks.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zelk {

double 調査_経過秒(double start, double now) { return start <= now ? now - start : now + 86400 - start; }

std::string 変換_数字から文字(long long n) {
  if (n >= 0 && n <= 9) return "0" + std::to_string(n);
  if (n >= 10 && n <= 99) return std::to_string(n);
  return "";
}

std::string 調査_時間秒追加結果(double 秒) {
  double h = 0, r = 秒;
  if (秒 >= 3600) {
    h = std::floor(秒 / 3600);
    r = 秒 - 3600 * h;
  }
  const double m = std::floor(r / 60);
  const double sec = r - 60 * m;
  return 変換_数字から文字(static_cast<long long>(h)) + ":" + 変換_数字から文字(static_cast<long long>(m)) + ":" +
         変換_数字から文字(static_cast<long long>(std::floor(sec)));
}

double 調査_持ち時間(const GameState& g, int side) {
  const double left = side == g.MAN手番 ? g.残りMAN : g.残りCOM;
  return left + (g.時間設定.加算 > 0 ? 0 : g.時間設定.秒読み);
}

void 持ち時間_消費(GameState& g, int side, double spent) {
  if (!g.時間設定.on()) return;
  double& left = side == g.MAN手番 ? g.残りMAN : g.残りCOM;
  left = std::max(0.0, left - spent) + g.時間設定.加算;
}

void 持ち時間_復元(GameState& g, int n, int sideToMove) {
  if (!g.時間設定.on()) return;
  g.残りMAN = g.残りCOM = g.時間設定.持ち時間;
  int side = n % 2 == 0 ? sideToMove : -sideToMove;  // the side to move at slot 0
  for (int k = 0; k < n && static_cast<std::size_t>(k) + 1 < g.記録.size(); ++k, side = -side) {
    const HistorySlot &before = g.記録[k], &after = g.記録[k + 1];
    const double spent = side == g.MAN手番 ? after.前秒M - before.前秒M : after.前秒C - before.前秒C;
    持ち時間_消費(g, side, std::max(0.0, spent));
  }
}

double 調査_残り表示(const GameState& g, int side, double spent) {
  const double left = side == g.MAN手番 ? g.残りMAN : g.残りCOM;
  if (spent < left || g.時間設定.加算 > 0) return std::max(0.0, std::ceil(left - spent));
  return std::max(0.0, std::ceil(g.時間設定.秒読み - (spent - left)));
}

bool Clocks::flagFallen() const {
  return g.時間設定.on() && g.勝者 == 0 && g.手番 != 0 && g.経過秒 >= 調査_持ち時間(g, g.手番);
}

void Clocks::Timer1_Timer() {
  if (g.勝者 != 0 || !g.timer1Enabled) return;
  g.経過秒 = 調査_経過秒(g.開始時刻, p_.clock.timeOfDay());
  const bool computerToMove = g.対局モード == 1 && g.手番 == g.COM手番;
  if (!computerToMove && flagFallen() && onFlag) {
    onFlag();
    return;
  }
  const int whole = static_cast<int>(std::floor(g.経過秒));
  if (whole == g.表示秒) return;
  g.表示秒 = whole;
  // The sum is only shown; a total grows when its side's move is completed.
  if (g.手番 == g.COM手番) {
    描画_所有時間(g.COM手番, g.経過秒 + g.COM秒);
  } else if (g.手番 == g.MAN手番) {
    描画_所有時間(g.MAN手番, g.経過秒 + g.MAN秒);
  }
  p_.surface.refresh();
}

void Clocks::描画_所有時間(int side, double 秒) {
  if (!p_.menu.isChecked(MenuItem::KEIKA)) return;
  // Under a time control the clock shows what is left, the running move's time taken off.
  if (g.時間設定.on()) 秒 = 調査_残り表示(g, side, side == g.手番 && g.timer1Enabled ? g.経過秒 : 0);
  const std::string text = 調査_時間秒追加結果(秒);
  消去_所有時間(side);
  if (side == g.MAN手番) {
    screen_.描画_数値(7.1, 7.3, text, 色黒, 0, 12);
    screen_.描画_数値(7, 7.2, text, 色白, 0, 12);
  } else if (side == g.COM手番) {
    screen_.描画_数値(-1.5, 7.3, text, 色黒, 0, 12);
    screen_.描画_数値(-1.6, 7.2, text, 色白, 0, 12);
  }
}

void Clocks::消去_所有時間(int side) {
  if (side == g.MAN手番) {
    for (int X = 7; X <= 10; ++X) screen_.描画_絵(g.背景種類, X, 7);
  } else if (side == g.COM手番) {
    for (int X = -2; X <= 0; ++X) screen_.描画_絵(g.背景種類, X, 7);
  }
}

}  // namespace zelk
