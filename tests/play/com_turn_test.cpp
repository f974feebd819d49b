// The computer's turn as steps on the event loop's timers: what it shows and when, the input
// refused while it runs, the ways out in the middle of it, and a decision on a worker thread.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "core/sfen.h"
#include "players/engine_move.h"
#include "play/form1_controller.h"
#include "presentation/fake_platform.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

const std::string kPlaced = "dsPlay 13";  // 駒打音.wav

// One game controller over its own recording platform and its own start folder.
struct Table {
  fs::path folder;
  test::FakePlatform fake;
  std::unique_ptr<Form1Controller> form;

  Table(const std::string& name, bool pausesPassAtOnce) {
    folder = fs::temp_directory_path() / ("zelk55_com_turn_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (auto file : kSoundFiles) {
      std::ofstream out(folder / fs::path(std::u8string(file.begin(), file.end())), std::ios::binary);
      out << "RIFF" << std::string(4, '\0') << "WAVE";
    }
    fake.pausesPassAtOnce = pausesPassAtOnce;
    form = std::make_unique<Form1Controller>(fake.platform(), std::vector<fs::path>{folder}, folder);
    form->Form_Load();
    fake.soundCalls.clear();
    fake.boxes.clear();
  }
  ~Table() {
    form.reset();
    fs::remove_all(folder);
  }
  GameState& g() { return form->g; }
  void click(int X, int Y, int button = 1) {
    form->Form_MouseDown(button, 盤左 + X * 桝幅 + 300, 盤上 + Y * 桝高 + 345);
  }
  // MAN's move as the engine would play it for the lower side.
  bool playManMove(int level) {
    const EngineAnswer a = engineMove(g(), level);
    if (!a.found) return false;
    if (a.move.isDrop()) click(kManHandColumn, a.move.kind);
    else click(a.move.fromX, a.move.fromY);
    click(a.move.toX, a.move.toY, a.move.promote ? 2 : 1);
    return true;
  }
  // Everything drawn, shown and played, one line each, in order of kind.
  std::vector<std::string> effects() const {
    std::vector<std::string> out;
    for (const test::DrawCall& c : fake.draws) {
      char line[200];
      std::snprintf(line, sizeof line, "draw %d %d/%d %.1f %.1f %.1f %.1f %d %s %d %d", c.kind,
                    static_cast<int>(c.picture.name), c.picture.index, c.x, c.y, c.x2, c.y2, c.colour, c.text.c_str(),
                    c.size, c.bold);
      out.push_back(line);
    }
    for (const std::string& b : fake.boxes) out.push_back("box " + b);
    for (const std::string& s : fake.soundCalls) out.push_back("sound " + s);
    return out;
  }
};

TEST(ComTurn, ShowsTheSameWhetherItsPausesPassAtOnceOrTheWindowRunsBetweenItsSteps) {
  for (int level = 1; level <= 3; ++level) {
    Table atOnce("at_once", true), stepped("stepped", false);
    for (Table* t : {&atOnce, &stepped}) {
      t->fake.checks[MenuItem::KEIKA] = true;
      t->form->menuClicked(MenuItem::SIDOU);
      t->form->menuClicked(level == 1 ? MenuItem::LEVEL1 : level == 2 ? MenuItem::LEVEL2 : MenuItem::LEVEL3);
      t->form->menuClicked(level == 2 ? MenuItem::GOTE : MenuItem::SENTE);
      t->fake.runAllSteps();
      for (int n = 0; n < 30 && t->g().勝者 == 0; ++n) {
        t->fake.now += 2.5;  // the player thinks
        if (!t->playManMove(1 + n % 3)) break;
        t->fake.runAllSteps();
      }
    }
    EXPECT_EQ(stepped.effects(), atOnce.effects()) << "level " << level;
    EXPECT_EQ(stepped.g().記録, atOnce.g().記録) << "level " << level;
    EXPECT_EQ(stepped.g().盤面, atOnce.g().盤面) << "level " << level;
    EXPECT_GT(stepped.g().手数, 6) << "level " << level;
  }
}

TEST(ComTurn, TheBlinkThePauseAndTheSoundComeAtTheirTimes) {
  Table t("times", false);
  t.form->SENTE_Click();
  t.click(1, 4);
  t.click(1, 3);  // MAN's pawn; the computer answers its only sensible way or another
  const Board afterMan = t.g().盤面;
  ASSERT_TRUE(t.form->computerMoving());
  // The decision is made, recorded and counted at once; the piece starts blinking at its source.
  EXPECT_EQ(t.g().手数, 2);
  EXPECT_EQ(t.g().記録最終, 1);
  ASSERT_FALSE(t.fake.pictures().empty());
  EXPECT_EQ(t.fake.pictures().back().picture.name, PictureName::KARA_MASU);
  EXPECT_EQ(t.fake.soundCalls, (std::vector<std::string>{kPlaced}));  // MAN's move only

  t.fake.advance(0.79);  // four frames of 0.2 s: the board is untouched until they are over
  EXPECT_EQ(t.g().盤面, afterMan);
  t.fake.advance(0.02);
  EXPECT_NE(t.g().盤面, afterMan);  // the move is made
  EXPECT_EQ(t.fake.soundCalls.size(), 1u);
  t.fake.advance(0.48);  // then half a second's pause before the sound
  EXPECT_EQ(t.fake.soundCalls.size(), 1u);
  EXPECT_TRUE(t.form->computerMoving());
  t.fake.advance(0.02);
  EXPECT_EQ(t.fake.soundCalls, (std::vector<std::string>{kPlaced, kPlaced}));
  EXPECT_FALSE(t.form->computerMoving());
  EXPECT_EQ(t.g().手番, t.g().MAN手番);
  EXPECT_EQ(t.g().記録位置, 2);
}

