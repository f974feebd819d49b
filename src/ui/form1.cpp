#include "ui/form1.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <cmath>

#include "presentation/menu_table.h"
#include "presentation/record_panel_layout.h"
#include "presentation/system_clock.h"
#include "ui/artwork.h"
#include "ui/empty_title.h"
#include "ui/form2.h"
#include "ui/help_window.h"
#include "ui/qt_record_panel.h"

namespace zelk::ui {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

// ---- the drawn area ----

BoardView::BoardView(QtSurface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void BoardView::setBackground(const QColor& c) {
  background_ = c;
  update();
}

void BoardView::setBarTile(std::optional<Picture> tile) {
  if (tile == barTile_) return;
  barTile_ = tile;
  update();
}

DeviceMapping BoardView::deviceMapping() const {
  const double dpr = devicePixelRatioF();
  const ViewScale v = viewScale();
  const double k = v.scale * dpr;
  const double cellW = std::max(1.0, std::floor(桝幅 * k + 1e-9)), cellH = std::max(1.0, std::floor(桝高 * k + 1e-9));
  DeviceMapping m{cellW / 桝幅, 0, 0, cellH / 桝高};
  // Centred, with the board's corner on a whole device pixel.
  const double left = (width() * dpr - kSurfaceWidth * m.k) / 2, top = (height() * dpr - kSurfaceHeight * m.ky) / 2;
  m.left = std::round(left + 盤左 * m.k) - 盤左 * m.k;
  m.top = std::round(top + 盤上 * m.ky) - 盤上 * m.ky;
  return m;
}

QPointF BoardView::toView(double twipsX, double twipsY) const {
  const DeviceMapping m = deviceMapping();
  const double dpr = devicePixelRatioF();
  return QPointF((m.left + twipsX * m.k) / dpr, (m.top + twipsY * m.ky) / dpr);
}

QPointF BoardView::toTwips(QPointF viewPoint) const {
  const DeviceMapping m = deviceMapping();
  const double dpr = devicePixelRatioF();
  return QPointF((viewPoint.x() * dpr - m.left) / m.k, (viewPoint.y() * dpr - m.top) / m.ky);
}

double BoardView::textGrowth() const { return std::max(1.0, viewScale().scale * kTwipsPerPixel); }

QRect BoardView::takeChanged() {
  const std::uint64_t since = askedCall_;
  const bool cleared = askedClears_ != surface_.clears();
  askedCall_ = surface_.lastCall();
  askedClears_ = surface_.clears();
  if (cleared) return rect();
  const QRectF twips = surface_.coverSince(since);
  if (twips.isEmpty()) return {};
  return QRectF(toView(twips.left(), twips.top()), toView(twips.right(), twips.bottom()))
      .toAlignedRect()
      .adjusted(-1, -1, 1, 1);
}

// The margins first (tiles of the background, else the window's colour), then every drawing
// call that touches the part asked for, in order, in device pixels: pictures are drawn at the
// size they take there, never scaled.
void BoardView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect part = event->rect();
  p.fillRect(part, background_);
  const QPointF from = toTwips(QPointF(part.left() - 1, part.top() - 1));
  const QPointF to = toTwips(QPointF(part.right() + 2, part.bottom() + 2));
  const QRectF twips(from, to);
  const double dpr = devicePixelRatioF();
  p.setTransform(QTransform::fromScale(1 / dpr, 1 / dpr));
  const DeviceMapping m = deviceMapping();
  if (barTile_) {
    const QRect device =
        QRectF(part.left() * dpr, part.top() * dpr, part.width() * dpr, part.height() * dpr).toAlignedRect();
    surface_.paintBeyond(p, m, *barTile_, device);
  }
  surface_.paint(p, m, twips);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
  const int button = event->button() == Qt::RightButton ? 2 : event->button() == Qt::LeftButton ? 1 : 0;
  if (button == 0 || !onPress) return;
  const QPointF at = toTwips(event->position());
  onPress(button, at.x(), at.y());
}

void BoardView::resizeEvent(QResizeEvent*) { placePanel(); }

// The record panel's controls keep their order and proportions, scaled with the drawn area,
// and their text grows as much. Where the window leaves room left of the board, the panel stands
// there, clear of the board's files, at the board's scale or as large as the room allows (never
// smaller than at the start-up size); else it lies over the left of the board as designed.
void BoardView::placePanel() {
  double left = kSurfaceWidth, right = 0;
  for (const PanelControl& c : kRecordPanel) {
    left = std::min(left, c.x);
    right = std::max(right, c.x + c.width);
  }
  const ViewScale v = viewScale();
  const double gap = 6;
  const double room = toView(盤左 + 桝幅, 0).x() - 2 * gap;  // up to the left edge of the board's fifth file
  double scale = v.scale;
  double panelLeft = toView(left, 0).x();
  if (room >= (right - left) * std::min(scale, 1 / kTwipsPerPixel)) {
    scale = std::min(scale, room / (right - left));
    panelLeft = gap + room - (right - left) * scale;
  }
  const double growth = std::max(1.0, scale * kTwipsPerPixel);
  for (const PanelControl& c : kRecordPanel) {
    if (auto* w = findChild<QWidget*>(qs(c.name), Qt::FindDirectChildrenOnly)) {
      w->setGeometry(
          QRectF(panelLeft + (c.x - left) * scale, toView(0, c.y).y(), c.width * scale, c.height * v.scale).toRect());
      QFont f = w->font();
      if (!w->property("naturalPointSize").isValid()) w->setProperty("naturalPointSize", f.pointSizeF());
      f.setPointSizeF(w->property("naturalPointSize").toDouble() * growth);
      w->setFont(f);
    }
  }
}

// ---- the window ----

QPoint framedCorner(QPoint asked, const QRect& available) {
  return QPoint(std::max(asked.x(), available.left()), std::max(asked.y(), available.top()));
}

Form1::Form1(Form1Options options, QWidget* parent) : QMainWindow(parent) {
  setObjectName("Form1");
  setWindowTitle(QString::fromUtf8("Zelk ５五将棋"));
  surface_ = std::make_unique<QtSurface>(chooseFontFamily());
  view_ = new BoardView(*surface_, this);
  view_->setObjectName("BoardView");
  setCentralWidget(view_);
  view_->onPress = [this](int button, double x, double y) {
    emit boardPressed(button, x, y);
    controller_->Form_MouseDown(button, x, y);
    afterCommand();
  };
  // Every step of the game returns to the event loop before anything waits, so what a step
  // drew is painted once, together, before the next step runs.
  surface_->onRefresh = [this] { afterCommand(); };

  buildMenus();
  menuFont_ = menuBar()->font();
  buildRecordPanel();
  checks_[MenuItem::TATAMI] = true;  // as the window is designed, before any setting is read
  restoreChecks();

  timer1_.setInterval(50);
  connect(&timer1_, &QTimer::timeout, this, [this] { controller_->Timer1_Timer(); });

  SoundLibrary* sound = options.sound;
  if (!sound) {
    ownSound_ = std::make_unique<QtSoundLibrary>();
    sound = ownSound_.get();
  }
  Clock* clock = options.clock;
  if (!clock) {
    ownClock_ = std::make_unique<SystemClock>();
    clock = ownClock_.get();
  }
  Dialogs* dialogs = options.dialogs ? options.dialogs : this;
  Scheduler* scheduler = options.scheduler ? options.scheduler : this;
  panel_ = std::make_unique<QtRecordPanel>(view_);
  RecordExchange* exchange = options.exchange;
  if (!exchange) {
    ownExchange_ = std::make_unique<QtRecordExchange>(this);
    exchange = ownExchange_.get();
  }
  Preferences* preferences = options.preferences;
  if (!preferences) {
    ownPreferences_ = std::make_unique<QtPreferences>();
    preferences = ownPreferences_.get();
  }
  studyPanel_ = std::make_unique<QtStudyPanel>(this);
  addDockWidget(Qt::RightDockWidgetArea, studyPanel_->dock());
  connect(studyPanel_->dock(), &QDockWidget::visibilityChanged, this, [this](bool shown) {
    makeRoomForStudyPanel(shown);
    if (shown) fitStudyPanel();
  });
  controller_ = std::make_unique<Form1Controller>(
      Platform{*surface_, *dialogs, *sound, *clock, *this, *this, *this, *scheduler, *preferences},
      std::move(options.soundFolders), std::move(options.startFolder), panel_.get(), exchange, studyPanel_.get());
  studyPanel_->onRow = [this](int row) {
    if (controller_->computerMoving()) return;
    controller_->study.rowClicked(row);
    afterCommand();
  };
  studyPanel_->onCancel = [this] {
    controller_->study.cancelReview();
    afterCommand();
  };
  PositionEditor& editor = controller_->editor;
  auto editorCommand = [this](std::function<void()> command) {
    return [this, command = std::move(command)] {
      if (controller_->computerMoving()) return;
      command();
      restoreChecks();
      afterCommand();
    };
  };
  studyPanel_->onChoose = [&editor](int code) { editor.choose(code); };
  studyPanel_->onSide = [&editor](int side) { editor.setSideToMove(side); };
  studyPanel_->onClearBoard = editorCommand([&editor] { editor.clearBoard(); });
  studyPanel_->onStartPosition = editorCommand([&editor] { editor.startPosition(); });
  studyPanel_->onAccept = editorCommand([&editor] { editor.accept(); });
  studyPanel_->onLeave = editorCommand([&editor] { editor.cancel(); });
  panel_->onDriveChange = [this] {
    if (controller_->computerMoving()) return;
    controller_->records.Drive1_Change();
    afterCommand();
  };
  panel_->onDirChange = [this] {
    if (controller_->computerMoving()) return;
    controller_->records.Dir1_Change();
    afterCommand();
  };
  panel_->onFileClick = [this] {
    if (controller_->computerMoving()) return;
    controller_->records.File1_Click();
    afterCommand();
  };
  panel_->onReturn = [this] {
    if (controller_->computerMoving()) return;
    controller_->records.Command1_Click();
    afterCommand();
  };
  controller_->Form_Load();
  view_->setBarTile(pictureFor(controller_->g.背景種類));
}

Form1::~Form1() {
  // The dock hides as the window goes: by then nothing of this window may answer it.
  if (studyPanel_) studyPanel_->dock()->disconnect(this);
  timer1_.stop();
  controller_->終了処理();
}

void Form1::buildMenus() {
  QMenu* parents[3] = {};
  QActionGroup* groups[4] = {};  // by MenuGroup
  for (int i = 0; i < kMenuItemCount; ++i) {
    const MenuEntry& e = kMenuTable[i];
    const MenuItem item = e.item;
    const bool hasChildren = i + 1 < kMenuItemCount && kMenuTable[i + 1].depth > e.depth;
    if (hasChildren) {
      QMenu* menu = e.depth == 0 ? menuBar()->addMenu(qs(e.caption)) : parents[e.depth - 1]->addMenu(qs(e.caption));
      menu->setObjectName(qs(e.name));
      menu->menuAction()->setObjectName(qs(e.name));
      parents[e.depth] = menu;
      actions_[item] = menu->menuAction();
      connect(menu, &QMenu::aboutToShow, this, [this, item] {
        controller_->menuClicked(item);
        afterCommand();
      });
      continue;
    }
    QAction* action =
        e.depth == 0 ? menuBar()->addAction(qs(e.caption)) : parents[e.depth - 1]->addAction(qs(e.caption));
    action->setObjectName(qs(e.name));
    action->setCheckable(e.checkable);
    if (e.group != MenuGroup::None) {
      QActionGroup*& group = groups[static_cast<int>(e.group)];
      if (!group) {
        group = new QActionGroup(this);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
      }
      group->addAction(action);
    }
    actions_[item] = action;
    // The desktop's keys for copy and paste: the position, the game, a position or a game.
    if (item == MenuItem::SFEN_COPY) action->setShortcut(QKeySequence::Copy);
    if (item == MenuItem::KIF_COPY) action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    if (item == MenuItem::KIF_PASTE) action->setShortcut(QKeySequence::Paste);
    connect(action, &QAction::triggered, this, [this, item] {
      restoreChecks();  // the commands themselves set the check marks
      controller_->menuClicked(item);
      afterCommand();
    });
  }
}

void Form1::buildRecordPanel() {
  for (const PanelControl& c : kRecordPanel) {
    QWidget* w = nullptr;
    const QString name = qs(c.name);
    if (name.startsWith("Label1")) {
      w = new QLabel(qs(c.caption), view_);
    } else if (name.startsWith("Text")) {
      w = new QLineEdit(view_);
    } else if (name == "Drive1") {
      w = new QComboBox(view_);
    } else if (name == "Command1") {
      w = new QPushButton(qs(c.caption), view_);
    } else {
      w = new QListWidget(view_);
      if (name == "File1") w->setProperty("pattern", QString::fromUtf8("*.棋譜"));
    }
    w->setObjectName(name);
    w->hide();
  }
}

QAction* Form1::action(MenuItem item) const {
  auto it = actions_.find(item);
  return it == actions_.end() ? nullptr : it->second;
}

void Form1::restoreChecks() {
  for (auto& [item, action] : actions_)
    if (action->isCheckable()) action->setChecked(isChecked(item));
}

void Form1::setChecked(MenuItem item, bool on) {
  checks_[item] = on;
  if (QAction* a = action(item)) a->setChecked(on);
}

void Form1::setEnabled(MenuItem item, bool on) {
  if (QAction* a = action(item)) a->setEnabled(on);
}

bool Form1::isChecked(MenuItem item) const {
  auto it = checks_.find(item);
  return it != checks_.end() && it->second;
}

void Form1::setTimer1Enabled(bool on) {
  if (on && !timer1_.isActive()) timer1_.start();
  if (!on) timer1_.stop();
}

// Changing the window's colour clears what was drawn on it.
void Form1::setBackgroundColour(int colour) {
  background_ = colour;
  surface_->clear(colour);
  view_->setBackground(paletteColour(colour));
}

double Form1::top() const { return isMaximized() ? kMaximisedTop : frameGeometry().y() * kTwipsPerPixel; }

void Form1::place(double x, double y, double width, double height) {
  placedFrame_ = QSize(static_cast<int>(width / kTwipsPerPixel), static_cast<int>(height / kTwipsPerPixel));
  placedAt_ = QPoint(static_cast<int>(x / kTwipsPerPixel), static_cast<int>(y / kTwipsPerPixel));
  move(placedAt_);
  resize(placedFrame_);
}

// The frame's own size is known once the window is shown: the whole frame gets the size asked,
// and its corner the place asked, within the part of the screen windows may take, so that the
// title bar can be grabbed. A window manager may tell the frame a little later: asked again then.
void Form1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!placedFrame_.isValid()) return;
  const QSize asked = placedFrame_;
  placedFrame_ = QSize();
  const auto place = [this, asked, shown = size()] {
    if (isMaximized() || !screen()) return;
    const QSize extra = frameGeometry().size() - geometry().size();
    if (!extra.isNull() && size() == shown) resize(asked - extra);  // unless resized meanwhile
    const QPoint corner = framedCorner(placedAt_, screen()->availableGeometry());
    const QRect frame = frameGeometry();
    if (frame.top() < corner.y() || frame.left() < corner.x()) move(corner);
  };
  place();
  QTimer::singleShot(300, this, place);
}

