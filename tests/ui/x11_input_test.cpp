// The real window under an X server (Xvfb), with input sent the way a player gives it:
// pointer moves, button presses and keys through the X server (xdotool, which uses XTest),
// and the close request a window manager sends. While the computer moves, what the player
// clicks or types is dropped, and it is not carried out afterwards either.

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

#include "formats/kif_read.h"
#include "presentation/fake_platform.h"
#include "ui/form1.h"
#include "ui/start_folder.h"
#include "ui/x11_close_request.h"
#include "ui/x11_window_name.h"

namespace zelk::ui {
namespace {

// Counts the mouse presses and key presses that reach the window from the X server.
class InputCounter final : public QObject {
public:
  int presses = 0, keys = 0;

protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseButtonPress) ++presses;
    if (e->type() == QEvent::KeyPress) ++keys;
    return false;
  }
};

// Runs the event loop until `done` holds or `seconds` pass; true when it held.
bool waitFor(const std::function<bool()>& done, double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

void xdotool(const std::string& args) {
  const std::string command = "xdotool " + args;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

struct X11Window : ::testing::Test {
  test::FakePlatform fake;  // boxes and sounds recorded; the window's own timers run the turn
  std::unique_ptr<Form1> form;
  InputCounter input;

  void SetUp() override {
    Form1Options options;
    options.startFolder = freshStartFolder();
    options.dialogs = &fake;
    options.sound = &fake;
    form = std::make_unique<Form1>(std::move(options));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::instance()->installEventFilter(&input);
    xdotool("windowfocus --sync " + std::to_string(form->winId()));
  }
  void TearDown() override { QApplication::instance()->removeEventFilter(&input); }

  GameState& g() { return form->controller().g; }
  bool computerMoving() { return form->controller().computerMoving(); }
  // The middle of grid cell (X, Y) on the screen.
  QPoint screenPoint(int X, int Y) {
    BoardView* view = form->boardView();
    const ViewScale v = view->viewScale();
    return view->mapToGlobal(QPoint(static_cast<int>(v.toPixelX(盤左 + X * 桝幅 + 300)),
                                    static_cast<int>(v.toPixelY(盤上 + Y * 桝高 + 345))));
  }
  // A left click through the X server; returns once the window has received it.
  void click(int X, int Y) {
    const QPoint at = screenPoint(X, Y);
    const int before = input.presses;
    xdotool("mousemove --sync " + std::to_string(at.x()) + " " + std::to_string(at.y()) + " click 1");
    ASSERT_TRUE(waitFor([&] { return input.presses > before; }, 5)) << "the click never arrived";
  }
  void key(const std::string& name) {
    const int before = input.keys;
    xdotool("key " + name);
    ASSERT_TRUE(waitFor([&] { return input.keys > before; }, 5)) << "the key never arrived";
  }
};

TEST_F(X11Window, ClicksAndKeysDuringTheBlinkAndThePauseAreNotCarriedOut) {
  form->action(MenuItem::SENTE)->trigger();
  click(1, 4);
  // The reply cannot begin before the click that asks for it: timed from here, a busy machine
  // that is slow to tell the click has arrived cannot make the reply look quicker than it is.
  const auto replyStarted = std::chrono::steady_clock::now();
  click(1, 3);  // MAN's pawn moves; the computer's reply is decided and starts blinking
  ASSERT_TRUE(computerMoving());
  const Board duringBlink = g().盤面;

  click(1, 5);  // MAN's king, during the blink
  key("a");
  EXPECT_TRUE(computerMoving()) << "the input came too late to test anything";
  EXPECT_EQ(g().盤面, duringBlink);  // still blinking: the move is not made yet

  // Wait for the move to be made: the pause before its sound has begun.
  ASSERT_TRUE(waitFor([&] { return g().盤面 != duringBlink; }, 3));
  EXPECT_LT(std::chrono::steady_clock::now() - replyStarted, std::chrono::milliseconds(1200));
  click(2, 5);  // MAN's gold, then a square it could go to: a whole move, during the pause
  click(2, 4);
  key("b");
  EXPECT_TRUE(computerMoving()) << "the input came too late to test anything";

  ASSERT_TRUE(waitFor([&] { return !computerMoving(); }, 5));
  const auto replyEnded = std::chrono::steady_clock::now();
  EXPECT_GE(replyEnded - replyStarted, std::chrono::milliseconds(1250));  // 4 × 0.2 s and 0.5 s
  waitFor([] { return false; }, 0.5);  // anything still queued would be carried out by now

  EXPECT_EQ(g().手数, 2);
  EXPECT_EQ(g().手番, g().MAN手番);
  EXPECT_EQ(g().選択状態, 0);
  EXPECT_EQ(g().盤面(2, 5), MAN金);
  EXPECT_EQ(g().盤面(1, 5), MAN王);

  // The next click is the player's again.
  click(2, 5);
  EXPECT_EQ(g().選択状態, 1);
}

TEST_F(X11Window, AClickOnAMoveOfTheListOrAPointOfTheGraphShowsThatPosition) {
  const KifRead game = readKif(
      "手合割：5五将棋\n手数----指手---------消費時間--\n   1 １三飛(15)\n   2 同　歩(12)\n"
      "   3 １四角(25)\n   4 ３三飛打\n");
  ASSERT_TRUE(game.ok());
  form->controller().kif.loadRecord(game.record);
  form->controller().study.reviewLimits = search::SearchLimits{3, 0, 0, 0, 1};
  form->action(MenuItem::KAISEKI)->trigger();
  ASSERT_TRUE(waitFor([&] { return !form->controller().study.reviewing(); }, 30));
  QListWidget* list = form->studyPanel().moveList();
  ASSERT_TRUE(waitFor([&] { return list->isVisible() && list->count() == 5; }, 5));
  waitFor([] { return false; }, 0.3);  // the window laid out with its dock

  const QPoint row = list->viewport()->mapToGlobal(list->visualItemRect(list->item(3)).center());
  int before = input.presses;
  xdotool("mousemove --sync " + std::to_string(row.x()) + " " + std::to_string(row.y()) + " click 1");
  ASSERT_TRUE(waitFor([&] { return input.presses > before; }, 5));
  ASSERT_TRUE(waitFor([&] { return g().記録位置 == 3; }, 5));
  EXPECT_EQ(g().盤面, g().記録[3].盤面);
  EXPECT_EQ(list->currentRow(), 3);

  EvaluationGraph* graph = form->studyPanel().graph();
  ASSERT_TRUE(graph->isVisible());
  const QPoint point = graph->mapToGlobal(QPoint(graph->width() / 4, graph->height() / 2));  // move 1 of 4
  before = input.presses;
  xdotool("mousemove --sync " + std::to_string(point.x()) + " " + std::to_string(point.y()) + " click 1");
  ASSERT_TRUE(waitFor([&] { return input.presses > before; }, 5));
  ASSERT_TRUE(waitFor([&] { return g().記録位置 == 1; }, 5));
  EXPECT_EQ(list->currentRow(), 1);
}

TEST_F(X11Window, ClosingTheWindowDuringTheComputersTurnEndsTheProgramCleanly) {
  form->action(MenuItem::GOTE)->trigger();  // the computer moves first
  ASSERT_TRUE(computerMoving());
  const Board before = g().盤面;

  // What a window manager sends when the player clicks the title bar's close button.
  ASSERT_TRUE(sendCloseRequest(form->winId()));
  ASSERT_TRUE(waitFor([&] { return !form->isVisible(); }, 5));
  EXPECT_FALSE(computerMoving());
  ASSERT_FALSE(fake.soundCalls.empty());
  EXPECT_EQ(fake.soundCalls.back(), "dsTerminate");
  const std::size_t sounds = fake.soundCalls.size();
  waitFor([] { return false; }, 1.5);  // longer than the whole turn would have taken
  EXPECT_EQ(g().盤面, before);         // the computer's move was never made
  EXPECT_EQ(g().記録位置, 0);
  EXPECT_EQ(fake.soundCalls.size(), sounds);
}

TEST_F(X11Window, EscDuringTheComputersTurnEndsTheProgramCleanly) {
  form->action(MenuItem::GOTE)->trigger();
  ASSERT_TRUE(computerMoving());
  const Board before = g().盤面;
  key("Escape");
  ASSERT_TRUE(waitFor([&] { return !form->isVisible(); }, 5));
  EXPECT_FALSE(computerMoving());
  EXPECT_EQ(fake.soundCalls.back(), "dsTerminate");
  waitFor([] { return false; }, 1.5);
  EXPECT_EQ(g().盤面, before);
  EXPECT_EQ(g().記録位置, 0);
}

TEST_F(X11Window, EscWhileTypingAFileNameActsOnTheTextBoxOnly) {
  form->action(MenuItem::KIFU_WRITE)->trigger();  // the record panel, to save a game
  auto* name = form->findChild<QLineEdit*>("Text1");
  ASSERT_TRUE(name && name->isVisible());
  const QPoint at = name->mapToGlobal(name->rect().center());
  xdotool("mousemove --sync " + std::to_string(at.x()) + " " + std::to_string(at.y()) + " click 1");
  ASSERT_TRUE(waitFor([&] { return name->hasFocus(); }, 5));
  key("k");
  key("Escape");
  waitFor([] { return false; }, 0.3);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(name->text(), "k");
  EXPECT_TRUE(fake.soundCalls.empty() || fake.soundCalls.back() != "dsTerminate");

  // On the board (beside the panel, which lies over the left of it), Esc ends the program.
  click(4, 3);
  key("Escape");
  ASSERT_TRUE(waitFor([&] { return !form->isVisible(); }, 5));
  EXPECT_EQ(fake.soundCalls.back(), "dsTerminate");
}

// What xprop shows as the title of the box open now, read while it is on the screen; the box
// is then closed.
struct BoxTitle {
  std::optional<std::string> wmName, netWmName;
};
BoxTitle titleOfTheNextBox(const std::function<void()>& open) {
  BoxTitle seen;
  bool read = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || read) return;
    read = true;
    waitFor([] { return false; }, 0.2);  // what Qt still had to send reaches the X server
    seen.wmName = windowTextProperty(box->winId(), "WM_NAME");
    seen.netWmName = windowTextProperty(box->winId(), "_NET_WM_NAME");
    box->done(QMessageBox::Ok);
  });
  poll.start(20);
  open();
  return seen;
}

