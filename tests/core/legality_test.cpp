#include <gtest/gtest.h>

#include <string>

#include "core/legality.h"
#include "core/test_support.h"

namespace zelk {
namespace {

// A reach diagram: five rows top to bottom joined by '/', columns left to right; 'x' marks a
// square the piece on 'o' may move to.
bool marked(const char* diagram, int x, int y) { return diagram[(y - 1) * 6 + (x - 1)] == 'x'; }

struct Reach {
  const char* sfen;  // one piece on (3,3) of an empty board
  const char* diagram;
};

TEST(Legality, EveryPieceOfBothSidesMovesAsItShould) {
  const Reach cases[] = {
      {"5/5/2P2/5/5 b - 1", "...../..x../..o../...../....."},  // MAN pawn: one step up
      {"5/5/2p2/5/5 b - 1", "...../...../..o../..x../....."},  // COM pawn: one step down
      {"5/5/2S2/5/5 b - 1", "...../.xxx./..o../.x.x./....."},  // silver: never straight back or sideways
      {"5/5/2s2/5/5 b - 1", "...../.x.x./..o../.xxx./....."},
      {"5/5/2G2/5/5 b - 1", "...../.xxx./.xox./..x../....."},  // gold: never diagonally back
      {"5/5/2g2/5/5 b - 1", "...../..x../.xox./.xxx./....."},
      {"5/5/2+P2/5/5 b - 1", "...../.xxx./.xox./..x../....."},  // と and 成銀 move as golds
      {"5/5/2+p2/5/5 b - 1", "...../..x../.xox./.xxx./....."},
      {"5/5/2+S2/5/5 b - 1", "...../.xxx./.xox./..x../....."},
      {"5/5/2+s2/5/5 b - 1", "...../..x../.xox./.xxx./....."},
      {"5/5/2K2/5/5 b - 1", "...../.xxx./.xox./.xxx./....."},
      {"5/5/2k2/5/5 b - 1", "...../.xxx./.xox./.xxx./....."},
      {"5/5/2B2/5/5 b - 1", "x...x/.x.x./..o../.x.x./x...x"},
      {"5/5/2b2/5/5 b - 1", "x...x/.x.x./..o../.x.x./x...x"},
      {"5/5/2+B2/5/5 b - 1", "x...x/.xxx./.xox./.xxx./x...x"},  // horse: one orthogonal step too
      {"5/5/2+b2/5/5 b - 1", "x...x/.xxx./.xox./.xxx./x...x"},
      {"5/5/2R2/5/5 b - 1", "..x../..x../xxoxx/..x../..x.."},
      {"5/5/2r2/5/5 b - 1", "..x../..x../xxoxx/..x../..x.."},
      {"5/5/2+R2/5/5 b - 1", "..x../.xxx./xxoxx/.xxx./..x.."},  // dragon: one diagonal step too
      {"5/5/2+r2/5/5 b - 1", "..x../.xxx./xxoxx/.xxx./..x.."},
  };
  for (const Reach& c : cases) {
    GameState g = test::position(c.sfen);
    const int piece = g.盤面(3, 3);
    for (int x = 1; x <= 5; ++x)
      for (int y = 1; y <= 5; ++y)
        EXPECT_EQ(移動チェック(g, 3, 3, x, y, piece), marked(c.diagram, x, y) ? 1 : 0)
            << c.sfen << " to (" << x << "," << y << ")";
  }
}

struct Line {
  const char* sfen;
  int fromX, fromY, toX, toY;
  int legal;
};

TEST(Legality, LinesStopAtTheFirstPieceAndNeverLandOnTheirOwn) {
  const Line cases[] = {
      {"5/5/R4/5/5 b - 1", 1, 3, 5, 3, 1},                                             // rook along an empty rank
      {"5/5/R1P2/5/5 b - 1", 1, 3, 5, 3, 0},                                           // own piece between
      {"5/5/R1p2/5/5 b - 1", 1, 3, 5, 3, 0},                                           // enemy piece between
      {"5/5/R1p2/5/5 b - 1", 1, 3, 3, 3, 1},                                           // capture on the blocking square
      {"5/5/R1P2/5/5 b - 1", 1, 3, 3, 3, 0},                                           // never onto its own piece
      {"5/5/R4/5/5 b - 1", 1, 3, 2, 4, 0},                                             // not on a line
      {"5/5/2p2/5/2R2 b - 1", 3, 5, 3, 1, 0},                                          // up a file
      {"5/5/2p2/5/2R2 b - 1", 3, 5, 3, 3, 1}, {"2r2/5/5/2P2/5 b - 1", 3, 1, 3, 5, 0},  // down a file
      {"2r2/5/5/2P2/5 b - 1", 3, 1, 3, 4, 1}, {"5/5/1P2+r/5/5 b - 1", 5, 3, 1, 3, 0},  // dragon leftwards, blocked
      {"5/5/1P2+r/5/5 b - 1", 5, 3, 2, 3, 1}, {"5/5/1P2+r/5/5 b - 1", 5, 3, 4, 2, 1},  // dragon's diagonal step
      {"5/5/1P2+r/5/5 b - 1", 5, 3, 3, 1, 0}, {"5/5/5/5/B4 b - 1", 1, 5, 2, 3, 0},     // bishop off its diagonals
      {"5/5/2P2/5/4B b - 1", 5, 5, 1, 1, 0},                                           // falling diagonal, up
      {"5/5/2P2/5/4B b - 1", 5, 5, 4, 4, 1},  {"b4/5/5/3P1/5 b - 1", 1, 1, 5, 5, 0},   // falling diagonal, down
      {"b4/5/5/3P1/5 b - 1", 1, 1, 4, 4, 1},  {"4b/5/5/1P3/5 b - 1", 5, 1, 1, 5, 0},   // rising diagonal, down
      {"4b/5/5/1P3/5 b - 1", 5, 1, 2, 4, 1},  {"5/5/5/1p3/+B4 b - 1", 1, 5, 3, 3, 0},  // horse's long move blocked
      {"5/5/5/1p3/+B4 b - 1", 1, 5, 2, 4, 1},                                          // its step captures
  };
  for (const Line& c : cases) {
    GameState g = test::position(c.sfen);
    EXPECT_EQ(移動チェック(g, c.fromX, c.fromY, c.toX, c.toY, g.盤面(c.fromX, c.fromY)), c.legal)
        << c.sfen << " (" << c.fromX << "," << c.fromY << ")-(" << c.toX << "," << c.toY << ")";
  }

  // The bishop from (1,5) to (5,1) is stopped by a piece of either side on any square between.
  GameState open = test::position("5/5/5/5/B4 b - 1");
  EXPECT_EQ(移動チェック(open, 1, 5, 5, 1, MAN角), 1);
  EXPECT_EQ(移動チェック角(open, 1, 5, 5, 1), 1);
  const int between[3][2] = {{2, 4}, {3, 3}, {4, 2}};
  for (const auto& b : between) {
    for (const int blocker : {MAN歩, COM歩}) {
      GameState g = open;
      g.盤面(b[0], b[1]) = blocker;
      EXPECT_EQ(移動チェック(g, 1, 5, 5, 1, MAN角), 0) << "blocker on (" << b[0] << "," << b[1] << ")";
      EXPECT_EQ(移動チェック(g, 1, 5, 5, 1, MAN馬), 0);
    }
  }
}

TEST(Legality, DestinationsOffTheBoardOrOnTheSourceAreIllegal) {
  GameState g = test::position("5/5/2R2/5/5 b R 1");
  g.持駒COM(5) = 1;
  const int off[][2] = {{0, 3}, {6, 3}, {3, 0}, {3, 6}, {0, 0}, {6, 6}, {-1, 3}, {7, 3}};
  struct Mover {
    int x, y, code;
  };
  const Mover movers[] = {{3, 3, MAN飛}, {3, 3, MAN龍},  {3, 3, MAN王}, {3, 3, COM龍},
                          {7, 5, MAN飛}, {-1, 5, COM飛}, {7, 1, MAN歩}};
  調査_2歩フラグ設定(g);
  for (const Mover& m : movers) {
    for (const auto& d : off)
      EXPECT_EQ(移動チェック(g, m.x, m.y, d[0], d[1], m.code), 0) << m.code << " to (" << d[0] << "," << d[1] << ")";
    if (onBoard(m.x, m.y)) {
      EXPECT_EQ(移動チェック(g, m.x, m.y, m.x, m.y, m.code), 0) << m.code;
    }
  }
}

struct Drop {
  const char* sfen;
  int code, toX, toY;
  int legal;
};

TEST(Legality, DropsGoOnEmptySquaresAndKeepTheTwoPawnRule) {
  const Drop cases[] = {
      {"5/5/2P2/5/5 b P 1", MAN歩, 3, 4, 0},  // second unpromoted pawn in the column
      {"5/5/2P2/5/5 b P 1", MAN歩, 2, 4, 1},
      {"5/5/2+P2/5/5 b P 1", MAN歩, 3, 4, 1},  // a と does not count
      {"5/5/2p2/5/5 b P 1", MAN歩, 3, 4, 1},   // nor does the enemy's pawn
      {"5/5/2p2/5/5 w p 1", COM歩, 3, 4, 0},
      {"5/5/2P2/5/5 w p 1", COM歩, 3, 4, 1},
      {"5/5/5/5/5 b P 1", MAN歩, 3, 1, 0},  // no pawn drop on the last row
      {"5/5/5/5/5 b P 1", MAN歩, 3, 5, 1},
      {"5/5/5/5/5 w p 1", COM歩, 3, 5, 0},
      {"5/5/5/5/5 w p 1", COM歩, 3, 1, 1},
      {"5/5/5/5/5 b S 1", MAN銀, 3, 1, 1},    // other pieces may go to the last row
      {"5/5/2p2/5/5 b P 1", MAN歩, 3, 3, 0},  // never onto a piece, not even an enemy's
      {"5/5/2p2/5/5 b R 1", MAN飛, 3, 3, 0},
      {"5/5/2P2/5/5 w r 1", COM飛, 3, 3, 0},
  };
  for (const Drop& c : cases) {
    GameState g = test::position(c.sfen);
    調査_2歩フラグ設定(g);
    const int fromX = c.code < 0 ? kManHandColumn : kComHandColumn;
    const int kind = handKindOf(c.code);
    EXPECT_EQ(移動チェック(g, fromX, kind, c.toX, c.toY, c.code), c.legal)
        << c.sfen << " drop " << c.code << " on (" << c.toX << "," << c.toY << ")";
  }

  // A rook may be dropped on every empty square.
  GameState g = test::position("rbsgk/4p/5/P4/KGSBR b R 1");
  調査_2歩フラグ設定(g);
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y)
      EXPECT_EQ(移動チェック(g, kManHandColumn, 5, x, y, MAN飛), g.盤面(x, y) == 0 ? 1 : 0) << x << "," << y;

