// The real window, drawn off-screen: the start-up screen, the scaled window, the menu bar,
// the hidden record panel, the artwork, the font, and the ways out.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "presentation/fake_platform.h"
#include "presentation/screen.h"
#include "ui/artwork.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/start_folder.h"

namespace zelk::ui {
namespace {

using P = PictureName;

bool isYellow(QColor c) { return c.red() > 200 && c.green() > 200 && c.blue() < 90; }
bool isRed(QColor c) { return c.red() > 150 && c.green() < 80 && c.blue() < 80; }
bool isGold(QColor c) { return c.red() > 190 && c.green() > 140 && c.blue() < 130; }

int count(const QImage& img, QRect r, bool (*pred)(QColor)) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += pred(img.pixelColor(x, y));
  return n;
}

struct WindowTest : ::testing::Test {
  test::FakePlatform dialogs;  // boxes are recorded, never shown
  std::unique_ptr<Form1> form;

  void open(SoundLibrary* sound = nullptr) {
    Form1Options options;
    options.startFolder = freshStartFolder();
    options.dialogs = &dialogs;
    options.sound = sound;
    form = std::make_unique<Form1>(std::move(options));
    form->show();
    QCoreApplication::processEvents();
  }
  static constexpr int k = 3;  // device pixels per natural pixel of the pictures checked
  // Device pixel of the surface drawn at k for a twips coordinate.
  int dev(double twips) const { return static_cast<int>(std::lround(twips * k / 15.0)); }
  const QImage& pictureAtK(Picture p) { return form->surface().picture(p, pictureSize(p.name) * k); }
};

TEST_F(WindowTest, StartUpScreenShowsTheStartingPosition) {
  open();
  // Either the sound library started, or it told so once.
  if (!dialogs.boxes.empty()) {
    EXPECT_EQ(dialogs.boxes,
              (std::vector<std::string>{"Zelk５五将棋.dll|Direct Soundインターフェースが作成できません。|!"}));
  }

  QtSurface& s = form->surface();
  const QImage img = s.render(k);

  // The 25 squares hold the pictures of the starting position, framed by green outlines.
  const int codes[6][6] = {{},
                           {0, COM飛, 0, 0, MAN歩, MAN王},
                           {0, COM角, 0, 0, 0, MAN金},
                           {0, COM銀, 0, 0, 0, MAN銀},
                           {0, COM金, 0, 0, 0, MAN角},
                           {0, COM王, COM歩, 0, 0, MAN飛}};
  int pieces = 0;
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y) {
      const int code = codes[X][Y];
      const QImage& expected = pictureAtK(*pictureFor(code));
      const int x0 = dev(cellX(X)), y0 = dev(cellY(Y));
      const QRect inner(k, k, 40 * k, 45 * k);
      EXPECT_EQ(img.copy(inner.translated(x0, y0)), expected.copy(inner)) << X << "," << Y;
      EXPECT_EQ(img.pixelColor(x0, y0), QColor(0, 128, 0)) << X << "," << Y;
      pieces += code != 0;
    }
  EXPECT_EQ(pieces, 12);

  // File numbers above the board and rank numerals right of it, in yellow, each different.
  std::vector<QImage> files, ranks;
  for (int K = 1; K <= 5; ++K) {
    const QRect file(dev(cellX(K + 0.1)), dev(cellY(0.4)), dev(400), dev(400));
    const QRect rank(dev(cellX(6.1)), dev(cellY(K + 0.3)), dev(300), dev(300));
    EXPECT_GT(count(img, file, isYellow), 10 * k) << K;
    EXPECT_GT(count(img, rank, isYellow), 10 * k) << K;
    files.push_back(img.copy(file));
    ranks.push_back(img.copy(rank));
  }
  for (int a = 0; a < 5; ++a)
    for (int b = a + 1; b < 5; ++b) {
      EXPECT_NE(files[a], files[b]);
      EXPECT_NE(ranks[a], ranks[b]);
    }

  // The title, last drawn, whole at (6.8, -0.5), with its gold lettering.
  const QImage& title = pictureAtK({P::ZelkSHOGI});
  EXPECT_EQ(img.copy(QRect(QPoint(dev(5432), dev(255)), title.size())), title);
  EXPECT_GT(count(title, title.rect(), isGold), 100 * k);

