// Playing games on the recording platform: move entry, the game flow, the computer's turn and
// the strength levels, each checked by board, turn, counters, boxes and sounds.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/sfen.h"
#include "play/form1_controller.h"
#include "players/levels.h"
#include "presentation/fake_platform.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

constexpr int kLeft = 1, kRight = 2;
const std::string kRefused = "dsPlay 12", kPlaced = "dsPlay 13";  // 禁止.wav, 駒打音.wav

struct GameFlowTest : ::testing::Test {
  fs::path folder;
  test::FakePlatform fake;
  std::unique_ptr<Form1Controller> form;

  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("zelk55_flow_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(folder);
    // Buffers 11 その他, 12 禁止, 13 駒打音, 14 BGM.
    for (auto name : kSoundFiles) {
      std::ofstream out(folder / fs::path(std::u8string(name.begin(), name.end())), std::ios::binary);
      out << "RIFF" << std::string(4, '\0') << "WAVE";
    }
    form = std::make_unique<Form1Controller>(fake.platform(), std::vector<fs::path>{folder}, folder);
    form->Form_Load();
    clear();
  }
  void TearDown() override { fs::remove_all(folder); }

  GameState& g() { return form->g; }
  void clear() {
    fake.boxes.clear();
    fake.soundCalls.clear();
  }
  // Puts a position on the board before a game starts (b: MAN to move, w: COM to move).
  void setPosition(std::string_view sfen) {
    ASSERT_FALSE(loadSfen(g(), sfen).has_value());
    g().手番 = 0;
    g().手数 = 0;
  }
  // A click in the middle of grid cell (X, Y); hands are columns 7 (MAN) and -1 (COM).
  void click(int X, int Y, int button = kLeft) {
    form->Form_MouseDown(button, 盤左 + X * 桝幅 + 300, 盤上 + Y * 桝高 + 345);
  }
  void move(int fx, int fy, int tx, int ty, int button = kLeft) {
    click(fx, fy);
    click(tx, ty, button);
  }
  int count(const std::string& sound) const {
    return static_cast<int>(std::count(fake.soundCalls.begin(), fake.soundCalls.end(), sound));
  }
};

TEST_F(GameFlowTest, BoardClicksBeforeAGameAreRefused) {
  click(1, 4);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"開始|「対局」で始めて下さい"}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().選択状態, 0);
}

TEST_F(GameFlowTest, SenteStartsAGameAndTheComputerAnswersEachMove) {
  form->SENTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{" |MANの番です"}));
  EXPECT_EQ(g().手番, 1);
  EXPECT_EQ(g().MAN手番, 1);
  EXPECT_EQ(g().COM手番, -1);
  EXPECT_EQ(g().対局モード, 1);
  EXPECT_TRUE(g().timer1Enabled);
  const Board start = g().盤面;

  move(1, 4, 1, 3);  // the pawn one step up
  EXPECT_EQ(g().手数, 2);
  EXPECT_EQ(g().記録位置, 2);
  EXPECT_EQ(g().記録最終, 1);
  EXPECT_EQ(g().手番, g().MAN手番);
  EXPECT_EQ(g().記録[0].盤面, start);        // slot 0: the position before move 1
  EXPECT_EQ(g().記録[1].盤面(1, 3), MAN歩);  // slot 1: after it, before the reply
  EXPECT_EQ(g().記録[1].盤面(1, 4), 0);
  EXPECT_NE(g().盤面, g().記録[1].盤面);  // the computer has replied
  EXPECT_EQ(count(kPlaced), 2);
  EXPECT_EQ(g().勝者, 0);
}

TEST_F(GameFlowTest, GoteOnAFreshBoardLetsTheComputerMoveFirst) {
  form->GOTE_Click();
  EXPECT_EQ(g().MAN手番, -1);
  EXPECT_EQ(g().COM手番, 1);
  EXPECT_EQ(g().手番, -1);
  EXPECT_EQ(g().手数, 1);
  EXPECT_EQ(g().記録位置, 1);
  // Exactly one COM piece left its square.
  int changed = 0;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) changed += g().盤面(x, y) != g().記録[0].盤面(x, y);
  EXPECT_EQ(changed, 2);
  EXPECT_EQ(count(kPlaced), 1);
}

