// The record panel and its commands: showing and closing it, saving the history to a ".棋譜"
// file byte for byte, loading one for 進, and every way a file can fail to be read or written.

#include <sys/stat.h>
#include <unistd.h>

#include "core/move_execution.h"
#include "presentation/child_process.h"
#include "base/cp932.h"
#include "formats/record_file.h"
#include "records/records_fixture.h"

namespace zelk {
namespace {

using test::kStart;
using test::u8path;
namespace fs = std::filesystem;

const fs::path kData = ZELK55_RECORDS_DATA;

// The two positions of the golden file, with their clock totals.
HistorySlot goldenSlot(int n) {
  HistorySlot s;
  if (n == 1) {
    s.盤面 = test::position("rbsgk/4p/5/P1S2/KG1BR w - 1").盤面;
    s.前秒M = 1234.7;
    s.後秒M = 7;
    s.前秒C = 12345;
    s.後秒C = 0;
  } else {
    const GameState p = test::position("r2gk/2s1p/1+B3/P1S2/KG2R w B 1");
    s.盤面 = p.盤面;
    s.持駒MAN = p.持駒MAN;
    s.前秒M = 123456;  // more than five digits hold
    s.後秒M = 99999;
    s.前秒C = 59.99;
    s.後秒C = 86.5;
  }
  return s;
}

struct RecordCommandsTest : test::RecordsTest {
  // A history of slots 1 … n as if n + 1 moves had been played and the last taken back with 戻
  // (slot 0 the start), so that a save holds these slots alone.
  void setHistory(const std::vector<HistorySlot>& slots) {
    GameState& s = g();
    s.記録.assign(1, HistorySlot{board(kStart), {}, {}});
    s.記録.insert(s.記録.end(), slots.begin(), slots.end());
    s.記録最終 = static_cast<int>(slots.size());
    s.記録位置 = s.記録最終;
    s.手番 = 先手;
  }
  void fillFields(std::string_view name, std::string_view title, std::string_view first, std::string_view second) {
    records->KIFU_WRITE_Click();
    panel.texts[1] = std::string(name);
    panel.texts[2] = std::string(title);
    panel.texts[3] = std::string(first);
    panel.texts[4] = std::string(second);
  }
  std::string cp932(std::string_view utf8) { return toCp932(utf8).value(); }
  std::vector<std::string> lines(const std::string& bytes) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
      out.push_back(bytes.substr(start, end - start));
    return out;
  }
  int filesIn(const fs::path& dir) {
    int n = 0;
    // Besides the sounds, the start-up writes the settings file there.
    for (const auto& e : fs::directory_iterator(dir))
      n += e.path().extension() != ".wav" && e.path().extension() != ".ini";
    return n;
  }
};

TEST_F(RecordCommandsTest, ThePanelOpensForReadingOrWritingAndClosesEmptied) {
  records->KIFU_READ_Click();
  EXPECT_TRUE(panel.drives && panel.folders && panel.files);
  EXPECT_FALSE(panel.entry);

  records->KIFU_WRITE_Click();
  EXPECT_TRUE(panel.drives && panel.folders);
  EXPECT_FALSE(panel.files);
  EXPECT_TRUE(panel.entry);
  panel.texts[1] = "対局";
  panel.texts[2] = "名人戦";
  // Showing the entry part again keeps what was typed.
  records->KIFU_WRITE_Click();
  EXPECT_EQ(panel.texts[1], "対局");
  EXPECT_EQ(panel.texts[2], "名人戦");

  // Closing empties the fields.
  records->closePanel();
  EXPECT_TRUE(panel.closed());
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(panel.texts[n], "") << "Text" << n;
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
}

TEST_F(RecordCommandsTest, WritingIsRefusedAfterTurningOrAHandicap) {
  g().反転済 = 1;
  records->KIFU_WRITE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜書込|反転後は書き込みできません"}));
  EXPECT_TRUE(panel.closed());

  clear();
  g().反転済 = 0;
  g().ハンデ設定済 = 1;
  records->KIFU_WRITE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜書込|ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"}));
  EXPECT_TRUE(panel.closed());
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{});
}

