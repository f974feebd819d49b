// Saves pictures of the window in the middle of a game against the computer, at 560 × 453
// (the start-up size), 1 120 × 906 and 1 920 × 1 080, on each of the five backgrounds:
//   build/default/tests/zelk55_screenshots docs
// writes FOLDER/screenshot-WxH-BACKGROUND.png, and FOLDER/screenshot.png and
// FOLDER/screenshot-1920x1080.png on the green background, and the record panel open at the two
// larger sizes (FOLDER/screenshot-WxH-panel.png). Run it off-screen
// (QT_QPA_PLATFORM=offscreen) or under an X server. Boxes are answered at once, nothing plays.

#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

#include "players/engine_move.h"
#include "presentation/fake_platform.h"
#include "ui/form1.h"
#include "ui/settle.h"

using zelk::test::settle;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: zelk55_screenshots FOLDER\n");
    return 2;
  }
  const std::filesystem::path shots = argv[1];
  zelk::test::FakePlatform quiet;  // boxes answered, sounds silent, pauses over at once
  const auto folder = std::filesystem::temp_directory_path() / "zelk55_screenshots";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::pair<zelk::MenuItem, const char*> backgrounds[] = {{zelk::MenuItem::MIDORI, "midori"},
                                                                {zelk::MenuItem::TATAMI, "tatami"},
                                                                {zelk::MenuItem::TAKE, "take"},
                                                                {zelk::MenuItem::UCHU, "uchu"},
                                                                {zelk::MenuItem::RENGA, "renga"}};
  for (const auto& [item, name] : backgrounds) {
    zelk::ui::Form1Options options;
    options.startFolder = folder;
    options.dialogs = &quiet;
    options.sound = &quiet;
    options.scheduler = &quiet;
    options.clock = &quiet;
    zelk::ui::Form1 form(std::move(options));
    form.show();
    settle(0.2);
    zelk::Form1Controller& c = form.controller();
    zelk::GameState& g = c.g;
    form.action(item)->trigger();
    if (!form.isChecked(zelk::MenuItem::KEIKA)) form.action(zelk::MenuItem::KEIKA)->trigger();
    form.action(zelk::MenuItem::LEVEL1)->trigger();
    form.action(zelk::MenuItem::SENTE)->trigger();
    // Five moves of each side: the player's chosen by the engine at level 2, the computer's by
    // level 1; each side thinks a while.
    for (int n = 0; n < 5 && g.勝者 == 0; ++n) {
      const zelk::EngineAnswer a = zelk::engineMove(g, 2);
      if (!a.found) break;
      const auto at = [](int X, int Y) {
        return std::make_pair(zelk::盤左 + X * zelk::桝幅 + 300.0, zelk::盤上 + Y * zelk::桝高 + 345.0);
      };
      const auto from = a.move.isDrop() ? at(7, a.move.kind) : at(a.move.fromX, a.move.fromY);
      const auto to = at(a.move.toX, a.move.toY);
      for (int t = 0; t < 7 * 20; ++t) {
        quiet.pass(0.05);
        c.Timer1_Timer();
      }
      c.Form_MouseDown(1, from.first, from.second);
      c.Form_MouseDown(a.move.promote ? 2 : 1, to.first, to.second);
      settle(0.05);
    }
    for (const QSize size : {QSize(560, 453), QSize(1120, 906), QSize(1920, 1080)}) {
      form.resize(size);
      settle(0.3);
      const std::string wh = std::to_string(size.width()) + "x" + std::to_string(size.height());
      const QImage image = form.grab().toImage();
      const auto file = shots / ("screenshot-" + wh + "-" + name + ".png");
      image.save(QString::fromStdString(file.string()));
      std::printf("saved %s (%dx%d)\n", file.c_str(), image.width(), image.height());
      if (item == zelk::MenuItem::MIDORI && size.width() != 560) {
        // The record panel open, to save a game: beside the board where there is room.
        form.action(zelk::MenuItem::KIFU_WRITE)->trigger();
        settle(0.2);
        const auto panel = shots / ("screenshot-" + wh + "-panel.png");
        form.grab().save(QString::fromStdString(panel.string()));
        std::printf("saved %s\n", panel.c_str());
        form.action(zelk::MenuItem::OPTION)->menu()->aboutToShow();  // the options menu closes the panel
        settle(0.1);
      }
      if (item == zelk::MenuItem::MIDORI && size.width() != 1120) {
        const auto named = shots / (size.width() == 560 ? std::string("screenshot.png") : "screenshot-" + wh + ".png");
        image.save(QString::fromStdString(named.string()));
      }
    }
  }
  std::filesystem::remove_all(folder);
  return 0;
}
