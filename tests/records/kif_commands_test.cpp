// The KIF commands of the "棋譜" menu over the recording platform: saving the game as KIF or
// KIFU through the file dialog, opening a KIF as a loaded record and stepping it, copying the
// position and the game, pasting a position or a game, and every refusal leaving the game as
// it was.

#include <optional>

#include "core/sfen.h"
#include "base/cp932.h"
#include "records/kif_commands.h"
#include "formats/kif_read.h"
#include "formats/kif_write.h"
#include "formats/record_file.h"
#include "records/records_fixture.h"

namespace zelk {
namespace {

using test::kRefused;
using test::kStart;
namespace fs = std::filesystem;

// File dialogs answered by the test, and a clipboard.
struct FakeExchange final : RecordExchange {
  std::optional<fs::path> open, save;  // the dialogs' answers; nothing: cancelled
  std::vector<std::string> asked;      // "open|title" and "save|title|suggested name"
  std::string clipboard;

  std::optional<fs::path> chooseKifToOpen(std::string_view title) override {
    asked.push_back("open|" + std::string(title));
    return open;
  }
  std::optional<fs::path> chooseKifToSave(std::string_view title, std::string_view suggested) override {
    asked.push_back("save|" + std::string(title) + "|" + std::string(suggested));
    return save;
  }
  std::string clipboardText() const override { return clipboard; }
  void setClipboardText(std::string_view text) override { clipboard = std::string(text); }
};

const std::string kHandWritten =
    "開始日時：2024/03/09(土) 14:05:00\r\n"
    "表題：練習対局\r\n"
    "手合割：5五将棋\r\n"
    "先手：山田\r\n"
    "後手：佐藤\r\n"
    "手数----指手---------消費時間--\r\n"
    "   1 ２四銀(35)   ( 0:05/00:00:05)\r\n"
    "   2 ４二銀(31)   ( 0:03/00:00:03)\r\n"
    "*四二銀は定跡\r\n"
    "   3 ２三銀(24)   ( 0:10/00:00:15)\r\n"
    "   4 同　角(41)   ( 0:02/00:00:05)\r\n"
    "   5 投了         ( 0:01/00:00:16)\r\n"
    "まで4手で後手の勝ち\r\n";

struct KifCommandsTest : test::RecordsTest {
  FakeExchange desktop;
  std::unique_ptr<KifCommands> kif;

  void SetUp() override {
    RecordsTest::SetUp();
    kif = std::make_unique<KifCommands>(g(), form->screen, form->sounds, fake.platform(), *records, desktop);
  }
  fs::path file(std::string_view name) { return folder / test::u8path(name); }

  // What a refused command must leave as it was.
  struct Kept {
    Board board;
    Hand man, com;
    int 手番, 手数, 記録位置, 記録最終, 棋譜モード;
    std::vector<HistorySlot> history;
    bool operator==(const Kept&) const = default;
  };
  Kept kept() {
    const GameState& s = g();
    return Kept{s.盤面, s.持駒MAN, s.持駒COM, s.手番, s.手数, s.記録位置, s.記録最終, s.棋譜モード, s.記録};
  }
};

TEST_F(KifCommandsTest, AGameAgainstTheComputerIsSavedAsKifThroughTheDialog) {
  form->SENTE_Click();
  move(1, 4, 1, 3);             // the pawn up; the computer answers
  desktop.save = file("対局");  // no extension: a KIF in code page 932
  clear();
  kif->KIF_WRITE_Click();
  EXPECT_EQ(desktop.asked, (std::vector<std::string>{"save|KIF書込|棋譜.kif"}));
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"KIF書込|棋譜を書き込みました"}));
  const std::string bytes = readFile(file("対局.kif"));
  EXPECT_NE(bytes.find(toCp932("先手：あなた\r\n後手：ｺﾝﾋﾟｭｰﾀ\r\n").value()), std::string::npos);
  EXPECT_NE(bytes.find(toCp932("   1 ５三歩(54)").value()), std::string::npos);
  // The date the game began, as KIF writes dates.
  const std::size_t date = bytes.find(toCp932("開始日時：").value());
  ASSERT_NE(date, std::string::npos);
  EXPECT_EQ(bytes.substr(date + 10 + 4, 1), "/");

  const KifRead back = readKif(fromCp932(bytes));
  ASSERT_TRUE(back.ok()) << back.error;
  EXPECT_EQ(back.record.moves.size(), 2u);
  EXPECT_EQ(g().記録位置, 2);  // the game is as it was
}

