// The handicap commands: every step of the ladder both ways, its ends, the label, the square
// redrawn, and the three refusals with their messages.

#include "records/records_fixture.h"

namespace zelk {
namespace {

using test::kPlaced;
using test::kRefused;
using test::kStart;

struct HandicapTest : test::RecordsTest {
  // The label last printed in white at its place beside the board.
  std::string label() const {
    std::string last;
    for (const test::DrawCall& c : fake.texts())
      if (c.colour == 色白 && c.x == cellX(9) + 120 && c.y == cellY(1) + 160) last = c.text;
    return last;
  }
};

struct Step {
  bool up;
  int level;  // reached
  int X, Y;   // the square changed
  int piece;  // what it holds now
  const char* label;
};

TEST_F(HandicapTest, APiecePickedUpIsLetGoWhenAStepChangesTheBoard) {
  form->START_Click();
  click(2, 5);  // MAN's gold picked up
  ASSERT_EQ(g().選択状態, 1);
  handicap->LEBEL_DOWN_Click();  // ▽ takes that very gold off the board
  EXPECT_EQ(g().選択状態, 0);
  const Board without = g().盤面;
  click(2, 4);  // once the destination of the gold: now an empty square, nothing picked up
  EXPECT_EQ(g().盤面, without);
  EXPECT_EQ(g().手数, 0);

  click(3, 5);  // the silver picked up, then △ puts the gold back beside it
  ASSERT_EQ(g().選択状態, 1);
  clear();
  handicap->LBEL_UP_Click();
  EXPECT_EQ(g().選択状態, 0);
  // The silver's red outline is gone.
  const std::vector<test::DrawCall> outlines = fake.outlines();
  const auto last = std::find_if(outlines.rbegin(), outlines.rend(),
                                 [](const test::DrawCall& c) { return c.x == cellX(3) && c.y == cellY(5); });
  ASSERT_NE(last, outlines.rend());
  EXPECT_NE(last->colour, 色明赤);
  click(3, 4);
  EXPECT_EQ(g().盤面, board(kStart));
  EXPECT_EQ(g().手数, 0);
}

TEST_F(HandicapTest, EveryStepOfTheLadderBothWays) {
  const Step steps[] = {
      {true, 1, 4, 1, 0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級"},       // COM's gold off
      {true, 2, 3, 1, 0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級"},       // silver
      {true, 3, 2, 1, 0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級"},       // bishop
      {true, 4, 1, 1, 0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級"},       // rook
      {false, 3, 1, 1, COM飛, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級"},  // and back on, rook first
      {false, 2, 2, 1, COM角, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級"}, {false, 1, 3, 1, COM銀, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級"},
      {false, 0, 4, 1, COM金, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"}, {false, -1, 2, 5, 0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"},  // MAN's gold off
      {false, -2, 3, 5, 0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"},    {false, -3, 4, 5, 0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"},
      {false, -4, 5, 5, 0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段"},    {true, -3, 5, 5, MAN飛, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"},
      {true, -2, 4, 5, MAN角, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"}, {true, -1, 3, 5, MAN銀, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"},
      {true, 0, 2, 5, MAN金, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"},
  };
  records->KIFU_READ_Click();
  for (const Step& s : steps) {
    SCOPED_TRACE(s.label);
    Board expected = g().盤面;
    expected(s.X, s.Y) = s.piece;
    clear();
    if (s.up) handicap->LBEL_UP_Click();
    else handicap->LEBEL_DOWN_Click();
    EXPECT_EQ(g().ハンデレベル, s.level);
    EXPECT_EQ(g().盤面, expected);
    EXPECT_EQ(label(), s.label);
    EXPECT_EQ(fake.lastPictureAt(cellX(s.X), cellY(s.Y)), pictureFor(s.piece));
    // Only the changed square is outlined again, in the outline colour.
    const std::vector<test::DrawCall> outlines = fake.outlines();
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0].colour, g().輪郭色);
    EXPECT_EQ(outlines[0].x, cellX(s.X));
    EXPECT_EQ(outlines[0].y, cellY(s.Y));
    EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kPlaced}));
    EXPECT_EQ(fake.boxes, std::vector<std::string>{});
    EXPECT_EQ(g().ハンデ設定済, 1);
    EXPECT_TRUE(panel.closed());
    if (s.level == 4) {
      EXPECT_EQ(g().盤面, board("4k/4p/5/P4/KGSBR b - 1"));
    }
    if (s.level == -4) {
      EXPECT_EQ(g().盤面, board("rbsgk/4p/5/P4/K4 b - 1"));
    }
  }
  EXPECT_EQ(g().盤面, board(kStart));
}

TEST_F(HandicapTest, AtTheEndsOfTheRangeNothingMovesAndNoSoundPlays) {
  for (int i = 0; i < 4; ++i) handicap->LBEL_UP_Click();
  const Board top = g().盤面;
  g().ハンデ設定済 = 0;
  g().記録最終 = 3;
  clear();
  handicap->LBEL_UP_Click();
  EXPECT_EQ(g().ハンデレベル, 4);
  EXPECT_EQ(g().盤面, top);
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{});
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
  EXPECT_EQ(fake.texts().size(), 0u);
  EXPECT_EQ(g().ハンデ設定済, 1);
  EXPECT_EQ(g().記録最終, 0);

  for (int i = 0; i < 8; ++i) handicap->LEBEL_DOWN_Click();
  ASSERT_EQ(g().ハンデレベル, -4);
  const Board bottom = g().盤面;
  clear();
  handicap->LEBEL_DOWN_Click();
  EXPECT_EQ(g().ハンデレベル, -4);
  EXPECT_EQ(g().盤面, bottom);
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{});
}

TEST_F(HandicapTest, UpThenDownStillForbidsSaving) {
  handicap->LBEL_UP_Click();
  EXPECT_EQ(g().盤面(4, 1), 0);
  handicap->LEBEL_DOWN_Click();
  EXPECT_EQ(g().盤面(4, 1), COM金);
  EXPECT_EQ(g().盤面, board(kStart));
  clear();
  records->KIFU_WRITE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜書込|ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"}));

  // A game started right after keeps the handicapped position.
  handicap->LBEL_UP_Click();
  form->START_Click();
  EXPECT_EQ(g().盤面(4, 1), 0);
}

TEST_F(HandicapTest, RefusalsComeInOrderWithTheirMessages) {
  const std::string tail = "\r\r局面→最初にして下さい";

  // A loaded record (even at its start, before any 進).
  writeFile(folder / "r.棋譜", "t\r\nu\r\nl\r\n" + std::string(130, ' ') + "\r\n");
  load("r.棋譜");
  g().記録位置 = 1;  // the record reason comes first
  clear();
  handicap->LBEL_UP_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定|棋譜ﾓｰﾄﾞではできません" + tail}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().盤面, board(kStart));
  EXPECT_EQ(g().ハンデ設定済, 0);

  // One move of a game.
  form->CANCEL_Click();
  form->START_Click();
  move(1, 4, 1, 3);
  const Board afterMove = g().盤面;
  const int last = g().記録最終;
  clear();
  handicap->LEBEL_DOWN_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定|対局途中ではできません" + tail}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().盤面, afterMove);
  EXPECT_EQ(g().ハンデレベル, 0);
  EXPECT_EQ(g().記録最終, last);

  // Stepped back to the start, the commands work again.
  nav->REPLAY_Click();
  ASSERT_EQ(g().記録位置, 0);
  clear();
  handicap->LBEL_UP_Click();
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
  EXPECT_EQ(g().ハンデレベル, 1);

  // A turned board.
  form->CANCEL_Click();
  nav->REVERSE_Click();
  clear();
  handicap->LBEL_UP_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定|反転後ではできません" + tail}));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kRefused}));
  EXPECT_EQ(g().ハンデレベル, 0);

  // Any other reason leaves the first line empty.
  clear();
  handicap->描画_メッセージ(7);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定|" + tail}));
}

TEST_F(HandicapTest, TurningTheBoardTurnsTheLevelRound) {
  handicap->LBEL_UP_Click();
  handicap->LBEL_UP_Click();
  ASSERT_EQ(g().盤面, board("rb2k/4p/5/P4/KGSBR b - 1"));
  clear();
  nav->REVERSE_Click();
  EXPECT_EQ(g().ハンデレベル, -2);
  EXPECT_EQ(label(), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段");
  // Now MAN lacks the gold and the silver, as at level -2.
  EXPECT_EQ(g().盤面, board("rbsgk/4p/5/P4/K2BR b - 1"));
}

}  // namespace
}  // namespace zelk
