#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <vector>

#include "core/sfen.h"
#include "core/test_support.h"
#include "search/movegen.h"
#include "search/search.h"

namespace zelk {
namespace {

using search::Position;
using search::Searcher;
using search::SearchLimits;

struct Found {
  std::string move;
  int score = 0;
  std::uint64_t nodes = 0;
};

Found searchDepth(const char* sfen, int depth, Searcher& s) {
  Position p(test::position(sfen));
  const std::uint64_t key = p.key();
  SearchLimits l;
  l.depth = depth;
  const std::atomic<bool> stop{false};
  const search::SearchResult r = s.search(p, l, stop);
  EXPECT_EQ(p.key(), key) << "the search left the position changed";
  EXPECT_TRUE(p.consistent());
  return {r.best ? toUsi(p.toUsi(r.best)) : "none", r.score, r.nodes};
}

Found searchDepth(const char* sfen, int depth) {
  Searcher s(4);
  return searchDepth(sfen, depth, s);
}

Found searchOfficial(const char* sfen, int depth) {
  Searcher s(4);
  s.setRules(Rules::official);
  return searchDepth(sfen, depth, s);
}

TEST(Searcher, AKingInReachIsTakenAtOnce) {
  // The upper gold on 2d takes the king on 2e; nothing else is searched.
  const Found f = searchDepth("4k/5/5/3g1/3K1 w - 1", 6);
  EXPECT_EQ(f.move, "2d2e");
  EXPECT_EQ(f.score, search::kMate);
  EXPECT_EQ(search::mateInMoves(f.score), 1);
}

TEST(Searcher, AMateIsScoredByTheDistanceToTheKingsCapture) {
  // A gold dropped on 1b, guarded by the pawn on 1c, leaves the king on 1a no square: the
  // king falls two plies later.
  const Found f = searchDepth("4k/5/4P/5/K4 b G 1", 5);
  EXPECT_EQ(f.move, "G*1b");
  EXPECT_EQ(f.score, search::kMate - 2);
  EXPECT_EQ(search::mateInMoves(f.score), 3);
  // The side being mated sees the same line from the other end and spins it out: with the
  // gold already on 1b the king is lost on the next ply whatever it does.
  const Found lost = searchDepth("4k/4G/4P/5/K4 w - 1", 5);
  EXPECT_EQ(lost.score, -(search::kMate - 1));
  EXPECT_EQ(search::mateInMoves(lost.score), -2);
}

TEST(Searcher, APawnDroppedToMateIsAllowed) {
  // A pawn dropped on 1b, guarded by the gold on 2c, mates the king on 1a hemmed in by its
  // own pawn and silver (neither can take the pawn).
  const Found f = searchDepth("3pk/3s1/3G1/5/K4 b P 1", 4);
  EXPECT_EQ(f.move, "P*1b");
  EXPECT_EQ(f.score, search::kMate - 2);
}

TEST(Searcher, UnderTheOfficialRulesAPawnDropMateIsNoMoveAndAMatedSideHasNone) {
  const Found f = searchOfficial("3pk/3s1/3G1/5/K4 b P 1", 4);
  EXPECT_NE(f.move, "P*1b");
  EXPECT_NE(f.move, "none");
  // The gold dropped on 1b mates instead: the king has no move, two plies sooner than its capture.
  const Found gold = searchOfficial("4k/5/4P/5/K4 b G 1", 5);
  EXPECT_EQ(gold.move, "G*1b");
  EXPECT_EQ(gold.score, search::kMate - 1);
  EXPECT_EQ(searchOfficial("4k/4G/4P/5/K4 w - 1", 5).move, "none");
}

TEST(Searcher, TheSameSearchGivesTheSameMoveAndNodes) {
  for (const char* sfen :
       {"rbsgk/4p/5/P4/KGSBR b - 1", "r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22", "2r1k/1g1rg/4p/3B1/+s1KB1 b SP 31"}) {
    const Found a = searchDepth(sfen, 6), b = searchDepth(sfen, 6);
    EXPECT_EQ(a.move, b.move) << sfen;
    EXPECT_EQ(a.nodes, b.nodes) << sfen;
  }
}

TEST(Searcher, MultiPVGivesTheBestLinesEachBeginningWithAnotherMove) {
  Searcher three(4);
  Position p(test::position("rbsgk/4p/5/P4/KGSBR b - 1"));
  SearchLimits l;
  l.depth = 5;
  l.multiPV = 3;
  const std::atomic<bool> stop{false};
  std::vector<std::string> firsts;
  const search::SearchResult r = three.search(p, l, stop, [&](const search::IterationInfo& i) {
    if (i.depth != 5) return;
    firsts.push_back(toUsi(p.toUsi(i.pv.at(0))));
    EXPECT_EQ(i.line, static_cast<int>(firsts.size()));
  });
  ASSERT_EQ(firsts.size(), 3u);
  EXPECT_NE(firsts[0], firsts[1]);
  EXPECT_NE(firsts[1], firsts[2]);
  EXPECT_NE(firsts[0], firsts[2]);
  EXPECT_EQ(toUsi(p.toUsi(r.best)), firsts[0]);  // the move played is the first line's
  EXPECT_TRUE(p.consistent());
}

TEST(Searcher, ANodeBudgetIsKept) {
  Position p(test::position(kStartSfen));
  Searcher s(4);
  SearchLimits l;
  l.nodes = 5000;
  const std::atomic<bool> stop{false};
  const search::SearchResult r = s.search(p, l, stop);
  EXPECT_NE(r.best, search::kNoMove);
  EXPECT_LE(r.nodes, 5000u + 1024u);  // checked every node in the main search, every 1024 in quiescence
  EXPECT_GE(r.nodes, 5000u);
}

// Games of the search against itself, each move checked by the rules core.
TEST(Searcher, WholeGamesAreMadeOfMovesTheRulesAllow) {
  Searcher s(4);
  const std::atomic<bool> stop{false};
  int kingsTaken = 0;
  for (const char* start :
       {"rbsgk/4p/5/P4/KGSBR b - 1", "rbsgk/4p/P4/5/KGSBR w - 2", "r2gk/1s1r1/4p/3G1/+s1KB1 w Bp 22"}) {
    GameState g = test::position(start);
    Position p(g);
    for (int ply = 0; ply < 120 && g.勝者 == 0; ++ply) {
      SearchLimits l;
      l.depth = 3;
      const search::SearchResult r = s.search(p, l, stop);
      ASSERT_NE(r.best, search::kNoMove) << toSfen(g);
      const UsiMove m = p.toUsi(r.best);
      ASSERT_FALSE(playUsiMove(g, m).has_value()) << toSfen(g) << " " << toUsi(m);
      p.make(r.best);
    }
    if (g.勝者 != 0) ++kingsTaken;
  }
  EXPECT_GE(kingsTaken, 1);
}

TEST(Searcher, TheCapturesSearchWithChecksSeesAMateByADroppedGold) {
  // Nothing to take: only the gold dropped on 1b, guarded by the pawn, wins, and only a
  // search that tries checks sees it.
  for (const Rules rules : {Rules::kingCapture, Rules::official}) {
    Searcher s(4);
    s.setRules(rules);
    Position p(test::position("4k/5/4P/5/K4 b G 1"));
    EXPECT_LT(s.quiescence(p), search::kMateBound);
    s.features().quiescenceChecks = true;
    EXPECT_GT(s.quiescence(p), search::kMateBound);
    // A pawn dropped to give mate wins only under the game's own rules.
    Position pawn(test::position("3pk/3s1/3G1/5/K4 b P 1"));
    EXPECT_EQ(s.quiescence(pawn) > search::kMateBound, rules == Rules::kingCapture);
  }
}

TEST(Searcher, UnderTheOfficialRulesTheGamesOwnRepetitionCountsAtTheFourthOccurrence) {
  // 先手's king steps out, 後手's does, 先手's goes back: 後手, whom the repetition favours,
  // steps back too and meets the opening position again; it decides the game only as the
  // position's fourth occurrence.
  const std::vector<const char*> round = {"5e4d", "1a2b", "4d5e", "2b1a"};
  for (const int rounds : {1, 3}) {
    for (const bool history : {true, false}) {
      Position p(test::position(kStartSfen));
      for (int k = 0; k < rounds; ++k)
        for (std::size_t i = 0; i < round.size() - (k == rounds - 1 ? 1 : 0); ++i)
          p.make(p.fromUsi(*parseUsiMove(round[i])));
      Searcher s(4);
      s.setRules(Rules::official);
      s.features().gameHistory = history;
      SearchLimits l;
      l.depth = 3;
      const std::atomic<bool> stop{false};
      const search::SearchResult r = s.search(p, l, stop);
      if (history && rounds == 3) {
        EXPECT_EQ(toUsi(p.toUsi(r.best)), "2b1a");
        EXPECT_EQ(r.score, search::kRepetitionWin);
      } else {
        // Blind to the game before the root, or the position met only twice.
        EXPECT_LT(r.score, search::kRepetitionWin) << rounds << history;
      }
    }
  }
}

TEST(Searcher, AWarmTemperatureVariesAmongNearBestMovesButNeverGivesAPieceAway) {
  // The upper rook on 3c stands free before the lower rook: every draw takes it.
  std::set<std::string> chosen;
  for (std::uint64_t seed = 0; seed < 12; ++seed) {
    SearchLimits l;
    l.depth = 2;
    l.temperature = 40;
    l.seed = seed;
    const std::atomic<bool> stop{false};
    Searcher s(4);
    Position free(test::position("4k/5/2r2/5/K1R2 b - 1"));
    EXPECT_EQ(toUsi(free.toUsi(s.search(free, l, stop).best)), "3e3c");
    Position start(test::position(kStartSfen));
    chosen.insert(toUsi(start.toUsi(s.search(start, l, stop).best)));
  }
  EXPECT_GT(chosen.size(), 1u);  // from the opening, more than one move is near the best
}

TEST(TranspositionTable, KeepsWhatWasStoredAndForgetsOnClear) {
  search::TranspositionTable tt(1);
  tt.allocate();
  EXPECT_EQ(tt.probe(12345), nullptr);
  tt.store(12345, search::boardMove(3, 8), -77, 12, 5, search::kBoundLower);
  const search::TtEntry* e = tt.probe(12345);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->move, search::boardMove(3, 8));
  EXPECT_EQ(e->score, -77);
  EXPECT_EQ(e->depth, 5);
  EXPECT_EQ(e->bound(), search::kBoundLower);
  // A shallower bound of the same search does not overwrite a much deeper result; an exact
  // one does, keeping the move when it has none.
  tt.store(12345, search::kNoMove, 5, 12, 1, search::kBoundUpper);
  EXPECT_EQ(tt.probe(12345)->depth, 5);
  tt.store(12345, search::kNoMove, 5, 12, 1, search::kBoundExact);
  EXPECT_EQ(tt.probe(12345)->depth, 1);
  EXPECT_EQ(tt.probe(12345)->move, search::boardMove(3, 8));
  tt.clear();
  EXPECT_EQ(tt.probe(12345), nullptr);
  EXPECT_EQ(tt.megabytes(), 1u);
}

}  // namespace
}  // namespace zelk
