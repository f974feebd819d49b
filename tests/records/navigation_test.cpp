// 戻, 進 and 反転 on games played by two people and on histories set by hand: the board, the
// hands, the counters, the clocks shown, the last-move texts, the sounds and the refusals.

#include "formats/record_file.h"
#include "records/records_fixture.h"

namespace zelk {
namespace {

using test::kPlaced;
using test::kRefused;
using test::kStart;
namespace fs = std::filesystem;

struct NavigationTest : test::RecordsTest {
  // "x:y" of a cell's corner in whole twips, as the fixture's text list writes it.
  static std::string at(double X, double Y) {
    return std::to_string(static_cast<int>(cellX(X))) + "," + std::to_string(static_cast<int>(cellY(Y)));
  }
  // COM's last-move text shares its place with the thinking notice, which every step erases;
  // what tells the sides apart is whether MAN's place was erased too.
  bool comMoveTextErased() const { return drawnAt(-2, 6) && drawnAt(-1, 6) && drawnAt(0, 6); }
  bool manMoveTextErased() const { return drawnAt(9, 2) && drawnAt(10, 2) && drawnAt(11, 2); }
};

TEST_F(NavigationTest, BackAtTheStartIsRefusedYetWaitsForTheNextClick) {
  // Before any game.
  nav->REPLAY_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"戻る|できません"}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().再開待ち, 1);
  EXPECT_EQ(g().盤面, board(kStart));

  // At the start of a game, with the record panel open: it closes all the same.
  form->START_Click();
  records->KIFU_READ_Click();
  g().再開待ち = 0;
  clear();
  nav->REPLAY_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"戻る|できません"}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().再開待ち, 1);
  EXPECT_TRUE(panel.closed());
  EXPECT_EQ(g().手番, 先手);
  EXPECT_EQ(g().手数, 0);

  // 進 before any game has been started asks for one.
  form->CANCEL_Click();
  g().再開待ち = 0;
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"開始|「対局」で始めて下さい"}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().再開待ち, 0);
}

TEST_F(NavigationTest, TwoMovesThenBackShowsThePositionAfterTheFirst) {
  form->START_Click();
  move(3, 5, 3, 4);  // 1: MAN silver up
  move(5, 2, 5, 3);  // 2: COM pawn down
  ASSERT_EQ(g().記録位置, 2);
  ASSERT_EQ(g().記録最終, 1);
  ASSERT_EQ(g().手番, 先手);
  g().選択状態 = 1;  // a move half entered is dropped by the step
  clear();

  nav->REPLAY_Click();
  EXPECT_EQ(g().選択状態, 0);
  EXPECT_EQ(g().盤面, board("rbsgk/4p/5/P1S2/KG1BR b - 1"));
  EXPECT_EQ(g().記録位置, 1);
  EXPECT_EQ(g().手数, 1);
  EXPECT_EQ(g().手番, g().COM手番);  // the side that made move 2 is to move again
  EXPECT_EQ(g().再開待ち, 1);
  EXPECT_FALSE(g().timer1Enabled);
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kPlaced}));
  EXPECT_TRUE(comMoveTextErased());   // move 2 was COM's
  EXPECT_FALSE(manMoveTextErased());  // move 1's text stays

  // Nothing beyond slot 1 was saved: the last move can only be played again by hand.
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"進む|できません"}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().盤面, board("rbsgk/4p/5/P1S2/KG1BR b - 1"));
  EXPECT_EQ(g().記録位置, 1);

  // Back to the start, then no further.
  clear();
  nav->REPLAY_Click();
  EXPECT_EQ(g().盤面, board(kStart));
  EXPECT_EQ(g().記録位置, 0);
  EXPECT_EQ(g().手数, 0);
  EXPECT_EQ(g().手番, g().MAN手番);
  EXPECT_TRUE(manMoveTextErased());
  clear();
  nav->REPLAY_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"戻る|できません"}));
  EXPECT_EQ(g().盤面, board(kStart));
}