TEST_F(GameFlowTest, SenteAfterAFinishedGameStartsAfreshAndMidGameTakesUpPlay) {
  form->SENTE_Click();
  move(1, 4, 1, 3);
  const Board midGame = g().盤面;
  clear();
  form->SENTE_Click();  // a game is running: the position stays
  EXPECT_EQ(g().盤面, midGame);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"対局|MANの番です"}));
  EXPECT_EQ(g().手数, 2);

  g().勝者 = g().COM手番;  // the game is over
  clear();
  click(1, 3);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終局|新規に対局してください"}));
  form->SENTE_Click();
  EXPECT_EQ(g().勝者, 0);
  EXPECT_EQ(g().手数, 0);
  EXPECT_EQ(g().盤面(1, 4), MAN歩);
  EXPECT_EQ(g().盤面(1, 3), 0);
}

TEST_F(GameFlowTest, StartAfterSenteMidGameBecomesAHumanGameOnTheSamePosition) {
  form->SENTE_Click();
  move(1, 4, 1, 3);
  const Board position = g().盤面;
  clear();
  fake.draws.clear();
  form->START_Click();
  EXPECT_EQ(g().対局モード, 0);
  EXPECT_EQ(g().盤面, position);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{" |先手の番です"}));
  // The level display's cells get the background tile again.
  for (double X : {-2.0, -1.0, 0.0}) {
    const auto pic = fake.lastPictureAt(盤左 + X * 桝幅, 盤上);
    ASSERT_TRUE(pic.has_value());
    EXPECT_EQ(pic->name, PictureName::HAIKEI_MIDORI);
  }
}

TEST_F(GameFlowTest, APawnToTheLastRowNeedsTheRightButton) {
  setPosition("4k/2P2/5/5/K4 b - 1");
  form->START_Click();
  clear();
  move(3, 2, 3, 1);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"成り|マウスの右をクリックして下さい"}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().選択状態, 1);
  EXPECT_EQ(g().記録位置, 0);
  EXPECT_EQ(g().盤面(3, 2), MAN歩);
  click(3, 1, kRight);
  EXPECT_EQ(g().盤面(3, 1), MANと);
  EXPECT_EQ(g().盤面(3, 2), 0);
  EXPECT_EQ(g().手番, -1);
  EXPECT_EQ(g().手数, 1);
}

TEST_F(GameFlowTest, ASilverPromotesByTheRightButtonOnly) {
  setPosition("4k/2S2/5/5/K4 b - 1");
  form->START_Click();
  move(3, 2, 3, 1);
  EXPECT_EQ(g().盤面(3, 1), MAN銀);
  setPosition("4k/2S2/5/5/K4 b - 1");
  form->START_Click();
  move(3, 2, 3, 1, kRight);
  EXPECT_EQ(g().盤面(3, 1), MAN成銀);
  // A right click on a move that cannot promote simply moves.
  move(5, 1, 4, 2, kRight);
  EXPECT_EQ(g().盤面(4, 2), COM王);
}

TEST_F(GameFlowTest, CancelReselectAndIllegalDestination) {
  form->START_Click();
  click(1, 4);
  EXPECT_EQ(g().選択状態, 1);
  click(2, 5);  // another own piece: reselect
  EXPECT_EQ(g().選択状態, 1);
  EXPECT_EQ(g().移動元X, 2);
  EXPECT_EQ(g().移動駒, MAN金);
  clear();
  click(2, 3);  // a gold does not go two squares
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().選択状態, 0);
  EXPECT_EQ(g().記録位置, 0);
  // An opponent's piece can be looked at but not picked up.
  click(5, 2);
  EXPECT_EQ(g().選択状態, 0);
  click(3, 3);  // an empty square selects nothing
  EXPECT_EQ(g().選択状態, 0);
}

TEST_F(GameFlowTest, APieceFromTheWrongHandIsReleasedByTheNextBoardClick) {
  setPosition("4k/5/5/5/K4 b p 1");
  form->START_Click();
  click(-1, 5);  // COM's pawn: its hand is upside down, kind 1 in row 5
  EXPECT_EQ(g().選択状態, 1);
  EXPECT_EQ(g().移動元X, -1);
  EXPECT_EQ(g().移動駒, COM歩);
  click(3, 3);
  EXPECT_EQ(g().選択状態, 0);
  EXPECT_EQ(g().盤面(3, 3), 0);
  EXPECT_EQ(g().持駒COM(1), 1);
  EXPECT_EQ(g().記録位置, 0);
  // An empty hand square picks up nothing.
  click(7, 3);
  EXPECT_EQ(g().選択状態, 0);
}

