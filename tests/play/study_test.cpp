// The 検討 menu as a player meets it: the move list, a hint, the analysis of the position
// shown and the review of the game, over the recording platform.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/sfen.h"
#include "formats/kif_read.h"
#include "formats/kif_write.h"
#include "play/form1_controller.h"
#include "presentation/fake_platform.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

// 1. The rook goes where the pawn takes it; 2. the pawn takes it; 3. the bishop comes out;
// 4. the rook taken is dropped.
constexpr std::string_view kRookLost =
    "手合割：5五将棋\n"
    "手数----指手---------消費時間--\n"
    "   1 １三飛(15)\n"
    "   2 同　歩(12)\n"
    "   3 １四角(25)\n"
    "   4 ３三飛打\n";

struct StudyTable {
  fs::path folder;
  test::FakePlatform fake;
  std::unique_ptr<Form1Controller> form;

  explicit StudyTable(const std::string& name) {
    folder = fs::temp_directory_path() / ("zelk55_study_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    form = std::make_unique<Form1Controller>(fake.platform(), std::vector<fs::path>{folder}, folder);
    form->Form_Load();
    form->study.reviewLimits = search::SearchLimits{4, 0, 0, 0, 1};
    form->study.hintLimits = search::SearchLimits{5, 0, 0, 0, 1};
  }
  ~StudyTable() {
    form.reset();
    fs::remove_all(folder);
  }
  GameState& g() { return form->g; }
  const StudyView& view() { return form->study.view(); }
  void loadGame(std::string_view kif) {
    const KifRead r = readKif(kif);
    ASSERT_TRUE(r.ok()) << r.error;
    form->kif.loadRecord(r.record);
    fake.boxes.clear();
  }
  // A position set up for two people to play, the given side to move.
  void setUp(std::string_view sfen) {
    ASSERT_FALSE(loadSfen(g(), sfen));
    g().対局モード = 0;
    g().記録.clear();
    g().記録位置 = 0;
    g().記録最終 = 0;
  }
  // Runs what the worker posts until the condition holds (or a long while has passed).
  template <class Done>
  bool waitFor(Done done) {
    for (int i = 0; i < 2000 && !done(); ++i) fake.runPosted(0.05);
    return done();
  }
};

TEST(Study, TheMoveListShowsTheGameAsKifWritesItAndFollowsTheStepsBackAndForward) {
  StudyTable t("list");
  t.loadGame(kRookLost);
  t.form->menuClicked(MenuItem::KIFU_LIST);
  EXPECT_TRUE(t.fake.isChecked(MenuItem::KIFU_LIST));
  ASSERT_EQ(t.view().rows.size(), 5u);
  EXPECT_EQ(t.view().rows[0].move, "開始局面");
  EXPECT_EQ(t.view().rows[1].move, "１三飛(15)");
  EXPECT_EQ(t.view().rows[2].move, "同　歩(12)");
  EXPECT_EQ(t.view().rows[4].move, "３三飛打");
  EXPECT_EQ(t.view().currentRow, 0);

  t.form->menuClicked(MenuItem::AFTER);
  t.form->menuClicked(MenuItem::AFTER);
  EXPECT_EQ(t.view().currentRow, 2);

  // A click on move 4 steps there as 進 does: the board of that slot, the game paused.
  t.fake.soundCalls.clear();
  t.form->study.rowClicked(4);
  EXPECT_EQ(t.g().記録位置, 4);
  EXPECT_EQ(t.g().盤面, t.g().記録[4].盤面);
  EXPECT_EQ(t.g().再開待ち, 1);
  EXPECT_EQ(t.view().currentRow, 4);
  t.form->study.rowClicked(1);
  EXPECT_EQ(t.g().盤面, t.g().記録[1].盤面);
  EXPECT_EQ(t.view().currentRow, 1);

  t.form->menuClicked(MenuItem::KIFU_LIST);
  EXPECT_FALSE(t.view().moveListShown);
}

TEST(Study, AHintInAPositionWithAMateInOneNamesTheMatingMoveAndTheNextClickClearsIt) {
  StudyTable t("hint");
  // The upper king in the corner, a gold beneath it and one in hand: a gold dropped beside
  // the king mates.
  t.setUp("4k/5/4G/5/K4 b G 1");
  t.form->menuClicked(MenuItem::HINT);
  ASSERT_TRUE(t.waitFor([&] { return !t.view().hint.empty(); }));
  const std::string& hint = t.view().hint;
  EXPECT_TRUE(hint.starts_with("ﾋﾝﾄ: １二金打 (評価 +詰") || hint.starts_with("ﾋﾝﾄ: ２二金打 (評価 +詰")) << hint;
  // Drawn on the board in its own colour, nothing of the game changed.
  bool outlined = false;
  for (const auto& o : t.fake.outlines()) outlined = outlined || o.colour == kHintColour;
  EXPECT_TRUE(outlined);
  EXPECT_EQ(t.g().持駒MAN(3), 1);

  t.form->Form_MouseDown(1, 0, 0);
  EXPECT_TRUE(t.view().hint.empty());
}

TEST(Study, UnderTheOfficialRulesAHintNeverOffersAPawnDroppedToGiveMate) {
  // The pawn dropped on 1b mates under the game's own rules; under the official rules it is no move.
  for (const Rules rules : {Rules::kingCapture, Rules::official}) {
    StudyTable t(rules == Rules::official ? "hint_official" : "hint_own");
    t.setUp("3pk/3s1/3G1/5/K4 b P 1");
    t.g().rules = rules;
    t.form->menuClicked(MenuItem::HINT);
    ASSERT_TRUE(t.waitFor([&] { return !t.view().hint.empty(); }));
    EXPECT_EQ(t.view().hint.starts_with("ﾋﾝﾄ: １二歩打"), rules == Rules::kingCapture) << t.view().hint;
  }
}

TEST(Study, AHintIsRefusedWhenTheGameIsOverOrItIsNotAPlayersTurn) {
  StudyTable t("hint_refused");
  t.form->menuClicked(MenuItem::HINT);  // no game yet
  t.setUp("4k/5/4G/5/K4 b G 1");
  t.g().勝者 = 先手;
  t.form->menuClicked(MenuItem::HINT);
  t.g().勝者 = 0;
  t.g().対局モード = 1;
  t.g().手番 = t.g().COM手番;
  t.form->menuClicked(MenuItem::HINT);
  EXPECT_EQ(t.fake.boxes, (std::vector<std::string>{"ﾋﾝﾄ|あなたの手番ではありません", "ﾋﾝﾄ|対局は終わっています",
                                                    "ﾋﾝﾄ|あなたの手番ではありません"}));
  EXPECT_TRUE(t.view().hint.empty());
}

TEST(Study, TheReviewMarksTheMoveThatLosesTheRookAndItsMarksAreWrittenToTheKif) {
  StudyTable t("review");
  t.loadGame(kRookLost);
  t.form->menuClicked(MenuItem::KAISEKI);
  EXPECT_TRUE(t.view().reviewing);
  ASSERT_TRUE(t.waitFor([&] { return !t.view().reviewing; }));
  EXPECT_EQ(t.view().reviewDone, 5);
  EXPECT_TRUE(t.view().moveListShown);  // the marks are read there
  ASSERT_EQ(t.view().rows.size(), 5u);
  EXPECT_EQ(t.view().rows[1].mark, "悪手");
  EXPECT_FALSE(t.view().rows[1].better.empty());
  EXPECT_NE(t.view().rows[1].better, "１三飛");
  EXPECT_EQ(t.view().rows[2].mark, "");  // taking the rook was right
  ASSERT_EQ(t.view().graph.size(), 5u);
  EXPECT_LT(*t.view().graph[1], -300);  // 先手 is a rook down

  const std::string kif = writeKif(t.form->kif.currentRecord());
  EXPECT_NE(kif.find("１三飛(15)\r\n*悪手 評価 "), std::string::npos) << kif;
  // Read back, the comment stays with its move.
  const KifRead back = readKif(kif);
  ASSERT_TRUE(back.ok());
  ASSERT_FALSE(back.record.moves[0].comments.empty());
  EXPECT_TRUE(back.record.moves[0].comments[0].starts_with("悪手"));
}

TEST(Study, TheAnalysisStartsAgainOnStepBackAndStopsWhenTheComputersTurnBegins) {
  StudyTable t("analysis");
  t.loadGame(kRookLost);
  t.form->menuClicked(MenuItem::AFTER);
  t.form->menuClicked(MenuItem::KENTOU_MODE);
  EXPECT_TRUE(t.fake.isChecked(MenuItem::KENTOU_MODE));
  ASSERT_TRUE(t.waitFor([&] { return t.view().analysisLines.size() >= 3; }));
  // After 1. １三飛 the pawn takes the rook: 後手's line, 先手 a rook down.
  EXPECT_TRUE(t.view().analysisLines[0].find("△１三歩") != std::string::npos) << t.view().analysisLines[0];
  EXPECT_LT(*t.view().analysisScore, -300);

  t.form->menuClicked(MenuItem::REPLAY);  // back to the start: 先手 to move, nothing lost
  EXPECT_TRUE(t.view().analysisLines.empty());
  ASSERT_TRUE(t.waitFor([&] { return t.view().analysisLines.size() >= 3; }));
  EXPECT_NE(t.view().analysisLines[0].find("▲"), std::string::npos) << t.view().analysisLines[0];
  EXPECT_GT(*t.view().analysisScore, -300);

  // A game against the computer, which moves first: while its turn runs nothing is analysed.
  t.fake.pausesPassAtOnce = false;
  t.form->menuClicked(MenuItem::GOTE);
  ASSERT_TRUE(t.form->computerMoving());
  const std::string head = t.view().analysisHead;
  t.fake.runPosted(0.3);
  EXPECT_EQ(t.view().analysisHead, head);
  // Once it has moved, the position after its move is analysed.
  t.fake.runAllSteps();
  ASSERT_FALSE(t.form->computerMoving());
  ASSERT_TRUE(t.waitFor([&] { return t.view().analysisLines.size() >= 1; }));

  t.form->menuClicked(MenuItem::KENTOU_MODE);  // off: stops at once, nothing more arrives
  EXPECT_FALSE(t.view().analysisShown);
  const std::string headWhenOff = t.view().analysisHead;
  const auto linesWhenOff = t.view().analysisLines;
  t.fake.runPosted(0.2);  // what the search had sent before it stopped is dropped
  EXPECT_FALSE(t.view().analysisShown);
  EXPECT_EQ(t.view().analysisHead, headWhenOff);
  EXPECT_EQ(t.view().analysisLines, linesWhenOff);
}

TEST(PositionEditor, AnImpossiblePositionIsRefusedWithThePastesWords) {
  StudyTable t("editor_refused");
  t.form->menuClicked(MenuItem::HENSHU);
  ASSERT_TRUE(t.form->editor.editing());
  t.form->editor.choose(MAN王);
  t.form->editor.click(1, 3, 3);  // a second lower king: the set has none left to place
  EXPECT_EQ(t.g().盤面(3, 3), 0);
  t.form->editor.clearBoard();
  t.form->menuClicked(MenuItem::HENSHU);  // no king on the board
  ASSERT_EQ(t.fake.boxes.size(), 1u);
  EXPECT_TRUE(t.fake.boxes[0].starts_with("局面編集|この局面では指せません: ")) << t.fake.boxes[0];
  EXPECT_TRUE(t.form->editor.editing());  // editing goes on
  t.form->editor.click(1, 3, 3);          // the king is back in the box
  EXPECT_EQ(t.g().盤面(3, 3), MAN王);
  t.form->editor.click(2, 3, 3);  // the right button takes it off again
  EXPECT_EQ(t.g().盤面(3, 3), 0);
  t.form->editor.cancel();
  EXPECT_FALSE(t.form->editor.editing());
}

TEST(PositionEditor, AGameStartedFromAnEditedPositionIsSavedAndReadBackWithThatStart) {
  StudyTable t("editor_game");
  t.form->menuClicked(MenuItem::HENSHU);
  t.form->editor.clearBoard();
  t.form->editor.choose(MAN王);
  t.form->editor.click(1, 5, 5);
  t.form->editor.choose(COM王);
  t.form->editor.click(1, 1, 1);
  t.form->editor.choose(MAN龍);  // a promoted rook of the lower side
  t.form->editor.click(1, 3, 3);
  t.form->editor.click(1, kManHandColumn, 3);  // a gold in the lower side's hand
  t.form->editor.click(1, kComHandColumn, 5);  // a pawn in the upper side's hand
  t.form->menuClicked(MenuItem::START);        // between people, from the edited position
  EXPECT_FALSE(t.form->editor.editing());
  EXPECT_EQ(t.g().記録.size(), 1u);
  EXPECT_EQ(t.g().記録[0].盤面(3, 3), MAN龍);
  const GameRecord edited = t.form->kif.currentRecord();

  // The lower side plays its dragon one square up.
  t.form->Form_MouseDown(1, 盤左 + 3 * 桝幅 + 300, 盤上 + 3 * 桝高 + 345);
  t.form->Form_MouseDown(1, 盤左 + 3 * 桝幅 + 300, 盤上 + 2 * 桝高 + 345);
  ASSERT_EQ(t.g().盤面(3, 2), MAN龍);
  const KifRead back = readKif(writeKif(t.form->kif.currentRecord()));
  ASSERT_TRUE(back.ok()) << back.error;
  EXPECT_EQ(back.record.start, edited.start);
  EXPECT_EQ(back.record.start.持駒先手(3), 1);
  EXPECT_EQ(back.record.start.持駒後手(1), 1);
  ASSERT_EQ(back.record.moves.size(), 1u);
}

}  // namespace
}  // namespace zelk