TEST_F(NavigationTest, ThreeMovesBackTwiceForwardOnceShowsSlotTwoWithItsClocks) {
  fake.now = 100;
  form->START_Click();
  fake.now = 110;
  move(3, 5, 3, 4);  // 1: MAN silver, 10 s
  fake.now = 130;
  move(5, 2, 5, 3);  // 2: COM pawn, 20 s
  fake.now = 160;
  move(1, 4, 1, 3);  // 3: MAN pawn, 30 s
  ASSERT_EQ(g().MAN秒, 40);
  ASSERT_EQ(g().COM秒, 20);

  clear();
  nav->REPLAY_Click();  // takes back MAN's move 3
  EXPECT_TRUE(manMoveTextErased());
  EXPECT_EQ(g().MAN秒, 10);  // the totals at the position shown
  EXPECT_EQ(g().COM秒, 20);
  clear();
  nav->REPLAY_Click();  // takes back COM's move 2
  EXPECT_TRUE(comMoveTextErased());
  EXPECT_FALSE(manMoveTextErased());
  EXPECT_EQ(g().盤面, board("rbsgk/4p/5/P1S2/KG1BR b - 1"));
  EXPECT_EQ(g().MAN秒, 10);
  EXPECT_EQ(g().COM秒, 0);
  EXPECT_EQ(g().手番, g().COM手番);

  g().選択状態 = 1;
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(g().選択状態, 0);
  EXPECT_EQ(g().盤面, board("rbsgk/5/4p/P1S2/KG1BR b - 1"));
  EXPECT_EQ(g().記録位置, 2);
  EXPECT_EQ(g().手数, 2);
  EXPECT_EQ(g().手番, g().MAN手番);
  EXPECT_EQ(g().再開待ち, 1);
  EXPECT_FALSE(g().timer1Enabled);
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kPlaced}));
  // Move 2 ended on (5,3): file 1, rank 三, a COM pawn, written in COM's place in 選択色.
  const MoveEnd m = 調査_移動結果(g(), 2);
  EXPECT_TRUE(m.found);
  EXPECT_EQ(m.X, 5);
  EXPECT_EQ(m.Y, 3);
  EXPECT_EQ(m.駒, COM歩);
  EXPECT_TRUE(hasText("15:１@" + at(-1.6, 6.4)));
  EXPECT_TRUE(hasText("15:三@" + at(-1.2, 6.4)));
  EXPECT_TRUE(hasText("15:歩@" + at(-0.6, 6.4)));
  // The clocks show the totals at the position, before move 3: MAN 10 s, COM 20 s (not the
  // 40 s MAN had after move 3).
  EXPECT_EQ(g().MAN秒, 10);
  EXPECT_EQ(g().COM秒, 20);
  EXPECT_TRUE(hasText("15:00:00:20@" + at(-1.6, 7.2)));
  EXPECT_TRUE(hasText("15:00:00:10@" + at(7, 7.2)));
  EXPECT_FALSE(hasText("15:00:00:40@" + at(7, 7.2)));
  // The move number 2 is drawn (twice: after the count and after the turn).
  EXPECT_TRUE(hasText("15: 2@" + at(9.2, 3.3)));

  // That is the last saved slot.
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"進む|できません"}));
}

TEST_F(NavigationTest, UnderATimeControlSteppingBackGivesBackTheTimeOfTheMovesTakenBack) {
  form->timeControlClick(MenuItem::JIKAN_3_2);  // 3 minutes, 2 seconds added a move
  fake.now = 100;
  form->START_Click();
  fake.now = 110;
  move(3, 5, 3, 4);  // MAN 10 s: 172 s left
  fake.now = 130;
  move(5, 2, 5, 3);  // COM 20 s: 162 s left
  fake.now = 160;
  move(1, 4, 1, 3);  // MAN 30 s: 144 s left
  ASSERT_EQ(g().残りMAN, 144);
  ASSERT_EQ(g().残りCOM, 162);

  nav->REPLAY_Click();
  EXPECT_EQ(g().残りMAN, 172);
  EXPECT_EQ(g().残りCOM, 162);
  nav->REPLAY_Click();
  EXPECT_EQ(g().残りMAN, 172);
  EXPECT_EQ(g().残りCOM, 180);
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(g().残りCOM, 162);
  EXPECT_TRUE(hasText("15:00:02:42@" + at(-1.6, 7.2)));  // COM's clock counts down from there
  EXPECT_TRUE(hasText("15:00:02:52@" + at(7, 7.2)));
}

