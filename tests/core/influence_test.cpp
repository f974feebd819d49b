#include <gtest/gtest.h>

#include "core/influence_survey.h"
#include "core/sfen.h"
#include "core/test_support.h"

namespace zelk {
namespace {

// want[Y - 1][X - 1]: rows top to bottom, as the board is drawn.
using Rows = int[5][5];

void expectMap(const Map& m, const Rows& want, const char* what) {
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 5; ++x) EXPECT_EQ(m(x, y), want[y - 1][x - 1]) << what << " (" << x << "," << y << ")";
}

void expectAll(const Map& m, int value, const char* what) {
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 5; ++x) EXPECT_EQ(m(x, y), value) << what << " (" << x << "," << y << ")";
}

TEST(Influence, EmptyBoardHasEmptyMapsAndKeepsTheKingSquares) {
  GameState g = test::position("5/5/5/5/5 b - 1");
  g.MAN王X = 2, g.MAN王Y = 3, g.COM王X = 4, g.COM王Y = 1;
  勢力調査(g);
  expectAll(g.勢力MAN, 0, "勢力MAN");
  expectAll(g.勢力COM, 0, "勢力COM");
  expectAll(g.守駒MAN, 999, "守駒MAN");
  expectAll(g.守駒COM, 999, "守駒COM");
  expectAll(g.攻駒COM, 999, "攻駒COM");
  expectAll(g.攻駒MAN, -999, "攻駒MAN");
  expectAll(g.攻駒MAN_X, 0, "攻駒MAN_X");
  expectAll(g.攻駒MAN_Y, 0, "攻駒MAN_Y");
  expectAll(g.王手駒MAN, 0, "王手駒MAN");
  expectAll(g.王手駒COM, 0, "王手駒COM");
  EXPECT_EQ(g.MAN王X, 2);
  EXPECT_EQ(g.MAN王Y, 3);
  EXPECT_EQ(g.COM王X, 4);
  EXPECT_EQ(g.COM王Y, 1);
}

TEST(Influence, StartingPosition) {
  GameState g = test::position("rbsgk/4p/5/P4/KGSBR b - 1");
  g.MAN王X = g.MAN王Y = g.COM王X = g.COM王Y = 0;
  勢力調査(g);
  EXPECT_EQ(g.MAN王X, 1);
  EXPECT_EQ(g.MAN王Y, 5);
  EXPECT_EQ(g.COM王X, 5);
  EXPECT_EQ(g.COM王Y, 1);
  // MAN: pawn (1,3); king (1,4) (2,4) (2,5); gold (2,4) (1,4) (3,4) (1,5) (3,5); silver (3,4)
  // (2,4) (4,4); bishop (3,4) (2,3) (1,2) and (5,4); rook (5,4) (5,3) (5,2) and (4,5).
  const Rows man = {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 1}, {1, 1, 0, 0, 1}, {2, 3, 3, 1, 2}, {1, 1, 1, 1, 0}};
  expectMap(g.勢力MAN, man, "勢力MAN");
  // COM's pieces are MAN's turned through 180 degrees.
  const Rows com = {{0, 1, 1, 1, 1}, {2, 1, 3, 3, 2}, {1, 0, 0, 1, 1}, {1, 0, 0, 0, 1}, {0, 0, 0, 0, 0}};
  expectMap(g.勢力COM, com, "勢力COM");
  // The COM pawn is defended by the gold (recorded without its square) and the king.
  EXPECT_EQ(g.守駒COM(5, 2), COM金);
  EXPECT_EQ(g.守駒COM_X(5, 2), 0);
  EXPECT_EQ(g.守駒COM_Y(5, 2), 0);
  EXPECT_EQ(g.攻駒MAN(5, 2), MAN飛);
  EXPECT_EQ(g.攻駒MAN_X(5, 2), 5);
  EXPECT_EQ(g.攻駒MAN_Y(5, 2), 5);
  // And the MAN pawn is attacked by the COM rook down column 1, defended by king and gold.
  EXPECT_EQ(g.攻駒COM(1, 4), COM飛);
  EXPECT_EQ(g.攻駒COM_X(1, 4), 1);
  EXPECT_EQ(g.攻駒COM_Y(1, 4), 1);
  EXPECT_EQ(g.守駒MAN(1, 4), MAN王);
  expectAll(g.王手駒MAN, 0, "王手駒MAN");
  expectAll(g.王手駒COM, 0, "王手駒COM");
}