TEST_F(RecordCommandsTest, SavingNeedsANameAndAtLeastOneSavedPosition) {
  form->START_Click();
  move(3, 5, 3, 4);  // one move: the position after it is in no slot
  fillFields("", "t", "a", "b");
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"  |ﾌｧｲﾙ名が入力されていません"}));
  EXPECT_TRUE(panel.entry);

  panel.texts[1] = "一手";
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜保存|保存するデータがありません"}));
  EXPECT_TRUE(panel.entry);
  EXPECT_EQ(panel.texts[1], "一手");
  EXPECT_EQ(filesIn(folder), 0);
}

TEST_F(RecordCommandsTest, SavingAfterTwoMovesWritesTheHeaderSlotOneAndThePositionReached) {
  form->START_Click();
  move(3, 5, 3, 4);  // 1: MAN silver; column 1 keeps its starting pieces
  move(5, 2, 5, 3);  // 2: COM pawn
  const int moves = g().手数;
  fillFields("二手", "第1局", "先手太郎", "後手花子");
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"  |棋譜を書き込みました"}));
  EXPECT_TRUE(panel.closed());
  EXPECT_EQ(panel.texts[1], "");
  EXPECT_EQ(panel.refreshes, 1);
  EXPECT_EQ(g().手数, moves);  // nothing in the game changes
  EXPECT_EQ(g().記録最終, 1);

  const std::string bytes = readFile(folder / u8path("二手.棋譜"));
  // MAN plays first: the upper side is the second player.
  const std::string expected = cp932("第1局\r\n後手花子\r\n先手太郎\r\n") +
                               " 900   0   0 -10-950"  // column 1: rook, empty, empty, pawn, king
                               " 800   0   0   0-110"
                               " 100   0   0-100   0"  // the silver moved up to (3,4)
                               " 110   0   0   0-800"
                               " 950  10   0   0-900"
                               "0000000000"
                               "    0    0    0    0\r\n"
                               // the position the second move reached: the pawn on (5,3)
                               " 900   0   0 -10-950"
                               " 800   0   0   0-110"
                               " 100   0   0-100   0"
                               " 110   0   0   0-800"
                               " 950   0  10   0-900"
                               "0000000000"
                               "    0    0    0    0\r\n";
  EXPECT_EQ(bytes, expected);
  EXPECT_EQ(lines(bytes).size(), 5u);
  EXPECT_EQ(lines(bytes)[4].size(), 130u);
}

TEST_F(RecordCommandsTest, TheLastMoveIsSavedAndSteppedToAfterLoading) {
  form->START_Click();
  move(3, 5, 3, 4);
  move(5, 2, 5, 3);
  move(2, 5, 2, 4);
  const GameState played = g();
  fillFields("三手", "t", "a", "b");
  records->Command1_Click();
  // Slots 1 and 2, then the position the third move reached, a line of the same kind.
  const auto written = lines(readFile(folder / u8path("三手.棋譜")));
  ASSERT_EQ(written.size(), 6u);
  EXPECT_EQ(written[5].size(), 130u);
  EXPECT_EQ(parseRecordLine(written[5]).盤面, played.盤面);

  // Stepped back, the position shown is the last one a save keeps.
  nav->REPLAY_Click();
  fillFields("戻", "t", "a", "b");
  records->Command1_Click();
  EXPECT_EQ(lines(readFile(folder / u8path("戻.棋譜"))).size(), 5u);

  load("三手.棋譜");
  EXPECT_EQ(g().記録最終, 3);
  for (int n = 0; n < 3; ++n) nav->AFTER_Click();
  EXPECT_EQ(g().盤面, played.盤面);
  EXPECT_EQ(g().持駒MAN, played.持駒MAN);
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"進む|終わり"}));
}