  // Every character the board shows has a glyph in the window's Mincho font.
  const QString family = s.fontFamily();
  EXPECT_TRUE(family.contains("Mincho", Qt::CaseInsensitive) || family.contains(QString::fromUtf8("明朝")))
      << family.toStdString();
  EXPECT_TRUE(familyHasGlyphs(family, gameCharacters()));

  EXPECT_TRUE(form->grab().save(ZELK55_TEST_OUTPUT_DIR "/startup_screen.png"));
  EXPECT_TRUE(img.save(ZELK55_TEST_OUTPUT_DIR "/startup_surface.png"));
}

TEST_F(WindowTest, WindowScalesToItsSizeKeepingProportionsAndClicksMapBack) {
  open();
  struct Press {
    int button;
    double x, y;
  };
  std::vector<Press> presses;
  QObject::connect(form.get(), &Form1::boardPressed, [&](int button, double x, double y) {
    presses.push_back({button, x, y});
  });

  const QImage& king = pictureAtK({P::SITA_OU});
  const QColor kingBody = king.pixelColor(21 * k, 40 * k);
  const QSize sizes[] = {{560, 430}, {1120, 860}, {1000, 430}};
  for (QSize size : sizes) {
    // The menu bar's text grows with the board: its height is known once the window has its size.
    for (int pass = 0; pass < 2; ++pass) {
      form->resize(size.width(), size.height() + form->menuBar()->height());
      QCoreApplication::processEvents();
    }
    BoardView* view = form->boardView();
    ASSERT_EQ(view->size(), size);
    const QImage shot = view->grab().toImage();
    const ViewScale v = view->viewScale();

    // The body of MAN's king on (1, 5), near the bottom of its piece, has the piece's colour.
    const QPoint body = view->toView(1865 + 21 * 15, 4050 + 40 * 15).toPoint();
    const QColor seen = shot.pixelColor(body);
    EXPECT_NEAR(seen.red(), kingBody.red(), 40) << size.width();
    EXPECT_NEAR(seen.green(), kingBody.green(), 40) << size.width();
    EXPECT_NEAR(seen.blue(), kingBody.blue(), 40) << size.width();

    // A click on the middle square comes back in twips within one window pixel.
    presses.clear();
    const QPoint middle = view->toView(3095 + 300, 2670 + 345).toPoint();
    QTest::mouseClick(view, Qt::RightButton, {}, middle);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].button, 2);
    EXPECT_NEAR(presses[0].x, 3395, 1 / v.scale);
    EXPECT_NEAR(presses[0].y, 3015, 1 / v.scale);
  }
  // The wide window: the board area is centred, and the background picture goes on beside it
  // instead of flat bars.
  const QImage shot = form->boardView()->grab().toImage();
  for (const int x : {5, 994}) {
    std::set<QRgb> colours;
    for (int y = 0; y < shot.height(); ++y) colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 8u) << x;
  }
  EXPECT_TRUE(form->grab().save(ZELK55_TEST_OUTPUT_DIR "/wide_window.png"));
}

// At 1 920 × 1 080 the menus and the record panel read as large as the board is drawn, and the
// panel stands left of the board, clear of its files; at the start-up size it lies where it was
// designed to, over the left of the board.
TEST_F(WindowTest, AtLargeSizesTheMenusAndThePanelGrowWithTheBoardAndThePanelLeavesTheBoardFree) {
  open();
  BoardView* view = form->boardView();
  const double natural = form->menuBar()->font().pointSizeF();
  form->action(MenuItem::KIFU_WRITE)->trigger();
  auto* label = form->findChild<QLabel*>("Label1_3");
  ASSERT_TRUE(label && label->isVisible());
  const double labelNatural = label->font().pointSizeF();
  EXPECT_NEAR(label->x(), view->toView(60, 1300).x(), 1);

  form->resize(1920, 1080);
  QCoreApplication::processEvents();
  EXPECT_GT(form->menuBar()->font().pointSizeF(), 2 * natural);
  EXPECT_GT(form->action(MenuItem::TAIKYOKU)->menu()->font().pointSizeF(), 2 * natural);
  EXPECT_GT(label->font().pointSizeF(), 2 * labelNatural);
  const double board = view->toView(盤左 + 桝幅, 0).x();
  for (const char* name : {"Label1_3", "Text2", "Text1", "Drive1", "Dir1", "Command1"}) {
    auto* w = form->findChild<QWidget*>(name);
    ASSERT_TRUE(w && w->isVisible()) << name;
    EXPECT_LE(w->geometry().right(), board) << name;
    EXPECT_GE(w->geometry().left(), 0) << name;
  }
}

