#include "formats/game_as_record.h"

#include <algorithm>
#include <vector>

#include "core/move_execution.h"
#include "formats/record_slots.h"

namespace zelk {

// The live position after the last move, with each side's total: the clocks, or the total the
// last move's own slot gave its mover when the game ended before the clock was charged.
HistorySlot liveSlot(const GameState& g, const HistorySlot* before) {
  HistorySlot s;
  s.盤面 = g.盤面;
  s.持駒MAN = g.持駒MAN;
  s.持駒COM = g.持駒COM;
  s.前秒M = g.MAN秒;
  s.前秒C = g.COM秒;
  if (before) {
    s.前秒M = std::max(s.前秒M, before->前秒M);
    s.前秒C = std::max(s.前秒C, before->前秒C);
    for (int x = 1; x <= 5; ++x)
      for (int y = 1; y <= 5; ++y) {
        const int now = g.盤面(x, y);
        if (now == 0 || now == before->盤面(x, y)) continue;
        if (isMan(now)) s.前秒M = std::max(s.前秒M, before->後秒M);
        else s.前秒C = std::max(s.前秒C, before->後秒C);
        x = 6;
        break;
      }
  }
  s.後秒M = s.前秒M;
  s.後秒C = s.前秒C;
  return s;
}

bool boardIsPastTheHistory(const GameState& g) {
  return g.棋譜モード == 0 && g.記録位置 >= 1 && g.記録位置 == g.記録最終 + 1 &&
         static_cast<std::size_t>(g.記録位置) <= g.記録.size();
}

GameAsRecord recordOfGame(const GameState& g) {
  GameAsRecord out;
  const int saved = static_cast<int>(g.記録.size());
  std::vector<HistorySlot> slots;
  bool live = false;
  if (g.棋譜モード == 1) {
    for (int n = 0; n <= std::min(g.記録最終, saved - 1); ++n) slots.push_back(slotOf(g, n));
  } else if (g.記録位置 <= g.記録最終 && g.記録位置 < saved && g.記録位置 > 0) {
    for (int n = 0; n <= g.記録位置; ++n) slots.push_back(slotOf(g, n));  // the board shows a saved slot
  } else {
    for (int n = 0; n < std::min(g.記録位置, saved); ++n) slots.push_back(slotOf(g, n));
    slots.push_back(liveSlot(g, slots.empty() ? nullptr : &slots.back()));
    live = true;
  }
  if (slots.empty()) slots.push_back(liveSlot(g, nullptr));

  FromSlots found = recordFromSlots(slots);
  if (found.brokenAt >= 0) {
    out.error = "履歴の" + std::to_string(found.brokenAt) + "手目が前の局面から指せる手ではありません";
    return out;
  }
  out.record = std::move(found.record);
  out.turned = found.turned;
  // A game decided on the board shown: by the king taken, or by mate.
  if (live && g.勝者 != 0) {
    const bool manWon = g.勝者 == g.MAN手番;
    const int loserKing = manWon ? COM王 : MAN王;
    out.record.end.winner = (manWon != out.turned) ? 先手 : 後手;
    switch (g.終局) {
      case 終局理由::詰み: out.record.end.word = "詰み"; break;
      case 終局理由::千日手: out.record.end.word = "千日手"; break;
      case 終局理由::投了: out.record.end.word = "投了"; break;
      case 終局理由::時間切れ: out.record.end.word = "切れ負け"; break;
      case 終局理由::なし:
        if (hasKing(g.盤面, loserKing)) out.record.end.word = "詰み";
        break;
    }
  }
  // A game of the game's own rules is written as far as the official ones let it go, so
  // that programs playing those read it to its end.
  if (g.rules == Rules::kingCapture) endWhereOfficialRulesEnd(out.record);
  return out;
}

}  // namespace zelk