// Opening the study panel widens the window by the panel, as far as the screen allows, so that
// the board keeps the size it had; closing it gives that width back unless the window was
// resized meanwhile. A maximised or full-screen window keeps its size and shares it.
void Form1::makeRoomForStudyPanel(bool shown) {
  if (isMaximized() || isFullScreen() || !screen()) return;
  if (!shown) {
    if (widenedBy_ > 0 && width() == widenedTo_) resize(width() - widenedBy_, height());
    widenedBy_ = 0;
    return;
  }
  if (widenedBy_ > 0) return;
  const int panel = std::max(250, width() / 4);
  const int frame = frameGeometry().width() - geometry().width();
  const int room = screen()->availableGeometry().width() - frame;
  const int wanted = std::min(width() + panel, room);
  if (wanted <= width()) return;
  widenedBy_ = wanted - width();
  widenedTo_ = wanted;
  resize(wanted, height());
}

void Form1::fitStudyPanel() {
  QDockWidget* dock = studyPanel_ ? studyPanel_->dock() : nullptr;
  if (!dock || !dock->isVisible()) return;
  QFont f = font();
  if (f.pointSizeF() > 0) {
    f.setPointSizeF(std::max(f.pointSizeF(), width() / 150.0));
    dock->widget()->setFont(f);
  }
  resizeDocks({dock}, {std::max(250, width() / 4)}, Qt::Horizontal);
}

