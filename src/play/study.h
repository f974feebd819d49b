#pragma once
// The 検討 menu: the move list beside the board, a hint of the searching engine's move, the
// analysis of the position shown without end, and the review of the whole game. The engine
// works on the one study worker thread on copies of the positions; the game itself changes
// only by the steps a player takes (clicking a move of the list steps there as 戻 and 進 do).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "core/sfen.h"
#include "formats/game_record.h"
#include "play/study_panel.h"
#include "play/study_worker.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "presentation/sound.h"
#include "records/navigation.h"
#include "search/search.h"

namespace zelk {

// The hint's own colour on the board (light cyan).
inline constexpr int kHintColour = 11;

// An evaluation as the study tools write it: "+350", "-120", a win in n moves "+詰3".
std::string evaluationText(int centipawns);

// A move in KIF notation without its source square: "３二金", "同　銀成", "２三歩打".
std::string shortMoveText(const GameState& before, const UsiMove& m, const UsiMove* previous);

// The game in the history from its start to its last saved or live position, as records
// have it (the first player 先手), with the row of the position shown.
struct HistoryGame {
  GameRecord record;
  std::vector<RecordPosition> positions;  // the start, then the position after each move
  int currentRow = 0;
  int firstNumber = 1;  // the number of the first move
};
HistoryGame historyGame(const GameState& g);

// The move list's rows of a game.
std::vector<MoveRow> moveRows(const HistoryGame& game);

// What a review found: 先手's evaluation of every position and the engine's move in it.
struct ReviewedPosition {
  int score = 0;                // 先手's, clipped at mate
  std::optional<UsiMove> best;  // none in a decided position
};
// Marks the moves whose evaluation drops past the thresholds for the side that made them.
inline constexpr int kBlunderDrop = 300;  // 悪手
inline constexpr int kDubiousDrop = 120;  // 疑問手
inline constexpr int kGraphClip = 2000;   // a win shows as this on the graph
void markRows(std::vector<MoveRow>& rows, const HistoryGame& game, const std::vector<ReviewedPosition>& review);

// The engine's view of one position: score for the side to move (none when a king is gone),
// and its best move.
struct PositionVerdict {
  bool decided = false;  // a king is gone or no move is left: the side to move has lost
  int score = 0;         // for the side to move
  std::optional<UsiMove> best;
};
PositionVerdict judgePosition(const GameState& position, const search::SearchLimits& limits,
                              const std::atomic<bool>& stop);

class Study {
public:
  Study(GameState& g, Screen& screen, SoundModule& sounds, const Platform& platform, Navigation& navigation,
        StudyPanel& panel);
  Study(const Study&) = delete;
  Study& operator=(const Study&) = delete;

  // Whether the computer's turn runs: the hint is refused and nothing is searched meanwhile.
  std::function<bool()> computerMoving;

  // The budgets: the hint's (about a second), the review's per position.
  search::SearchLimits hintLimits{0, 0, 700, 1000, 1};
  search::SearchLimits reviewLimits{0, 0, 200, 400, 1};
  int analysisLineCount = 3;

  void KIFU_LIST_Click();    // 棋譜ﾘｽﾄ: the move list shown or hidden
  void HINT_Click();         // ﾋﾝﾄ
  void KENTOU_MODE_Click();  // 検討ﾓｰﾄﾞ: the analysis on or off
  void KAISEKI_Click();      // 棋譜解析: the review of the game
  void cancelReview();

  // The player clicked a row of the move list, or a point of the graph: the position of that
  // row is shown, stepping there with 戻 or 進.
  void rowClicked(int row);

  // After every event that may have changed the position shown: the list follows it, the
  // analysis starts again on a new position, a hint of another position goes.
  void refresh();
  // A board click: a hint shown goes before the click does anything else.
  void clearHint();
  // The computer's turn begins, or the program ends: the worker stops at once.
  void stopSearching();

  const StudyView& view() const { return view_; }
  bool analysing() const { return analysisOn_; }
  bool reviewing() const { return view_.reviewing; }
  // Comments a review adds to each move of a record of the game (empty when none was done of
  // this game): "悪手 評価 -450 最善手 ３二金".
  void annotate(GameRecord& r) const;

private:
  struct ShownKey {
    Board 盤面;
    Hand 持駒MAN, 持駒COM;
    int 手番 = 0, 勝者 = 0;
    friend bool operator==(const ShownKey&, const ShownKey&) = default;
  };
  ShownKey shownKey() const;
  void refuse(std::string_view text, std::string_view title);
  void startAnalysis();
  void drawHint();
  void eraseHint();
  void publish();

  GameState& g;
  Screen& screen_;
  SoundModule& sounds_;
  Platform p_;
  Navigation& navigation_;
  StudyPanel& panel_;
  StudyWorker worker_;
  StudyView view_;

  bool analysisOn_ = false;
  bool analysisRunning_ = false;
  std::optional<ShownKey> analysed_;  // the position the analysis runs on

  bool hintShown_ = false;
  std::optional<ShownKey> hinted_;
  UsiMove hintMove_;

  // The last review: its findings, and the start and moves of the game it was made of.
  std::vector<ReviewedPosition> review_;
  std::vector<UsiMove> reviewedMoves_;
  std::optional<RecordPosition> reviewedStartPosition_;
};

}  // namespace zelk