TEST_F(X11Window, ABoxWithAnEmptyTitleShowsNoTitleAndOthersShowTheirs) {
  const BoxTitle check = titleOfTheNextBox([&] { form->messageBox("   ** 王手 **", "", Dialogs::Icon::None); });
  EXPECT_EQ(check.wmName.value_or("(none)"), "");
  EXPECT_EQ(check.netWmName.value_or(""), "");

  const BoxTitle end = titleOfTheNextBox([&] { form->messageBox("あなたの勝ちです", "終了", Dialogs::Icon::None); });
  EXPECT_EQ(end.netWmName.value_or(""), "終了");

  const BoxTitle question = titleOfTheNextBox([&] { form->askYesNo("OKですか？", ""); });
  EXPECT_EQ(question.wmName.value_or("(none)"), "");
  EXPECT_EQ(question.netWmName.value_or(""), "");
}

// The texts of the buttons and labels of the dialog open now, read while it is on the screen;
// the dialog is then closed without an answer.
struct DialogWords {
  QStringList buttons, labels;
  QSize size;
};
template <class Dialog>
DialogWords wordsOfTheNextDialog(const std::function<void()>& open) {
  DialogWords seen;
  bool read = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || read) return;
    read = true;
    waitFor([] { return false; }, 0.2);
    for (const QAbstractButton* b : dialog->template findChildren<QAbstractButton*>())
      if (b->isVisible() && !b->text().isEmpty()) seen.buttons << b->text();
    for (const QLabel* l : dialog->template findChildren<QLabel*>())
      if (l->isVisible() && !l->text().isEmpty()) seen.labels << l->text();
    seen.size = dialog->frameGeometry().size();
    dialog->reject();
  });
  poll.start(20);
  open();
  return seen;
}

