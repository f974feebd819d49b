#pragma once
// The ends the official rules and the players give a game beyond the game's own (a king
// taken, COM mated): no move left, the fourth occurrence, a resignation. Each is announced
// with a box naming it, then with the game's own words for who has won.

#include "core/game_state.h"
#include "presentation/platform.h"

namespace zelk {

inline constexpr std::string_view kRulesPreference = "rules";              // "official" or "kingcapture"
inline constexpr std::string_view kTimeControlPreference = "timecontrol";  // the chosen item's name

// The time control of each item of the 持ち時間 menu (none for なし and any other item).
持ち時間設定 timeControlOf(MenuItem item);

// The side to move has run out of time: the game is lost on time, and announced.
void endOnTime(GameState& g, Dialogs& dialogs);

// The game's own words for the winner 勝者: against the computer "あなたの勝ちです" or
// "ｺﾝﾋﾟｭｰﾀの勝ちです", between people "先手の勝ちです" or "後手の勝ちです".
void announceWinner(const GameState& g, Dialogs& dialogs);

// After a move, with 手番 the side to move and the move's position saved in the history:
// under the official rules, ends the game when they end it there and announces it. True
// when the game is over.
bool endByOfficialRules(GameState& g, Dialogs& dialogs);

}  // namespace zelk
