// The board area as drawn on the recording surface: pictures, outlines and texts at the
// twips positions of their cells (cell (X, Y) at 1250 + 615 X, 600 + 690 Y).

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/setup.h"
#include "presentation/fake_platform.h"
#include "presentation/screen.h"

namespace zelk {
namespace {

using test::DrawCall;
using P = PictureName;

struct ScreenTest : ::testing::Test {
  test::FakePlatform fake;
  GameState g;
  Screen screen{g, fake, fake};

  // Texts drawn in one colour, as "text@x,y/size".
  std::vector<std::string> textsIn(int colour) const {
    std::vector<std::string> out;
    for (const DrawCall& c : fake.texts())
      if (c.colour == colour) out.push_back(c.text + "@" + fmt(c.x) + "," + fmt(c.y) + "/" + std::to_string(c.size));
    return out;
  }
  static std::string fmt(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
  }
};

TEST_F(ScreenTest, StartPositionFullRedraw) {
  初期設定(g, screen);

  // Every square shows its piece, pointing up for MAN and down for COM, or the empty square.
  const Picture expected[6][6] = {
      {},
      {{}, {P::UE_SYA}, {P::KARA_MASU}, {P::KARA_MASU}, {P::SITA_HU}, {P::SITA_OU}},
      {{}, {P::UE_KAKU}, {P::KARA_MASU}, {P::KARA_MASU}, {P::KARA_MASU}, {P::SITA_KIN}},
      {{}, {P::UE_GIN}, {P::KARA_MASU}, {P::KARA_MASU}, {P::KARA_MASU}, {P::SITA_GIN}},
      {{}, {P::UE_KIN}, {P::KARA_MASU}, {P::KARA_MASU}, {P::KARA_MASU}, {P::SITA_KAKU}},
      {{}, {P::UE_OU}, {P::UE_HU}, {P::KARA_MASU}, {P::KARA_MASU}, {P::SITA_SYA}},
  };
  int pieces = 0;
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y) {
      auto shown = fake.lastPictureAt(1250 + 615 * X, 600 + 690 * Y);
      ASSERT_TRUE(shown) << X << "," << Y;
      EXPECT_EQ(shown->name, expected[X][Y].name) << X << "," << Y;
      EXPECT_EQ(shown->index, 0) << X << "," << Y;
      if (shown->name != P::KARA_MASU) ++pieces;
    }
  EXPECT_EQ(pieces, 12);

  // Background tiles never land on a board square; the grid runs from (-3,-2) to (28,17).
  int tiles = 0;
  for (const DrawCall& c : fake.pictures()) {
    if (c.picture.name != P::HAIKEI_MIDORI) continue;
    ++tiles;
    const double X = (c.x - 1250) / 615.0, Y = (c.y - 600) / 690.0;
    EXPECT_FALSE(X >= 1 && X <= 5 && Y >= 1 && Y <= 5) << X << "," << Y;
  }
  // 32 x 20 cells less the 25 squares, plus the retiled label cells, hand counts and clocks.
  EXPECT_GE(tiles, 32 * 20 - 25);

  // Each square's outline in green comes after its picture.
  const auto& d = fake.draws;
  for (int X = 1; X <= 5; ++X)
    for (int Y = 1; Y <= 5; ++Y) {
      const float x = 1250 + 615 * X, y = 600 + 690 * Y;
      int lastPicture = -1, lastOutline = -1;
      for (int i = 0; i < static_cast<int>(d.size()); ++i) {
        if (d[i].x != x || d[i].y != y) continue;
        if (d[i].kind == DrawCall::Picture) lastPicture = i;
        if (d[i].kind == DrawCall::Outline && d[i].colour == 色緑 && d[i].x2 == x + 615 && d[i].y2 == y + 690)
          lastOutline = i;
      }
      EXPECT_GT(lastOutline, lastPicture) << X << "," << Y;
    }

  // File numbers 5..1 above the board and ranks 一..五 to its right, yellow over black, bold.
  EXPECT_EQ(textsIn(色黄), (std::vector<std::string>{" 5@1926.5,876.0/16", "一@5001.5,1497.0/12", " 4@2541.5,876.0/16",
                                                     "二@5001.5,2187.0/12", " 3@3156.5,876.0/16", "三@5001.5,2877.0/12",
                                                     " 2@3771.5,876.0/16", "四@5001.5,3567.0/12", " 1@4386.5,876.0/16",
                                                     "五@5001.5,4257.0/12"}));
  EXPECT_EQ(textsIn(色黒).size(), 10u);
  EXPECT_EQ(textsIn(色黒).front(), " 5@1988.0,945.0/16");
  for (const DrawCall& c : fake.texts()) EXPECT_TRUE(c.bold) << c.text;