TEST_F(X11Window, TheYesNoQuestionsButtonsAndTheSaveDialogReadJapanese) {
  const DialogWords question =
      wordsOfTheNextDialog<QMessageBox>([&] { form->askYesNo("棋譜を '進 'で進めて下さい", "棋譜"); });
  EXPECT_TRUE(question.buttons.join(" ").contains(QString::fromUtf8("はい")))
      << question.buttons.join(" ").toStdString();
  EXPECT_TRUE(question.buttons.join(" ").contains(QString::fromUtf8("いいえ")))
      << question.buttons.join(" ").toStdString();

  form->action(MenuItem::START)->trigger();  // a game between two people: one move to save
  click(1, 4);
  click(1, 3);
  ASSERT_EQ(g().手数, 1);
  const DialogWords save = wordsOfTheNextDialog<QFileDialog>([&] { form->action(MenuItem::KIF_WRITE)->trigger(); });
  const std::string buttons = save.buttons.join(" ").toStdString(), labels = save.labels.join(" ").toStdString();
  EXPECT_NE(buttons.find("保存"), std::string::npos) << buttons;
  EXPECT_NE(buttons.find("キャンセル"), std::string::npos) << buttons;
  EXPECT_EQ(buttons.find("Save"), std::string::npos) << buttons;
  EXPECT_EQ(buttons.find("Cancel"), std::string::npos) << buttons;
  EXPECT_NE(labels.find("ファイル名"), std::string::npos) << labels;
  // Within the window it belongs to, at the window's start-up size too.
  EXPECT_LE(save.size.width(), form->frameGeometry().width());
  EXPECT_LE(save.size.height(), form->frameGeometry().height());
}

TEST_F(X11Window, WhileTheComputerThinksTheMenuShowsWhatItWouldIgnoreGreyed) {
  form->action(MenuItem::GOTE)->trigger();  // the computer moves first
  ASSERT_TRUE(computerMoving());
  // The menu bar's own commands, greyed where the player sees them.
  for (QAction* a : form->menuBar()->actions()) {
    const std::string caption = a->text().toStdString();
    if (caption == "戻" || caption == "進" || caption == "△" || caption == "▽") EXPECT_FALSE(a->isEnabled()) << caption;
    else EXPECT_TRUE(a->isEnabled()) << caption;  // the menus still open
  }
  for (const MenuItem item :
       {MenuItem::SENTE, MenuItem::CANCEL, MenuItem::LEVEL1, MenuItem::KIF_WRITE, MenuItem::SFEN_COPY})
    EXPECT_FALSE(form->action(item)->isEnabled()) << menuEntry(item).caption;
  EXPECT_TRUE(form->action(MenuItem::OWARI)->isEnabled());
  EXPECT_TRUE(form->action(MenuItem::KAISETU)->isEnabled());

  ASSERT_TRUE(waitFor([&] { return !computerMoving(); }, 5));
  for (const MenuEntry& e : kMenuTable) EXPECT_TRUE(form->action(e.item)->isEnabled()) << e.caption;
}

}  // namespace
}  // namespace zelk::ui
