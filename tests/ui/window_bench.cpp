// Prints what one computer move costs in the real window, and what a whole repaint costs:
//  - the time from the click that completes the player's move to the computer's move shown,
//    beyond the deliberate 1.3 s of blinking (4 × 0.2 s) and pausing (0.5 s);
//  - the CPU time the program used over that time;
//  - one full repaint (every drawing call replayed, then put on the screen), at 560 × 453
//    (the start-up size) and 1 920 × 1 080, in real time and in CPU time (the machine's
//    other work makes the real time longer, not the CPU time).
// With a folder argument it also saves a picture of the window at both sizes there.
// Run it under an X server for the real window:
//   xvfb-run -a -s "-screen 0 2000x1200x24" build/default/tests/zelk55_window_bench [FOLDER]
// Message boxes are answered at once and sounds are not played, so nothing waits for a person.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "players/engine_move.h"
#include "presentation/fake_platform.h"
#include "ui/form1.h"
#include "ui/quiet_window.h"
#include "ui/settle.h"

namespace {

using zelk::test::settle;

using Clock = std::chrono::steady_clock;

double cpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// CPU time of this thread, in milliseconds: what the work costs, however busy the machine is.
double threadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Notes when the board view has finished the first paint after the computer's turn.
class PaintWatch final : public QObject {
public:
  const zelk::Form1Controller* controller = nullptr;
  bool waiting = false;
  Clock::time_point shown;

protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::Paint || !waiting || controller->computerMoving()) return false;
    static_cast<QWidget*>(watched)->removeEventFilter(this);  // paint it now, then take the time
    QCoreApplication::sendEvent(watched, e);
    watched->installEventFilter(this);
    shown = Clock::now();
    waiting = false;
    return true;
  }
};

struct Figures {
  std::vector<double> values;
  void add(double v) { values.push_back(v); }
  double median() {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
  }
  double max() { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::filesystem::path shots = argc > 1 ? argv[1] : "";
  zelk::test::FakePlatform quiet;  // boxes answered, sounds silent
  zelk::ui::Form1 form(zelk::test::quietWindowOptions("zelk55_window_bench", quiet));
  form.show();
  settle(0.5);
  zelk::ui::BoardView* view = form.boardView();
  PaintWatch watch;
  watch.controller = &form.controller();
  view->installEventFilter(&watch);
  zelk::GameState& g = form.controller().g;
  std::printf("platform: %s, device pixel ratio %.2f\n", qPrintable(QGuiApplication::platformName()),
              view->devicePixelRatioF());

  // The computer's moves, at the start-up size.
  form.action(zelk::MenuItem::SIDOU)->trigger();
  form.action(zelk::MenuItem::SENTE)->trigger();
  Figures latency, cpu;
  for (int n = 0; n < 12 && g.勝者 == 0; ++n) {
    const zelk::EngineAnswer a = zelk::engineMove(g, 1 + n % 3);
    if (!a.found) break;
    const zelk::ViewScale v = view->viewScale();
    auto at = [&](int X, int Y) {
      return QPoint(static_cast<int>(v.toPixelX(zelk::盤左 + X * zelk::桝幅 + 300)),
                    static_cast<int>(v.toPixelY(zelk::盤上 + Y * zelk::桝高 + 345)));
    };
    QTest::mouseClick(view, Qt::LeftButton, {}, a.move.isDrop() ? at(7, a.move.kind) : at(a.move.fromX, a.move.fromY));
    settle(0.05);
    const int before = g.手数;
    watch.waiting = true;
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    QTest::mouseClick(view, a.move.promote ? Qt::RightButton : Qt::LeftButton, {}, at(a.move.toX, a.move.toY));
    if (!form.controller().computerMoving()) break;  // the game ended on the player's move
    while (watch.waiting) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double cpu1 = cpuSeconds();
    if (g.手数 != before + 2) break;
    latency.add(ms(watch.shown - t0) - 1300);
    cpu.add((cpu1 - cpu0) * 1000);
    settle(0.3);
  }
  std::printf("computer moves timed: %zu\n", latency.values.size());
  std::printf("click to the computer's move shown, beyond 1.3 s: median %.1f ms, worst %.1f ms\n", latency.median(),
              latency.max());
  std::printf("CPU used from the click to the move shown: median %.1f ms, worst %.1f ms\n", cpu.median(), cpu.max());

  for (const QSize size : {QSize(560, 453), QSize(1920, 1080)}) {
    form.resize(size);
    settle(0.5);
    Figures full, fullCpu;
    for (int i = 0; i < 30; ++i) {
      const auto t0 = Clock::now();
      const double c0 = threadCpuMs();
      view->repaint();  // every drawing call replayed at this size, then put on the screen
      fullCpu.add(threadCpuMs() - c0);
      full.add(ms(Clock::now() - t0));
    }
    // The drawing alone: every call replayed into an image of the board area's size.
    Figures replay;
    QImage image(view->size() * view->devicePixelRatioF(), QImage::Format_RGB32);
    for (int i = 0; i < 30; ++i) {
      const double c0 = threadCpuMs();
      QPainter p(&image);
      form.surface().paint(p, view->deviceMapping());
      p.end();
      replay.add(threadCpuMs() - c0);
    }
    std::printf(
        "window %dx%d (board area %dx%d): full repaint median %.2f ms, worst %.2f ms, CPU median %.2f ms "
        "(replaying every drawing call into an image alone: CPU median %.2f ms)\n",
        size.width(), size.height(), view->width(), view->height(), full.median(), full.max(), fullCpu.median(),
        replay.median());
    if (!shots.empty()) {
      const auto file =
          shots / ("screenshot-" + std::to_string(size.width()) + "x" + std::to_string(size.height()) + ".png");
      form.grab().save(QString::fromStdString(file.string()));
      std::printf("saved %s\n", file.c_str());
    }
  }
  std::printf("drawing calls kept: %zu\n", form.surface().keptCalls());
  std::filesystem::remove_all(std::filesystem::temp_directory_path() / "zelk55_window_bench");
  return 0;
}
