#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "core/setup.h"
#include "core/sfen.h"
#include "core/test_support.h"

namespace zelk {
namespace {

// What a refused load or move must leave as it was.
struct Snapshot {
  std::string sfen;
  Board board;
  Hand man, com;
  int 持駒数MAN, 持駒数COM, 手番, MAN手番, COM手番, 手数, 勝者;
  explicit Snapshot(const GameState& g)
      : sfen(toSfen(g)),
        board(g.盤面),
        man(g.持駒MAN),
        com(g.持駒COM),
        持駒数MAN(g.持駒数MAN),
        持駒数COM(g.持駒数COM),
        手番(g.手番),
        MAN手番(g.MAN手番),
        COM手番(g.COM手番),
        手数(g.手数),
        勝者(g.勝者) {}
  bool operator==(const Snapshot&) const = default;
};

TEST(Sfen, PositionsSurviveARoundTrip) {
  for (const char* sfen :
       {"rbsgk/4p/5/P4/KGSBR b - 1", "1pkg1/1g1s1/B2s1/2R2/4K w RBP 1", "+r+bs1k/4+p/5/+P1+S2/K3+R b S2Pbg 15",
        "5/5/5/5/5 w - 3", "k4/5/5/5/4K b 2R2B2G2S4P3p 100"}) {
    GameState g = test::position(sfen);
    EXPECT_EQ(toSfen(g), sfen);
  }

  // What the text sets.
  const GameState g = test::position("1pkg1/1g1s1/B2s1/2R2/4K w RBP 7");
  EXPECT_EQ(g.MAN手番, 1);
  EXPECT_EQ(g.COM手番, -1);
  EXPECT_EQ(g.手番, -1);
  EXPECT_EQ(g.手数, 6);
  EXPECT_EQ(g.盤面(3, 1), COM王);
  EXPECT_EQ(g.盤面(1, 3), MAN角);
  EXPECT_EQ(g.盤面(3, 4), MAN飛);
  EXPECT_EQ(g.盤面(5, 5), MAN王);
  EXPECT_EQ(g.持駒MAN(5), 1);
  EXPECT_EQ(g.持駒MAN(4), 1);
  EXPECT_EQ(g.持駒MAN(1), 1);
  EXPECT_EQ(g.持駒数MAN, 3);
  EXPECT_EQ(g.持駒数COM, 0);
  EXPECT_EQ(g.COM王X, 3);
  EXPECT_EQ(g.COM王Y, 1);
  EXPECT_EQ(g.MAN王X, 5);
  EXPECT_EQ(g.MAN王Y, 5);
}

TEST(Sfen, TheStartPositionIsTheResetPosition) {
  EXPECT_EQ(kStartSfen, "rbsgk/4p/5/P4/KGSBR b - 1");
  GameState reset;
  NullGameView view;
  初期設定(reset, view);
  const GameState start = test::position(kStartSfen);
  EXPECT_EQ(reset.盤面, start.盤面);
  EXPECT_EQ(reset.持駒MAN, start.持駒MAN);
  EXPECT_EQ(reset.持駒COM, start.持駒COM);
}

struct Bad {
  const char* text;
  const char* reason;
};

// The game shows each reason in Japanese: no English word is left in it (names such as SFEN
// may stay).
bool readsJapanese(const std::string& reason) {
  const std::string shown = reasonInJapanese(reason);
  int letters = 0;
  for (const char c : shown) {
    letters = std::islower(static_cast<unsigned char>(c)) ? letters + 1 : 0;
    if (letters >= 3) return false;
  }
  return shown != reason;
}

TEST(Sfen, EveryReasonReadsInJapaneseWithTheSquareOrPieceItNames) {
  EXPECT_EQ(reasonInJapanese("unknown piece 'X'"), "「X」という駒はありません");
  EXPECT_EQ(reasonInJapanese("rank 4 has more than 5 squares"), "4段目に5升より多くあります");
  EXPECT_EQ(reasonInJapanese("illegal move"), "指せない手です");
  EXPECT_EQ(reasonInJapanese("something else"), "something else");
}

TEST(Sfen, MalformedTextIsRefusedWithAReasonAndChangesNothing) {
  const Bad cases[] = {
      {"", "sfen needs a board and a side to move"},
      {"rbsgk/4p/5/P4/KGSBR", "sfen needs a board and a side to move"},
      {"rbsgk/4p/5/P4/KGSBR b - 1 x", "too many fields in sfen"},
      {"rbsgk/4p/5/P4 b - 1", "the board must have 5 ranks of 5 squares"},
      {"rbsgk/4p/5/P4/KGSBR/5 b - 1", "more than 5 ranks"},
      {"rbsgk/4p/5/P3/KGSBR b - 1", "rank 4 does not have 5 squares"},
      {"rbsgk/4p/5/P5/KGSBR b - 1", "rank 4 has more than 5 squares"},
      {"rbsgk/4p/5/P4/KGSBRP b - 1", "rank 5 has more than 5 squares"},
      {"rbsgk/4p/6/P4/KGSBR b - 1", "unknown piece '6'"},
      {"rbsgq/4p/5/P4/KGSBR b - 1", "unknown piece 'q'"},
      {"rbs+gk/4p/5/P4/KGSBR b - 1", "piece 'g' cannot promote"},
      {"rbsgk/4p/5/P4/KGSB+ b - 1", "'+' at the end of the board"},
      {"rbsgk/4k/5/P4/KGSBR b - 1", "more than one king of a side"},
      {"rbsgk/4p/5/P4/KGSBR x - 1", "side to move must be 'b' or 'w'"},
      {"rbsgk/4p/5/P4/KGSBR b 2 1", "hand ends with a count"},
      {"rbsgk/4p/5/P4/KGSBR b K 1", "unknown piece in hand 'K'"},
      {"rbsgk/4p/5/P4/KGSBR b 41P 1", "hand count too large"},
      {"rbsgk/4p/5/P4/KGSBR b - 0", "bad move number"},
      {"rbsgk/4p/5/P4/KGSBR b - 1a", "bad move number"},
  };
  for (const Bad& c : cases) {
    GameState g = test::position("1pkg1/1g1s1/B2s1/2R2/4K w RBP 7");
    const Snapshot before(g);
    const auto err = loadSfen(g, c.text);
    ASSERT_TRUE(err.has_value()) << c.text;
    EXPECT_EQ(*err, c.reason) << c.text;
    EXPECT_TRUE(readsJapanese(*err)) << c.reason;
    EXPECT_TRUE(Snapshot(g) == before) << c.text;
  }

  const Bad moves[] = {
      {"5e5", "a move is like 5d5c, 5d5c+ or P*3c"},
      {"5e5d=", "a move is like 5d5c, 5d5c+ or P*3c"},
      {"6e5e", "square off the board"},
      {"5f5e", "square off the board"},
      {"P*3f", "square off the board"},
      {"K*3c", "unknown piece to drop"},
      {"x*3c", "unknown piece to drop"},
  };
  for (const Bad& c : moves) {
    std::string why;
    EXPECT_FALSE(parseUsiMove(c.text, &why).has_value()) << c.text;
    EXPECT_EQ(why, c.reason) << c.text;
    EXPECT_TRUE(readsJapanese(why)) << c.reason;
  }
  const UsiMove promote = *parseUsiMove("5d5c+");
  EXPECT_EQ(promote, (UsiMove{1, 4, 1, 3, 0, true}));
  EXPECT_EQ(toUsi(promote), "5d5c+");
  const UsiMove drop = *parseUsiMove("P*3c");
  EXPECT_EQ(drop, (UsiMove{0, 0, 3, 3, 1, false}));
  EXPECT_EQ(toUsi(drop), "P*3c");
}

TEST(Sfen, IllegalMovesAreRefusedAndChangeNothing) {
  // MAN (to move) has a pawn on (3,2), the king on (1,5), a silver and a pawn in hand.
  const char* sfen = "4k/2P2/5/p4/K4 b SP 1";
  const Bad cases[] = {
      {"5d5e+", "no piece of the side to move on the source square"},  // COM's pawn
      {"3c3b", "no piece of the side to move on the source square"},   // empty square
      {"3b3a", "a pawn on the last rank must promote"},
      {"5e4e+", "this move cannot promote"},
      {"5e5d+", "this move cannot promote"},
      {"G*3c", "no such piece in hand"},
      {"P*3d", "illegal move"},  // a second pawn in column 3
      {"P*4a", "illegal move"},  // no pawn drop on the last row
      {"S*3b", "illegal move"},  // onto an own piece
      {"5e3c", "illegal move"},
  };
  for (const Bad& c : cases) {
    GameState g = test::position(sfen);
    const Snapshot before(g);
    const auto err = playUsiMove(g, *parseUsiMove(c.text));
    ASSERT_TRUE(err.has_value()) << c.text;
    EXPECT_EQ(*err, c.reason) << c.text;
    EXPECT_TRUE(readsJapanese(*err)) << c.reason;
    EXPECT_TRUE(Snapshot(g) == before) << c.text;
  }

  GameState g = test::position(sfen);
  ASSERT_FALSE(playUsiMove(g, *parseUsiMove("3b3a+")).has_value());
  EXPECT_EQ(toSfen(g), "2+P1k/5/5/p4/K4 w SP 2");
  GameState d = test::position(sfen);
  ASSERT_FALSE(playUsiMove(d, *parseUsiMove("S*3c")).has_value());
  EXPECT_EQ(toSfen(d), "4k/2P2/2S2/p4/K4 w P 2");

  // COM's pawn takes the MAN king, promoting as it must; then the game is over.
  EXPECT_EQ(playUsiMove(g, *parseUsiMove("5d5e")).value_or(""), "a pawn on the last rank must promote");
  ASSERT_FALSE(playUsiMove(g, *parseUsiMove("5d5e+")).has_value());
  EXPECT_EQ(g.勝者, -1);
  EXPECT_EQ(playUsiMove(g, *parseUsiMove("3a3b")).value_or(""), "the game is over");
  EXPECT_TRUE(readsJapanese("the game is over"));
  EXPECT_TRUE(readsJapanese("no side to move"));
  GameState idle = test::position(sfen);
  idle.手番 = 0;
  EXPECT_EQ(playUsiMove(idle, *parseUsiMove("5e4e")).value_or(""), "no side to move");
}

TEST(Sfen, TurningRoundMirrorsTheBoardAndSwapsTheSides) {
  GameState g = test::position("1pkg1/1g1s1/B2s1/2R2/4K w RBP 1");
  turnRound(g);
  EXPECT_EQ(toSfen(g), "k4/2r2/1S2b/1S1G1/1GKP1 b rbp 1");
  EXPECT_EQ(g.持駒数COM, 3);
  EXPECT_EQ(g.持駒数MAN, 0);
  EXPECT_EQ(g.MAN王X, 3);
  EXPECT_EQ(g.MAN王Y, 5);
  EXPECT_EQ(g.COM王X, 1);
  EXPECT_EQ(g.COM王Y, 1);

  for (const char* sfen : {"rbsgk/4p/5/P4/KGSBR b - 1", "+r+bs1k/4+p/5/+P1+S2/K3+R w S2Pbg 15"}) {
    GameState t = test::position(sfen);
    const Snapshot before(t);
    turnRound(t);
    turnRound(t);
    EXPECT_TRUE(Snapshot(t) == before) << sfen;
  }
  // The start position is point-symmetric: only the side to move changes.
  GameState start = test::position(kStartSfen);
  turnRound(start);
  EXPECT_EQ(toSfen(start), "rbsgk/4p/5/P4/KGSBR w - 1");

  const UsiMove m = *parseUsiMove("5e4d");
  EXPECT_EQ(toUsi(turnedRound(m)), "1a2b");
  EXPECT_EQ(turnedRound(turnedRound(m)), m);
}

}  // namespace
}  // namespace zelk