TEST_F(RecordCommandsTest, ALoadAsksBeforeItReplacesAGameWithUnsavedMoves) {
  form->START_Click();
  move(3, 5, 3, 4);
  move(5, 2, 5, 3);
  move(2, 5, 2, 4);
  fillFields("対局", "t", "a", "b");
  records->Command1_Click();
  move(5, 3, 5, 4);  // a move the file does not have
  const GameState before = g();

  clear();
  fake.answer = kNo;
  load("対局.棋譜");
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜読込|保存していない対局は消えます。読み込みますか？|?"}));
  EXPECT_EQ(g().盤面, before.盤面);
  EXPECT_EQ(g().手数, before.手数);
  EXPECT_EQ(g().棋譜モード, 0);

  clear();
  fake.answer = kYes;
  load("対局.棋譜");
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜読込|保存していない対局は消えます。読み込みますか？|?",
                                                  "棋譜| 読み込みました", "棋譜|棋譜を '進 'で進めて下さい"}));
  EXPECT_EQ(g().棋譜モード, 1);

  // A game whose every move is saved, or one with no move yet, is replaced without a question.
  form->START_Click();
  move(3, 5, 3, 4);
  move(5, 2, 5, 3);
  fillFields("二手", "t", "a", "b");
  records->Command1_Click();
  for (int k = 0; k < 2; ++k) {
    clear();
    load("対局.棋譜");
    EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜| 読み込みました", "棋譜|棋譜を '進 'で進めて下さい"}));
    form->START_Click();
  }
}

TEST_F(RecordCommandsTest, ALineBreakPastedIntoAHeaderFieldNeverShiftsTheSavedPositions) {
  form->START_Click();
  move(3, 5, 3, 4);
  move(5, 2, 5, 3);
  move(2, 5, 2, 4);
  const std::vector<HistorySlot> played(g().記録.begin() + 1, g().記録.begin() + 3);
  // A paste keeps CR and LF in the text box, in any of their three forms.
  fillFields("改行", "第一局\n二行目", "先手\r\n太郎", "後手\r花子\r\n\r\n");
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"  |棋譜を書き込みました"}));

  // Each run of line breaks became one space: three header lines, then the two slots and the
  // position on the board.
  const auto written = lines(readFile(folder / u8path("改行.棋譜")));
  ASSERT_EQ(written.size(), 6u);
  EXPECT_EQ(written[0], cp932("第一局 二行目"));
  EXPECT_EQ(written[1], cp932("後手 花子 "));
  EXPECT_EQ(written[2], cp932("先手 太郎"));

  // Loaded again, every slot is the position that was saved and the game replays.
  load("改行.棋譜");
  EXPECT_EQ(g().記録最終, 3);
  EXPECT_EQ(slotOf(g(), 1).盤面, played[0].盤面);
  EXPECT_EQ(slotOf(g(), 2).盤面, played[1].盤面);
  EXPECT_EQ(slotOf(g(), 2).持駒MAN, played[1].持駒MAN);
  nav->AFTER_Click();
  nav->AFTER_Click();
  EXPECT_EQ(g().盤面, played[1].盤面);
}

TEST_F(RecordCommandsTest, TheGoldenFileIsWrittenByteForByte) {
  setHistory({goldenSlot(1), goldenSlot(2)});
  g().MAN手番 = 先手;
  g().COM手番 = 後手;
  fillFields("golden", "第1局", "先手太郎さん", "後手花子");
  records->Command1_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"  |棋譜を書き込みました"}));
  const std::string golden = readFile(kData / u8path("golden.棋譜"));
  ASSERT_EQ(golden.size(), 295u);
  EXPECT_EQ(readFile(folder / u8path("golden.棋譜")), golden);
  // The clock fields: 1234.7 s as " 1234", 7 s as "    7", five digits alone, and a total too
  // large for the field as 99999.
  const auto written = lines(readFile(folder / u8path("golden.棋譜")));
  ASSERT_EQ(written.size(), 5u);
  EXPECT_EQ(written[3].substr(110), " 1234    712345    0");
  EXPECT_EQ(written[4].substr(110), "9999999999   59   86");
}