TEST_F(GameFlowTest, ADropFromEachHandInAHumanGame) {
  setPosition("4k/5/5/5/K4 b Gp 1");
  form->START_Click();
  click(7, 3);  // MAN's gold
  click(3, 3);
  EXPECT_EQ(g().盤面(3, 3), MAN金);
  EXPECT_EQ(g().持駒MAN(3), 0);
  EXPECT_EQ(g().持駒数MAN, 0);
  EXPECT_EQ(g().手番, -1);
  click(-1, 5);  // the upper player's pawn
  click(2, 2);
  EXPECT_EQ(g().盤面(2, 2), COM歩);
  EXPECT_EQ(g().持駒COM(1), 0);
  EXPECT_EQ(g().手番, 1);
  EXPECT_EQ(g().記録位置, 2);
}

TEST_F(GameFlowTest, ClicksOnTheMarginsBesideTheBoardAreOutsideIt) {
  form->START_Click();
  click(1, 4);
  for (int X : {0, 6}) {
    click(X, 4);
    EXPECT_EQ(g().選択状態, 1) << X;  // the selection survives a click beside the board
  }
  click(1, 3);
  EXPECT_EQ(g().盤面(1, 3), MAN歩);
  // Far outside the window's board area nothing happens either.
  form->Form_MouseDown(kLeft, -1e9, 1e12);
  EXPECT_EQ(g().手番, -1);
}

TEST_F(GameFlowTest, TakingTheComKingEndsTheGameWithoutAReply) {
  setPosition("4k/4R/5/5/K4 b - 1");
  form->SENTE_Click();
  clear();
  move(5, 2, 5, 1);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終了|あなたの勝ちです"}));
  EXPECT_EQ(g().勝者, g().MAN手番);
  EXPECT_EQ(g().手数, 1);
  EXPECT_FALSE(g().timer1Enabled);
}

TEST_F(GameFlowTest, MatingTheComKingEndsTheGameWithoutAReply) {
  // The gold dropped in front of the COM king, backed by the silver: no flight, no capture.
  setPosition("4k/5/3S1/5/K4 b G 1");
  form->SENTE_Click();
  clear();
  click(7, 3);
  click(5, 2);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終了|あなたの勝ちです"}));
  EXPECT_EQ(g().勝者, g().MAN手番);
  EXPECT_EQ(g().盤面(5, 1), COM王);
  EXPECT_EQ(g().手数, 1);
}

TEST_F(GameFlowTest, HumanGamesEndOnlyWithAKingCapture) {
  setPosition("4k/4R/5/5/K4 b - 1");
  form->START_Click();
  clear();
  move(5, 2, 5, 1);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終了|先手の勝ちです"}));
  EXPECT_EQ(g().勝者, 1);
  clear();
  click(1, 5);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終局|新規に対局してください"}));

  setPosition("k4/5/5/5/3rK b - 1");
  form->CANCEL_Click();
  setPosition("k4/5/5/5/r3K w - 1");
  form->START_Click();
  g().手番 = -1;  // the upper player to move
  clear();
  move(1, 5, 5, 5);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終了|後手の勝ちです"}));
}

TEST_F(GameFlowTest, StartAfterAFinishedGameDrawsTheFreshBoardOnceAndShowsIt) {
  setPosition("4k/4R/5/5/K4 b - 1");
  form->START_Click();
  move(5, 2, 5, 1);  // the rook takes the upper king
  ASSERT_EQ(g().勝者, 1);
  clear();
  fake.draws.clear();
  form->START_Click();
  EXPECT_EQ(g().勝者, 0);
  EXPECT_EQ(g().手数, 0);
  EXPECT_EQ(g().手番, 1);
  EXPECT_EQ(g().盤面(5, 1), COM王);
  EXPECT_EQ(g().盤面(5, 2), COM歩);
  EXPECT_EQ(g().盤面(1, 4), MAN歩);
  EXPECT_EQ(g().盤面(5, 5), MAN飛);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{" |先手の番です"}));
  // The whole window is drawn once, the title picture last, and put on screen straight away.
  std::vector<std::size_t> titles;
  for (std::size_t i = 0; i < fake.draws.size(); ++i)
    if (fake.draws[i].kind == test::DrawCall::Picture && fake.draws[i].picture.name == PictureName::ZelkSHOGI)
      titles.push_back(i);
  ASSERT_EQ(titles.size(), 1u);
  ASSERT_LT(titles[0] + 1, fake.draws.size());
  EXPECT_EQ(fake.draws[titles[0] + 1].kind, test::DrawCall::Refresh);
}

