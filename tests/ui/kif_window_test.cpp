// The KIF commands in the real window, off-screen: a game played with the mouse is saved as
// KIF through the 棋譜 menu, opened again and stepped with 進 to its last move; the keys for
// copy and paste reach the commands.

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

#include "core/sfen.h"
#include "players/engine_move.h"
#include "presentation/fake_platform.h"
#include "records/record_exchange.h"
#include "ui/form1.h"
#include "ui/qt_record_exchange.h"
#include "ui/start_folder.h"

namespace zelk::ui {
namespace {

namespace fs = std::filesystem;

// The file dialogs answer with one file; the clipboard is a string.
struct OneFileExchange final : RecordExchange {
  fs::path file;
  std::string clipboard;
  std::optional<fs::path> chooseKifToOpen(std::string_view) override { return file; }
  std::optional<fs::path> chooseKifToSave(std::string_view, std::string_view) override { return file; }
  std::string clipboardText() const override { return clipboard; }
  void setClipboardText(std::string_view text) override { clipboard = std::string(text); }
};

struct KifWindowTest : ::testing::Test {
  test::FakePlatform fake;
  OneFileExchange exchange;
  std::unique_ptr<Form1> form;
  fs::path folder;

  void SetUp() override {
    folder = freshStartFolder();
    Form1Options options;
    options.startFolder = folder;
    options.dialogs = &fake;
    options.clock = &fake;
    options.exchange = &exchange;
    form = std::make_unique<Form1>(std::move(options));
    form->show();
    QCoreApplication::processEvents();
  }
  GameState& g() { return form->controller().g; }

  void clickCell(int X, int Y, Qt::MouseButton button) {
    BoardView* view = form->boardView();
    const ViewScale v = view->viewScale();
    const QPoint at(static_cast<int>(v.toPixelX(盤左 + X * 桝幅 + 300)),
                    static_cast<int>(v.toPixelY(盤上 + Y * 桝高 + 345)));
    QTest::mouseClick(view, button, {}, at);
  }
  // Lets the window run until it is the lower side's turn again or the game is over.
  void untilManMoves() {
    QElapsedTimer t;
    t.start();
    while (g().勝者 == 0 && g().手番 != g().MAN手番 && t.elapsed() < 20000) QCoreApplication::processEvents();
  }
};

TEST_F(KifWindowTest, AGamePlayedInTheWindowIsSavedAsKifReadBackAndSteppedToItsEnd) {
  form->action(MenuItem::SENTE)->trigger();
  for (int n = 0; n < 8 && g().勝者 == 0; ++n) {
    fake.now += 4;  // each of the lower side's moves takes four seconds
    const EngineAnswer a = engineMove(g(), 1);
    ASSERT_TRUE(a.found);
    if (a.move.isDrop()) clickCell(7, a.move.kind, Qt::LeftButton);
    else clickCell(a.move.fromX, a.move.fromY, Qt::LeftButton);
    clickCell(a.move.toX, a.move.toY, a.move.promote ? Qt::RightButton : Qt::LeftButton);
    untilManMoves();
  }
  const int moves = g().記録位置;
  ASSERT_GE(moves, 2);
  std::vector<Board> played;
  for (int n = 0; n < moves; ++n) played.push_back(g().記録[static_cast<std::size_t>(n)].盤面);
  played.push_back(g().盤面);
  const double manTotal = g().MAN秒;

  exchange.file = folder / "window.kif";
  fake.boxes.clear();
  form->action(MenuItem::KIF_WRITE)->trigger();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"KIF書込|棋譜を書き込みました"}));
  ASSERT_TRUE(fs::exists(exchange.file));

  fake.boxes.clear();
  form->action(MenuItem::KIF_READ)->trigger();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜| 読み込みました", "棋譜|棋譜を '進 'で進めて下さい"}));
  EXPECT_EQ(g().棋譜モード, 1);
  EXPECT_EQ(g().盤面, played[0]);
  for (int n = 1; n <= moves; ++n) {
    form->action(MenuItem::AFTER)->trigger();
    EXPECT_EQ(g().盤面, played[static_cast<std::size_t>(n)]) << "after move " << n;
  }
  EXPECT_DOUBLE_EQ(g().MAN秒, static_cast<double>(static_cast<long>(manTotal)));
  fake.boxes.clear();
  form->action(MenuItem::AFTER)->trigger();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"進む|終わり"}));
}

TEST_F(KifWindowTest, TheKeysForCopyAndPasteReachThePositionCommands) {
  EXPECT_EQ(form->action(MenuItem::SFEN_COPY)->shortcut(), QKeySequence(QKeySequence::Copy));
  EXPECT_EQ(form->action(MenuItem::KIF_PASTE)->shortcut(), QKeySequence(QKeySequence::Paste));
  EXPECT_EQ(form->action(MenuItem::KIF_COPY)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));

  exchange.clipboard = "4k/5/5/5/K1R2 b RBG 1";
  QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_EQ(toSfen(g()), "4k/5/5/5/K1R2 b RBG 1");
  EXPECT_EQ(fake.boxes.back(), "貼付け|局面を設定しました");

  exchange.clipboard.clear();
  QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
  QCoreApplication::processEvents();
  EXPECT_EQ(exchange.clipboard, "4k/5/5/5/K1R2 b RBG 1");
}

// Whichever kind is chosen to save as, the folder's records of both kinds stay in view, so a
// .kifu is not hidden while .kif is chosen; other files are not listed.
TEST(KifSaveDialog, EachKindListsTheRecordsOfBothKinds) {
  ASSERT_EQ(saveFilters().size(), 2);
  for (const QString& filter : saveFilters()) {
    const QString inside = filter.section('(', 1).section(')', 0, 0);
    const QStringList patterns = inside.split(' ', Qt::SkipEmptyParts);
    for (const char* name : {"対局.kif", "対局.kifu", "OLD.KIF"})
      EXPECT_TRUE(QDir::match(patterns, QString::fromUtf8(name))) << filter.toStdString() << " " << name;
    EXPECT_FALSE(QDir::match(patterns, "notes.txt")) << filter.toStdString();
  }
}

TEST(KifSaveDialog, OpensNoLargerThanTheWindowItBelongsTo) {
  EXPECT_EQ(dialogSize(QSize(800, 560), QSize(560, 453)), QSize(560, 453));
  EXPECT_EQ(dialogSize(QSize(640, 480), QSize(1920, 1080)), QSize(640, 480));
  EXPECT_EQ(dialogSize(QSize(640, 480), QSize(200, 150)), QSize(420, 320));  // still usable
}

}  // namespace
}  // namespace zelk::ui