// At a size that is no whole multiple of the start-up size, every square is as wide as the next:
// the grid's lines lie on whole pixels.
TEST_F(WindowTest, EverySquareIsAsWideAsTheNextAtAnySize) {
  open();
  for (const QSize size : {QSize(1000, 800), QSize(1920, 1080), QSize(733, 611)}) {
    form->resize(size);
    QCoreApplication::processEvents();
    BoardView* view = form->boardView();
    const QImage shot = view->grab().toImage();
    const int y = static_cast<int>(view->toView(0, 盤上 + 3.5 * 桝高).y());
    std::vector<int> lines;  // where each square's left outline starts
    bool inLine = false;
    const int from = static_cast<int>(view->toView(盤左 + 桝幅 - 20, 0).x());
    const int to = static_cast<int>(view->toView(盤左 + 6 * 桝幅 + 40, 0).x());
    for (int x = from; x < to; ++x) {
      const bool green = shot.pixelColor(x, y) == QColor(0, 128, 0);
      if (green && !inLine) lines.push_back(x);
      inLine = green;
    }
    ASSERT_GE(lines.size(), 6u) << size.width();
    for (std::size_t i = 2; i < 6; ++i)
      EXPECT_EQ(lines[i] - lines[i - 1], lines[1] - lines[0]) << size.width() << " " << i;
  }
}

TEST(WindowPlacement, TheFrameStaysWithinWhatTheScreenLeavesToWindows) {
  EXPECT_EQ(framedCorner(QPoint(0, 0), QRect(0, 0, 1920, 1080)), QPoint(0, 0));
  EXPECT_EQ(framedCorner(QPoint(0, 0), QRect(64, 27, 1856, 1053)), QPoint(64, 27));
  EXPECT_EQ(framedCorner(QPoint(100, 200), QRect(0, 27, 1920, 1053)), QPoint(100, 200));
}