TEST_F(KifCommandsTest, KifuIsUtf8AndACancelledDialogWritesNothing) {
  form->START_Click();
  move(1, 4, 1, 3);
  desktop.save = file("二人.kifu");
  kif->KIF_WRITE_Click();
  const std::string bytes = readFile(file("二人.kifu"));
  EXPECT_EQ(bytes.substr(0, 33), "#KIF version=2.0 encoding=UTF-8\r\n");
  EXPECT_NE(bytes.find("   1 ５三歩(54)   ( 0:00/00:00:00)\r\n"), std::string::npos);

  fs::remove(file("二人.kifu"));
  desktop.save.reset();
  clear();
  kif->KIF_WRITE_Click();
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(file("二人.kifu")));
}

TEST_F(KifCommandsTest, SavingRefusesAnEmptyBoardAndReportsAFolderThatIsNotThere) {
  kif->KIF_WRITE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"KIF書込|保存するデータがありません"}));
  EXPECT_EQ(desktop.asked, std::vector<std::string>{});

  form->START_Click();
  move(1, 4, 1, 3);
  desktop.save = folder / "nowhere" / "a.kif";
  clear();
  kif->KIF_WRITE_Click();
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].substr(0, fake.boxes[0].find('|')), "KIF書込");
  EXPECT_NE(fake.boxes[0].find("a.kif: 作成できません"), std::string::npos) << fake.boxes[0];
}

TEST_F(KifCommandsTest, AnOpenedKifIsALoadedRecordSteppedToItsEnd) {
  writeFile(file("練習.kif"), toCp932(kHandWritten).value());
  desktop.open = file("練習.kif");
  form->START_Click();
  move(1, 4, 1, 3);  // a game in progress is replaced once the player says so
  clear();
  kif->KIF_READ_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"KIF読込|保存していない対局は消えます。読み込みますか？|?",
                                                  "棋譜| 読み込みました", "棋譜|棋譜を '進 'で進めて下さい"}));
  EXPECT_EQ(g().棋譜モード, 1);
  EXPECT_EQ(g().盤面, board(kStart));
  EXPECT_EQ(g().手番, 先手);
  EXPECT_EQ(g().記録最終, 4);
  // The title and the names are on the window as a loaded record's are.
  EXPECT_TRUE(hasText(std::to_string(色明赤) + ":練習対局@" +
                      std::to_string(static_cast<int>(取得_棋譜のX座標("練習対局") - 3000)) + ",6350"));
  EXPECT_TRUE(
      hasText(std::to_string(色白) + ":佐藤@" + std::to_string(static_cast<int>(取得_棋譜のX座標("佐藤"))) + ",100"));

  for (int n = 0; n < 4; ++n) nav->AFTER_Click();
  EXPECT_EQ(g().盤面, board("r2gk/1s2p/3b1/P4/KG1BR b s 5"));
  EXPECT_EQ(g().持駒COM(2), 1);
  EXPECT_DOUBLE_EQ(g().MAN秒, 15);  // the totals at the position shown
  EXPECT_DOUBLE_EQ(g().COM秒, 5);
  clear();
  nav->AFTER_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"進む|終わり"}));
  // 反転 is refused while a record is viewed, as for a ".棋譜".
  nav->REVERSE_Click();
  EXPECT_EQ(fake.boxes.back(), "反転|棋譜ﾓｰﾄﾞではできません");
}

