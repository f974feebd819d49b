// Prints what the study tools cost in the real window:
//  - the time from switching 検討ﾓｰﾄﾞ on to the first analysis line shown;
//  - the iterations shown in the first second;
//  - the longest the event loop was kept from running (a stall of the window) while the
//    analysis ran for three seconds, with the lines repainted at every iteration: from the
//    request (the panel opens and the board is drawn again at its new size) and once open;
//  - the time of a review of a 60-move game at the review's own budget.
// With a folder argument it also saves pictures there: the move list with a review and its
// graph, and the analysis with three lines, at 560 × 453 and 1 920 × 1 080.
// Run it under an X server for the real window:
//   xvfb-run -a -s "-screen 0 2000x1200x24" build/default/tests/zelk55_study_bench [FOLDER]

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/sfen.h"
#include "formats/game_record.h"
#include "play/study.h"
#include "players/engine_move.h"
#include "presentation/fake_platform.h"
#include "ui/form1.h"
#include "ui/quiet_window.h"
#include "ui/settle.h"

namespace {

using zelk::test::settle;

using Clock = std::chrono::steady_clock;
double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A game of `plies` moves between shallow searches of changing depth (so that it has mistakes
// for the review to find), or else between the rule-based levels, the first pairing that lasts.
zelk::GameRecord longGame(int plies) {
  const std::atomic<bool> never{false};
  for (int seed = 0; seed < 5; ++seed) {
    zelk::GameRecord r;
    zelk::GameState g = zelk::stateOf(r.start);
    for (int n = 0; n < plies && g.勝者 == 0; ++n) {
      const zelk::search::SearchLimits limits{1 + (n * 7 + seed) % 4, 0, 0, 0, 1};
      const zelk::PositionVerdict v = zelk::judgePosition(g, limits, never);
      if (!v.best || zelk::playUsiMove(g, *v.best)) break;
      zelk::RecordedMove rm;
      rm.move = *v.best;
      r.moves.push_back(rm);
    }
    if (static_cast<int>(r.moves.size()) >= plies) return r;
  }
  zelk::GameRecord best;
  for (int a = 1; a <= 3; ++a)
    for (int b = 1; b <= 3; ++b) {
      zelk::GameRecord r;
      zelk::GameState g = zelk::stateOf(r.start);
      for (int n = 0; n < plies && g.勝者 == 0; ++n) {
        const zelk::EngineAnswer m = zelk::engineMove(g, n % 2 ? b : a);
        if (!m.found || zelk::playUsiMove(g, m.move)) break;
        zelk::RecordedMove rm;
        rm.move = m.move;
        r.moves.push_back(rm);
      }
      if (r.moves.size() > best.moves.size()) best = r;
      if (static_cast<int>(best.moves.size()) >= plies) return best;
    }
  return best;
}

void save(zelk::ui::Form1& form, const std::filesystem::path& folder, const std::string& name) {
  if (folder.empty()) return;
  // The natural window with the panel beside it, as opening the panel widens it, and a large one.
  for (const QSize size : {QSize(560 + 250, 453), QSize(1920, 1080)}) {
    form.resize(size);
    settle(0.6);
    const auto file =
        folder / (name + "-" + std::to_string(size.width()) + "x" + std::to_string(size.height()) + ".png");
    form.grab().save(QString::fromStdString(file.string()));
    std::printf("saved %s\n", file.c_str());
  }
  form.resize(560, 453);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::filesystem::path shots = argc > 1 ? argv[1] : "";
  zelk::test::FakePlatform quiet;  // boxes answered, sounds silent
  zelk::ui::Form1 form(zelk::test::quietWindowOptions("zelk55_study_bench", quiet));
  form.resize(560, 453);
  form.show();
  settle(0.5);
  zelk::Form1Controller& c = form.controller();

  // A 60-move game, loaded as a record, shown after its 10th move.
  const zelk::GameRecord game = longGame(60);
  c.kif.loadRecord(game);
  for (int i = 0; i < 10; ++i) form.action(zelk::MenuItem::AFTER)->trigger();
  std::printf("game of %zu moves\n", game.moves.size());

  // Analysis: first line, iterations in the first second, the longest stall over three seconds.
  const auto requested = Clock::now();
  form.action(zelk::MenuItem::KENTOU_MODE)->trigger();
  double firstLine = -1;
  int iterationsAtOneSecond = 0;
  double longestStall = 0, longestStallOpen = 0;  // from the request; once the panel is open
  auto last = Clock::now();
  QTimer beat;
  beat.setTimerType(Qt::PreciseTimer);
  beat.setInterval(1);
  QObject::connect(&beat, &QTimer::timeout, [&] {
    const auto now = Clock::now();
    longestStall = std::max(longestStall, ms(now - last));
    if (ms(last - requested) > 500) longestStallOpen = std::max(longestStallOpen, ms(now - last));
    last = now;
    if (firstLine < 0 && !c.study.view().analysisLines.empty()) firstLine = ms(now - requested);
    if (ms(now - requested) <= 1000) iterationsAtOneSecond = c.study.view().analysisIterations;
  });
  last = Clock::now();
  beat.start();
  settle(3.0);
  beat.stop();
  std::printf("request to the first analysis line shown: %.1f ms\n", firstLine);
  std::printf("iterations shown in the first second: %d\n", iterationsAtOneSecond);
  std::printf(
      "longest window stall while the analysis ran (3 s, 1 ms beat): %.1f ms from the request (the panel "
      "opening and the board drawn again at its new size), %.1f ms after the first 0.5 s\n",
      longestStall, longestStallOpen);
  std::printf("analysis: %s\n", c.study.view().analysisHead.c_str());
  save(form, shots, "screenshot-analysis");
  form.action(zelk::MenuItem::KENTOU_MODE)->trigger();

  // The review of the whole game at its own budget.
  const auto reviewStart = Clock::now();
  form.action(zelk::MenuItem::KAISEKI)->trigger();
  while (c.study.reviewing()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  std::printf("review of %zu positions: %.1f s\n", game.moves.size() + 1, ms(Clock::now() - reviewStart) / 1000);
  int marked = 0;
  for (const zelk::MoveRow& r : c.study.view().rows) marked += !r.mark.empty();
  std::printf("moves marked: %d\n", marked);
  c.study.rowClicked(20);
  save(form, shots, "screenshot-review");

  // With a folder, the hint on the board and the position editor, to be looked at.
  if (!shots.empty()) {
    form.action(zelk::MenuItem::KIFU_LIST)->trigger();
    form.action(zelk::MenuItem::START)->trigger();
    form.action(zelk::MenuItem::HINT)->trigger();
    while (c.study.view().hint.empty()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    settle(0.3);
    form.grab().save(QString::fromStdString((shots / "hint-560x453.png").string()));
    form.action(zelk::MenuItem::HENSHU)->trigger();
    settle(0.3);
    form.grab().save(QString::fromStdString((shots / "editor-560x453.png").string()));
  }
  std::filesystem::remove_all(std::filesystem::temp_directory_path() / "zelk55_study_bench");
  return 0;
}
