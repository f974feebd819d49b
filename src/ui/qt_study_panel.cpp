#include "ui/qt_study_panel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QToolButton>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/pieces.h"
#include "play/study.h"

namespace zelk::ui {

namespace {

QString qs(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The chance 先手 wins, from the evaluation, as players read a bar.
int winPercent(int score) { return static_cast<int>(std::lround(100.0 / (1.0 + std::exp(-score / 400.0)))); }

QString rowText(const MoveRow& r) {
  if (r.number == 0 && r.slot == 0) return qs(r.move);
  QString text = QString("%1 ").arg(r.number, 4) + qs(r.move);
  if (r.score) text += "  " + qs(evaluationText(*r.score));
  if (!r.mark.empty()) text += "  " + qs(r.mark) + QString::fromUtf8(" 最善 ") + qs(r.better);
  return text;
}

}  // namespace

EvaluationGraph::EvaluationGraph(QWidget* parent) : QWidget(parent) {
  setObjectName("EvaluationGraph");
  setMinimumHeight(80);
  setCursor(Qt::PointingHandCursor);
}

void EvaluationGraph::setScores(std::vector<std::optional<int>> scores, int current) {
  if (scores == scores_ && current == current_) return;
  scores_ = std::move(scores);
  current_ = current;
  update();
}

int EvaluationGraph::rowAt(double x) const {
  const int n = static_cast<int>(scores_.size());
  if (n <= 1 || width() <= 1) return 0;
  return std::clamp(static_cast<int>(std::lround(x * (n - 1) / (width() - 1))), 0, n - 1);
}

void EvaluationGraph::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = rect();
  p.fillRect(r, QColor(24, 40, 24));
  const double mid = r.height() / 2;
  p.setPen(QColor(120, 140, 120));
  p.drawLine(QPointF(0, mid), QPointF(r.width(), mid));
  const int n = static_cast<int>(scores_.size());
  if (n == 0) return;
  int top = 500;
  for (const auto& s : scores_)
    if (s) top = std::max(top, std::min(std::abs(*s), kGraphClip));
  auto at = [&](int i, int s) {
    const double x = n > 1 ? i * (r.width() - 1) / (n - 1) : r.width() / 2;
    return QPointF(x, mid - std::clamp(s, -top, top) * (mid - 4) / top);
  };
  // 先手's ground white, 後手's dark: the area between the line and the middle.
  QPainterPath area(QPointF(0, mid));
  QPainterPath line;
  bool started = false;
  for (int i = 0; i < n; ++i) {
    if (!scores_[static_cast<std::size_t>(i)]) continue;
    const QPointF pt = at(i, *scores_[static_cast<std::size_t>(i)]);
    area.lineTo(pt);
    if (!started) line.moveTo(pt), started = true;
    else line.lineTo(pt);
  }
  area.lineTo(QPointF(r.width(), mid));
  p.fillPath(area, QColor(230, 230, 210, 110));
  p.setPen(QPen(QColor(250, 250, 230), 1.5));
  p.drawPath(line);
  if (current_ >= 0 && current_ < n) {
    const double x = at(current_, 0).x();
    p.setPen(QPen(QColor(0, 200, 255), 1));
    p.drawLine(QPointF(x, 0), QPointF(x, r.height()));
  }
}

void EvaluationGraph::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onPick && !scores_.empty()) onPick(rowAt(event->position().x()));
}

