#pragma once
// Form1, the game's one window: the menu bar, the drawn board area, the clock's timer and
// the hidden record-file panel. It only translates: events go to the controller, and the
// controller's requests (drawing, boxes, check marks, timer, placement) come back here.

#include <QMainWindow>
#include <QTimer>

#include <filesystem>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "play/form1_controller.h"
#include "presentation/platform.h"
#include "presentation/view_scale.h"
#include "ui/qt_preferences.h"
#include "ui/qt_record_exchange.h"
#include "ui/qt_record_panel.h"
#include "ui/qt_sound.h"
#include "ui/qt_study_panel.h"
#include "ui/qt_surface.h"

class QActionGroup;

namespace zelk::ui {

// Where a window's frame goes when its corner is asked at `asked`: there, moved into the part
// of the screen windows may take.
QPoint framedCorner(QPoint asked, const QRect& available);

struct Form1Options {
  std::vector<std::filesystem::path> soundFolders;  // looked in, in order
  std::filesystem::path startFolder;
  Dialogs* dialogs = nullptr;          // message boxes; Qt's when null
  SoundLibrary* sound = nullptr;       // the sound library; Qt Multimedia's when null
  Clock* clock = nullptr;              // the clocks; the system's when null
  Scheduler* scheduler = nullptr;      // pauses and steps; the window's own timers when null
  RecordExchange* exchange = nullptr;  // KIF file dialogs and the clipboard; Qt's when null
  Preferences* preferences = nullptr;  // the per-user options; Qt's settings store when null
};

// The drawn area: the surface's drawing replayed at the window's size and device pixel ratio,
// fitted whole and centred, bars of the window colour around it. A paint replays the calls
// that touch the part being painted, so a change asks for the paint of its own part only.
class BoardView final : public QWidget {
public:
  BoardView(QtSurface& surface, QWidget* parent);
  ViewScale viewScale() const { return fitSurface(width(), height()); }
  // Where twip (0, 0) and one twip land in device pixels, at the current size: the fitted scale
  // brought down to whole device pixels a cell, so that every line of the grid lies on a pixel
  // and the squares are all of one size.
  DeviceMapping deviceMapping() const;
  // A place in twips of the drawn area as a point of the view, and back.
  QPointF toView(double twipsX, double twipsY) const;
  QPointF toTwips(QPointF viewPoint) const;
  void setBackground(const QColor& c);
  // The picture the margins beyond the drawn area are tiled with; none: the window's colour.
  void setBarTile(std::optional<Picture> tile);
  // The text size of the menus and the record panel, grown with the board: the size at the
  // window's start-up size times how much larger the board is drawn (never smaller).
  double textGrowth() const;
  // The part of the view the drawing calls made since the last time this was asked have
  // changed (all of it after the surface was cleared); empty when nothing changed.
  QRect takeChanged();
  std::function<void(int button, double x, double y)> onPress;  // button 1 left, 2 right; twips

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void placePanel();
  QtSurface& surface_;
  QColor background_;
  std::optional<Picture> barTile_;
  std::uint64_t askedCall_ = 0, askedClears_ = 0;  // the drawing already asked to be painted
};

class Form1 final : public QMainWindow, public Menu, public Timer, public Window, public Dialogs, public Scheduler {
  Q_OBJECT

public:
  explicit Form1(Form1Options options, QWidget* parent = nullptr);
  ~Form1() override;

  Form1Controller& controller() { return *controller_; }
  QtSurface& surface() { return *surface_; }
  BoardView* boardView() { return view_; }
  QtRecordPanel& recordPanel() { return *panel_; }
  QtStudyPanel& studyPanel() { return *studyPanel_; }
  QAction* action(MenuItem item) const;
  bool timer1Running() const { return timer1_.isActive(); }
  int timer1Interval() const { return timer1_.interval(); }
  int backgroundColour() const { return background_; }

  // Menu
  void setChecked(MenuItem item, bool on) override;
  bool isChecked(MenuItem item) const override;
  void setEnabled(MenuItem item, bool on) override;
  // Timer
  void setTimer1Enabled(bool on) override;
  // Window
  void setBackgroundColour(int colour) override;
  double top() const override;
  void place(double x, double y, double width, double height) override;
  void closeWindow() override;
  // Dialogs
  void messageBox(std::string_view text, std::string_view title, Icon icon) override;
  int askYesNo(std::string_view text, std::string_view title) override;
  void showVersionDialog() override;
  void showHelp(const std::filesystem::path& page) override;
  // Scheduler
  void after(double seconds, std::function<void()> step) override;
  void post(std::function<void()> step) override;

signals:
  void boardPressed(int button, double x, double y);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  void afterCommand();
  void growText();  // the menus' text follows the board's size
  void buildMenus();
  void buildRecordPanel();
  void restoreChecks();
  void makeRoomForStudyPanel(bool shown);
  void fitStudyPanel();  // the panel beside the board takes a quarter of the window, its text in step

  std::unique_ptr<QtSurface> surface_;
  std::unique_ptr<QtSoundLibrary> ownSound_;
  std::unique_ptr<Clock> ownClock_;
  std::unique_ptr<QtRecordPanel> panel_;
  int widenedBy_ = 0, widenedTo_ = 0;  // what opening the study panel added to the window's width
  std::unique_ptr<QtStudyPanel> studyPanel_;
  std::unique_ptr<QtRecordExchange> ownExchange_;
  std::unique_ptr<QtPreferences> ownPreferences_;
  std::unique_ptr<Form1Controller> controller_;
  BoardView* view_ = nullptr;
  QTimer timer1_;
  std::map<MenuItem, QAction*> actions_;
  std::map<MenuItem, bool> checks_;
  int background_ = 0;
  QSize placedFrame_;  // the frame size asked for, applied once the frame is known
  QPoint placedAt_;    // where the frame's corner was asked to be
  QFont menuFont_;     // the menus' font at the start-up size
  double menuGrowth_ = 1;
  std::optional<std::chrono::steady_clock::time_point> runningStepDue_;  // of the step being run
};

}  // namespace zelk::ui
