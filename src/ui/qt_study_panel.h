#pragma once
// The study tools beside the board, as a dock on the window's right: the hint in words, the
// analysis (evaluation bar, depth and speed, best lines), the review's progress with its
// cancel button, the evaluation graph and the move list. The dock is hidden while none of
// them is switched on, so the window is then exactly the board.

#include <QDockWidget>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "play/study_panel.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QRadioButton;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace zelk::ui {

// The evaluation from 先手's side, move by move; a click picks the move under it.
class EvaluationGraph final : public QWidget {
public:
  explicit EvaluationGraph(QWidget* parent);
  void setScores(std::vector<std::optional<int>> scores, int current);
  std::function<void(int row)> onPick;
  // The row a click at x (widget pixels) picks.
  int rowAt(double x) const;
  QSize sizeHint() const override { return {240, 110}; }

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  std::vector<std::optional<int>> scores_;
  int current_ = 0;
};

class QtStudyPanel final : public StudyPanel {
public:
  explicit QtStudyPanel(QWidget* window);
  void show(const StudyView& view) override;
  QDockWidget* dock() const { return dock_; }
  QListWidget* moveList() const { return list_; }
  EvaluationGraph* graph() const { return graph_; }
  QLabel* analysisHead() const { return head_; }
  const std::vector<QLabel*>& analysisLines() const { return lines_; }

  std::function<void(int row)> onRow;  // a move of the list or a point of the graph
  std::function<void()> onCancel;      // the review's cancel button

  // The position editor: its piece buttons, side to move and commands.
  void showEditor(const EditorView& view) override;
  QWidget* editorPart() const { return editor_; }
  QAbstractButton* pieceButton(int code) const;
  std::function<void(int code)> onChoose;
  std::function<void(int side)> onSide;
  std::function<void()> onClearBoard, onStartPosition, onAccept, onLeave;

private:
  QDockWidget* dock_;
  QLabel* hint_;
  QWidget* analysis_;
  QLabel* head_;
  QProgressBar* bar_;
  std::vector<QLabel*> lines_;
  QWidget* review_;
  QProgressBar* progress_;
  QPushButton* cancel_;
  EvaluationGraph* graph_;
  QListWidget* list_;
  std::vector<MoveRow> shownRows_;
  bool filling_ = false;
  bool studyShown_ = false, editing_ = false;
  QWidget* editor_;
  QButtonGroup* pieces_;
  QRadioButton* senteToMove_;
  QRadioButton* goteToMove_;
};

}  // namespace zelk::ui
