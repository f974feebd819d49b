#pragma once
// The one game: board, hands, turn, counters, move history, flags, and the derived maps
// that the survey and the computer player rebuild from the board. Everything the game
// treats as window-wide state lives here and is passed explicitly.

#include <cstdint>
#include <string>
#include <vector>

#include "core/palette.h"
#include "core/pieces.h"

namespace zelk {

// clang-format off
// Aligned by hand: the comments line up by their width on screen, which the formatter does
// not count right for Japanese names.

// A 6x6 array indexed (X, Y) like the board; index 0 is never a square.
template <class T>
struct Grid {
  T v[6][6]{};
  constexpr T& operator()(int x, int y) { return v[x][y]; }
  constexpr const T& operator()(int x, int y) const { return v[x][y]; }
  friend bool operator==(const Grid&, const Grid&) = default;
};

using Board = Grid<int>;
using Map = Grid<std::int16_t>;

// Whether the king of that code (MAN王 or COM王) stands on the board.
inline bool hasKing(const Board& b, int king) {
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      if (b(x, y) == king) return true;
  return false;
}

struct Hand {
  int v[6]{};  // counts by kind index 1..5; 0 unused
  constexpr int& operator()(int k) { return v[k]; }
  constexpr const int& operator()(int k) const { return v[k]; }
  friend bool operator==(const Hand&, const Hand&) = default;
};

// The influence survey's maps; rebuilt from the board by every survey.
struct InfluenceMaps {
  Map 勢力MAN;     // number of MAN pieces reaching the square
  Map 勢力COM;     // number of COM pieces reaching the square
  Map 守駒MAN;     // on a MAN piece: lowest MAN code reaching it; 999 = none
  Map 守駒COM;     // on a COM piece: lowest COM code reaching it (as recorded); 999 = none
  Map 守駒COM_X;   // square of the COM defender recorded with its position; 0 = none
  Map 守駒COM_Y;
  Map 攻駒MAN;     // on a COM piece: highest MAN code reaching it; -999 = none
  Map 攻駒MAN_X;   // square of that MAN attacker; 0 = none
  Map 攻駒MAN_Y;
  Map 攻駒COM;     // on a MAN piece: lowest COM code reaching it (as recorded); 999 = none
  Map 攻駒COM_X;   // square of the COM attacker recorded with its position; 0 = none
  Map 攻駒COM_Y;
  Map 王手駒MAN;   // 9 on a MAN piece checking the COM king, 1 between a line and the king
  Map 王手駒COM;   // the same for COM pieces against the MAN king
  int MAN王X = 0, MAN王Y = 0, COM王X = 0, COM王Y = 0;  // king squares, refreshed by the survey
};

// What the computer freezes before its search, and the probe maps it reads while scoring.
struct SearchSnapshot {
  Board 前盤面;        // the board before the search
  Map 前勢力MAN;       // the influence counts before the search
  Map 前勢力COM;
  Map 前攻駒COM_X;     // the COM attacker squares before the search
  Map 前攻駒COM_Y;
  int 前持駒数COM = 0; // COM's hand total before the search; gates the drop search
  int 自王逃道数 = 0;  // flight squares of the MAN king before the search
  int 候補駒 = 0;      // unpromoted code of the candidate being scored
  Map 角王手座標MAN;   // 1 on an empty square from which a MAN bishop would check the COM king
  Map 移動不可MAN;     // 1 on a MAN piece that shields its king from a COM line piece
  int 移動不可COM有 = 0;  // 1 when some COM piece shields its king from a MAN line piece
};

// The rules a game is played under: the game's own, where a king left attacked may be taken
// and taking it wins, or the official rules of minishogi, where a move leaving one's own king
// attacked is no move, a pawn dropped to give mate is refused, a side with no move has lost
// and the fourth occurrence of a position ends the game.
enum class Rules { kingCapture, official };

// Why a decided game ended, beyond the game's own ways (a king taken, COM mated), which are なし.
enum class 終局理由 { なし, 詰み, 千日手, 投了, 時間切れ };

// A time control chosen for a game, in seconds: the main time, then each move within the
// byoyomi, or with the increment added after each move. No control when both times are 0.
struct 持ち時間設定 {
  double 持ち時間 = 0, 秒読み = 0, 加算 = 0;
  bool on() const { return 持ち時間 > 0 || 秒読み > 0; }
  friend bool operator==(const 持ち時間設定&, const 持ち時間設定&) = default;
};

// One slot of the move history: the position in which a move was played, and each side's
// total thinking time before and after that move.
struct HistorySlot {
  Board 盤面;
  Hand 持駒MAN, 持駒COM;
  double 前秒M = 0, 後秒M = 0, 前秒C = 0, 後秒C = 0;
  friend bool operator==(const HistorySlot&, const HistorySlot&) = default;
};

struct GameState : InfluenceMaps, SearchSnapshot {
  Board 盤面;
  Hand 持駒MAN, 持駒COM;
  int 持駒数MAN = 0, 持駒数COM = 0;

  int 手番 = 0;            // side value to move; 0 = no game started
  int MAN手番 = 後手;      // MAN's side value in this game
  int COM手番 = 先手;      // COM's side value in this game
  int 対局モード = 0;      // 1 against the computer, 0 between two people
  int 勝者 = 0;            // side value of the winner; 0 while undecided
  終局理由 終局 = 終局理由::なし;  // why 勝者 was decided
  Rules rules = Rules::kingCapture;  // the rules of this game
  int 手数 = 0;            // moves played, as shown
  int 記録位置 = 0;        // history slot the next move fills
  int 記録最終 = 0;        // highest history slot filled

  // Move history: slot n holds the position before move n + 1 and the clocks around it.
  // It grows with the game; no move is ever refused for length.
  std::vector<HistorySlot> 記録;

  // The move being entered with the mouse.
  int 移動元X = 0, 移動元Y = 0, 移動先X = 0, 移動先Y = 0, 移動駒 = 0;
  int 選択状態 = 0;  // 1 while a piece is picked up
  int 成駒 = 0;      // promoted code worked out by 調査_駒成

  // Two-pawn flags by column; valid right after 調査_2歩フラグ設定.
  int 二歩MAN[6]{}, 二歩COM[6]{};

  // Clocks.
  double MAN秒 = 0, COM秒 = 0;  // total thinking time of each side
  double 経過秒 = 0;             // time on the current move
  double 開始時刻 = 0;           // time of day the current move began
  int 表示秒 = 0;                // whole seconds shown at the last clock redraw
  bool timer1Enabled = false;   // the 50 ms clock tick is running
  持ち時間設定 時間設定;          // the game's time control; none by default
  double 残りMAN = 0, 残りCOM = 0;  // main time left under the control

  // Flags owned by the records, handicap, level and settings features.
  int 棋譜モード = 0, 再開待ち = 0, 反転済 = 0;
  // Moves have been played since the game began or was last saved: loading a record over them
  // asks first.
  bool 未保存 = false;
  int 局面設定済 = 0;  // 1: the position was read or pasted; a start command takes up play from it
  int ハンデ設定済 = 0, ハンデレベル = 0;
  int レベル = 3;
  int 背景種類 = 背景緑;
  int 移動指導 = 0;
  int 輪郭色 = 色緑;  // square outlines and the window background

  // What a saved record's header says of this game, as far as the game knows it: the title
  // and the upper and lower players' names of a loaded record, and when the game began.
  std::string 棋譜表題, 上の対局者, 下の対局者, 開始日時;
};

// clang-format on
}  // namespace zelk
