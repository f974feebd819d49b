#include <gtest/gtest.h>

#include "core/sfen.h"
#include "core/test_support.h"
#include "com/probes.h"
#include "com/snapshot.h"

// Squares are (X, Y): column from the left, row from the top.

namespace zelk {
namespace {

int mapSum(const Map& m) {
  int n = 0;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) n += m(x, y);
  return n;
}

TEST(Probes, SafeSquaresOfACornerKing) {
  // The COM king on (5,1): its pawn stands on (5,2), the MAN rook on (4,5) covers (4,1) and (4,2).
  GameState g = test::surveyed("4k/4p/5/5/K2R1 w - 1");
  EXPECT_EQ(調査_移動可場所数(g, 5, 1, COM王), 0);
  GameState free = test::surveyed("4k/4p/5/5/K4 w - 1");
  EXPECT_EQ(調査_移動可場所数(free, 5, 1, COM王), 2);
  // A MAN piece counts the squares COM does not reach: the MAN king on (1,5) has (1,4), (2,4)
  // and (2,5), of which the COM silver on (2,3) covers (1,4) and (2,4).
  GameState man = test::surveyed("4k/5/1s3/5/K4 w - 1");
  EXPECT_EQ(調査_移動可場所数(man, 1, 5, MAN王), 1);
}

TEST(Probes, RookBelowInTheColumn) {
  // A MAN rook on (3,5) reaches (3,3) over the empty (3,4); nothing lies below row 5.
  GameState g = test::surveyed("k4/5/5/5/2R1K w - 1");
  EXPECT_EQ(調査_自守駒MAN_直進駒(g, 3, 3), 1);
  EXPECT_EQ(調査_自守駒MAN_直進駒(g, 3, 1), 1);
  EXPECT_EQ(調査_自守駒MAN_直進駒(g, 3, 5), 0);
  EXPECT_EQ(調査_自守駒MAN_直進駒(g, 2, 3), 0);  // another column
  // A MAN pawn on (3,4) blocks the line to (3,3); its own square is judged as if empty, and
  // the pawn is back afterwards.
  GameState pawn = test::surveyed("k4/5/5/2P2/2R1K w - 1");
  EXPECT_EQ(調査_自守駒MAN_直進駒(pawn, 3, 3), 0);
  EXPECT_EQ(調査_自守駒MAN_直進駒(pawn, 3, 4), 1);
  EXPECT_EQ(pawn.盤面(3, 4), MAN歩);
  // A COM piece in between ends the look-up.
  GameState com = test::surveyed("k4/5/5/2p2/2R1K w - 1");
  EXPECT_EQ(調査_自守駒MAN_直進駒(com, 3, 3), 0);
  // A dragon counts like a rook; a rook above the square does not.
  GameState dragon = test::surveyed("k4/5/5/5/2+R1K w - 1");
  EXPECT_EQ(調査_自守駒MAN_直進駒(dragon, 3, 2), 1);
  GameState above = test::surveyed("k1R2/5/5/5/4K w - 1");
  EXPECT_EQ(調査_自守駒MAN_直進駒(above, 3, 3), 0);
}

TEST(Probes, CrowdingCountsComMajorsAndTheKing) {
  // (1,1) is a corner: its three neighbours hold the COM king (2,1), rook (1,2), bishop (2,2).
  GameState g = test::surveyed("1k1g1/rb3/5/5/4K w - 1");
  EXPECT_EQ(調査_周辺状況(g, 1, 1), -3);
  // (3,1): king and bishop count, the gold on (4,1) does not.
  EXPECT_EQ(調査_周辺状況(g, 3, 1), -2);
  // The square itself is not a neighbour: round the bishop on (2,2) stand king and rook.
  EXPECT_EQ(調査_周辺状況(g, 2, 2), -2);
  EXPECT_EQ(調査_周辺状況(g, 5, 5), 0);
}

TEST(Probes, PinsOfBothSides) {
  // The starting position: the MAN pawn on (1,4) shields its king on (1,5) from the COM rook
  // on (1,1), the COM pawn on (5,2) shields its king from the MAN rook on (5,5).
  GameState g = test::surveyed("rbsgk/4p/5/P4/KGSBR b - 1");
  調査_移動不可駒(g);
  EXPECT_EQ(g.移動不可MAN(1, 4), 1);
  EXPECT_EQ(mapSum(g.移動不可MAN), 1);
  EXPECT_EQ(g.移動不可COM有, 1);
  // The MAN rook on column 4 lies on no line through a COM piece to the COM king.
  GameState none = test::surveyed("4k/4p/5/5/K2R1 w - 1");
  none.移動不可COM有 = 1;  // a value left by an earlier search
  調査_移動不可駒(none);
  EXPECT_EQ(none.移動不可COM有, 0);
  EXPECT_EQ(mapSum(none.移動不可MAN), 0);
  // A king already checked along a line is marked too.
  GameState check = test::surveyed("4k/5/5/5/K3r w - 1");
  調査_移動不可駒(check);
  EXPECT_EQ(check.移動不可MAN(1, 5), 1);
}

TEST(Probes, BishopCheckSquaresOfTheComKing) {
  // COM king on (5,1): (4,2) is covered by the king, (1,5) holds the MAN king; (3,3) and (2,4)
  // are open.
  GameState g = test::surveyed("4k/5/5/5/K4 w - 1");
  調査_持角狙座標(g);
  EXPECT_EQ(g.角王手座標MAN(3, 3), 1);
  EXPECT_EQ(g.角王手座標MAN(2, 4), 1);
  EXPECT_EQ(mapSum(g.角王手座標MAN), 2);
  // A COM gold on (2,2) covers (3,3).
  GameState gold = test::surveyed("4k/1g3/5/5/K4 w - 1");
  調査_持角狙座標(gold);
  EXPECT_EQ(gold.角王手座標MAN(3, 3), 0);
  EXPECT_EQ(mapSum(gold.角王手座標MAN), 1);
}

TEST(Snapshot, FreezesThePositionBeforeTheSearchOnItsOwnSurvey) {
  // Maps left by a survey of another position (the MAN king had three flights there).
  GameState g = test::surveyed("4k/5/5/5/K4 w - 1");
  ASSERT_FALSE(loadSfen(g, "4k/5/1s3/5/K4 w 2s 1").has_value());
  探索準備(g);
  // The silver on (2,3) covers (1,4) and (2,4): one flight, (2,5).
  EXPECT_EQ(g.自王逃道数, 1);
  EXPECT_EQ(g.前盤面, g.盤面);
  EXPECT_EQ(g.前持駒数COM, 2);
  EXPECT_EQ(g.前勢力COM(2, 4), 1);
  EXPECT_EQ(g.前勢力COM(1, 1), 0);
  EXPECT_EQ(g.前勢力MAN(2, 4), 1);
  EXPECT_EQ(g.前勢力MAN, g.勢力MAN);
  EXPECT_EQ(g.前攻駒COM_X, g.攻駒COM_X);
  EXPECT_EQ(g.前攻駒COM_Y, g.攻駒COM_Y);
}

}  // namespace
}  // namespace zelk
