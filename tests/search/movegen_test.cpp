#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/perft.h"
#include "core/sfen.h"
#include "core/test_support.h"
#include "search/movegen.h"

namespace zelk {
namespace {

using search::Move;
using search::MoveList;
using search::Position;

// Positions with drops, promotions, both pawn rules and a king in reach.
const char* const kPositions[] = {
    "rbsgk/4p/5/P4/KGSBR b - 1",
    "r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22",
    "1+R2g/+B2kp/2Ss1/PG3/1K1BR w - 22",
    "K2k1/1r2g/sR3/5/1G1B1 b BSPp 31",
    "2r1k/1g1rg/4p/3B1/+s1KB1 b SP 31",
    "4k/2P2/5/p4/K4 b SP 1",
    "4k/2S2/5/5/K4 b - 1",
    "k4/5/5/5/4K b RBGSPrbgsp 1",
};

std::set<std::string> texts(const Position& p, const MoveList& list) {
  std::set<std::string> s;
  for (const Move m : list) s.insert(toUsi(p.toUsi(m)));
  return s;
}

std::set<std::string> coreMoves(GameState g) {
  std::set<std::string> s;
  for (const UsiMove& m : generateMoves(g)) s.insert(toUsi(m));
  return s;
}

TEST(Movegen, PerftFromTheStartGivesTheKnownCounts) {
  Position p(test::position(kStartSfen));
  const std::uint64_t expected[] = {1, 14, 194, 3097, 49952, 905959};
  for (int d = 1; d <= 5; ++d) EXPECT_EQ(search::perft(p, d), expected[d]) << "depth " << d;
  EXPECT_TRUE(p.consistent());
}

TEST(Movegen, UnderTheOfficialRulesTheSameMovesAndCountsAsTheRulesCore) {
  Position start(test::position(kStartSfen));
  const std::uint64_t expected[] = {1, 14, 181, 2512, 35401, 533203};
  for (int d = 1; d <= 5; ++d)
    EXPECT_EQ(search::perft(start, d, nullptr, Rules::official), expected[d]) << "depth " << d;
  for (const char* sfen : kPositions) {
    GameState g = test::position(sfen);
    g.rules = Rules::official;
    Position p(g);
    MoveList list;
    search::generateMoves(p, list, Rules::official);
    EXPECT_EQ(texts(p, list), coreMoves(g)) << sfen;
  }
  // A pawn dropped on 1b mates the king on 1a hemmed in by its own pawn and silver.
  GameState g = test::position("3pk/3s1/3G1/5/K4 b P 1");
  g.rules = Rules::official;
  Position p(g);
  MoveList list;
  search::generateMoves(p, list, Rules::official);
  EXPECT_EQ(texts(p, list).count("P*1b"), 0u);
  EXPECT_EQ(coreMoves(g).count("P*1b"), 0u);
}

TEST(Movegen, TheSameMovesAsTheRulesCoreInEveryPosition) {
  for (const char* sfen : kPositions) {
    const GameState g = test::position(sfen);
    const Position p(g);
    MoveList all, captures, quiets;
    search::generate(p, all);
    search::generate(p, captures, search::Generate::kCaptures);
    search::generate(p, quiets, search::Generate::kQuiets);
    EXPECT_EQ(texts(p, all), coreMoves(g)) << sfen;
    EXPECT_EQ(static_cast<std::size_t>(all.size), texts(p, all).size()) << sfen << ": a move listed twice";
    EXPECT_EQ(search::countMoves(p), all.size) << sfen;
    // Captures and promotions on one side, the rest on the other, nothing lost.
    EXPECT_EQ(captures.size + quiets.size, all.size) << sfen;
    for (const Move m : captures) EXPECT_TRUE(p.capturedBy(m) != 0 || search::isPromotion(m)) << sfen;
    for (const Move m : quiets) EXPECT_TRUE(p.capturedBy(m) == 0 && !search::isPromotion(m)) << sfen;
    // Every 16-bit word is a move of the position exactly when the generator lists it.
    const std::set<Move> listed(all.begin(), all.end());
    for (int w = 0; w < 65536; ++w)
      ASSERT_EQ(p.isPlayable(static_cast<Move>(w)), listed.count(static_cast<Move>(w)) == 1) << sfen << " word " << w;
  }
}

TEST(Movegen, PerftAgreesWithTheRulesCoreRootMoveByRootMove) {
  for (const char* sfen : kPositions) {
    GameState g = test::position(sfen);
    Position p(g);
    MoveList list;
    search::generate(p, list);
    for (const Move m : list) {
      GameState child = g;
      ASSERT_FALSE(playUsiMove(child, p.toUsi(m)).has_value());
      p.make(m);
      EXPECT_EQ(search::perft(p, 2), perft(child, 2)) << sfen << " after " << toUsi(p.toUsi(m));
      p.unmake();
    }
  }
}

// Random games with a fixed seed: after every move the board agrees with the rules core's,
// its key with a key computed afresh, and taking every move back restores the start exactly.
TEST(Movegen, RandomGamesMakeAndUnmakeRestoreThePositionAndKey) {
  std::mt19937 rng(114514);
  int movesPlayed = 0, kingsTaken = 0;
  for (int game = 0; game < 200; ++game) {
    GameState g = test::position(kPositions[game % std::size(kPositions)]);
    Position p(g);
    const std::uint64_t startKey = p.key();
    std::vector<std::uint64_t> keys;
    for (int ply = 0; ply < 200; ++ply) {
      MoveList list;
      search::generate(p, list);
      if (list.size == 0) break;
      const Move m = list.moves[rng() % list.size];
      ASSERT_FALSE(playUsiMove(g, p.toUsi(m)).has_value()) << toSfen(g) << " " << toUsi(p.toUsi(m));
      keys.push_back(p.key());
      p.make(m);
      ++movesPlayed;
      ASSERT_TRUE(p.consistent()) << toSfen(g);
      const Position fresh(g);
      ASSERT_EQ(p.key(), fresh.key()) << toSfen(g);
      for (int s = 0; s < search::kSquares; ++s) ASSERT_EQ(p.at(s), fresh.at(s)) << toSfen(g);
      for (int c = 0; c < 2; ++c)
        for (int k = 1; k <= 5; ++k) ASSERT_EQ(p.hand(c, k), fresh.hand(c, k)) << toSfen(g);
      if (g.勝者 != 0) {
        ++kingsTaken;
        EXPECT_EQ(search::countMoves(p), 0);
        break;
      }
    }
    while (p.movesMade() > 0) {
      p.unmake();
      ASSERT_EQ(p.key(), keys.back());
      keys.pop_back();
      ASSERT_TRUE(p.consistent());
    }
    EXPECT_EQ(p.key(), startKey);
  }
  EXPECT_GT(movesPlayed, 4000);
  EXPECT_GT(kingsTaken, 50);
}

TEST(Movegen, KeysTellHandsAndSideToMoveApart) {
  const Position a(test::position("k4/5/5/5/4K b P 1"));
  const Position b(test::position("k4/5/5/5/4K b 2P 1"));
  const Position c(test::position("k4/5/5/5/4K b p 1"));
  const Position d(test::position("k4/5/5/5/4K w P 1"));
  const std::set<std::uint64_t> keys{a.key(), b.key(), c.key(), d.key()};
  EXPECT_EQ(keys.size(), 4u);
}

}  // namespace
}  // namespace zelk
