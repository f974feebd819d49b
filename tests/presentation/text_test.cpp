// Texts of the board area: the code-to-word table, the number printer, the move number,
// the last-move texts and the areas cleared under them.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "presentation/fake_platform.h"
#include "presentation/screen.h"

namespace zelk {
namespace {

using test::DrawCall;
using P = PictureName;

struct TextTest : ::testing::Test {
  test::FakePlatform fake;
  GameState g;
  Screen screen{g, fake, fake};

  static std::string fmt(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
  }
  // Every text drawn since `from`, as "colour:text@x,y/size".
  std::vector<std::string> textsFrom(std::size_t from = 0) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < fake.draws.size(); ++i) {
      const DrawCall& c = fake.draws[i];
      if (c.kind == DrawCall::Text)
        out.push_back(std::to_string(c.colour) + ":" + c.text + "@" + fmt(c.x) + "," + fmt(c.y) + "/" +
                      std::to_string(c.size));
    }
    return out;
  }
  std::vector<std::string> picturesFrom(std::size_t from = 0) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < fake.draws.size(); ++i) {
      const DrawCall& c = fake.draws[i];
      if (c.kind == DrawCall::Picture) out.push_back(fmt(c.x) + "," + fmt(c.y));
    }
    return out;
  }
};

TEST(TextCodes, WordsForFilesRanksAndPieces) {
  EXPECT_EQ(文字列変換(1), "１");
  EXPECT_EQ(文字列変換(5), "５");
  EXPECT_EQ(文字列変換(9), "９");
  EXPECT_EQ(文字列変換(1001), "一");
  EXPECT_EQ(文字列変換(1005), "五");
  EXPECT_EQ(文字列変換(1009), "九");
  EXPECT_EQ(文字列変換(MAN歩), "歩");
  EXPECT_EQ(文字列変換(COMと), "と");
  EXPECT_EQ(文字列変換(MAN成銀), "銀成");
  EXPECT_EQ(文字列変換(COM金), "金");
  EXPECT_EQ(文字列変換(MAN馬), "角成");
  EXPECT_EQ(文字列変換(COM龍), "飛成");
  EXPECT_EQ(文字列変換(MAN王), "王");
  // Anything else is no word at all.
  EXPECT_EQ(文字列変換(0), "");
  EXPECT_EQ(文字列変換(1000), "");
  EXPECT_EQ(文字列変換(1010), "");
  EXPECT_EQ(文字列変換(111), "");
  EXPECT_EQ(文字列変換(-9), "");

  EXPECT_EQ(labelText(-10), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人");
  EXPECT_EQ(labelText(-9), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段");
  EXPECT_EQ(labelText(-1), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級");
  EXPECT_EQ(labelText(0), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級");
  EXPECT_EQ(labelText(7), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級");
  EXPECT_EQ(labelText(8), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級");
  EXPECT_EQ(labelText(10), "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級");
  EXPECT_EQ(labelText(99), "手目");
  EXPECT_EQ(labelText(11), "");
  EXPECT_EQ(labelText(-11), "");
}

TEST_F(TextTest, NumbersPrintWithASignPlaceAndRankNumeralsOnlyForOneToNine) {
  screen.描画_数値(0, 0, 7, 色白, 0, 12);
  screen.描画_数値(0, 0, -5, 色白, 0, 12);
  screen.描画_数値(0, 0, 0, 色白, 0, 12);
  screen.描画_数値(0, 0, 3, 色白, 1, 12);
  screen.描画_数値(0, 0, 0, 色白, 1, 12);   // nothing
  screen.描画_数値(0, 0, 10, 色白, 1, 12);  // nothing
  screen.描画_数値(0, 0, "12:00:00", 色白, 0, 12);
  screen.描画_文字列(0, 0, 42, 色白, 10);  // no such label: nothing
  EXPECT_EQ(textsFrom(),
            (std::vector<std::string>{"15: 7@1250.0,600.0/12", "15:-5@1250.0,600.0/12", "15: 0@1250.0,600.0/12",
                                      "15:三@1250.0,600.0/12", "15:12:00:00@1250.0,600.0/12"}));
  // Not bold until the coordinate labels have been drawn; bold ever after.
  EXPECT_FALSE(fake.texts().front().bold);
  screen.描画_桝_数値();
  screen.描画_数値(0, 0, 1, 色白, 0, 12);
  EXPECT_TRUE(fake.texts().back().bold);
}

TEST_F(TextTest, MoveNumberShiftsATenthLeftPerExtraDigit) {
  struct Case {
    int n;
    const char* black;
    const char* white;
  };
  const Case cases[] = {
      {9, "0: 9@6969.5,2946.0/12", "15: 9@6908.0,2877.0/12"},
      {10, "0: 10@6908.0,2946.0/12", "15: 10@6846.5,2877.0/12"},
      {99, "0: 99@6908.0,2946.0/12", "15: 99@6846.5,2877.0/12"},
      {100, "0: 100@6846.5,2946.0/12", "15: 100@6785.0,2877.0/12"},
  };
  for (const Case& c : cases) {
    const std::size_t from = fake.draws.size();
    screen.描画_手数(c.n);
    EXPECT_EQ(textsFrom(from),
              (std::vector<std::string>{c.black, c.white, "0:手目@7458.5,2968.0/10", "15:手目@7397.0,2899.0/10"}))
        << c.n;
    // The old number is painted over first: tiles at (9, 3) and (10, 3).
    EXPECT_EQ(picturesFrom(from), (std::vector<std::string>{"6785.0,2670.0", "7400.0,2670.0"})) << c.n;
  }
}

TEST_F(TextTest, LastMovesOfBothSidesStayEachInItsOwnArea) {
  g.MAN手番 = 先手;
  g.COM手番 = 後手;
  screen.描画_移動結果(g.COM手番, 3, 3, COM銀, 色白);
  EXPECT_EQ(picturesFrom(), (std::vector<std::string>{"20.0,4740.0", "635.0,4740.0", "1250.0,4740.0"}));
  EXPECT_EQ(textsFrom(),
            (std::vector<std::string>{"0:３@327.5,5085.0/12", "15:３@266.0,5016.0/12", "0:三@573.5,5085.0/12",
                                      "15:三@512.0,5016.0/12", "0:銀@942.5,5085.0/12", "15:銀@881.0,5016.0/12"}));
  EXPECT_FLOAT_EQ(fake.outlines().back().x, 1865);
  EXPECT_FLOAT_EQ(fake.outlines().back().y, 4740);

  const std::size_t from = fake.draws.size();
  screen.描画_移動結果(g.MAN手番, 4, 2, MAN龍, 色白);
  // Only MAN's area is cleared: tiles at (9, 2), (10, 2), (11, 2).
  EXPECT_EQ(picturesFrom(from), (std::vector<std::string>{"6785.0,1980.0", "7400.0,1980.0", "8015.0,1980.0"}));
  EXPECT_EQ(textsFrom(from), (std::vector<std::string>{"0:２@7092.5,2325.0/12", "15:２@7031.0,2256.0/12",
                                                       "0:二@7338.5,2325.0/12", "15:二@7277.0,2256.0/12",
                                                       "0:飛成@7707.5,2325.0/12", "15:飛成@7646.0,2256.0/12"}));

  // A move whose piece has no word leaves that part out.
  const std::size_t from2 = fake.draws.size();
  screen.描画_移動結果(g.MAN手番, 5, 5, 0, 色白);
  EXPECT_EQ(textsFrom(from2).size(), 4u);
}

TEST_F(TextTest, ClearingTheRowUnderTheBoardAndTheThinkingNotice) {
  screen.描画_棋譜読込み部分消去();
  EXPECT_EQ(picturesFrom(), (std::vector<std::string>{"635.0,4740.0", "1250.0,4740.0", "1865.0,4740.0", "2480.0,4740.0",
                                                      "3095.0,4740.0", "3710.0,4740.0", "4325.0,4740.0"}));
  const auto o = fake.outlines();
  ASSERT_EQ(o.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_FLOAT_EQ(o[i].x, 1865 + 615 * i);
    EXPECT_FLOAT_EQ(o[i].y, 4050);
  }

  const std::size_t from = fake.draws.size();
  screen.消去_思考中();
  EXPECT_EQ(picturesFrom(from), (std::vector<std::string>{"20.0,4740.0", "635.0,4740.0", "1250.0,4740.0"}));
  EXPECT_FLOAT_EQ(fake.outlines().back().x, 635);
  EXPECT_FLOAT_EQ(fake.outlines().back().y, 4050);
}

}  // namespace
}  // namespace zelk