TEST_F(GameFlowTest, TheFirstClickAfterAStepResumesAndIsThenHandledAsUsual) {
  // Two people, the upper player to move after one move.
  fake.checks[MenuItem::KEIKA] = true;
  form->START_Click();
  move(1, 4, 1, 3);
  g().再開待ち = 1;  // as a history step leaves it
  g().timer1Enabled = false;
  fake.now = 500;
  clear();
  click(5, 2);  // the upper player's pawn
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"対局|後手の番です"}));
  EXPECT_EQ(g().再開待ち, 0);
  EXPECT_DOUBLE_EQ(g().開始時刻, 500);
  EXPECT_TRUE(g().timer1Enabled);
  EXPECT_EQ(g().選択状態, 1);
  EXPECT_EQ(g().移動駒, COM歩);

  // Against the computer with MAN to move.
  form->CANCEL_Click();
  form->SENTE_Click();
  g().再開待ち = 1;
  clear();
  click(1, 4);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"対局|MANの番です"}));
  EXPECT_EQ(g().再開待ち, 0);
  EXPECT_EQ(g().選択状態, 1);

  // Against the computer with the computer to move: it moves first (its pawn's only step
  // gives check), then the click picks up the king.
  form->CANCEL_Click();
  setPosition("5/5/2p2/5/2K2 b - 1");
  form->SENTE_Click();
  g().手番 = g().COM手番;
  g().再開待ち = 1;
  clear();
  click(3, 5);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"再開(COM)|OKですか？", "|   ** 王手 **"}));
  EXPECT_EQ(g().盤面(3, 4), COM歩);
  EXPECT_EQ(g().盤面(3, 3), 0);
  EXPECT_EQ(g().手数, 1);
  EXPECT_EQ(g().手番, g().MAN手番);
  EXPECT_EQ(g().再開待ち, 0);
  EXPECT_EQ(g().選択状態, 1);
  EXPECT_EQ(g().移動駒, MAN王);
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kPlaced}));
}

TEST_F(GameFlowTest, TheComputerTakesTheKingWhenItCan) {
  setPosition("4k/5/5/1g3/K4 w - 1");
  form->GOTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終了|ｺﾝﾋﾟｭｰﾀの勝ちです"}));
  EXPECT_EQ(g().勝者, g().COM手番);
  EXPECT_EQ(g().手番, g().MAN手番);
  EXPECT_EQ(g().盤面(1, 5), COM金);
  EXPECT_FALSE(g().timer1Enabled);
}

TEST_F(GameFlowTest, TheComputerAnnouncesMateAndCheckAndPlayGoesOn) {
  // A gold dropped in front of the MAN king in the corner, backed by the silver, mates.
  setPosition("4k/5/1s3/5/K4 w g 1");
  form->GOTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"詰め ?|よし！!"}));
  EXPECT_EQ(g().盤面(1, 4), COM金);
  EXPECT_EQ(g().勝者, 0);
  EXPECT_EQ(g().手番, g().MAN手番);

  // The computer's only move gives check without mate.
  form->CANCEL_Click();
  setPosition("5/5/2p2/5/2K2 w - 1");
  clear();
  form->GOTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"|   ** 王手 **"}));
  EXPECT_EQ(g().盤面(3, 4), COM歩);
}

TEST_F(GameFlowTest, AComputerWithoutALegalMoveHasLost) {
  setPosition("5/5/5/K4/2p2 w - 1");  // COM's only piece is a pawn on the last row
  form->GOTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終了|あなたの勝ちです"}));
  EXPECT_EQ(g().勝者, g().MAN手番);
  EXPECT_EQ(g().手数, 0);
  EXPECT_EQ(g().記録位置, 0);
  EXPECT_EQ(count(kPlaced), 0);
}