  // The flags mark the unpromoted pawns of each side by column.
  GameState flags = test::position("5/2p2/+P4/P1P2/4p b - 1");
  調査_2歩フラグ設定(flags);
  const int man[6] = {0, 1, 0, 1, 0, 0}, com[6] = {0, 0, 0, 1, 0, 1};
  for (int x = 1; x <= 5; ++x) {
    EXPECT_EQ(flags.二歩MAN[x], man[x]) << x;
    EXPECT_EQ(flags.二歩COM[x], com[x]) << x;
  }
}

struct Promotion {
  int fromX, fromY, toX, toY, code;
  int result, promoted;
};

TEST(Legality, PromotionOnlyIntoOrOutOfTheOpponentsHomeRow) {
  const Promotion cases[] = {
      {3, 2, 3, 1, MAN歩, 1, MANと},
      {3, 3, 3, 2, MAN歩, 0, 0},  // row 2 is no zone
      {3, 2, 2, 1, MAN銀, 1, MAN成銀},
      {3, 1, 2, 2, MAN銀, 1, MAN成銀},  // leaving the zone backwards
      {3, 3, 3, 2, MAN銀, 0, 0},
      {5, 5, 1, 1, MAN角, 1, MAN馬},
      {1, 1, 3, 3, MAN角, 1, MAN馬},
      {1, 4, 1, 1, MAN飛, 1, MAN龍},
      {3, 3, 3, 5, MAN飛, 0, 0},  // MAN's own home row is no zone for it
      {3, 2, 3, 1, MAN金, 0, 0},  // golds, kings and promoted pieces never
      {3, 2, 3, 1, MAN王, 0, 0},
      {3, 2, 3, 1, MANと, 0, 0},
      {3, 2, 3, 1, MAN成銀, 0, 0},
      {3, 3, 1, 1, MAN馬, 0, 0},
      {3, 2, 3, 1, MAN龍, 0, 0},
      {3, 4, 3, 5, COM歩, 1, COMと},
      {3, 3, 3, 4, COM歩, 0, 0},
      {3, 5, 2, 4, COM銀, 1, COM成銀},
      {1, 1, 5, 5, COM角, 1, COM馬},
      {5, 3, 5, 5, COM飛, 1, COM龍},
      {3, 3, 3, 1, COM飛, 0, 0},
      {3, 4, 3, 5, COM金, 0, 0},
      {3, 4, 3, 5, COM成銀, 0, 0},
      {kManHandColumn, 2, 3, 1, MAN銀, 0, 0},  // a drop never promotes
      {kComHandColumn, 5, 3, 5, COM飛, 0, 0},
  };
  GameState g = test::position("5/5/5/5/5 b - 1");
  for (const Promotion& c : cases) {
    g.成駒 = 0;
    EXPECT_EQ(調査_駒成(g, c.fromX, c.fromY, c.toX, c.toY, c.code), c.result)
        << c.code << " (" << c.fromX << "," << c.fromY << ")-(" << c.toX << "," << c.toY << ")";
    if (c.result == 1) {
      EXPECT_EQ(g.成駒, c.promoted) << c.code;
    }
  }

  // Only a pawn on the last row is stuck.
  EXPECT_EQ(移動後チェック(1, MAN歩), 0);
  EXPECT_EQ(移動後チェック(1, MAN銀), 1);
  EXPECT_EQ(移動後チェック(1, MANと), 1);
  EXPECT_EQ(移動後チェック(2, MAN歩), 1);
  EXPECT_EQ(移動後チェック(5, MAN歩), 1);
  EXPECT_EQ(移動後チェック(5, COM歩), 0);
  EXPECT_EQ(移動後チェック(1, COM歩), 1);
  EXPECT_EQ(移動後チェック(5, COM銀), 1);
}

}  // namespace
}  // namespace zelk
