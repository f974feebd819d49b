#pragma once
// What the study tools show beside the board: the move list with the review's marks, the
// analysis of the position shown, the review's progress and its evaluation graph. The window
// paints a view it is handed whole; the tests keep the last one.

#include <optional>
#include <string>
#include <vector>

namespace zelk {

// One row of the move list: the start (number 0) or move `number` in KIF notation, with what
// a review found of it.
struct MoveRow {
  int number = 0;            // the move's number in the game; 0 for the start
  int slot = 0;              // the history slot clicking the row shows
  std::string move;          // "５四歩(55)", "同　銀成(43)", "２三歩打"; "開始局面" for the start
  std::string mark;          // "悪手", "疑問手" or empty
  std::string better;        // the engine's move instead, when marked
  std::optional<int> score;  // 先手's evaluation after the move, once reviewed
};

struct StudyView {
  bool moveListShown = false;
  std::vector<MoveRow> rows;
  int currentRow = 0;  // the row of the position shown

  bool analysisShown = false;
  std::string analysisHead;                // evaluation, depth and speed
  std::optional<int> analysisScore;        // 先手's, for the bar
  std::vector<std::string> analysisLines;  // the best lines, best first
  int analysisIterations = 0;              // iterations shown since the analysis started

  bool reviewing = false;  // the review runs: progress and its cancel button
  int reviewDone = 0, reviewTotal = 0;
  // 先手's evaluation of each row's position, clipped at mate, once the review is done.
  std::vector<std::optional<int>> graph;

  std::string hint;  // "ﾋﾝﾄ: ３二金 (評価 +350)" while a hint is shown
};

// The position editor: the piece the next click on the board places and the side to move.
struct EditorView {
  bool editing = false;
  int chosen = 0;      // a piece code (the lower side's negative, promoted one up); 0 removes
  int sideToMove = 1;  // 1 先手, -1 後手
};

class StudyPanel {
public:
  virtual ~StudyPanel() = default;
  virtual void show(const StudyView& view) = 0;
  virtual void showEditor(const EditorView&) {}
};

// A panel nobody sees.
class UnseenStudyPanel final : public StudyPanel {
public:
  void show(const StudyView&) override {}
};

}  // namespace zelk