TEST_F(NavigationTest, TheMoveFoundIsTheSquareThatReceivedAPiece) {
  // A drop: only the hand tells where the pawn came from; the square is what is found.
  const Board beforeDrop = board("rbsgk/5/5/P4/KGSBR b P 1");
  const Board afterDrop = board("rbsgk/5/2P2/P4/KGSBR w - 1");
  MoveEnd m = 調査_移動結果(afterDrop, beforeDrop);
  EXPECT_TRUE(m.found);
  EXPECT_EQ(m.X, 3);
  EXPECT_EQ(m.Y, 3);
  EXPECT_EQ(m.駒, MAN歩);
  // A rook move along the bottom row: the emptied source (1,5) comes first and is skipped.
  m = 調査_移動結果(board("2k2/5/5/5/2R1K w - 1"), board("2k2/5/5/5/R3K b - 1"));
  EXPECT_TRUE(m.found);
  EXPECT_EQ(m.X, 3);
  EXPECT_EQ(m.Y, 5);
  EXPECT_EQ(m.駒, MAN飛);
  // A capture: the captured pawn's square now holds the rook.
  m = 調査_移動結果(board("2k2/5/R4/5/4K w P 1"), board("2k2/5/p4/5/R3K b - 1"));
  EXPECT_EQ(m.X, 1);
  EXPECT_EQ(m.Y, 3);
  EXPECT_EQ(m.駒, MAN飛);
  // No square changed: nothing found, and a slot that does not exist finds nothing.
  EXPECT_FALSE(調査_移動結果(beforeDrop, beforeDrop).found);
  EXPECT_FALSE(調査_移動結果(g(), 5).found);

  // 進 over a drop saved in the history writes MAN's text for the drop square.
  GameState& s = g();
  const GameState before = test::position("rbsgk/5/5/P4/KGSBR b P 1");
  const GameState after = test::position("rbsgk/5/2P2/P4/KGSBR w - 1");
  s.記録 = {HistorySlot{before.盤面, before.持駒MAN, before.持駒COM},
            HistorySlot{after.盤面, after.持駒MAN, after.持駒COM}};
  s.盤面 = before.盤面;
  s.持駒MAN = before.持駒MAN;
  s.手番 = 先手;
  s.MAN手番 = 先手;
  s.COM手番 = 後手;
  s.記録位置 = 0;
  s.記録最終 = 1;
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(s.盤面, after.盤面);
  EXPECT_EQ(s.持駒MAN(1), 0);
  EXPECT_EQ(s.持駒数MAN, 0);
  EXPECT_TRUE(hasText("15:３@" + at(9.4, 2.4)));
  EXPECT_TRUE(hasText("15:三@" + at(9.8, 2.4)));
  EXPECT_TRUE(hasText("15:歩@" + at(10.4, 2.4)));
  // 戻 puts the pawn back in MAN's hand and erases MAN's text.
  clear();
  nav->REPLAY_Click();
  EXPECT_EQ(s.盤面, before.盤面);
  EXPECT_EQ(s.持駒MAN(1), 1);
  EXPECT_EQ(s.持駒数MAN, 1);
  EXPECT_TRUE(manMoveTextErased());
}

TEST_F(NavigationTest, ForwardOntoAPositionNoMoveLedToWritesNoMoveText) {
  // A loaded record whose only line is the starting position itself: no square received a
  // piece between slot 0 and slot 1.
  HistorySlot slot;
  slot.盤面 = board(kStart);
  writeFile(folder / test::u8path("同形.棋譜"), "t\r\nu\r\nl\r\n" + recordLine(slot) + "\r\n");
  load("同形.棋譜");
  ASSERT_EQ(g().記録最終, 1);
  ASSERT_FALSE(調査_移動結果(g(), 1).found);
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(g().記録位置, 1);
  EXPECT_EQ(g().盤面, board(kStart));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kPlaced}));
  // MAN's last-move place is wiped, and no file, rank or piece is written in either place.
  EXPECT_TRUE(manMoveTextErased());
  for (const std::string& t : texts()) {
    EXPECT_EQ(t.find("@" + at(9.4, 2.4)), std::string::npos) << t;
    EXPECT_EQ(t.find("@" + at(-1.6, 6.4)), std::string::npos) << t;
  }
}