TEST_F(WindowTest, MenuBarTimerPlacementAndHiddenRecordPanel) {
  open();
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Zelk ５五将棋"));
  std::vector<std::string> bar;
  for (QAction* a : form->menuBar()->actions()) bar.push_back(a->text().toStdString());
  EXPECT_EQ(bar, (std::vector<std::string>{"対局", "局面", "戻", "進", "△", "▽", "棋譜", "検討", "ｵﾌﾟｼｮﾝ", "その他"}));
  for (MenuItem item : {MenuItem::REPLAY, MenuItem::AFTER, MenuItem::LBEL_UP, MenuItem::LEBEL_DOWN})
    EXPECT_EQ(form->action(item)->menu(), nullptr);

  QMenu* game = form->action(MenuItem::TAIKYOKU)->menu();
  ASSERT_NE(game, nullptr);
  std::vector<std::string> inGame;
  for (QAction* a : game->actions()) inGame.push_back(a->text().toStdString());
  EXPECT_EQ(inGame, (std::vector<std::string>{"対局(人間)", "対局(COM)", "COM対局ﾚﾍﾞﾙ", "公式ﾙｰﾙ", "持ち時間", "投了",
                                              "終わり"}));
  std::vector<std::string> backgrounds;
  for (QAction* a : form->action(MenuItem::HAIKEI_GA)->menu()->actions())
    backgrounds.push_back(a->text().toStdString());
  EXPECT_EQ(backgrounds, (std::vector<std::string>{"緑", "畳", "竹", "宇宙", "煉瓦"}));

  // Check marks after start-up: level 3, green, clocks and music on, guidance off.
  EXPECT_TRUE(form->action(MenuItem::LEVEL3)->isChecked());
  EXPECT_FALSE(form->action(MenuItem::LEVEL1)->isChecked());
  EXPECT_TRUE(form->action(MenuItem::MIDORI)->isChecked());
  EXPECT_FALSE(form->action(MenuItem::TATAMI)->isChecked());
  EXPECT_TRUE(form->action(MenuItem::KEIKA)->isChecked());
  EXPECT_TRUE(form->action(MenuItem::BGM)->isChecked());
  EXPECT_FALSE(form->action(MenuItem::SIDOU)->isChecked());
  EXPECT_TRUE(form->action(MenuItem::LEVEL1)->actionGroup() == form->action(MenuItem::LEVEL3)->actionGroup());
  EXPECT_NE(form->action(MenuItem::LEVEL1)->actionGroup(), nullptr);
  // The level command moves the mark; the group alone never does.
  form->action(MenuItem::LEVEL1)->trigger();
  EXPECT_FALSE(form->action(MenuItem::LEVEL3)->isChecked());
  EXPECT_TRUE(form->action(MenuItem::LEVEL1)->isChecked());
  EXPECT_EQ(form->controller().g.レベル, 1);
  form->action(MenuItem::LEVEL3)->trigger();
  EXPECT_TRUE(form->action(MenuItem::LEVEL3)->isChecked());

  // Start-up placement: (0, 0), 8400 x 6800 twips at 15 twips a pixel; green background.
  EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(form->frameGeometry().size(), QSize(560, 453));
  EXPECT_EQ(form->backgroundColour(), 色緑);

  // Timer1 ticks at 50 ms, only while a clock runs; none runs before a game.
  EXPECT_FALSE(form->timer1Running());
  form->setTimer1Enabled(true);
  EXPECT_TRUE(form->timer1Running());
  EXPECT_EQ(form->timer1Interval(), 50);
  form->setTimer1Enabled(false);
  EXPECT_FALSE(form->timer1Running());

  // The record panel's controls exist and are hidden.
  const std::pair<const char*, const char*> labels[] = {
      {"Label1_0", "ﾌｧｲﾙ名 ："}, {"Label1_1", "後    手 ："}, {"Label1_2", "先    手 ："}, {"Label1_3", "対 局 名："}};
  for (auto [name, caption] : labels) {
    auto* label = form->findChild<QLabel*>(name);
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->text(), QString::fromUtf8(caption));
    EXPECT_FALSE(label->isVisible());
  }
  for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Drive1", "Dir1", "File1", "Command1"}) {
    auto* w = form->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    EXPECT_FALSE(w->isVisible()) << name;
  }
  EXPECT_EQ(form->findChild<QPushButton*>("Command1")->text(), "RETURN");
  EXPECT_EQ(form->findChild<QWidget*>("File1")->property("pattern").toString(), QString::fromUtf8("*.棋譜"));
  // Labels stack 対局名, 先手, 後手, ファイル名 from the top.
  EXPECT_LT(form->findChild<QLabel*>("Label1_3")->y(), form->findChild<QLabel*>("Label1_2")->y());
  EXPECT_LT(form->findChild<QLabel*>("Label1_2")->y(), form->findChild<QLabel*>("Label1_1")->y());
  EXPECT_LT(form->findChild<QLabel*>("Label1_1")->y(), form->findChild<QLabel*>("Label1_0")->y());
}

TEST_F(WindowTest, EscAndClosingReleaseTheSoundsAndCloseTheWindow) {
  test::FakePlatform sound;
  open(&sound);
  sound.soundCalls.clear();
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
  ASSERT_FALSE(sound.soundCalls.empty());
  EXPECT_EQ(sound.soundCalls.back(), "dsTerminate");
  EXPECT_EQ(sound.soundCalls.size(), 5u);  // four buffers, then the library

  test::FakePlatform sound2;
  open(&sound2);
  sound2.soundCalls.clear();
  form->close();
  EXPECT_EQ(sound2.soundCalls.size(), 5u);
  form.reset();  // and nothing more when the window goes
  EXPECT_EQ(sound2.soundCalls.size(), 5u);
}

TEST(QtSound, HandleZeroPlaysNothing) {
  QtSoundLibrary lib;
  lib.dsPlay(0);
  lib.dsPlayLooping(0);
  lib.dsStop(0);
  lib.dsFree(0);
  EXPECT_EQ(lib.effect(0), nullptr);
  EXPECT_EQ(lib.bufferCount(), 0);
  // A library that did not start makes no buffers.
  EXPECT_EQ(lib.dsCreateDSB(0, WaveFile{"BGM.wav", {}}, 1), 0);
  EXPECT_EQ(lib.bufferCount(), 0);
  // An unknown handle is as harmless as 0.
  lib.dsPlay(12345);
  lib.dsStop(12345);
}