TEST(ComTurn, InputWhileItRunsIsDroppedAndNotCarriedOutAfterwards) {
  Table t("input", false);
  t.fake.checks[MenuItem::KEIKA] = true;
  t.form->SENTE_Click();
  t.click(1, 4);
  t.click(1, 3);
  ASSERT_TRUE(t.form->computerMoving());
  t.fake.boxes.clear();
  const int background = t.g().背景種類;

  // During the blink: a piece picked up, every command that would change the game, keys.
  t.click(2, 5);
  for (MenuItem item : {MenuItem::SENTE, MenuItem::GOTE, MenuItem::START, MenuItem::CANCEL, MenuItem::REVERSE,
                        MenuItem::REPLAY, MenuItem::AFTER, MenuItem::LBEL_UP, MenuItem::LEVEL1, MenuItem::UCHU,
                        MenuItem::SIDOU, MenuItem::KEIKA, MenuItem::KIFU_READ, MenuItem::KIFU_WRITE, MenuItem::VER})
    t.form->menuClicked(item);
  t.form->Form_KeyPress('a');
  t.fake.advance(1.0);  // now in the pause
  ASSERT_TRUE(t.form->computerMoving());
  t.click(2, 5);
  t.click(2, 4);
  // The music may be switched while the computer moves: it changes nothing of the game.
  t.form->menuClicked(MenuItem::BGM);
  EXPECT_FALSE(t.fake.isChecked(MenuItem::BGM));
  t.fake.runAllSteps();

  EXPECT_FALSE(t.form->computerMoving());
  EXPECT_EQ(t.g().手数, 2);
  EXPECT_EQ(t.g().手番, t.g().MAN手番);
  EXPECT_EQ(t.g().選択状態, 0);
  EXPECT_EQ(t.g().反転済, 0);
  EXPECT_EQ(t.g().レベル, 3);
  EXPECT_EQ(t.g().背景種類, background);
  EXPECT_EQ(t.g().移動指導, 0);
  EXPECT_TRUE(t.fake.isChecked(MenuItem::KEIKA));
  for (const std::string& box : t.fake.boxes) EXPECT_NE(box, "version dialog");
  EXPECT_TRUE(t.fake.timerCalls.back());  // MAN's clock runs again once the turn is over

  // From now on a click is the player's again.
  t.click(2, 5);
  EXPECT_EQ(t.g().選択状態, 1);
}

TEST(ComTurn, TheClickThatResumesPlayIsCarriedOutOnceTheComputerHasMoved) {
  Table t("resume", false);
  ASSERT_FALSE(loadSfen(t.g(), "5/5/2p2/5/2K2 b - 1").has_value());
  t.g().手番 = 0;
  t.form->SENTE_Click();
  t.g().手番 = t.g().COM手番;
  t.g().再開待ち = 1;  // as a history step leaves it
  t.fake.boxes.clear();
  t.click(3, 5);  // the king: first the computer moves, then the click picks it up
  EXPECT_EQ(t.fake.boxes, (std::vector<std::string>{"再開(COM)|OKですか？"}));
  EXPECT_TRUE(t.form->computerMoving());
  EXPECT_EQ(t.g().選択状態, 0);
  t.fake.runAllSteps();
  EXPECT_EQ(t.fake.boxes, (std::vector<std::string>{"再開(COM)|OKですか？", "|   ** 王手 **"}));
  EXPECT_EQ(t.g().盤面(3, 4), COM歩);
  EXPECT_EQ(t.g().選択状態, 1);
  EXPECT_EQ(t.g().移動駒, MAN王);
}

TEST(ComTurn, EndingTheProgramInTheMiddleStopsItAtThatStep) {
  for (const double at : {0.0, 0.3, 1.0}) {  // deciding done, blinking, in the pause
    for (const bool byEsc : {true, false}) {
      Table t("end", false);
      t.form->GOTE_Click();  // the computer moves first
      t.fake.advance(at);
      ASSERT_TRUE(t.form->computerMoving());
      const Board board = t.g().盤面;
      if (byEsc) t.form->Form_KeyPress(27);
      else t.form->Form_Unload();
      EXPECT_FALSE(t.form->computerMoving());
      ASSERT_FALSE(t.fake.soundCalls.empty());
      EXPECT_EQ(t.fake.soundCalls.back(), "dsTerminate");
      const std::size_t draws = t.fake.draws.size(), sounds = t.fake.soundCalls.size();
      t.fake.runAllSteps();
      EXPECT_EQ(t.fake.draws.size(), draws) << at;
      EXPECT_EQ(t.fake.soundCalls.size(), sounds) << at;
      EXPECT_EQ(t.g().盤面, board) << at;
      EXPECT_EQ(t.g().記録位置, 0) << at;
      EXPECT_EQ(t.fake.waitingSteps(), 0u);
    }
  }
}