void Form1::closeWindow() { QMainWindow::close(); }

// What a command drew is shown.
void Form1::afterCommand() {
  if (const auto tile = pictureFor(controller_->g.背景種類)) view_->setBarTile(tile);
  const QRect changed = view_->takeChanged();
  if (!changed.isEmpty()) view_->update(changed);
}

// The menu bar and its menus read as large as the board is drawn.
void Form1::growText() {
  const double growth = view_->textGrowth();
  if (std::abs(growth - menuGrowth_) < 0.01) return;
  menuGrowth_ = growth;
  QFont f = menuFont_;
  f.setPointSizeF(menuFont_.pointSizeF() * growth);
  menuBar()->setFont(f);
  for (QMenu* menu : menuBar()->findChildren<QMenu*>()) menu->setFont(f);
}

void Form1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  growText();
  fitStudyPanel();
}

// A precise timer, so that the blink's 0.2 s and the pause's 0.5 s keep their length. A
// step asked for by a step counts from the moment that step was due, not from when it ran,
// so a chain of steps keeps its total however late the machine wakes up. What a step drew is
// shown, as after any command.
void Form1::after(double seconds, std::function<void()> step) {
  const auto now = std::chrono::steady_clock::now();
  const auto due =
      (runningStepDue_ ? *runningStepDue_ : now) +
      std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
  const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(due - now + std::chrono::microseconds(500));
  QTimer::singleShot(std::max<int>(0, static_cast<int>(wait.count())), Qt::PreciseTimer, this,
                     [this, due, step = std::move(step)] {
                       runningStepDue_ = due;
                       step();
                       runningStepDue_.reset();
                       afterCommand();
                     });
}