TEST_F(KifCommandsTest, PlayIsTakenUpFromAnyMoveOfAnOpenedKif) {
  writeFile(file("練習.kifu"), kHandWritten);
  desktop.open = file("練習.kifu");
  kif->KIF_READ_Click();
  nav->AFTER_Click();
  nav->AFTER_Click();  // 後手's silver is out; 先手 to move
  form->SENTE_Click();
  EXPECT_EQ(g().棋譜モード, 0);
  move(4, 4, 4, 3);  // the silver up; the computer answers
  EXPECT_EQ(g().記録位置, 4);
  // The record saved now holds the file's two moves and the two played since.
  const GameRecord r = kif->currentRecord();
  ASSERT_EQ(r.moves.size(), 4u);
  EXPECT_EQ(toUsi(r.moves[0].move), "3e2d");
  EXPECT_EQ(toUsi(r.moves[2].move), "2d2c");
  EXPECT_EQ(r.先手名, "あなた");
}

TEST_F(KifCommandsTest, ALoadedKifSavedAgainIsTheSameGameWithItsRemarksAndEnd) {
  writeFile(file("練習.kifu"), kHandWritten);
  desktop.open = file("練習.kifu");
  kif->KIF_READ_Click();
  nav->AFTER_Click();
  desktop.save = file("again.kifu");
  kif->KIF_WRITE_Click();
  const KifRead again = readKif(readFile(file("again.kifu")));
  const KifRead first = readKif(kHandWritten);
  ASSERT_TRUE(again.ok()) << again.error;
  EXPECT_EQ(again.record.moves, first.record.moves);
  EXPECT_EQ(again.record.end, first.record.end);
  EXPECT_EQ(again.record.headers, first.record.headers);
  EXPECT_EQ(again.record.先手名, "山田");
}

TEST_F(KifCommandsTest, ABadKifIsRefusedNamingTheLineAndNothingChanges) {
  std::string bad = kHandWritten;
  bad.replace(bad.find("同　角(41)"), std::string("同　角(41)").size(), "同　飛(41)");
  writeFile(file("bad.kifu"), bad);
  form->START_Click();
  move(1, 4, 1, 3);
  const Kept before = kept();
  desktop.open = file("bad.kifu");
  clear();
  kif->KIF_READ_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"KIF読込|" + test::text(file("bad.kifu")) +
                                                  ": 11行目: 「同　飛(41)」４一に指す側の飛がありません|!"}));
  EXPECT_TRUE(kept() == before);
  EXPECT_EQ(fake.draws.size(), 0u);

  // A file far larger than any record is not read at all.
  writeFile(file("huge.kif"), "");
  fs::resize_file(file("huge.kif"), 64u << 20);
  desktop.open = file("huge.kif");
  clear();
  kif->KIF_READ_Click();
  EXPECT_EQ(fake.boxes,
            (std::vector<std::string>{"KIF読込|" + test::text(file("huge.kif")) + ": 棋譜としては大きすぎます|!"}));
  EXPECT_TRUE(kept() == before);
}

TEST_F(KifCommandsTest, ThePositionIsCopiedAsSfenAndTheGameAsKifText) {
  kif->SFEN_COPY_Click();
  EXPECT_EQ(desktop.clipboard, kStart);
  form->START_Click();
  move(1, 4, 1, 3);
  move(5, 2, 5, 3);
  clear();
  kif->SFEN_COPY_Click();
  EXPECT_EQ(desktop.clipboard, "rbsgk/5/P3p/5/KGSBR b - 3");
  kif->KIF_COPY_Click();
  EXPECT_EQ(desktop.clipboard.find('\r'), std::string::npos);
  EXPECT_NE(desktop.clipboard.find("手合割：5五将棋\n"), std::string::npos);
  EXPECT_NE(desktop.clipboard.find("   2 １三歩(12)   ( 0:00/00:00:00)\n"), std::string::npos);
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});  // copying says nothing
}