TEST(Influence, WhichAttackerAndDefenderIsRecorded) {
  // A COM silver attacked by a MAN pawn and a MAN rook: the pawn, whichever is met first.
  for (const char* sfen : {"5/R1s2/2P2/5/5 b - 1", "5/2s1R/2P2/5/5 b - 1"}) {
    const GameState g = test::surveyed(sfen);
    EXPECT_EQ(g.勢力MAN(3, 2), 2) << sfen;
    EXPECT_EQ(g.攻駒MAN(3, 2), MAN歩) << sfen;
    EXPECT_EQ(g.攻駒MAN_X(3, 2), 3) << sfen;
    EXPECT_EQ(g.攻駒MAN_Y(3, 2), 3) << sfen;
  }
  // Two MAN golds: the one with the smaller column, then the smaller row.
  for (const char* sfen : {"5/1GsG1/5/5/5 b - 1", "5/1Gs2/1G3/5/5 b - 1"}) {
    const GameState g = test::surveyed(sfen);
    EXPECT_EQ(g.攻駒MAN(3, 2), MAN金) << sfen;
    EXPECT_EQ(g.攻駒MAN_X(3, 2), 2) << sfen;
    EXPECT_EQ(g.攻駒MAN_Y(3, 2), 2) << sfen;
  }
  // A MAN silver defended by a MAN pawn (met first) and the MAN king.
  const GameState king = test::surveyed("5/5/5/1S3/1PK2 b - 1");
  EXPECT_EQ(king.勢力MAN(2, 4), 2);
  EXPECT_EQ(king.守駒MAN(2, 4), MAN王);
  // A COM silver defended only by a COM と: recorded as a gold, without its square.
  const GameState tokin = test::surveyed("5/2+p2/2s2/5/5 b - 1");
  EXPECT_EQ(tokin.勢力COM(3, 3), 1);
  EXPECT_EQ(tokin.守駒COM(3, 3), COM金);
  EXPECT_EQ(tokin.守駒COM_X(3, 3), 0);
  // A COM horse's orthogonal step counts but is not recorded; its diagonal records it.
  const GameState horse = test::surveyed("5/2+b2/2s2/g4/5 b - 1");
  EXPECT_EQ(horse.勢力COM(3, 3), 1);
  EXPECT_EQ(horse.守駒COM(3, 3), 999);
  EXPECT_EQ(horse.守駒COM(1, 4), COM馬);
  EXPECT_EQ(horse.守駒COM_X(1, 4), 3);
  EXPECT_EQ(horse.守駒COM_Y(1, 4), 2);
  // MAN pawns attacked only by a COM silver, a COM gold, a COM pawn.
  const GameState steps = test::surveyed("5/5/1s1g1/1P1P1/5 b - 1");
  EXPECT_EQ(steps.勢力COM(2, 4), 1);
  EXPECT_EQ(steps.攻駒COM(2, 4), 999);
  EXPECT_EQ(steps.勢力COM(4, 4), 1);
  EXPECT_EQ(steps.攻駒COM(4, 4), 999);
  const GameState pawn = test::surveyed("5/5/2p2/2P2/5 b - 1");
  EXPECT_EQ(pawn.攻駒COM(3, 4), COM歩);
  EXPECT_EQ(pawn.攻駒COM_X(3, 4), 0);
  // A COM silver on row 5 still steps back diagonally.
  const GameState low = test::surveyed("5/5/5/5/2s2 b - 1");
  const Rows lowReach = {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 1, 0, 1, 0}, {0, 0, 0, 0, 0}};
  expectMap(low.勢力COM, lowReach, "勢力COM");
  // A MAN horse: MAN馬 on its steps, MAN角 on its lines.
  const GameState manHorse = test::surveyed("5/1pp2/2+B2/2PP1/5 b - 1");
  EXPECT_EQ(manHorse.攻駒MAN(3, 2), MAN馬);
  EXPECT_EQ(manHorse.攻駒MAN(2, 2), MAN角);
  EXPECT_EQ(manHorse.攻駒MAN_X(2, 2), 3);
  EXPECT_EQ(manHorse.攻駒MAN_Y(2, 2), 3);
  EXPECT_EQ(manHorse.守駒MAN(3, 4), MAN馬);
  EXPECT_EQ(manHorse.守駒MAN(4, 4), MAN角);
}

