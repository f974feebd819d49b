#include <gtest/gtest.h>

#include <string>

#include "core/position_check.h"
#include "core/sfen.h"
#include "core/test_support.h"

namespace zelk {
namespace {

struct Case {
  const char* sfen;
  const char* text;
  const char* japanese;
};

TEST(PositionCheck, PositionsFromPlayStand) {
  for (const char* sfen : {"rbsgk/4p/5/P4/KGSBR b - 1", "r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22",
                           "+r+bs1k/4+p/5/+P1+S2/K3+R b bg 15", "k4/5/5/5/4K b 2R2B2G2S2P 100",
                           "k1p2/2P2/5/5/4K b - 1",      // a pawn of each side on one file
                           "k4/2+P2/2P2/5/4K b - 1"}) {  // a と and a pawn of one side on one file
    const GameState g = test::position(sfen);
    const auto p = positionProblem(g);
    EXPECT_FALSE(p.has_value()) << sfen << ": " << (p ? p->text : "");
  }
}

TEST(PositionCheck, ImpossiblePositionsAreNamed) {
  const Case cases[] = {
      {"rbsgk/4p/5/P4/KGSBR b 40P 1", "more than 2 pawns on the board and in the hands",
       "歩が盤と持駒で2枚を超えています"},
      {"rbsgk/4p/5/P4/KGSBR b P 1", "more than 2 pawns on the board and in the hands",
       "歩が盤と持駒で2枚を超えています"},
      {"rbsgk/4p/5/P4/KGSBR b s 1", "more than 2 silvers on the board and in the hands",
       "銀が盤と持駒で2枚を超えています"},
      {"rbsgk/4p/5/5/KGSBR b Gg 1", "more than 2 golds on the board and in the hands",
       "金が盤と持駒で2枚を超えています"},
      {"rbsgk/4p/5/+B4/KGSBR b - 1", "more than 2 bishops on the board and in the hands",
       "角が盤と持駒で2枚を超えています"},
      {"rbsgk/4p/5/P4/KGSBR b 3R 1", "more than 2 rooks on the board and in the hands",
       "飛が盤と持駒で2枚を超えています"},
      {"rbsg1/4p/5/P4/KGSBR b - 1", "gote has no king", "後手の王がありません"},
      {"rbsgk/4p/5/P4/1GSBR b - 1", "sente has no king", "先手の王がありません"},
      {"5/5/5/5/5 b - 1", "sente has no king", "先手の王がありません"},
      {"P3k/5/5/5/4K b - 1", "a sente pawn on 5a can never move", "５一の先手の歩は動けません"},
      {"4k/5/5/5/p3K w - 1", "a gote pawn on 5e can never move", "５五の後手の歩は動けません"},
      {"4k/1P3/5/1P3/4K b - 1", "two unpromoted sente pawns on file 4", "先手の歩が４筋に2枚あります"},
      {"4k/4p/4p/5/K4 b - 1", "two unpromoted gote pawns on file 1", "後手の歩が１筋に2枚あります"},
  };
  for (const Case& c : cases) {
    const GameState g = test::position(c.sfen);
    const auto p = positionProblem(g);
    ASSERT_TRUE(p.has_value()) << c.sfen;
    EXPECT_EQ(p->text, c.text) << c.sfen;
    EXPECT_EQ(p->japanese, c.japanese) << c.sfen;
  }
}

TEST(PositionCheck, SidesAreNamedByTheirSideValuesAndBadValuesAreCaught) {
  // A game where MAN moves second: MAN's missing king is 後手's.
  GameState g = test::position("rbsgk/4p/5/P4/1GSBR b - 1");
  g.MAN手番 = 後手;
  g.COM手番 = 先手;
  EXPECT_EQ(positionProblem(g)->text, "gote has no king");

  // What no text can say but a pasted or patched state can hold.
  GameState odd = test::position(kStartSfen);
  odd.盤面(3, 3) = 111;
  EXPECT_EQ(positionProblem(odd)->text, "no such piece on 3c");
  EXPECT_EQ(positionProblem(odd)->japanese, "３三に駒でないものがあります");
  GameState twoKings = test::position(kStartSfen);
  twoKings.盤面(3, 3) = COM王;
  EXPECT_EQ(positionProblem(twoKings)->text, "gote has more than one king");
  EXPECT_EQ(positionProblem(twoKings)->japanese, "後手の王が2枚以上あります");
  GameState negative = test::position(kStartSfen);
  negative.持駒COM(2) = -1;
  EXPECT_EQ(positionProblem(negative)->text, "a negative count in hand");
  GameState huge = test::position(kStartSfen);
  huge.持駒MAN(1) = 2147483647;
  huge.持駒COM(1) = 2147483647;
  EXPECT_EQ(positionProblem(huge)->text, "more than 2 pawns on the board and in the hands");
}

TEST(Sfen, HandCountsThatAddUpPastTheBoundAreRefused) {
  GameState g;
  EXPECT_EQ(loadSfen(g, "rbsgk/4p/5/P4/KGSBR b 40P40P40P 1").value_or(""), "hand count too large");
  EXPECT_EQ(loadSfen(g, "rbsgk/4p/5/P4/KGSBR b 20P20P 1").value_or("accepted"), "accepted");
  // One count past what an int holds is refused as it is read, never wrapped round.
  for (const char* count : {"2147483648", "4294967297", "99999999999999999999"})
    EXPECT_EQ(loadSfen(g, std::string("rbsgk/4p/5/P4/KGSBR b ") + count + "P 1").value_or(""), "hand count too large")
        << count;
  std::string many = "rbsgk/4p/5/P4/KGSBR b ";
  for (int i = 0; i < 100000; ++i) many += "9P";
  EXPECT_EQ(loadSfen(g, many + " 1").value_or(""), "hand count too large");
}

}  // namespace
}  // namespace zelk
