// A game against the computer in the real window, off-screen: the menu commands through their
// actions and every move as mouse clicks at pixel positions, to the end of the game.

#include <QAction>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

#include "core/sfen.h"
#include "players/engine_move.h"
#include "presentation/fake_platform.h"
#include "ui/form1.h"
#include "ui/start_folder.h"

namespace zelk::ui {
namespace {

TEST(GameWindow, AShortGameAgainstTheComputerPlayedWithTheMouse) {
  test::FakePlatform fake;  // boxes recorded; the computer's pauses pass at once
  Form1Options options;
  options.startFolder = freshStartFolder();
  options.dialogs = &fake;
  options.clock = &fake;
  options.scheduler = &fake;
  Form1 form(std::move(options));
  form.show();
  QCoreApplication::processEvents();
  fake.boxes.clear();

  GameState& g = form.controller().g;
  // MAN is far stronger here, so the game ends within a few moves whatever the computer does.
  ASSERT_FALSE(loadSfen(g, "4k/5/5/5/K1R2 b RBG 1").has_value());
  g.手番 = 0;
  form.controller().screen.画面_再描画();
  form.action(MenuItem::SENTE)->trigger();
  ASSERT_EQ(fake.boxes, (std::vector<std::string>{" |MANの番です"}));

  BoardView* view = form.boardView();
  auto clickCell = [&](int X, int Y, Qt::MouseButton button) {
    const ViewScale v = view->viewScale();
    const QPoint at(static_cast<int>(v.toPixelX(盤左 + X * 桝幅 + 300)),
                    static_cast<int>(v.toPixelY(盤上 + Y * 桝高 + 345)));
    QTest::mouseClick(view, button, {}, at);
  };

  int moves = 0;
  while (g.勝者 == 0 && moves < 12) {
    ASSERT_EQ(g.手番, g.MAN手番);
    // The lower side's move, as a strong player would choose it.
    const EngineAnswer a = engineMove(g, 3);
    ASSERT_TRUE(a.found);
    const int before = g.手数;
    if (a.move.isDrop()) clickCell(7, a.move.kind, Qt::LeftButton);
    else clickCell(a.move.fromX, a.move.fromY, Qt::LeftButton);
    clickCell(a.move.toX, a.move.toY, a.move.promote ? Qt::RightButton : Qt::LeftButton);
    ASSERT_GT(g.手数, before) << toUsi(a.move);
    ++moves;
  }
  EXPECT_EQ(g.勝者, g.MAN手番);
  ASSERT_FALSE(fake.boxes.empty());
  EXPECT_EQ(fake.boxes.back(), "終了|あなたの勝ちです");
  EXPECT_EQ(g.手数 % 2, 1);  // the game ended on MAN's move: no reply followed

  // After the end a click is answered, never played.
  fake.boxes.clear();
  clickCell(3, 3, Qt::LeftButton);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終局|新規に対局してください"}));
  EXPECT_TRUE(form.grab().save(ZELK55_TEST_OUTPUT_DIR "/game_end.png"));
}

// Counts the times a widget is painted.
class PaintCounter final : public QObject {
public:
  int paints = 0;

protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST(GameWindow, WhatAMenuCommandDrawsReachesTheScreen) {
  test::FakePlatform fake;
  Form1Options options;
  options.startFolder = freshStartFolder();
  options.dialogs = &fake;
  options.clock = &fake;
  Form1 form(std::move(options));
  form.show();
  QCoreApplication::processEvents();
  PaintCounter counter;
  form.boardView()->installEventFilter(&counter);
  for (MenuItem item : {MenuItem::START, MenuItem::REVERSE, MenuItem::UCHU, MenuItem::CANCEL}) {
    counter.paints = 0;
    form.action(item)->trigger();
    QCoreApplication::processEvents();
    EXPECT_GT(counter.paints, 0) << menuEntry(item).name;
  }
}

TEST(GameWindow, ClicksMenuCommandsAndKeysGivenWhileTheComputerMovesAreDropped) {
  test::FakePlatform fake;  // the computer's pauses wait until the test lets time pass
  fake.pausesPassAtOnce = false;
  Form1Options options;
  options.startFolder = freshStartFolder();
  options.dialogs = &fake;
  options.clock = &fake;
  options.scheduler = &fake;
  Form1 form(std::move(options));
  form.show();
  QCoreApplication::processEvents();
  GameState& g = form.controller().g;
  form.action(MenuItem::SENTE)->trigger();

  BoardView* view = form.boardView();
  auto click = [&](int X, int Y) {
    const ViewScale v = view->viewScale();
    QTest::mouseClick(view, Qt::LeftButton, {},
                      QPoint(static_cast<int>(v.toPixelX(盤左 + X * 桝幅 + 300)),
                             static_cast<int>(v.toPixelY(盤上 + Y * 桝高 + 345))));
  };
  click(1, 4);
  click(1, 3);  // the pawn moves; the computer's reply blinks now
  ASSERT_TRUE(form.controller().computerMoving());
  EXPECT_EQ(g.手数, 2);

  // During the blink: a click on MAN's king, a key, 最初 and 反転 from the menu.
  const Board before = g.盤面;
  click(1, 5);
  QTest::keyClick(&form, Qt::Key_A);
  form.action(MenuItem::CANCEL)->trigger();
  form.action(MenuItem::REVERSE)->trigger();
  fake.advance(0.9);  // into the pause after the move
  ASSERT_TRUE(form.controller().computerMoving());
  click(2, 5);
  fake.runAllSteps();
  QCoreApplication::processEvents();

  EXPECT_FALSE(form.controller().computerMoving());
  EXPECT_EQ(g.手数, 2);
  EXPECT_EQ(g.手番, g.MAN手番);
  EXPECT_EQ(g.選択状態, 0);  // neither click selected anything afterwards
  EXPECT_EQ(g.反転済, 0);
  EXPECT_NE(g.盤面, before);  // the computer's move stands: 最初 did not run
  // Afterwards a click is the player's again.
  click(1, 5);
  EXPECT_EQ(g.選択状態, 1);
}

TEST(GameWindow, EscDuringTheComputersTurnEndsTheProgramAndNothingOfTheTurnRunsAfterwards) {
  test::FakePlatform fake;
  fake.pausesPassAtOnce = false;
  Form1Options options;
  options.startFolder = freshStartFolder();
  options.dialogs = &fake;
  options.clock = &fake;
  options.scheduler = &fake;
  options.sound = &fake;
  Form1 form(std::move(options));
  form.show();
  QCoreApplication::processEvents();
  form.action(MenuItem::GOTE)->trigger();  // the computer moves first
  ASSERT_TRUE(form.controller().computerMoving());
  const std::size_t draws = fake.draws.size();
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.controller().computerMoving());
  EXPECT_FALSE(form.isVisible());
  ASSERT_FALSE(fake.soundCalls.empty());
  EXPECT_EQ(fake.soundCalls.back(), "dsTerminate");
  const std::size_t sounds = fake.soundCalls.size();
  fake.runAllSteps();
  EXPECT_EQ(fake.draws.size(), draws);        // the blink went no further
  EXPECT_EQ(fake.soundCalls.size(), sounds);  // and no piece was placed
  EXPECT_EQ(form.controller().g.手数, 1);
}

TEST(GameWindow, TheTopLevelThinksOnAWorkerWhileTheWindowKeepsPaintingThenPlaysItsMove) {
  test::FakePlatform fake;  // boxes recorded; the event loop and its timers are Qt's own
  Form1Options options;
  options.startFolder = freshStartFolder();
  options.dialogs = &fake;
  Form1 form(std::move(options));
  form.show();
  QCoreApplication::processEvents();
  // The top level thinks for about a second, long enough for the window to paint meanwhile.
  form.action(MenuItem::LEVEL14)->trigger();
  EXPECT_TRUE(form.action(MenuItem::LEVEL14)->isChecked());
  EXPECT_FALSE(form.action(MenuItem::LEVEL3)->isChecked());
  GameState& g = form.controller().g;
  const Board start = g.盤面;
  PaintCounter counter;
  form.boardView()->installEventFilter(&counter);
  form.action(MenuItem::GOTE)->trigger();  // the computer moves first
  ASSERT_TRUE(form.controller().computerMoving());

  int paintsWhileThinking = 0;
  QElapsedTimer waited;
  waited.start();
  while (form.controller().computerMoving() && waited.elapsed() < 30000) {
    form.boardView()->update();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (g.手数 == 0) paintsWhileThinking = counter.paints;  // the move is not yet decided
  }
  EXPECT_GT(paintsWhileThinking, 0);
  EXPECT_FALSE(form.controller().computerMoving());
  EXPECT_EQ(g.手数, 1);
  EXPECT_NE(g.盤面, start);
  EXPECT_EQ(g.手番, g.MAN手番);
}

}  // namespace
}  // namespace zelk::ui