TEST_F(RecordCommandsTest, TheUpperAndLowerNamesFollowTheSideMANPlays) {
  setHistory({goldenSlot(1)});
  g().MAN手番 = 後手;  // MAN second: the first player sits on the upper side
  g().COM手番 = 先手;
  fillFields("後手番", "t", "First", "Second");
  records->Command1_Click();
  auto l = lines(readFile(folder / u8path("後手番.棋譜")));
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[1], "First");
  EXPECT_EQ(l[2], "Second");

  g().MAN手番 = 先手;
  g().COM手番 = 後手;
  fillFields("先手番", "t", "First", "Second");
  records->Command1_Click();
  l = lines(readFile(folder / u8path("先手番.棋譜")));
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[1], "Second");
  EXPECT_EQ(l[2], "First");
}

TEST_F(RecordCommandsTest, LoadingTheGoldenFileAndSavingItAgainKeepsTheRecordLines) {
  fs::copy_file(kData / u8path("golden.棋譜"), folder / u8path("golden.棋譜"));
  form->START_Click();
  move(3, 5, 3, 4);  // a game in progress is discarded once the player says so
  clear();
  load("golden.棋譜");
  EXPECT_TRUE(panel.closed());
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜読込|保存していない対局は消えます。読み込みますか？|?",
                                                  "棋譜| 読み込みました", "棋譜|棋譜を '進 'で進めて下さい"}));
  EXPECT_EQ(g().棋譜モード, 1);
  EXPECT_EQ(g().手番, 1);
  EXPECT_EQ(g().手数, 0);
  EXPECT_EQ(g().記録位置, 0);
  EXPECT_EQ(g().記録最終, 2);
  EXPECT_EQ(g().盤面, board(kStart));
  EXPECT_EQ(g().記録[0].盤面, board(kStart));  // slot 0: the starting position
  EXPECT_EQ(g().記録[0].持駒MAN, Hand{});
  HistorySlot one = goldenSlot(1), two = goldenSlot(2);
  one.前秒M = 1234;  // whole seconds are what the file keeps
  two.前秒M = 99999;
  two.前秒C = 59;
  two.後秒C = 86;
  EXPECT_EQ(slotOf(g(), 1), one);
  EXPECT_EQ(slotOf(g(), 2), two);

  // The header lines are printed after the redraw: title in light red shifted 3000 twips left,
  // the upper player at the top, the lower player at the bottom, all in size 12.
  const std::vector<test::DrawCall> t = fake.texts();
  ASSERT_GE(t.size(), 3u);
  const std::vector<std::string> all = texts();
  EXPECT_EQ(std::vector<std::string>(all.end() - 3, all.end()),
            (std::vector<std::string>{"12:第1局@1325,6350", "15:後手花子@4202,100", "15:先手太郎さん@3956,6350"}));
  for (auto it = t.end() - 3; it != t.end(); ++it) EXPECT_EQ(it->size, 12);
  EXPECT_TRUE(drawnAt(6.8, -0.5));  // the redraw of the reset came first

  // Saved again under other names: the same record lines, the header from the fields.
  fillFields("again", "再戦", "甲", "乙");
  records->Command1_Click();
  const auto again = lines(readFile(folder / u8path("again.棋譜")));
  const auto golden = lines(readFile(kData / u8path("golden.棋譜")));
  ASSERT_EQ(again.size(), 5u);
  EXPECT_EQ(again[0], cp932("再戦"));
  EXPECT_EQ(again[1], cp932("乙"));
  EXPECT_EQ(again[2], cp932("甲"));
  EXPECT_EQ(again[3], golden[3]);
  EXPECT_EQ(again[4], golden[4]);
}

