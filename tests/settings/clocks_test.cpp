// The clocks: their hh:mm:ss texts, the midnight rule and what each tick draws.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/fake_platform.h"
#include "settings/clocks.h"

namespace zelk {
namespace {

using test::DrawCall;

TEST(ClockText, HoursMinutesSecondsInTwoDigitFields) {
  EXPECT_EQ(調査_時間秒追加結果(0), "00:00:00");
  EXPECT_EQ(調査_時間秒追加結果(59.9), "00:00:59");
  EXPECT_EQ(調査_時間秒追加結果(60), "00:01:00");
  EXPECT_EQ(調査_時間秒追加結果(3599.99), "00:59:59");
  EXPECT_EQ(調査_時間秒追加結果(3600), "01:00:00");
  EXPECT_EQ(調査_時間秒追加結果(3725), "01:02:05");
  EXPECT_EQ(調査_時間秒追加結果(359999), "99:59:59");
  // A hundred hours do not fit the hour field: it stays empty.
  EXPECT_EQ(調査_時間秒追加結果(360000), ":00:00");
  EXPECT_EQ(調査_時間秒追加結果(360000 + 3725), ":02:05");

  EXPECT_EQ(変換_数字から文字(0), "00");
  EXPECT_EQ(変換_数字から文字(7), "07");
  EXPECT_EQ(変換_数字から文字(42), "42");
  EXPECT_EQ(変換_数字から文字(99), "99");
  EXPECT_EQ(変換_数字から文字(100), "");
}

TEST(ClockText, ElapsedTimeAcrossMidnight) {
  EXPECT_DOUBLE_EQ(調査_経過秒(10, 15.25), 5.25);
  EXPECT_DOUBLE_EQ(調査_経過秒(500, 500), 0);
  EXPECT_DOUBLE_EQ(調査_経過秒(86399.5, 0.5), 1);
  EXPECT_DOUBLE_EQ(調査_経過秒(86000, 100), 500);
}

struct ClocksTest : ::testing::Test {
  test::FakePlatform fake;
  GameState g;
  Platform p = fake.platform();
  Screen screen{g, fake, fake};
  Clocks clocks{g, screen, p};

  void SetUp() override {
    fake.checks[MenuItem::KEIKA] = true;
    g.MAN手番 = 先手;
    g.COM手番 = 後手;
    g.手番 = 先手;
    g.timer1Enabled = true;
    g.開始時刻 = 100;
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const DrawCall& c : fake.texts())
      out.push_back(std::to_string(c.colour) + ":" + c.text + "@" + std::to_string(static_cast<int>(c.x * 10)) + "," +
                    std::to_string(static_cast<int>(c.y * 10)));
    return out;
  }
};

TEST_F(ClocksTest, TickRedrawsTheMoversClockOncePerWholeSecond) {
  g.MAN秒 = 3600;
  fake.now = 100.5;
  clocks.Timer1_Timer();
  EXPECT_DOUBLE_EQ(g.経過秒, 0.5);
  EXPECT_TRUE(fake.draws.empty());  // still the second last shown

  fake.now = 101.2;
  clocks.Timer1_Timer();
  EXPECT_EQ(g.表示秒, 1);
  // MAN's clock: the sum of the total and this move, shadowed, right of the board.
  EXPECT_EQ(texts(), (std::vector<std::string>{"0:01:00:01@56165,56370", "15:01:00:01@55550,55680"}));
  EXPECT_DOUBLE_EQ(g.MAN秒, 3600);  // drawing leaves the total alone
  // Its area, columns 7 to 10 of row 7, is painted over first; the window is refreshed last.
  const auto pictures = fake.pictures();
  ASSERT_EQ(pictures.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(pictures[i].x, 1250 + 615 * (7 + i));
    EXPECT_FLOAT_EQ(pictures[i].y, 5430);
  }
  EXPECT_EQ(fake.draws.back().kind, DrawCall::Refresh);

  const std::size_t drawn = fake.draws.size();
  fake.now = 101.9;
  clocks.Timer1_Timer();
  EXPECT_EQ(fake.draws.size(), drawn);
}

TEST_F(ClocksTest, ComputersClockIsDrawnUnderItsHand) {
  g.手番 = 後手;
  g.COM秒 = 59;
  fake.now = 102;
  clocks.Timer1_Timer();
  EXPECT_EQ(texts(), (std::vector<std::string>{"0:00:01:01@3275,56370", "15:00:01:01@2660,55680"}));
  const auto pictures = fake.pictures();
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_FLOAT_EQ(pictures[0].x, 20);
  EXPECT_FLOAT_EQ(pictures[2].x, 1250);
}

TEST_F(ClocksTest, MidnightDuringAMove) {
  g.開始時刻 = 86399.5;
  fake.now = 0.5;
  clocks.Timer1_Timer();
  EXPECT_DOUBLE_EQ(g.経過秒, 1);
  EXPECT_EQ(texts().back(), "15:00:00:01@55550,55680");
}

TEST_F(ClocksTest, TicksThatDrawNothing) {
  fake.now = 105;
  g.手番 = 0;  // no game: the tick computes, and draws nothing
  clocks.Timer1_Timer();
  EXPECT_DOUBLE_EQ(g.経過秒, 5);
  EXPECT_TRUE(fake.texts().empty());

  g.手番 = 先手;
  g.勝者 = 先手;  // decided: the last time shown stays, 経過秒 too
  g.経過秒 = 0;
  fake.now = 110;
  clocks.Timer1_Timer();
  EXPECT_DOUBLE_EQ(g.経過秒, 0);
  EXPECT_TRUE(fake.texts().empty());

  g.勝者 = 0;
  g.timer1Enabled = false;  // stopped
  clocks.Timer1_Timer();
  EXPECT_DOUBLE_EQ(g.経過秒, 0);

  g.timer1Enabled = true;
  g.表示秒 = 0;
  fake.checks[MenuItem::KEIKA] = false;  // display off: nothing drawn, nothing erased
  clocks.Timer1_Timer();
  EXPECT_DOUBLE_EQ(g.経過秒, 10);
  EXPECT_TRUE(fake.texts().empty());
  EXPECT_TRUE(fake.pictures().empty());

  fake.checks[MenuItem::KEIKA] = true;
  clocks.消去_所有時間(0);  // neither side
  clocks.描画_所有時間(0, 5);
  EXPECT_TRUE(fake.pictures().empty());
  EXPECT_TRUE(fake.texts().empty());
}

TEST_F(ClocksTest, DrawingATotalOfAnHourOrMoreKeepsIt) {
  double total = 7384.5;
  clocks.描画_所有時間(g.MAN手番, total);
  EXPECT_DOUBLE_EQ(total, 7384.5);
  EXPECT_EQ(texts().back(), "15:02:03:04@55550,55680");
}

}  // namespace
}  // namespace zelk