TEST_F(NavigationTest, TurningTheStartingPositionGivesItBackWithTheSidesChanged) {
  form->START_Click();
  clear();
  nav->REVERSE_Click();
  // COM's rook from (1,1) is MAN's rook on (5,5); MAN's king from (1,5) is COM's king on (5,1):
  // the starting position is its own turned image.
  EXPECT_EQ(g().盤面(5, 5), MAN飛);
  EXPECT_EQ(g().盤面(5, 1), COM王);
  EXPECT_EQ(g().盤面, board(kStart));
  EXPECT_EQ(g().反転済, 1);
  EXPECT_EQ(g().手番, 後手);  // the pieces that were to move are now the upper side's
  EXPECT_EQ(g().手数, 0);
  EXPECT_EQ(g().記録位置, 0);
  EXPECT_EQ(g().記録最終, 0);
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kPlaced}));
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
  EXPECT_TRUE(drawnAt(6.8, -0.5));  // the whole window was redrawn (the title picture)
}

TEST_F(NavigationTest, TurningTwiceGivesBoardAndHandsBackButTheHistoryStaysEmpty) {
  form->START_Click();
  move(3, 5, 3, 4);
  move(5, 2, 5, 3);
  ASSERT_EQ(g().記録位置, 2);
  // MAN's promoted pawn, COM's dragon, a silver and a pawn in MAN's hand, a gold in COM's.
  const GameState p = test::position("4k/2+P2/5/1+r3/K4 b SPg 1");
  g().盤面 = p.盤面;
  g().持駒MAN = p.持駒MAN;
  g().持駒COM = p.持駒COM;
  g().持駒数MAN = 2;
  g().持駒数COM = 1;
  g().選択状態 = 1;

  nav->REVERSE_Click();
  const GameState turned = test::position("4k/3+R1/5/2+p2/K4 w Gsp 1");
  EXPECT_EQ(g().盤面, turned.盤面);
  EXPECT_EQ(g().盤面(4, 2), MAN龍);  // promoted pieces stay promoted
  EXPECT_EQ(g().盤面(3, 4), COMと);
  EXPECT_EQ(g().持駒MAN, turned.持駒MAN);
  EXPECT_EQ(g().持駒COM, turned.持駒COM);
  EXPECT_EQ(g().持駒数MAN, 1);
  EXPECT_EQ(g().持駒数COM, 2);
  EXPECT_EQ(g().選択状態, 0);
  EXPECT_EQ(g().手数, 2);  // left as it was
  EXPECT_EQ(g().記録位置, 0);
  EXPECT_EQ(g().記録最終, 0);

  nav->REVERSE_Click();
  EXPECT_EQ(g().盤面, p.盤面);
  EXPECT_EQ(g().持駒MAN, p.持駒MAN);
  EXPECT_EQ(g().持駒COM, p.持駒COM);
  EXPECT_EQ(g().持駒数MAN, 2);
  EXPECT_EQ(g().持駒数COM, 1);
  EXPECT_EQ(g().手番, 先手);
  EXPECT_EQ(g().反転済, 1);
  EXPECT_EQ(g().記録位置, 0);
  EXPECT_EQ(g().記録最終, 0);

  // The history was dropped: 戻 is refused.
  clear();
  nav->REPLAY_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"戻る|できません"}));
  EXPECT_EQ(g().盤面, p.盤面);
}

TEST_F(NavigationTest, TurningIsRefusedWhileALoadedRecordIsViewed) {
  HistorySlot slot;
  slot.盤面 = board("rbsgk/4p/5/P1S2/KG1BR w - 1");
  writeFile(folder / test::u8path("一局.棋譜"), "t\r\nu\r\nl\r\n" + recordLine(slot) + "\r\n");
  load("一局.棋譜");
  ASSERT_EQ(g().棋譜モード, 1);
  nav->AFTER_Click();
  const Board shown = g().盤面;
  ASSERT_EQ(shown, slot.盤面);
  clear();

  nav->REVERSE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"反転|棋譜ﾓｰﾄﾞではできません"}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().盤面, shown);
  EXPECT_EQ(g().反転済, 0);
  EXPECT_EQ(g().記録最終, 1);

  // At the end of a loaded record 進 says so, without the refusal sound.
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"進む|終わり"}));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{});
  // Back to slot 0, which the load filled with the starting position.
  nav->REPLAY_Click();
  EXPECT_EQ(g().盤面, board(kStart));
  EXPECT_EQ(g().記録位置, 0);
}

}  // namespace
}  // namespace zelk