TEST_F(RecordCommandsTest, ReadingIsLenientAboutShortLinesTextAndLineEnds) {
  HistorySlot base = goldenSlot(1);
  base.持駒MAN(1) = 1;
  std::string odd = recordLine(base);
  odd.replace(0, 4, "abcd");     // text: 0
  odd.replace(4, 4, " -10");     // a pawn where the file says so
  odd.replace(100, 1, "x");      // a hand count that is no digit
  odd.replace(110, 5, " 12ab");  // a number up to the first character not its own
  writeFile(folder / "odd.棋譜", "t\nu\nl\n 900 -10\n" + odd + "\n\n");
  load("odd.棋譜");
  ASSERT_EQ(g().記録最終, 3);  // three lines, three records, the empty one too
  const HistorySlot s1 = slotOf(g(), 1);
  EXPECT_EQ(s1.盤面(1, 1), COM飛);
  EXPECT_EQ(s1.盤面(1, 2), MAN歩);
  EXPECT_EQ(s1.盤面(5, 5), 0);
  EXPECT_EQ(s1.前秒M, 0);
  const HistorySlot s2 = slotOf(g(), 2);
  EXPECT_EQ(s2.盤面(1, 1), 0);
  EXPECT_EQ(s2.盤面(1, 2), MAN歩);
  EXPECT_EQ(s2.盤面(5, 5), MAN飛);
  EXPECT_EQ(s2.持駒MAN(1), 0);
  EXPECT_EQ(s2.前秒M, 12);
  EXPECT_EQ(s2.後秒M, 7);
  EXPECT_EQ(slotOf(g(), 3), HistorySlot{});
  EXPECT_EQ(texts().back(), "15:l@4571,6350");  // 1250 + 615 · (3 + 12 / 5)
}

TEST_F(RecordCommandsTest, AFileOfFewerThanFourLinesLoadsNoRecord) {
  writeFile(folder / "head.棋譜", "t\r\nu\r\nl\r\n");
  writeFile(folder / "empty.棋譜", "");
  for (const char* name : {"head.棋譜", "empty.棋譜"}) {
    form->START_Click();
    clear();
    load(name);
    EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜|棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"})) << name;
    EXPECT_EQ(g().手番, 0);
    EXPECT_EQ(g().棋譜モード, 1);
    EXPECT_EQ(g().記録最終, 0);
    clear();
    nav->AFTER_Click();
    EXPECT_EQ(fake.boxes, (std::vector<std::string>{"開始|「対局」で始めて下さい"})) << name;
  }
}

TEST_F(RecordCommandsTest, ALongFileIsReadWholeAndSteppedToItsEnd) {
  std::string bytes = "t\r\nu\r\nl\r\n";
  for (int i = 1; i <= 600; ++i) {
    HistorySlot s = goldenSlot(1);
    s.前秒M = i;
    bytes += recordLine(s) + "\r\n";
  }
  writeFile(folder / "long.棋譜", bytes);
  load("long.棋譜");
  ASSERT_EQ(g().記録最終, 600);
  for (int i = 1; i <= 600; ++i) nav->AFTER_Click();
  EXPECT_EQ(g().記録位置, 600);
  EXPECT_EQ(g().MAN秒, 600);
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"進む|終わり"}));
}

TEST_F(RecordCommandsTest, AFileThatCannotBeReadLeavesTheGameAsItWas) {
  form->START_Click();
  move(3, 5, 3, 4);
  move(5, 2, 5, 3);
  const GameState before = g();
  fs::create_directory(folder / "folder.棋譜");
  clear();

  load("gone.棋譜");
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜読込|" + test::text(folder / u8path("gone.棋譜")) +
                                                  ": 開けません (ファイルがありません)|!"}));
  clear();
  load("folder.棋譜");
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜読込|" + test::text(folder / u8path("folder.棋譜")) +
                                                  ": 読み込めません (フォルダです)|!"}));
  // A file far larger than any record is not read at all.
  clear();
  { std::ofstream(folder / u8path("huge.棋譜")) << "x"; }
  fs::resize_file(folder / u8path("huge.棋譜"), (64u << 20) + 1);  // sparse: costs no disk
  load("huge.棋譜");
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜読込|" + test::text(folder / u8path("huge.棋譜")) +
                                                  ": 棋譜ファイルとしては大きすぎます|!"}));
  EXPECT_FALSE(drawnAt(6.8, -0.5));  // no reset, no redraw
  EXPECT_EQ(g().盤面, before.盤面);
  EXPECT_EQ(g().手数, before.手数);
  EXPECT_EQ(g().手番, before.手番);
  EXPECT_EQ(g().記録位置, before.記録位置);
  EXPECT_EQ(g().記録最終, before.記録最終);
  EXPECT_EQ(g().記録, before.記録);
  EXPECT_EQ(g().棋譜モード, 0);
}