QtStudyPanel::QtStudyPanel(QWidget* window) {
  dock_ = new QDockWidget(QString::fromUtf8("検討"), window);
  dock_->setObjectName("StudyDock");
  dock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
  dock_->setTitleBarWidget(new QWidget(dock_));  // the menu opens and closes it
  auto* body = new QWidget(dock_);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(4, 4, 4, 4);

  hint_ = new QLabel(body);
  hint_->setObjectName("HintText");
  column->addWidget(hint_);

  analysis_ = new QWidget(body);
  analysis_->setObjectName("Analysis");
  auto* a = new QVBoxLayout(analysis_);
  a->setContentsMargins(0, 0, 0, 0);
  head_ = new QLabel(analysis_);
  head_->setObjectName("AnalysisHead");
  bar_ = new QProgressBar(analysis_);
  bar_->setObjectName("EvaluationBar");
  bar_->setRange(0, 100);
  bar_->setFormat(QString::fromUtf8("先手 %p%"));
  a->addWidget(head_);
  a->addWidget(bar_);
  for (int i = 0; i < 3; ++i) {
    auto* l = new QLabel(analysis_);
    l->setObjectName(QString("AnalysisLine%1").arg(i + 1));
    l->setWordWrap(true);
    a->addWidget(l);
    lines_.push_back(l);
  }
  column->addWidget(analysis_);

  review_ = new QWidget(body);
  review_->setObjectName("ReviewProgress");
  auto* rv = new QHBoxLayout(review_);
  rv->setContentsMargins(0, 0, 0, 0);
  progress_ = new QProgressBar(review_);
  cancel_ = new QPushButton(QString::fromUtf8("中止"), review_);
  cancel_->setObjectName("ReviewCancel");
  rv->addWidget(progress_, 1);
  rv->addWidget(cancel_);
  column->addWidget(review_);
  QObject::connect(cancel_, &QPushButton::clicked, cancel_, [this] {
    if (onCancel) onCancel();
  });

  graph_ = new EvaluationGraph(body);
  graph_->onPick = [this](int row) {
    if (onRow) onRow(row);
  };
  column->addWidget(graph_);

  list_ = new QListWidget(body);
  list_->setObjectName("MoveList");
  column->addWidget(list_, 100);
  column->addStretch(1);  // with the list hidden, the rest stays at the top
  QObject::connect(list_, &QListWidget::itemClicked, list_, [this](QListWidgetItem* item) {
    if (!filling_ && onRow) onRow(list_->row(item));
  });

  // The position editor: the pieces of each side, face and promoted face, and "消す".
  editor_ = new QWidget(body);
  editor_->setObjectName("PositionEditor");
  auto* e = new QVBoxLayout(editor_);
  e->setContentsMargins(0, 0, 0, 0);
  auto* grid = new QGridLayout();
  grid->setSpacing(2);
  pieces_ = new QButtonGroup(editor_);
  pieces_->setExclusive(true);
  static constexpr int kFaces[] = {10, 100, 110, 800, 900, 950, 11, 101, 801, 901};
  static constexpr const char* kNames[] = {"歩", "銀", "金", "角", "飛", "玉", "と", "全", "馬", "龍"};
  for (int side = 0; side < 2; ++side) {
    auto* label = new QLabel(QString::fromUtf8(side == 0 ? "先手" : "後手"), editor_);
    grid->addWidget(label, side * 2, 0, 2, 1);
    for (int i = 0; i < 10; ++i) {
      const int code = side == 0 ? -kFaces[i] : kFaces[i];
      auto* b = new QToolButton(editor_);
      b->setText(QString::fromUtf8(kNames[i]));
      b->setCheckable(true);
      b->setObjectName(QString("Piece%1").arg(code));
      if (side == 1) b->setStyleSheet("QToolButton { color: #2050a0; }");
      pieces_->addButton(b, code);
      grid->addWidget(b, side * 2 + i / 5, 1 + i % 5);
    }
  }
  auto* remove = new QToolButton(editor_);
  remove->setText(QString::fromUtf8("消す"));
  remove->setCheckable(true);
  remove->setObjectName("Piece0");
  pieces_->addButton(remove, 0);
  grid->addWidget(remove, 0, 6, 4, 1);
  e->addLayout(grid);
  QObject::connect(pieces_, &QButtonGroup::idClicked, editor_, [this](int code) {
    if (onChoose) onChoose(code);
  });
  auto* sides = new QHBoxLayout();
  senteToMove_ = new QRadioButton(QString::fromUtf8("先手番"), editor_);
  goteToMove_ = new QRadioButton(QString::fromUtf8("後手番"), editor_);
  senteToMove_->setObjectName("SenteToMove");
  goteToMove_->setObjectName("GoteToMove");
  sides->addWidget(senteToMove_);
  sides->addWidget(goteToMove_);
  e->addLayout(sides);
  QObject::connect(senteToMove_, &QRadioButton::clicked, editor_, [this] {
    if (onSide) onSide(先手);
  });
  QObject::connect(goteToMove_, &QRadioButton::clicked, editor_, [this] {
    if (onSide) onSide(後手);
  });
  auto* commands = new QGridLayout();
  const std::pair<const char*, std::function<void()>*> kCommands[] = {
      {"全消去", &onClearBoard}, {"初期配置", &onStartPosition}, {"決定", &onAccept}, {"中止", &onLeave}};
  int at = 0;
  for (const auto& [caption, call] : kCommands) {
    auto* b = new QPushButton(QString::fromUtf8(caption), editor_);
    b->setObjectName(QString("Editor%1").arg(at));
    commands->addWidget(b, at / 2, at % 2);
    QObject::connect(b, &QPushButton::clicked, editor_, [call = call] {
      if (*call) (*call)();
    });
    ++at;
  }
  e->addLayout(commands);
  column->insertWidget(0, editor_);
  editor_->hide();

  dock_->setWidget(body);
  dock_->setMinimumWidth(250);
  dock_->hide();
}