  // No game yet: no level text; the title is the last thing drawn, at (6.8, -0.5).
  for (const DrawCall& c : fake.texts()) EXPECT_NE(c.text, "LEVEL");
  ASSERT_EQ(fake.draws.back().kind, DrawCall::Picture);
  EXPECT_EQ(fake.draws.back().picture.name, P::ZelkSHOGI);
  EXPECT_FLOAT_EQ(fake.draws.back().x, 5432);
  EXPECT_FLOAT_EQ(fake.draws.back().y, 255);
}

TEST_F(ScreenTest, RedrawInAComputerGameShowsTheLevelAndTheHandicap) {
  g.対局モード = 1;
  g.レベル = 2;
  g.ハンデ設定済 = 1;
  g.ハンデレベル = -2;
  screen.画面_再描画();
  EXPECT_EQ(textsIn(色白), (std::vector<std::string>{"LEVEL@327.5,669.0/10", " 2@1311.5,669.0/12",
                                                     "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段@6905.0,1450.0/10"}));
  // After the ten label shadows; the level number's shadow sits exactly under it.
  const auto black = textsIn(色黒);
  ASSERT_EQ(black.size(), 13u);
  EXPECT_EQ(
      std::vector<std::string>(black.end() - 3, black.end()),
      (std::vector<std::string>{"LEVEL@389.0,738.0/10", " 2@1311.5,669.0/12", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段@6966.5,1519.0/10"}));
}

TEST_F(ScreenTest, HandsShowPiecesAndShadowedCountsOnlyWhereHeld) {
  g.持駒MAN(1) = 2;  // two pawns
  g.持駒MAN(4) = 1;  // a bishop
  g.持駒COM(5) = 1;  // a rook: top row of COM's upside-down stand
  g.持駒COM(1) = 3;  // three pawns: bottom row
  screen.描画_自持盤();
  screen.描画_敵持盤();

  const Picture man[6] = {{}, {P::SITA_HU}, {P::KARA_MASU}, {P::KARA_MASU}, {P::SITA_KAKU}, {P::KARA_MASU}};
  const Picture com[6] = {{}, {P::UE_SYA}, {P::KARA_MASU}, {P::KARA_MASU}, {P::KARA_MASU}, {P::UE_HU}};
  for (int K = 1; K <= 5; ++K) {
    EXPECT_EQ(fake.lastPictureAt(5555, 600 + 690 * K), man[K]) << K;
    EXPECT_EQ(fake.lastPictureAt(635, 600 + 690 * K), com[K]) << K;
    EXPECT_EQ(fake.lastPictureAt(6170, 600 + 690 * K), (Picture{P::HAIKEI_MIDORI})) << K;
    EXPECT_EQ(fake.lastPictureAt(1250, 600 + 690 * K), (Picture{P::HAIKEI_MIDORI})) << K;
  }
  EXPECT_EQ(textsIn(色明赤), (std::vector<std::string>{" 2@6170.0,1428.0/14", " 1@6170.0,3498.0/14",
                                                       " 1@1250.0,1428.0/14", " 3@1250.0,4188.0/14"}));
  EXPECT_EQ(textsIn(色黒), (std::vector<std::string>{" 2@6231.5,1497.0/14", " 1@6231.5,3567.0/14",
                                                     " 1@1311.5,1497.0/14", " 3@1311.5,4257.0/14"}));

  // MAN's stand ends with its cell's outline; COM's restores the board's first column.
  const auto outlines = fake.outlines();
  ASSERT_FALSE(outlines.empty());
  EXPECT_FLOAT_EQ(outlines.back().x, 1865);
  EXPECT_FLOAT_EQ(outlines.back().y, 4050);
  EXPECT_EQ(outlines.back().colour, 色緑);
}

TEST_F(ScreenTest, PictureCodesAndOutlines) {
  screen.描画_絵(0, 2, 3);
  screen.描画_絵(MAN龍, 1, 1);
  screen.描画_絵(COMと, 1, 2);
  screen.描画_絵(COM成銀, 1, 3);
  screen.描画_絵(111, 4, 4);  // no picture
  screen.描画_絵(7, 4, 4);    // no picture
  screen.描画_絵(-1, 4, 4);   // no picture
  screen.描画_絵(背景煉瓦, 0.5, -0.5);
  const auto p = fake.pictures();
  ASSERT_EQ(p.size(), 5u);
  EXPECT_EQ(p[0].picture, (Picture{P::KARA_MASU}));
  EXPECT_EQ(p[1].picture, (Picture{P::SITA_SYA, 1}));
  EXPECT_EQ(p[2].picture, (Picture{P::UE_HU, 1}));
  EXPECT_EQ(p[3].picture, (Picture{P::UE_GIN, 1}));
  EXPECT_EQ(p[4].picture, (Picture{P::HAIKEI_RENGA}));
  EXPECT_FLOAT_EQ(p[4].x, 1557.5);
  EXPECT_FLOAT_EQ(p[4].y, 255);

  screen.描画_桝輪郭(色明赤, 3, 2);
  const auto o = fake.outlines().back();
  EXPECT_EQ(o.colour, 色明赤);
  EXPECT_FLOAT_EQ(o.x, 3095);
  EXPECT_FLOAT_EQ(o.y, 1980);
  EXPECT_FLOAT_EQ(o.x2, 3710);
  EXPECT_FLOAT_EQ(o.y2, 2670);
}

TEST_F(ScreenTest, GuidanceOutlinesOnlyWhileOn) {
  placeStartingPosition(g);
  fake.draws.clear();
  // Guidance off: the 25 outlines go back to the square colour and nothing more.
  screen.描画_移動可能桝色(2, 5, 色白, MAN金);
  auto o = fake.outlines();
  ASSERT_EQ(o.size(), 25u);
  for (const DrawCall& c : o) EXPECT_EQ(c.colour, 色緑);

  // Guidance on: the gold on (2,5) reaches (2,4) and (3,4); (1,4), (1,5), (3,5) are its own.
  fake.draws.clear();
  g.移動指導 = 1;
  screen.描画_移動可能桝色(2, 5, 色白, MAN金);
  o = fake.outlines();
  ASSERT_EQ(o.size(), 27u);
  EXPECT_EQ(o[25].colour, 色白);
  EXPECT_FLOAT_EQ(o[25].x, 2480);
  EXPECT_FLOAT_EQ(o[25].y, 3360);
  EXPECT_FLOAT_EQ(o[26].x, 3095);
  EXPECT_FLOAT_EQ(o[26].y, 3360);
}

TEST_F(ScreenTest, UnderTheOfficialRulesGuidanceShowsNoSquareWhereTheKingWouldStandInCheck) {
  // The king on (3,5) below the upper rook's row 4: under the game's own rules it may step
  // anywhere, under the official ones only beside itself on row 5.
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) g.盤面(x, y) = 0;
  g.盤面(3, 5) = MAN王;
  g.盤面(5, 4) = COM飛;
  g.盤面(1, 1) = COM王;
  g.移動指導 = 1;
  for (const Rules rules : {Rules::kingCapture, Rules::official}) {
    g.rules = rules;
    fake.draws.clear();
    screen.描画_移動可能桝色(3, 5, 色白, MAN王);
    EXPECT_EQ(fake.outlines().size(), rules == Rules::official ? 27u : 30u);
  }
}

TEST_F(ScreenTest, ABlinkShowsTheEmptySquareAndThePieceInTurnAFifthOfASecondEachAndEndsOnThePiece) {
  fake.pausesPassAtOnce = false;
  bool over = false;
  screen.描画_駒点滅(COM金, 3, 3, 2, [&] { over = true; });
  auto shown = [&] {
    std::vector<PictureName> at;
    for (const DrawCall& c : fake.pictures()) at.push_back(c.picture.name);
    return at;
  };
  EXPECT_EQ(shown(), (std::vector<PictureName>{P::KARA_MASU}));
  ASSERT_FALSE(fake.draws.empty());
  EXPECT_EQ(fake.draws.back().kind, DrawCall::Refresh);  // on the screen before its pause
  fake.advance(0.19);
  EXPECT_EQ(shown().size(), 1u);
  fake.advance(0.02);
  EXPECT_EQ(shown(), (std::vector<PictureName>{P::KARA_MASU, P::UE_KIN}));
  fake.advance(0.4);
  EXPECT_EQ(shown(), (std::vector<PictureName>{P::KARA_MASU, P::UE_KIN, P::KARA_MASU, P::UE_KIN}));
  EXPECT_FALSE(over);
  fake.advance(0.2);
  EXPECT_TRUE(over);
  EXPECT_EQ(fake.lastPictureAt(3095, 2670), (Picture{P::UE_KIN}));
  EXPECT_EQ(fake.waitingSteps(), 0u);
}

TEST_F(ScreenTest, APauseOfZeroGoesOnAtOnceAndACancelledPauseNeverEnds) {
  fake.pausesPassAtOnce = false;
  int ended = 0;
  screen.待ち時間(0, [&] { ++ended; });
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(fake.waitingSteps(), 0u);

  screen.待ち時間(0.5, [&] { ++ended; });
  screen.描画_駒点滅(COM金, 3, 3, 2, [&] { ++ended; });
  screen.cancelPauses();
  fake.advance(2);
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(fake.pictures().size(), 1u);  // the blink stopped at its first frame

  screen.待ち時間(0.5, [&] { ++ended; });  // pauses after the cancel run as usual
  fake.advance(0.5);
  EXPECT_EQ(ended, 2);
}

}  // namespace
}  // namespace zelk