TEST_F(RecordCommandsTest, TakingUpPlaySavesOnlyPositionsThatWerePlayed) {
  // Two people play two moves, then the computer takes over: a save holds the position after
  // move 1 and the one on the board, never an empty board.
  form->START_Click();
  move(1, 4, 1, 3);
  move(5, 2, 5, 3);
  form->SENTE_Click();
  EXPECT_EQ(g().記録最終, 1);
  panel.fileList = folder;
  fillFields("続き", "t", "a", "b");
  clear();
  records->Command1_Click();
  ASSERT_EQ(fake.boxes, (std::vector<std::string>{"  |棋譜を書き込みました"}));
  const RecordFile saved = decodeRecordFile(readFile(folder / u8path("続き.棋譜")));
  ASSERT_EQ(saved.records.size(), 2u);
  EXPECT_EQ(saved.records[0].盤面, board("rbsgk/4p/P4/5/KGSBR w - 1"));
  EXPECT_EQ(saved.records[1].盤面, board("rbsgk/5/P3p/5/KGSBR b - 1"));

  // After 戻 the shown position is in its slot, and the moves beyond it are given up.
  move(2, 5, 2, 4);
  form->navigation.REPLAY_Click();
  form->navigation.REPLAY_Click();
  form->SENTE_Click();
  EXPECT_EQ(g().手数, 2);
  EXPECT_EQ(g().記録最終, 2);
  EXPECT_EQ(g().記録[static_cast<std::size_t>(g().記録最終)].盤面, g().盤面);
}

TEST_F(RecordCommandsTest, AReadOnlyRecordIsKeptAndALinkedRecordIsReplacedWhereItLies) {
  setHistory({goldenSlot(1), goldenSlot(2)});
  panel.fileList = folder;

  // A record marked read-only: the save is refused with the reason, the old game is kept
  // and stays read-only, and the panel stays open for another name.
  const fs::path kept = folder / u8path("名局.棋譜");
  writeFile(kept, "the old game\r\n");
  ::chmod(kept.c_str(), 0444);
  fillFields("名局", "t", "a", "b");
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes,
            (std::vector<std::string>{"棋譜保存|" + test::text(kept) + ": 書き込めません (許可がありません)|!"}));
  EXPECT_EQ(readFile(kept), "the old game\r\n");
  EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(panel.entry);

  // A record that is a link to a game kept elsewhere: the game it names is the one saved,
  // and the link stays a link. What a save killed before its rename left there is gone.
  fs::create_directory(folder / "games");
  const fs::path real = folder / "games" / u8path("本譜.棋譜");
  writeFile(real, "the old game\r\n");
  fs::path stray = real;
  stray += ".zelk55-saving-" + std::to_string(test::endedProcessId());
  writeFile(stray, "half a game");
  fs::create_symlink(fs::path("games") / u8path("本譜.棋譜"), folder / u8path("本譜.棋譜"));
  fillFields("本譜", "t", "a", "b");
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"  |棋譜を書き込みました"}));
  EXPECT_TRUE(fs::is_symlink(folder / u8path("本譜.棋譜")));
  EXPECT_EQ(lines(readFile(real)).size(), 5u);
  EXPECT_FALSE(fs::exists(stray));
}