TEST_F(KifCommandsTest, TheEndOfAGameWonByTakingTheKingIsCopiedAsAPositionThePasteTakes) {
  form->START_Click();
  move(5, 5, 5, 2);  // the rook takes the pawn in front of the upper king
  move(4, 1, 4, 2);  // the gold steps off and leaves the king to it
  move(5, 2, 5, 1);  // and the rook takes the king
  ASSERT_EQ(g().勝者, g().MAN手番);
  const Board end = g().盤面;
  kif->SFEN_COPY_Click();
  // The board as it is, the loser (後手) to move.
  EXPECT_EQ(desktop.clipboard, "rbs1R/3g1/5/P4/KGSB1 w P 4");

  clear();
  kif->KIF_PASTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"貼付け|保存していない対局は消えます。貼り付けますか？|?",
                                                  "貼付け|局面を設定しました"}));
  EXPECT_EQ(g().盤面, end);
  EXPECT_EQ(g().勝者, g().MAN手番);
  clear();
  click(3, 3);
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"終局|新規に対局してください"}));
  // Nothing can be played after the king is gone.
  desktop.clipboard = "rbs1R/3g1/5/P4/KGSB1 w P 4 moves 3a4b";
  clear();
  kif->KIF_PASTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"貼付け|指し手「3a4b」: 王が取られた後の指し手です|!"}));
}

TEST_F(KifCommandsTest, OpeningOrPastingAGameOverUnsavedMovesAsksFirst) {
  const fs::path kifu = file("対局.kifu");
  writeFile(kifu, kHandWritten);
  desktop.open = kifu;
  form->START_Click();
  move(1, 4, 1, 3);
  const Kept before = kept();
  fake.answer = kNo;
  for (const bool paste : {false, true}) {
    clear();
    desktop.clipboard = kHandWritten;
    if (paste) kif->KIF_PASTE_Click();
    else kif->KIF_READ_Click();
    EXPECT_EQ(fake.boxes,
              (std::vector<std::string>{paste ? "貼付け|保存していない対局は消えます。貼り付けますか？|?"
                                              : "KIF読込|保存していない対局は消えます。読み込みますか？|?"}));
    EXPECT_TRUE(kept() == before);
  }
  // Saved as KIF, the game is replaced at once.
  desktop.save = file("保存.kif");
  kif->KIF_WRITE_Click();
  fake.answer = kYes;
  clear();
  kif->KIF_READ_Click();
  EXPECT_EQ(fake.boxes.front(), "棋譜| 読み込みました");
  EXPECT_EQ(g().棋譜モード, 1);
}

TEST_F(KifCommandsTest, AHugePasteIsRefusedQuotingAShortPiece) {
  desktop.clipboard = std::string(20 << 20, 'x');
  kif->KIF_PASTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"貼付け|貼り付ける文字は棋譜としては大きすぎます|!"}));
  for (const std::string& clipboard :
       {"手合割：5五将棋\n1 " + std::string(4 << 20, 'x'), "sfen " + std::string(4 << 20, 'x')}) {
    desktop.clipboard = clipboard;
    clear();
    kif->KIF_PASTE_Click();
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_LT(fake.boxes[0].size(), 300u) << fake.boxes[0].substr(0, 200);
    EXPECT_NE(fake.boxes[0].find(std::string(38, 'x') + "…」"), std::string::npos) << fake.boxes[0].substr(0, 200);
  }
}