TEST_F(GameFlowTest, TheClocksChargeEachSideItsOwnTime) {
  fake.now = 1000;
  form->SENTE_Click();
  fake.now = 1012.5;  // twelve and a half seconds for MAN's move
  move(1, 4, 1, 3);
  EXPECT_DOUBLE_EQ(g().MAN秒, 12.5);
  EXPECT_DOUBLE_EQ(g().記録[0].後秒M, 12.5);
  EXPECT_DOUBLE_EQ(g().記録[0].前秒M, 0);
  EXPECT_DOUBLE_EQ(g().COM秒, 0);  // the fake clock stood still while the computer thought
  // With the clock display switched off the totals still follow the time actually taken.
  fake.checks[MenuItem::KEIKA] = false;
  fake.now = g().開始時刻 + 8;
  click(2, 5);
  click(2, 4);
  EXPECT_DOUBLE_EQ(g().MAN秒, 20.5);
}

// Time controls from the 持ち時間 menu: the clocks count down, and a flag that falls loses.
TEST_F(GameFlowTest, UnderATimeControlTheClocksCountDownAndAFlagFallLosesTheGame) {
  form->menuClicked(MenuItem::JIKAN_5_10);  // 5 minutes, then 10 seconds a move
  EXPECT_TRUE(fake.isChecked(MenuItem::JIKAN_5_10));
  EXPECT_FALSE(fake.isChecked(MenuItem::JIKAN_NASI));
  EXPECT_EQ(fake.stored["timecontrol"], "JIKAN_5_10");
  fake.now = 1000;
  form->SENTE_Click();
  fake.now = 1020;  // twenty seconds for MAN's move
  move(1, 4, 1, 3);
  EXPECT_DOUBLE_EQ(g().残りMAN, 280);
  EXPECT_DOUBLE_EQ(g().MAN秒, 20) << "the totals are kept as without a control";
  EXPECT_GT(g().残りCOM, 299) << "the computer answered within its time";
  ASSERT_EQ(g().手番, g().MAN手番);
  clear();
  fake.draws.clear();
  fake.now = g().開始時刻 + 30.5;
  form->Timer1_Timer();
  bool shown = false;  // 280 s less 30.5: 04:10 left
  for (const auto& t : fake.texts()) shown |= t.text == "00:04:10";
  EXPECT_TRUE(shown);
  fake.now = g().開始時刻 + 285;  // into the byoyomi: still playing
  form->Timer1_Timer();
  EXPECT_TRUE(fake.boxes.empty());
  fake.now = g().開始時刻 + 290.1;
  form->Timer1_Timer();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終局|時間切れです", "終了|ｺﾝﾋﾟｭｰﾀの勝ちです"}));
  EXPECT_EQ(g().勝者, g().COM手番);
  EXPECT_EQ(g().終局, 終局理由::時間切れ);
  EXPECT_FALSE(g().timer1Enabled);
}

TEST_F(GameFlowTest, AnIncrementIsAddedAfterEachMoveAndAControlChosenMidGameWaitsForTheNext) {
  form->menuClicked(MenuItem::JIKAN_3_2);  // 3 minutes, 2 seconds added a move
  fake.now = 1000;
  form->START_Click();
  EXPECT_TRUE(g().timer1Enabled);
  fake.now = 1005;
  move(1, 4, 1, 3);
  EXPECT_DOUBLE_EQ(g().残りMAN, 177);
  form->menuClicked(MenuItem::JIKAN_NASI);
  EXPECT_TRUE(g().時間設定.on()) << "the game in progress keeps its control";
  form->CANCEL_Click();
  form->START_Click();
  EXPECT_FALSE(g().時間設定.on());
}

TEST_F(GameFlowTest, ViewingARecordAsksToStepAndNoAbandonsIt) {
  form->SENTE_Click();
  g().棋譜モード = 1;
  clear();
  fake.answer = kYes;
  click(1, 4);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜|棋譜を '進 'で進めて下さい|?"}));
  EXPECT_EQ(g().手番, 1);
  fake.answer = kNo;
  clear();
  click(1, 4);
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().手番, 0);
  EXPECT_EQ(g().棋譜モード, 0);
}

