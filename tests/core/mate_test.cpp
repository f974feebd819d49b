#include <gtest/gtest.h>

#include <string>

#include "core/influence_survey.h"
#include "core/mate.h"
#include "core/sfen.h"
#include "core/test_support.h"

namespace zelk {
namespace {

void expectSameMaps(const InfluenceMaps& a, const InfluenceMaps& b, const std::string& where) {
  EXPECT_EQ(a.勢力MAN, b.勢力MAN) << where;
  EXPECT_EQ(a.勢力COM, b.勢力COM) << where;
  EXPECT_EQ(a.守駒MAN, b.守駒MAN) << where;
  EXPECT_EQ(a.守駒COM, b.守駒COM) << where;
  EXPECT_EQ(a.守駒COM_X, b.守駒COM_X) << where;
  EXPECT_EQ(a.守駒COM_Y, b.守駒COM_Y) << where;
  EXPECT_EQ(a.攻駒MAN, b.攻駒MAN) << where;
  EXPECT_EQ(a.攻駒MAN_X, b.攻駒MAN_X) << where;
  EXPECT_EQ(a.攻駒MAN_Y, b.攻駒MAN_Y) << where;
  EXPECT_EQ(a.攻駒COM, b.攻駒COM) << where;
  EXPECT_EQ(a.攻駒COM_X, b.攻駒COM_X) << where;
  EXPECT_EQ(a.攻駒COM_Y, b.攻駒COM_Y) << where;
  EXPECT_EQ(a.王手駒MAN, b.王手駒MAN) << where;
  EXPECT_EQ(a.王手駒COM, b.王手駒COM) << where;
  EXPECT_EQ(a.MAN王X, b.MAN王X) << where;
  EXPECT_EQ(a.MAN王Y, b.MAN王Y) << where;
  EXPECT_EQ(a.COM王X, b.COM王X) << where;
  EXPECT_EQ(a.COM王Y, b.COM王Y) << where;
}

struct Mate {
  const char* sfen;  // the MAN king in the corner (1,5) unless said otherwise
  int mated;
  const char* why;
};

// Each position is judged for the MAN king, and turned round for the COM king.
TEST(Mate, KingsAreMatedOnlyWhenNothingLiftsTheCheck) {
  const Mate cases[] = {
      {"rbsgk/4p/5/P4/KGSBR b - 1", 0, "start: no check"},
      {"4k/5/1g3/1p3/K4 b RBGSP 1", 0, "no flight left, but no check either"},
      {"4k/5/1g3/1p3/K4 b - 1", 0, "the same with an empty hand"},
      {"4k/5/p4/g4/K4 b RBGSP 1", 1, "defended adjacent gold: a full hand does not help"},
      {"4k/5/5/g4/K4 b - 1", 0, "the king takes the undefended gold"},
      {"4k/5/p4/g3R/K4 b - 1", 0, "the rook takes the gold"},
      {"4k/5/rg3/2s2/K4 b S 1", 0, "a silver dropped on (1,4) blocks the rook"},
      {"4k/5/rg3/2s2/K4 b 2P 1", 1, "pawns alone are never credited with a block"},
      {"4k/5/rg3/2s2/KS3 b 2P 1", 0, "the silver on the board steps between"},
      {"4k/5/r1b2/2s2/K4 b GS2P 1", 1, "rook and bishop: no one drop blocks both"},
      {"4k/5/r1b2/2s2/KG3 b GS2P 1", 1, "the gold blocks one line or the other, never both"},
      {"4k/5/r1g2/2s2/K1B2 b - 1", 0, "the bishop takes the rook"},
      {"4k/5/r1g2/2s2/K4 b - 1", 1, "nothing takes the rook"},
  };
  for (const Mate& c : cases) {
    GameState g = test::surveyed(c.sfen);
    const GameState before = g;
    EXPECT_EQ(詰めかMAN(g), c.mated) << c.sfen << ": " << c.why;
    EXPECT_EQ(g.盤面, before.盤面) << c.sfen;
    expectSameMaps(g, before, c.sfen);

    GameState t = test::position(c.sfen);
    turnRound(t);
    勢力調査(t);
    const GameState turned = t;
    EXPECT_EQ(詰めかCOM(t), c.mated) << toSfen(turned) << ": " << c.why;
    EXPECT_EQ(t.盤面, turned.盤面) << toSfen(turned);
    EXPECT_EQ(t.持駒COM, turned.持駒COM) << toSfen(turned);
    expectSameMaps(t, turned, toSfen(turned));
  }

  EXPECT_EQ(詰めかMAN_COM移動(test::surveyed("rbsgk/4p/5/P4/KGSBR b - 1")), 0);
  EXPECT_EQ(詰めかMAN_COM移動(test::surveyed("4k/5/p4/g4/K4 b - 1")), 1);
  EXPECT_EQ(詰めかMAN_COM移動(test::surveyed("4k/5/r4/S4/K4 b - 1")), 0);  // the silver shields the king
}

TEST(Mate, TheComDefenceIsJudgedOnTheCheckOfThePositionUnderTest) {
  // The MAN rook on (3,4) checks the COM king on (3,1). Gold 2a-3b, silver 2b-3c, silver
  // 2c-3b block it and 2c3d takes it; the gold on (2,2) would block too, but uncovers the
  // MAN bishop on (1,3).
  const char* sfen = "1pkg1/1g1s1/B2s1/2R2/4K w RBP 1";
  for (const char* usi : {"2a3b", "2b3c", "2c3b", "2c3d", "4b3b", "4b3c"}) {
    GameState t = test::position(sfen);
    ASSERT_FALSE(playUsiMove(t, *parseUsiMove(usi)).has_value()) << usi;
    勢力調査(t);
    const bool stillChecked = std::string(usi).starts_with("4b");
    EXPECT_EQ(t.勢力MAN(3, 1) != 0, stillChecked) << usi;
  }

  GameState g = test::surveyed(sfen);
  const GameState before = g;
  EXPECT_EQ(詰めかCOM(g), 0);
  EXPECT_EQ(g.盤面, before.盤面);
  EXPECT_EQ(g.持駒MAN, before.持駒MAN);
  EXPECT_EQ(g.持駒COM, before.持駒COM);
  expectSameMaps(g, before, sfen);
}

struct Flight {
  const char* sfen;
  int count;
};

TEST(Mate, FlightSquaresAreEmptyAndUnattacked) {
  const Flight cases[] = {
      {"4k/5/5/5/K4 b - 1", 3},                               // a corner has three neighbours
      {"4k/5/1g3/5/K4 b - 1", 1},                             // the gold covers (1,4) and (2,4)
      {"4k/5/5/5/Ks3 b - 1", 1},                              // a COM piece next to the king is no flight
      {"5/5/2K2/5/5 b - 1", 8},   {"5/5/2KG1/5/5 b - 1", 7},  // nor is an own piece
      {"5/r4/2K2/5/5 b - 1", 5},                              // the rook covers row 2
  };
  for (const Flight& c : cases) EXPECT_EQ(調査_自王逃道(test::surveyed(c.sfen)), c.count) << c.sfen;
}

}  // namespace
}  // namespace zelk