TEST_F(KifCommandsTest, APastedSfenSetsUpThePositionToPlayOnFrom) {
  desktop.clipboard = "  1bsgk/r3p/5/P4/KGSBR w - 9\n";
  clear();
  kif->KIF_PASTE_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"貼付け|局面を設定しました"}));
  EXPECT_EQ(g().盤面, board("1bsgk/r3p/5/P4/KGSBR w - 9"));
  EXPECT_EQ(g().手番, g().COM手番);
  EXPECT_EQ(g().手数, 8);
  EXPECT_EQ(g().棋譜モード, 0);
  // 後手 moves the rook across; then the next click is 先手's.
  move(1, 2, 4, 2);
  EXPECT_EQ(g().盤面, board("1bsgk/3rp/5/P4/KGSBR b - 10"));
  EXPECT_EQ(g().手番, g().MAN手番);
  // The game saved since starts from the pasted position, with a diagram.
  const GameRecord r = kif->currentRecord();
  EXPECT_EQ(r.start.盤面, board("1bsgk/r3p/5/P4/KGSBR w - 9"));
  EXPECT_EQ(r.start.手番, 後手);
}

TEST_F(KifCommandsTest, APastedPositionCommandKeepsItsMovesBehindIt) {
  desktop.clipboard = "position startpos moves 5d5c 1b1c 1e1c";
  kif->KIF_PASTE_Click();
  EXPECT_EQ(g().盤面, board("rbsgk/5/P3R/5/KGSB1 w P 4"));
  EXPECT_EQ(g().持駒MAN(1), 1);
  EXPECT_EQ(g().手番, g().COM手番);
  EXPECT_EQ(g().記録位置, 3);
  nav->REPLAY_Click();
  EXPECT_EQ(g().盤面, board("rbsgk/5/P3p/5/KGSBR b - 3"));
}

TEST_F(KifCommandsTest, APastedKifIsLoadedAsARecord) {
  desktop.clipboard = kHandWritten;
  kif->KIF_PASTE_Click();
  EXPECT_EQ(g().棋譜モード, 1);
  EXPECT_EQ(g().記録最終, 4);
  EXPECT_EQ(fake.boxes.back(), "棋譜|棋譜を '進 'で進めて下さい");
}

TEST_F(KifCommandsTest, WhatCannotBePastedIsRefusedSayingWhyAndNothingChanges) {
  form->START_Click();
  move(1, 4, 1, 3);
  const Kept before = kept();
  struct Case {
    std::string clipboard, box;
  };
  for (const Case& c :
       {Case{"", "貼付け|貼り付ける局面や棋譜がありません"},
        Case{"kk3/5/5/5/4K b - 1", "貼付け|SFEN「kk3/5/5/5/4K b - 1」が読めません: 一方の王が2枚以上あります"},
        Case{"4k/5/P4/P4/K4 b - 1", "貼付け|この局面では指せません: 先手の歩が５筋に2枚あります"},
        Case{"position startpos moves 5d5c 1a1e", "貼付け|指し手「1a1e」はこの局面で指せません: 指せない手です"},
        Case{"手合割：平手\n   1 ７六歩(77)\n", "貼付け|1行目: 手合割「平手」は５五将棋ではありません"}}) {
    desktop.clipboard = c.clipboard;
    clear();
    kif->KIF_PASTE_Click();
    EXPECT_EQ(fake.boxes, std::vector<std::string>{c.box + "|!"});
    EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kRefused});
    EXPECT_TRUE(kept() == before) << c.clipboard;
  }
}

TEST_F(KifCommandsTest, AHistoryNoMoveLeadsThroughIsNeitherSavedNorCopied) {
  // A ".棋譜" whose first record is the starting position again: no move leads to it.
  const HistorySlot start{g().盤面, g().持駒MAN, g().持駒COM};
  writeFile(file("壊れ.棋譜"), "\r\n\r\n\r\n" + recordLine(start) + "\r\n");
  load("壊れ.棋譜");
  fake.boxes.clear();
  fake.soundCalls.clear();
  const std::string why = "履歴の1手目が前の局面から指せる手ではありません";

  desktop.save = file("壊れ.kif");
  kif->KIF_WRITE_Click();
  EXPECT_EQ(fake.boxes, std::vector<std::string>{"KIF書込|" + why + "|!"});
  EXPECT_TRUE(desktop.asked.empty());
  EXPECT_FALSE(fs::exists(file("壊れ.kif")));

  fake.boxes.clear();
  desktop.clipboard = "前から";
  kif->KIF_COPY_Click();
  EXPECT_EQ(fake.boxes, std::vector<std::string>{"棋譜ｺﾋﾟｰ|" + why + "|!"});
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kRefused});
  EXPECT_EQ(desktop.clipboard, "前から");
}