TEST_F(GameFlowTest, LevelsMoveTheCheckMarkAndShowOnlyInAComputerGame) {
  fake.draws.clear();
  form->LEVEL1_Click();
  EXPECT_EQ(g().レベル, 1);
  EXPECT_TRUE(fake.isChecked(MenuItem::LEVEL1));
  EXPECT_FALSE(fake.isChecked(MenuItem::LEVEL3));
  auto levelTexts = [&] {
    int n = 0;
    for (const auto& t : fake.texts()) n += t.text == "LEVEL";
    return n;
  };
  EXPECT_EQ(levelTexts(), 0);
  form->SENTE_Click();
  fake.draws.clear();
  form->LEVEL2_Click();
  EXPECT_EQ(g().レベル, 2);
  EXPECT_EQ(levelTexts(), 2);  // shadow and text
  form->LEVEL6_Click();        // the searching levels follow the same way
  EXPECT_EQ(g().レベル, 6);
  EXPECT_TRUE(fake.isChecked(MenuItem::LEVEL6));
  EXPECT_FALSE(fake.isChecked(MenuItem::LEVEL2));
  EXPECT_EQ(levelTexts(), 4);
  form->LEVEL2_Click();
  EXPECT_FALSE(fake.isChecked(MenuItem::LEVEL6));
  form->レベル_設定(kHighestLevel + 1);  // no such level: every level unchecked, the level stays
  EXPECT_EQ(g().レベル, 2);
  EXPECT_FALSE(fake.isChecked(MenuItem::LEVEL2));
  EXPECT_FALSE(fake.isChecked(MenuItem::LEVEL6));
}

TEST_F(GameFlowTest, EscEndsTheProgramFromAnyState) {
  form->SENTE_Click();
  click(1, 4);
  clear();
  form->Form_KeyPress(27);
  EXPECT_EQ(fake.soundCalls,
            (std::vector<std::string>{"dsFree 11", "dsFree 12", "dsFree 13", "dsFree 14", "dsTerminate"}));
  EXPECT_EQ(fake.windowCalls.back(), "close");
}

// The official rules, chosen in the 対局 menu and kept in the per-user store.
TEST_F(GameFlowTest, UnderTheOfficialRulesAKingLeftAttackedIsRefusedAndTheChoiceIsKept) {
  form->menuClicked(MenuItem::KOUSIKI);
  EXPECT_TRUE(fake.isChecked(MenuItem::KOUSIKI));
  EXPECT_EQ(fake.stored["rules"], "official");
  setPosition("4k/5/r4/G4/K4 b - 1");  // the gold on 5d shields its king from the rook on 5c
  form->START_Click();
  clear();
  const Board before = g().盤面;
  move(1, 4, 2, 4);
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().盤面, before);
  EXPECT_EQ(g().手数, 0);
  move(1, 5, 2, 4);  // the king steps aside instead
  EXPECT_EQ(g().盤面(2, 4), MAN王);

  // The next run finds the choice made.
  fake.setChecked(MenuItem::KOUSIKI, false);
  Form1Controller again(fake.platform(), {folder}, folder);
  again.Form_Load();
  EXPECT_TRUE(fake.isChecked(MenuItem::KOUSIKI));
  form->menuClicked(MenuItem::KOUSIKI);
  EXPECT_EQ(fake.stored["rules"], "kingcapture");
}

TEST_F(GameFlowTest, UnderTheOfficialRulesAPawnDropMateIsRefusedAndAMateEndsTheGame) {
  form->menuClicked(MenuItem::KOUSIKI);
  setPosition("4k/R4/1B1G1/5/K4 b PG 1");
  form->SENTE_Click();
  clear();
  click(7, 1);  // the pawn in hand, dropped on 1b: mate by a pawn drop
  click(5, 2);
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().盤面(5, 2), 0);
  click(7, 3);  // the gold instead
  click(5, 2);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終局|詰みです（指せる手がありません）", "終了|あなたの勝ちです"}));
  EXPECT_EQ(g().勝者, g().MAN手番);
  EXPECT_EQ(g().終局, 終局理由::詰み);
  EXPECT_EQ(g().手数, 1) << "the computer did not answer";
}

TEST_F(GameFlowTest, UnderTheOfficialRulesTheFourthRepetitionEndsTheGame) {
  form->menuClicked(MenuItem::KOUSIKI);
  form->START_Click();
  clear();
  for (int round = 0; round < 3; ++round) {
    move(1, 5, 2, 4);
    move(5, 1, 4, 2);
    move(2, 4, 1, 5);
    EXPECT_TRUE(fake.boxes.empty()) << round;
    move(4, 2, 5, 1);
  }
  EXPECT_EQ(fake.boxes,
            (std::vector<std::string>{"終局|千日手です（同一局面４回、先手の負け）", "終了|後手の勝ちです"}));
  EXPECT_EQ(g().勝者, 後手);
  clear();
  click(1, 4);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終局|新規に対局してください"}));
}