TEST_F(RecordCommandsTest, AFileThatCannotBeWrittenKeepsThePanelAndThePreviousFile) {
  setHistory({goldenSlot(1), goldenSlot(2)});
  const GameState before = g();

  // A folder that is gone.
  panel.fileList = folder / "gone";
  fillFields("対局", "t", "a", "b");
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜保存|" + test::text(folder / "gone" / u8path("対局.棋譜")) +
                                                  ": 作成できません (ファイルがありません)|!"}));
  EXPECT_TRUE(panel.entry);
  EXPECT_EQ(panel.texts[1], "対局");

  // The save cannot make its temporary file (something that is no file is in its place): the
  // file already there is left exactly as it was.
  panel.fileList = folder;
  const fs::path target = folder / u8path("対局.棋譜");
  writeFile(target, "the previous game\r\n");
  fs::path temp = target;
  temp += ".zelk55-saving-" + std::to_string(::getpid());
  fs::create_directory(temp);
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes,
            (std::vector<std::string>{"棋譜保存|" + test::text(target) + ": 作成できません (同じ名前があります)|!"}));
  EXPECT_EQ(readFile(target), "the previous game\r\n");
  EXPECT_TRUE(panel.entry);
  fs::remove(temp);

  // A name code page 932 cannot hold is refused before anything is written.
  fs::remove(target);
  panel.texts[4] = "Ann 😀";
  clear();
  records->Command1_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"棋譜保存|対局者名「Ann 😀」に保存できない文字があります|!"}));
  EXPECT_EQ(filesIn(folder), 0);
  EXPECT_TRUE(panel.entry);

  EXPECT_EQ(g().記録, before.記録);
  EXPECT_EQ(g().記録最終, before.記録最終);
}

TEST_F(RecordCommandsTest, TheFolderListFollowsTheDriveAndTheFileListTheFolder) {
  const fs::path other = folder / "棋譜集";
  fs::create_directory(other);
  panel.folderList = other;
  records->Dir1_Change();
  EXPECT_EQ(panel.fileList, other);

  panel.drive = folder;
  records->Drive1_Change();
  EXPECT_EQ(panel.folderList, folder);
  EXPECT_EQ(panel.fileList, folder);
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});

  panel.drive = folder / "no-medium";
  records->Drive1_Change();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"ｴﾗｰ|ﾃﾞﾊﾞｲｽが準備できていません"}));
  EXPECT_EQ(panel.folderList, folder);
  EXPECT_EQ(panel.fileList, folder);
}

TEST(RecordHeader, ALongerLineStartsFurtherLeft) {
  // 1250 + 615 · (3 + (13 − characters) / 5)
  EXPECT_DOUBLE_EQ(取得_棋譜のX座標("第1局"), 4325);
  EXPECT_DOUBLE_EQ(取得_棋譜のX座標("後手花子"), 4202);
  EXPECT_DOUBLE_EQ(取得_棋譜のX座標("先手太郎さん"), 3956);
  EXPECT_DOUBLE_EQ(取得_棋譜のX座標("ｺﾝﾋﾟｭｰﾀ対人間第1局"), 3095);  // 13 characters, half-width ones count one each
  EXPECT_DOUBLE_EQ(取得_棋譜のX座標("abcdefghijklmnopqr"), 2480);
  EXPECT_DOUBLE_EQ(取得_棋譜のX座標(""), 1250 + 615 * (3 + 13.0 / 5));
}

TEST(RecordHeader, LinesAreReadOneByOneUntilTheEnd) {
  OpenRecordFile f{"one\r\ntwo\n\nlast"};
  std::string line = "x";
  int ok = -1;
  std::vector<std::string> read;
  for (;;) {
    読込_棋譜ファイル(f, line, ok);
    if (ok != 1) break;
    read.push_back(line);
  }
  EXPECT_EQ(read, (std::vector<std::string>{"one", "two", "", "last"}));
  EXPECT_EQ(ok, 0);
  読込_棋譜ファイル(f, line, ok);
  EXPECT_EQ(ok, 0);
}

}  // namespace
}  // namespace zelk