void Form1::post(std::function<void()> step) {
  QMetaObject::invokeMethod(
      this,
      [this, step = std::move(step)] {
        step();
        afterCommand();
      },
      Qt::QueuedConnection);
}

// Line breaks of the game's texts are carriage returns; the box breaks on line feeds.
static QString boxText(std::string_view text) {
  QString s = qs(text);
  s.replace("\r\n", "\n");
  s.replace('\r', '\n');
  return s;
}

// A box is shown with the title it is given; an empty one stays empty on the screen too.
static int runBox(QMessageBox& box, std::string_view title) {
  if (title.empty()) showEmptyTitle(box);
  return box.exec();
}

void Form1::messageBox(std::string_view text, std::string_view title, Icon icon) {
  QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, qs(title), boxText(text),
                  QMessageBox::Ok, this);
  runBox(box, title);
}

int Form1::askYesNo(std::string_view text, std::string_view title) {
  QMessageBox box(QMessageBox::Question, qs(title), boxText(text), QMessageBox::Yes | QMessageBox::No, this);
  box.setDefaultButton(QMessageBox::Yes);
  return runBox(box, title) == QMessageBox::Yes ? kYes : kNo;
}

void Form1::showVersionDialog() {
  Form2 dialog(std::max(1, static_cast<int>(std::ceil(devicePixelRatioF()))), surface_->fontFamily(), this);
  dialog.exec();
}

void Form1::showHelp(const std::filesystem::path& page) {
  auto* help = new HelpWindow(page, this);
  help->show();
  help->raise();
}

// Esc ends the program, except while the player types in a text box of the record panel:
// there it belongs to the text box, which does nothing with it.
void Form1::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && qobject_cast<QLineEdit*>(QApplication::focusWidget())) return;
  if (event->key() == Qt::Key_Escape) {
    controller_->Form_KeyPress(27);
    return;
  }
  const QString text = event->text();
  if (text.size() == 1 && text[0].unicode() < 128) controller_->Form_KeyPress(text[0].unicode());
  QMainWindow::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent* event) {
  timer1_.stop();
  controller_->Form_Unload();
  event->accept();
}

}  // namespace zelk::ui