void QtStudyPanel::show(const StudyView& v) {
  const bool graphShown = v.moveListShown && !v.graph.empty();
  const bool any = v.moveListShown || v.analysisShown || v.reviewing;
  hint_->setVisible(!v.hint.empty());
  hint_->setText(qs(v.hint));

  analysis_->setVisible(v.analysisShown);
  head_->setText(qs(v.analysisHead));
  bar_->setValue(v.analysisScore ? winPercent(*v.analysisScore) : 50);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    lines_[i]->setText(i < v.analysisLines.size() ? qs(v.analysisLines[i]) : QString());

  review_->setVisible(v.reviewing);
  progress_->setRange(0, std::max(1, v.reviewTotal));
  progress_->setValue(v.reviewDone);

  graph_->setVisible(graphShown);
  graph_->setScores(v.graph, v.currentRow);

  list_->setVisible(v.moveListShown);
  if (v.moveListShown) {
    filling_ = true;
    bool same = shownRows_.size() == v.rows.size();
    for (std::size_t i = 0; same && i < v.rows.size(); ++i)
      same = shownRows_[i].move == v.rows[i].move && shownRows_[i].mark == v.rows[i].mark &&
             shownRows_[i].score == v.rows[i].score && shownRows_[i].number == v.rows[i].number;
    if (!same) {
      list_->clear();
      for (const MoveRow& r : v.rows) {
        auto* item = new QListWidgetItem(rowText(r), list_);
        if (r.mark == "悪手") item->setForeground(QColor(200, 0, 0));
        else if (!r.mark.empty()) item->setForeground(QColor(190, 110, 0));
      }
      shownRows_ = v.rows;
    }
    if (v.currentRow >= 0 && v.currentRow < list_->count()) {
      list_->setCurrentRow(v.currentRow);
      list_->scrollToItem(list_->item(v.currentRow));
    }
    filling_ = false;
  }
  studyShown_ = any;
  dock_->setVisible(studyShown_ || editing_);
}

QAbstractButton* QtStudyPanel::pieceButton(int code) const { return pieces_->button(code); }

void QtStudyPanel::showEditor(const EditorView& v) {
  editing_ = v.editing;
  editor_->setVisible(v.editing);
  if (QAbstractButton* b = pieces_->button(v.chosen)) b->setChecked(true);
  senteToMove_->setChecked(v.sideToMove != 後手);
  goteToMove_->setChecked(v.sideToMove == 後手);
  dock_->setVisible(studyShown_ || editing_);
}

}  // namespace zelk::ui