TEST(Influence, CheckMarksAndLinesThroughTheKing) {
  // A MAN pawn right under the COM king marks its own square only.
  const GameState pawn = test::surveyed("5/2k2/2P2/5/4K b - 1");
  const Rows pawnMark = {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 9, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}};
  expectMap(pawn.王手駒MAN, pawnMark, "王手駒MAN");
  expectAll(pawn.王手駒COM, 0, "王手駒COM");

  // MAN rook (1,5), COM king (1,3), COM pawn (1,1): the rook sees through the king.
  const GameState line = test::surveyed("p4/5/k4/5/R4 b - 1");
  const Rows reach = {{1, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {0, 1, 1, 1, 1}};
  expectMap(line.勢力MAN, reach, "勢力MAN");
  for (const int y : {1, 3}) {
    EXPECT_EQ(line.攻駒MAN(1, y), MAN飛) << y;
    EXPECT_EQ(line.攻駒MAN_X(1, y), 1) << y;
    EXPECT_EQ(line.攻駒MAN_Y(1, y), 5) << y;
  }
  const Rows lineMark = {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {9, 0, 0, 0, 0}};
  expectMap(line.王手駒MAN, lineMark, "王手駒MAN");

  // Next to the king only the rook's square is marked; the line still goes on behind it.
  const GameState next = test::surveyed("5/5/k4/R4/5 b - 1");
  const Rows nextMark = {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}, {9, 0, 0, 0, 0}, {0, 0, 0, 0, 0}};
  expectMap(next.王手駒MAN, nextMark, "王手駒MAN");
  EXPECT_EQ(next.勢力MAN(1, 1), 1);

  // Its own king stops a line like any other piece.
  const GameState own = test::surveyed("5/5/K4/5/R4 b - 1");
  EXPECT_EQ(own.守駒MAN(1, 3), MAN飛);
  EXPECT_EQ(own.勢力MAN(1, 2), 1);  // the king's step only
  EXPECT_EQ(own.勢力MAN(1, 1), 0);

  // Double check by a rook and a bishop marks both lines.
  const GameState dbl = test::surveyed("2k2/5/4B/2R2/K4 b - 1");
  const Rows dblMark = {{0, 0, 0, 0, 0}, {0, 0, 1, 1, 0}, {0, 0, 1, 0, 9}, {0, 0, 9, 0, 0}, {0, 0, 0, 0, 0}};
  expectMap(dbl.王手駒MAN, dblMark, "王手駒MAN");

  // The same for COM: a COM rook checking the MAN king down column 3.
  const GameState com = test::surveyed("2r1k/5/5/5/2K2 w - 1");
  const Rows comMark = {{0, 0, 9, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, 0, 0}};
  expectMap(com.王手駒COM, comMark, "王手駒COM");
  EXPECT_EQ(com.攻駒COM(3, 5), COM飛);
  EXPECT_EQ(com.攻駒COM_X(3, 5), 3);
  EXPECT_EQ(com.攻駒COM_Y(3, 5), 1);
}

TEST(Influence, EverySurveyClearsTheComCoordinateMaps) {
  // First the COM rook defends the silver and attacks the MAN pawn, with its square.
  GameState g = test::surveyed("rP3/s4/5/5/5 b - 1");
  EXPECT_EQ(g.守駒COM(1, 2), COM飛);
  EXPECT_EQ(g.守駒COM_X(1, 2), 1);
  EXPECT_EQ(g.守駒COM_Y(1, 2), 1);
  EXPECT_EQ(g.攻駒COM(2, 1), COM飛);
  EXPECT_EQ(g.攻駒COM_X(2, 1), 1);
  EXPECT_EQ(g.攻駒COM_Y(2, 1), 1);
  // Then a COM と stands there instead: nothing in this position records a square.
  ASSERT_FALSE(loadSfen(g, "+pG3/s4/5/5/5 b - 1").has_value());
  勢力調査(g);
  EXPECT_EQ(g.守駒COM(1, 2), COM金);
  EXPECT_EQ(g.攻駒COM(2, 1), 999);
  expectAll(g.守駒COM_X, 0, "守駒COM_X");
  expectAll(g.守駒COM_Y, 0, "守駒COM_Y");
  expectAll(g.攻駒COM_X, 0, "攻駒COM_X");
  expectAll(g.攻駒COM_Y, 0, "攻駒COM_Y");
}

}  // namespace
}  // namespace zelk