TEST(Artwork, PiecesTilesAndTitle) {
  const QString family = chooseFontFamily();
  const int k = 2;
  EXPECT_EQ(pictureSize(P::KARA_MASU), QSize(42, 47));
  EXPECT_EQ(pictureSize(P::UE_OU), QSize(42, 47));
  EXPECT_EQ(pictureSize(P::HAIKEI_TAKE), QSize(41, 46));
  EXPECT_EQ(pictureSize(P::ZelkSHOGI), QSize(148, 40));
  EXPECT_EQ(renderPicture({P::SITA_HU}, k, family).size(), QSize(84, 94));

  // MAN's pieces point up, COM's down: near the top corner there is wood on one, piece on the other.
  const QImage sita = renderPicture({P::SITA_KIN}, k, family), ue = renderPicture({P::UE_KIN}, k, family);
  const QImage empty = renderPicture({P::KARA_MASU}, k, family);
  EXPECT_EQ(sita.pixelColor(9 * k, 8 * k), empty.pixelColor(9 * k, 8 * k));
  EXPECT_NE(ue.pixelColor(9 * k, 8 * k), empty.pixelColor(9 * k, 8 * k));
  EXPECT_NE(sita.pixelColor(9 * k, 40 * k), empty.pixelColor(9 * k, 40 * k));
  EXPECT_EQ(ue.pixelColor(9 * k, 40 * k), empty.pixelColor(9 * k, 40 * k));

  // Promoted faces are lettered in red, the others in black; the letters themselves differ.
  for (P name : {P::SITA_HU, P::SITA_GIN, P::SITA_KAKU, P::SITA_SYA, P::UE_HU, P::UE_GIN, P::UE_KAKU, P::UE_SYA}) {
    const QImage face = renderPicture({name, 0}, k, family), promoted = renderPicture({name, 1}, k, family);
    EXPECT_EQ(count(face, face.rect(), isRed), 0) << static_cast<int>(name);
    EXPECT_GT(count(promoted, promoted.rect(), isRed), 20 * k) << static_cast<int>(name);
  }
  EXPECT_NE(renderPicture({P::SITA_KIN}, k, family), renderPicture({P::SITA_OU}, k, family));

  // The five tiles by their mean colour.
  auto mean = [&](P name) {
    const QImage t = renderPicture({name}, k, family);
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < t.height(); ++y)
      for (int x = 0; x < t.width(); ++x) {
        const QColor c = t.pixelColor(x, y);
        r += c.red(), g += c.green(), b += c.blue();
      }
    const double n = t.width() * t.height();
    return std::array<double, 3>{r / n, g / n, b / n};
  };
  const auto felt = mean(P::HAIKEI_MIDORI), tatami = mean(P::HAIKEI_TATAMI), bamboo = mean(P::HAIKEI_TAKE),
             space = mean(P::HAIKEI_UCHU), brick = mean(P::HAIKEI_RENGA);
  EXPECT_GT(felt[1], felt[0] + 40);
  EXPECT_GT(tatami[0], tatami[2] + 40);
  EXPECT_GT(tatami[1], tatami[2] + 40);
  EXPECT_GT(bamboo[1], bamboo[0]);
  EXPECT_LT(space[0] + space[1] + space[2], 120);
  EXPECT_GT(brick[0], brick[1] + 40);
}

TEST(VersionDialog, CaptionButtonsAndArtwork) {
  Form2 dialog(2, chooseFontFamily(), nullptr);
  EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("バージョン情報"));
  EXPECT_EQ(dialog.homePageButton()->text(), QString::fromUtf8("ホームページ"));
  EXPECT_EQ(dialog.okButton()->text(), QString::fromUtf8("O K"));
  const QImage art = renderVersionArtwork(2, chooseFontFamily());
  EXPECT_EQ(art.size(), QSize(640, 400));
  EXPECT_GT(count(art, art.rect(), isGold), 500);
  dialog.show();
  dialog.okButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace zelk::ui
