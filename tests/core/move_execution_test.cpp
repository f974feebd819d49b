#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/move_execution.h"
#include "core/setup.h"
#include "core/test_support.h"

namespace zelk {
namespace {

// Writes down every drawing call, in order.
class RecordingView final : public GameView {
public:
  std::vector<std::string> calls;
  void 描画_絵(int 駒, double X, double Y) override { calls.push_back("絵 " + std::to_string(駒) + at(X, Y)); }
  void 描画_桝輪郭(int 描画色, double X, double Y) override {
    calls.push_back("輪郭 " + std::to_string(描画色) + at(X, Y));
  }
  void 描画_自持盤() override { calls.push_back("自持盤"); }
  void 描画_敵持盤() override { calls.push_back("敵持盤"); }
  void 画面_再描画() override { calls.push_back("再描画"); }

private:
  static std::string at(double x, double y) {
    return " " + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
  }
};

using Calls = std::vector<std::string>;

TEST(MoveExecution, CaptureSendsThePieceUnpromotedToTheCapturersHand) {
  // The MAN rook on (1,5) takes the COM dragon on (1,3).
  GameState g = test::position("4k/5/+r4/5/R3K b - 1");
  g.輪郭色 = 色黄;
  RecordingView view;
  駒移動(g, view, 1, 5, 1, 3, MAN飛);
  EXPECT_EQ(g.盤面, test::position("4k/5/R4/5/4K b - 1").盤面);
  EXPECT_EQ(g.持駒MAN(5), 1);
  EXPECT_EQ(g.持駒数MAN, 1);
  EXPECT_EQ(g.持駒COM, Hand{});
  EXPECT_EQ(g.持駒数COM, 0);
  EXPECT_EQ(g.勝者, 0);
  EXPECT_EQ(view.calls, (Calls{"自持盤", "絵 0 1,5", "輪郭 14 1,5", "絵 -900 1,3", "輪郭 14 1,3", "輪郭 14 1,3"}));

  // A COM gold takes a MAN promoted silver: a silver for COM's hand.
  GameState h = test::position("4k/5/2g2/2+S2/K4 w - 1");
  RecordingView comView;
  駒移動(h, comView, 3, 3, 3, 4, COM金);
  EXPECT_EQ(h.盤面(3, 4), COM金);
  EXPECT_EQ(h.盤面(3, 3), 0);
  EXPECT_EQ(h.持駒COM(2), 1);
  EXPECT_EQ(h.持駒数COM, 1);
  EXPECT_EQ(comView.calls.front(), "敵持盤");

  // Every captured code and the hand kind it returns as.
  struct Taken {
    int code, manKind, comKind;
  };
  const Taken taken[] = {
      {COM歩, 1, 0}, {COMと, 1, 0}, {COM銀, 2, 0}, {COM成銀, 2, 0}, {COM金, 3, 0}, {111, 3, 0},   {COM角, 4, 0},
      {COM馬, 4, 0}, {COM飛, 5, 0}, {COM龍, 5, 0}, {MAN歩, 0, 1},   {MANと, 0, 1}, {MAN銀, 0, 2}, {MAN成銀, 0, 2},
      {MAN金, 0, 3}, {-111, 0, 3},  {MAN角, 0, 4}, {MAN馬, 0, 4},   {MAN飛, 0, 5}, {MAN龍, 0, 5},
  };
  for (const Taken& t : taken) {
    GameState s;
    駒取得(s, t.code);
    Hand man, com;
    if (t.manKind) man(t.manKind) = 1;
    if (t.comKind) com(t.comKind) = 1;
    EXPECT_EQ(s.持駒MAN, man) << t.code;
    EXPECT_EQ(s.持駒COM, com) << t.code;
    EXPECT_EQ(s.勝者, 0) << t.code;
  }
}

TEST(MoveExecution, TakingAKingDecidesTheGameAndLeavesTheHands) {
  NullGameView view;
  GameState g = test::position("4k/4R/5/5/K4 b P 1");  // MAN is 先手 (1), COM 後手 (-1)
  駒移動(g, view, 5, 2, 5, 1, MAN飛);
  EXPECT_EQ(g.勝者, 1);
  EXPECT_EQ(g.持駒MAN, test::position("5/5/5/5/5 b P 1").持駒MAN);
  EXPECT_EQ(g.持駒COM, Hand{});
  EXPECT_EQ(g.盤面(5, 1), MAN飛);

  GameState h = test::position("4k/5/5/r4/K4 w s 1");
  駒移動(h, view, 1, 4, 1, 5, COM飛);
  EXPECT_EQ(h.勝者, -1);
  EXPECT_EQ(h.持駒MAN, Hand{});
  EXPECT_EQ(h.持駒COM, test::position("5/5/5/5/5 b s 1").持駒COM);
}

TEST(MoveExecution, DropsTakeFromTheHandAndChangeOnlyTheDestination) {
  GameState g = test::position("4k/5/5/5/K4 b 2S 1");
  g.輪郭色 = 色黄;
  RecordingView view;
  駒移動(g, view, kManHandColumn, 2, 3, 3, MAN銀);
  EXPECT_EQ(g.盤面, test::position("4k/5/2S2/5/K4 b - 1").盤面);
  EXPECT_EQ(g.持駒MAN(2), 1);
  EXPECT_EQ(g.持駒数MAN, 1);
  EXPECT_EQ(view.calls, (Calls{"絵 0 7,2", "輪郭 14 7,2", "自持盤", "絵 -100 3,3", "輪郭 14 3,3", "輪郭 14 3,3"}));

  GameState h = test::position("4k/5/5/5/K4 w gp 1");
  RecordingView comView;
  駒移動(h, comView, kComHandColumn, 3, 2, 2, COM金);
  EXPECT_EQ(h.盤面, test::position("4k/1g3/5/5/K4 b - 1").盤面);
  EXPECT_EQ(h.持駒COM(3), 0);
  EXPECT_EQ(h.持駒COM(1), 1);
  EXPECT_EQ(h.持駒数COM, 1);
  EXPECT_EQ(comView.calls, (Calls{"絵 0 -1,3", "輪郭 2 -1,3", "敵持盤", "絵 110 2,2", "輪郭 2 2,2", "輪郭 2 2,2"}));
}

TEST(MoveExecution, TheMansKingSquareFollowsItsMoves) {
  NullGameView view;
  GameState g = test::position("4k/5/5/5/K4 b - 1");
  駒移動(g, view, 1, 5, 2, 4, MAN王);
  EXPECT_EQ(g.MAN王X, 2);
  EXPECT_EQ(g.MAN王Y, 4);
  駒移動(g, view, 2, 4, 1, 3, MAN王);
  EXPECT_EQ(g.MAN王X, 1);
  EXPECT_EQ(g.MAN王Y, 3);
}

TEST(MoveExecution, HistorySlotsHoldThePositionBeforeEachMove) {
  NullGameView view;
  GameState g = test::position("rbsgk/4p/5/P4/KGSBR b P 1");
  const GameState start = g;
  手順保存(g, kManHandColumn, 1, 2, 3, MAN歩, 0, 0, 1.5, 0, 0);
  駒移動(g, view, kManHandColumn, 1, 2, 3, MAN歩);
  g.記録位置 += 1;
  EXPECT_EQ(g.記録最終, 0);
  EXPECT_EQ(g.記録.at(0).盤面, start.盤面);
  EXPECT_EQ(g.記録.at(0).持駒MAN, start.持駒MAN);
  EXPECT_EQ(g.記録.at(0).持駒COM, start.持駒COM);
  EXPECT_EQ(g.記録.at(0).前秒M, 0);
  EXPECT_EQ(g.記録.at(0).後秒M, 1.5);

  手順保存(g, 5, 2, 5, 3, COM歩, 0, 1.5, 1.5, 0, 2.25);
  駒移動(g, view, 5, 2, 5, 3, COM歩);
  g.記録位置 += 1;
  EXPECT_EQ(g.記録最終, 1);
  EXPECT_EQ(g.記録.at(1).盤面, test::position("rbsgk/4p/1P3/P4/KGSBR w - 2").盤面);
  EXPECT_EQ(g.記録.at(1).持駒MAN, Hand{});
  EXPECT_EQ(g.記録.at(1).前秒M, 1.5);
  EXPECT_EQ(g.記録.at(1).後秒M, 1.5);
  EXPECT_EQ(g.記録.at(1).前秒C, 0);
  EXPECT_EQ(g.記録.at(1).後秒C, 2.25);

  // Play resumed from slot 1: the slot is overwritten in place and becomes the last.
  g.記録位置 = 1;
  手順保存(g, 5, 3, 5, 4, COM歩, 0, 1.5, 1.5, 2.25, 3);
  EXPECT_EQ(g.記録最終, 1);
  EXPECT_EQ(g.記録.at(1).盤面, g.盤面);
  EXPECT_EQ(g.記録.at(1).後秒C, 3);
  EXPECT_EQ(g.記録.at(0).盤面, start.盤面);
}

TEST(MoveExecution, TheHistoryGrowsWithTheGameWithoutLosingAMove) {
  // The two kings step aside and back; after n moves the MAN king stands on (2,5) when n % 4
  // is 1 or 2, the COM king on (4,1) when n % 4 is 2 or 3.
  NullGameView view;
  GameState g = test::position("4k/5/5/5/K4 b - 1");
  struct Step {
    int fx, fy, tx, ty, code;
  };
  const Step cycle[4] = {{1, 5, 2, 5, MAN王}, {5, 1, 4, 1, COM王}, {2, 5, 1, 5, MAN王}, {4, 1, 5, 1, COM王}};
  constexpr int kMoves = 700;
  for (int n = 0; n < kMoves; ++n) {
    const Step& s = cycle[n % 4];
    手順保存(g, s.fx, s.fy, s.tx, s.ty, s.code, 0, n, n + 1, n, n);
    駒移動(g, view, s.fx, s.fy, s.tx, s.ty, s.code);
    g.記録位置 += 1;
    ASSERT_EQ(g.記録最終, n);
  }
  ASSERT_GE(g.記録.size(), static_cast<std::size_t>(kMoves));
  for (int n = 0; n < kMoves; ++n) {
    const Board& b = g.記録[n].盤面;
    const bool manAside = n % 4 == 1 || n % 4 == 2;
    const bool comAside = n % 4 == 2 || n % 4 == 3;
    EXPECT_EQ(b(manAside ? 2 : 1, 5), MAN王) << n;
    EXPECT_EQ(b(comAside ? 4 : 5, 1), COM王) << n;
    EXPECT_EQ(g.記録[n].前秒M, n);
    EXPECT_EQ(g.記録[n].後秒M, n + 1);
  }
  restoreSlot(g, 550);  // 550 % 4 == 2
  EXPECT_EQ(g.盤面, test::position("3k1/5/5/5/1K3 b - 1").盤面);
}

TEST(MoveExecution, HandCountFollowsTheSideValues) {
  GameState g = test::position("5/5/5/5/5 b 2PSg 1");  // MAN is 1, COM is -1
  EXPECT_EQ(調査_持駒数(g, 1), 3);
  EXPECT_EQ(調査_持駒数(g, -1), 1);
  EXPECT_EQ(調査_持駒数(g, 0), 0);
  EXPECT_EQ(調査_持駒数(g, 2), 0);
  g.持駒MAN(4) = -1;  // only positive counts are summed
  EXPECT_EQ(調査_持駒数(g, 1), 3);

  GameState before;  // before any game MAN is -1 and COM 1
  before.持駒MAN(1) = 2;
  EXPECT_EQ(調査_持駒数(before, -1), 2);
  EXPECT_EQ(調査_持駒数(before, 1), 0);
}

TEST(MoveExecution, ResetPutsTheStartingPositionAndClearsTheGame) {
  GameState g = test::position("rbsgk/rbsgp/PPPPP/PGSBR/KGSBR b 2RBGSP 9");
  g.持駒COM(3) = 2;
  g.持駒数COM = 2;
  g.ハンデレベル = 2, g.ハンデ設定済 = 1, g.対局モード = 1, g.勝者 = 1, g.手番 = -1;
  g.記録位置 = 8, g.記録最終 = 8, g.反転済 = 1;
  g.timer1Enabled = true, g.COM秒 = 5, g.MAN秒 = 7, g.再開待ち = 1, g.棋譜モード = 1, g.表示秒 = 4;
  g.選択状態 = 1;
  g.MAN手番 = 1, g.COM手番 = -1, g.レベル = 1, g.背景種類 = 背景畳;
  RecordingView view;
  初期設定(g, view);

  struct Placed {
    int x, y, code;
  };
  const Placed start[] = {{1, 1, COM飛}, {2, 1, COM角}, {3, 1, COM銀}, {4, 1, COM金}, {5, 1, COM王}, {5, 2, COM歩},
                          {1, 4, MAN歩}, {1, 5, MAN王}, {2, 5, MAN金}, {3, 5, MAN銀}, {4, 5, MAN角}, {5, 5, MAN飛}};
  Board expected;
  for (const Placed& p : start) expected(p.x, p.y) = p.code;
  for (int x = 1; x <= 5; ++x)
    for (int y = 1; y <= 5; ++y) EXPECT_EQ(g.盤面(x, y), expected(x, y)) << x << "," << y;
  EXPECT_EQ(g.持駒MAN, Hand{});
  EXPECT_EQ(g.持駒COM, Hand{});
  EXPECT_EQ(g.持駒数MAN, 0);
  EXPECT_EQ(g.持駒数COM, 0);
  EXPECT_FALSE(g.timer1Enabled);
  struct Field {
    const char* name;
    double value, want;
  };
  const Field fields[] = {
      {"ハンデレベル", double(g.ハンデレベル), 0},
      {"ハンデ設定済", double(g.ハンデ設定済), 0},
      {"対局モード", double(g.対局モード), 0},
      {"勝者", double(g.勝者), 0},
      {"手番", double(g.手番), 0},
      {"記録位置", double(g.記録位置), 0},
      {"手数", double(g.手数), 0},
      {"反転済", double(g.反転済), 0},
      {"COM秒", g.COM秒, 0},
      {"MAN秒", g.MAN秒, 0},
      {"再開待ち", double(g.再開待ち), 0},
      {"棋譜モード", double(g.棋譜モード), 0},
      {"表示秒", double(g.表示秒), 0},
      {"選択状態", double(g.選択状態), 0},
      // left alone
      {"MAN手番", double(g.MAN手番), 1},
      {"COM手番", double(g.COM手番), -1},
      {"レベル", double(g.レベル), 1},
      {"背景種類", double(g.背景種類), 背景畳},
      {"記録最終", double(g.記録最終), 8},
  };
  for (const Field& f : fields) EXPECT_EQ(f.value, f.want) << f.name;
  EXPECT_EQ(view.calls, Calls{"再描画"});
}

}  // namespace
}  // namespace zelk