TEST(ComTurn, ASlowDecisionRunsOnAWorkerWithTheClockGoingAndStopsAtOnceWhenTheProgramEnds) {
  Table t("worker_stop", false);
  t.fake.checks[MenuItem::KEIKA] = true;
  std::atomic<bool> thinking{false}, stopped{false};
  t.form->comTurn.deciderFor = [&](int) {
    return ComDecider{[&](GameState&, const std::atomic<bool>& stop) {
                        thinking = true;
                        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
                        while (!stop && std::chrono::steady_clock::now() < giveUp)
                          std::this_thread::sleep_for(std::chrono::milliseconds(1));
                        stopped = stop.load();
                        return ComDecision{};
                      },
                      true};
  };
  t.form->GOTE_Click();
  EXPECT_TRUE(t.form->computerMoving());
  while (!thinking) std::this_thread::yield();
  EXPECT_TRUE(t.fake.timerCalls.back());  // the clock ticks while the computer thinks
  t.form->Timer1_Timer();
  t.click(3, 3);  // dropped
  EXPECT_EQ(t.g().選択状態, 0);

  const auto before = std::chrono::steady_clock::now();
  t.form->OWARI_Click();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
  EXPECT_TRUE(stopped);
  EXPECT_FALSE(t.form->computerMoving());
  EXPECT_EQ(t.fake.windowCalls.back(), "close");
  t.fake.runPosted(0.05);  // the dropped answer changes nothing
  EXPECT_EQ(t.g().手数, 0);
  EXPECT_EQ(t.g().勝者, 0);
}

TEST(ComTurn, ADecisionFromAWorkerIsPlayedAndShownLikeOneOnTheEventLoop) {
  Table onLoop("loop", true), onWorker("worker", false);
  onWorker.form->comTurn.deciderFor = [](int) {
    return ComDecider{[](GameState& position, const std::atomic<bool>&) { return decideComMove(position); }, true};
  };
  for (Table* t : {&onLoop, &onWorker}) {
    ASSERT_FALSE(loadSfen(t->g(), "rbsgk/4p/5/P4/KGSBR w - 1").has_value());
    t->g().手番 = 0;
    t->form->GOTE_Click();
  }
  ASSERT_TRUE(onWorker.form->computerMoving());
  ASSERT_TRUE(onWorker.fake.runPosted(10));
  onWorker.fake.runAllSteps();
  EXPECT_FALSE(onWorker.form->computerMoving());
  EXPECT_EQ(onWorker.g().盤面, onLoop.g().盤面);
  EXPECT_EQ(onWorker.g().記録, onLoop.g().記録);
  EXPECT_EQ(onWorker.effects(), onLoop.effects());
  EXPECT_EQ(onWorker.g().手番, onWorker.g().MAN手番);
}

TEST(ComTurn, LevelSixSearchesOnAWorkerAndPlaysAMoveTheRulesAllowOrStopsWhenTheProgramEnds) {
  Table t("level_six", true);
  t.form->menuClicked(MenuItem::LEVEL6);
  ASSERT_EQ(t.g().レベル, 6);
  // MAN's rook stands beside COM's king: the search takes it rather than lose the king.
  ASSERT_FALSE(loadSfen(t.g(), "4k/3gR/5/5/K4 w - 1").has_value());
  t.g().手番 = 0;
  t.form->GOTE_Click();
  ASSERT_TRUE(t.form->computerMoving());
  EXPECT_EQ(t.g().手数, 0);  // the search runs on: nothing is played yet
  t.click(5, 2);             // board input is dropped meanwhile
  EXPECT_EQ(t.g().選択状態, 0);
  ASSERT_TRUE(t.fake.runPosted(30));
  t.fake.runAllSteps();
  EXPECT_FALSE(t.form->computerMoving());
  EXPECT_EQ(t.g().手数, 1);
  EXPECT_TRUE(isCom(t.g().盤面(5, 2)));  // the rook taken
  EXPECT_EQ(t.g().持駒COM(5), 1);
  EXPECT_EQ(t.g().手番, t.g().MAN手番);
  EXPECT_EQ(t.fake.soundCalls.back(), kPlaced);

  Table ended("level_six_end", true);
  ended.form->menuClicked(MenuItem::LEVEL6);
  ended.form->GOTE_Click();
  ASSERT_TRUE(ended.form->computerMoving());
  ended.form->OWARI_Click();
  EXPECT_FALSE(ended.form->computerMoving());
  ended.fake.runPosted(0.05);
  ended.fake.runAllSteps();
  EXPECT_EQ(ended.g().手数, 0);
}

}  // namespace
}  // namespace zelk