TEST_F(KifCommandsTest, ARecordFileLoadedThroughThePanelKeepsItsNamesInTheKif) {
  form->SENTE_Click();
  move(1, 4, 1, 3);
  move(2, 5, 1, 4);  // the gold blocks the rook that took the pawn with check
  records->KIFU_WRITE_Click();
  panel.texts[1] = "対局";
  panel.texts[2] = "練習";
  panel.texts[3] = "太郎";
  panel.texts[4] = "ｺﾝﾋﾟｭｰﾀ";
  records->Command1_Click();
  load("対局.棋譜");
  const GameRecord r = kif->currentRecord();
  EXPECT_EQ(r.先手名, "太郎");
  EXPECT_EQ(r.後手名, "ｺﾝﾋﾟｭｰﾀ");
  EXPECT_EQ(r.header("表題"), "練習");
  EXPECT_EQ(r.moves.size(), 4u);  // the file holds the positions after moves 1 to 4
  EXPECT_EQ(r.header("ルール"), "王取り");
}

TEST_F(KifCommandsTest, AResignationUnderTheOfficialRulesIsTheRecordsEndAndItsHeaderNamesTheRules) {
  form->menuClicked(MenuItem::KOUSIKI);
  form->SENTE_Click();
  move(1, 4, 1, 3);
  fake.answer = kYes;
  form->menuClicked(MenuItem::TOURYOU);
  const GameRecord r = kif->currentRecord();
  EXPECT_EQ(r.header("ルール"), "公式");
  EXPECT_EQ(r.moves.size(), 2u);
  EXPECT_EQ(r.end.word, "投了");
  EXPECT_EQ(r.end.winner, 後手);
  EXPECT_NE(writeKif(r).find("\r\n   3 投了\r\nまで2手で後手の勝ち\r\n"), std::string::npos) << writeKif(r);
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST_F(KifCommandsTest, APastedPositionKeepsItsSideToMoveWhenAGameIsStartedFromIt) {
  desktop.clipboard = "rbsgk/4p/5/P4/KGSBR w - 1";  // 後手, the upper side, to move
  kif->KIF_PASTE_Click();
  clear();
  form->SENTE_Click();  // the computer has the upper side: it moves at once
  EXPECT_EQ(g().手数, 1);
  EXPECT_EQ(g().手番, g().MAN手番);
  EXPECT_EQ(g().MAN手番, 先手);

  desktop.clipboard = "rbsgk/4p/5/P4/KGSBR w - 1";
  kif->KIF_PASTE_Click();
  clear();
  form->START_Click();  // two people: the upper one moves first
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{" |後手の番です"}));
  EXPECT_EQ(g().手番, 後手);
}

TEST_F(KifCommandsTest, ThePositionCopiedAfterAMateIsTheMatedSidesToMove) {
  desktop.clipboard = "4k/5/3S1/5/K4 b G 1";
  kif->KIF_PASTE_Click();
  form->SENTE_Click();
  move(7, 3, 5, 2);  // the gold dropped in front of the COM king: mate
  ASSERT_EQ(g().勝者, g().MAN手番);
  kif->SFEN_COPY_Click();
  EXPECT_EQ(desktop.clipboard, "4k/4G/3S1/5/K4 w - 2");
}

}  // namespace
}  // namespace zelk