TEST_F(GameFlowTest, UnderTheOfficialRulesAPerpetualCheckLosesForTheChecker) {
  form->menuClicked(MenuItem::KOUSIKI);
  setPosition("2k2/5/5/K3r/5 b - 1");  // the second player's rook checks the king on 5d
  form->START_Click();
  clear();
  for (int round = 0; round < 3; ++round) {
    move(1, 4, 1, 5);
    move(5, 4, 5, 5);
    move(1, 5, 1, 4);
    move(5, 5, 5, 4);
  }
  EXPECT_EQ(fake.boxes,
            (std::vector<std::string>{"終局|連続王手の千日手です（王手をかけ続けた側の負け）", "終了|先手の勝ちです"}));
  EXPECT_EQ(g().勝者, 先手);
}

TEST_F(GameFlowTest, ThePlayerToMoveMayResignAfterAYes) {
  form->menuClicked(MenuItem::TOURYOU);
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused})) << "no game to resign";
  form->SENTE_Click();
  clear();
  fake.answer = kNo;
  form->menuClicked(MenuItem::TOURYOU);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"投了|投了しますか？|?"}));
  EXPECT_EQ(g().勝者, 0);
  clear();
  fake.answer = kYes;
  form->menuClicked(MenuItem::TOURYOU);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"投了|投了しますか？|?", "終了|ｺﾝﾋﾟｭｰﾀの勝ちです"}));
  EXPECT_EQ(g().勝者, g().COM手番);
  EXPECT_EQ(g().終局, 終局理由::投了);
  EXPECT_FALSE(g().timer1Enabled);
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

// The outline of square (X, Y) drawn last, in its colour; -1 when none was drawn.
int lastOutlineColour(const test::FakePlatform& fake, int X, int Y) {
  int colour = -1;
  for (const test::DrawCall& d : fake.outlines())
    if (d.x == cellX(X) && d.y == cellY(Y)) colour = d.colour;
  return colour;
}

TEST_F(GameFlowTest, AnIllegalDestinationShowsRedForAMomentThenTheBoardLooksAsBefore) {
  fake.pausesPassAtOnce = false;
  form->START_Click();
  click(2, 5);
  click(2, 3);  // a gold does not go two squares
  EXPECT_EQ(fake.soundCalls.back(), kRefused);
  EXPECT_EQ(lastOutlineColour(fake, 2, 3), 色明赤);
  fake.advance(Screen::kRefusedSquareSeconds);
  EXPECT_EQ(lastOutlineColour(fake, 2, 3), form->screen.桝色);

  // A new selection in the moment takes the red away at once, and it stays away.
  click(2, 5);
  click(2, 3);
  click(1, 4);
  EXPECT_EQ(g().選択状態, 1);
  const std::size_t drawn = fake.draws.size();
  fake.advance(Screen::kRefusedSquareSeconds);
  EXPECT_EQ(fake.draws.size(), drawn);
  EXPECT_NE(lastOutlineColour(fake, 2, 3), 色明赤);
}

TEST_F(GameFlowTest, WhileTheComputerThinksTheCommandsItWouldIgnoreAreGreyedUntilItHasMoved) {
  fake.pausesPassAtOnce = false;
  form->GOTE_Click();
  ASSERT_TRUE(form->computerMoving());
  for (const MenuItem item : {MenuItem::REPLAY, MenuItem::AFTER, MenuItem::CANCEL, MenuItem::SENTE, MenuItem::LEVEL2,
                              MenuItem::KIF_WRITE, MenuItem::SFEN_COPY, MenuItem::KIF_PASTE, MenuItem::TATAMI})
    EXPECT_FALSE(fake.isEnabled(item)) << menuEntry(item).caption;
  for (const MenuItem item : {MenuItem::OWARI, MenuItem::KAISETU, MenuItem::BGM, MenuItem::TAIKYOKU, MenuItem::KIFU})
    EXPECT_TRUE(fake.isEnabled(item)) << menuEntry(item).caption;

  fake.runAllSteps();
  ASSERT_FALSE(form->computerMoving());
  EXPECT_EQ(g().手番, g().MAN手番);
  for (const MenuEntry& e : kMenuTable) EXPECT_TRUE(fake.isEnabled(e.item)) << e.caption;
}

}  // namespace
}  // namespace zelk
