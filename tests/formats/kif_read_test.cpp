// KIF written by hand as other shogi programs write it, read into the positions a player
// would set up on a board from the same moves.

#include <gtest/gtest.h>

#include <string>

#include "core/sfen.h"
#include "formats/game_record.h"
#include "formats/kif_read.h"
#include "formats/sfen_record.h"

namespace zelk {
namespace {

// The SFEN of the position after the record's last move.
std::string finalSfen(const GameRecord& r) {
  const Replay played = replay(r);
  EXPECT_TRUE(played.ok()) << played.reason;
  return sfenOf(played.positions.back(), r.firstMoveNumber + static_cast<int>(r.moves.size()));
}

// Lines joined with CR LF, as a file written on the desktop holds them.
std::string crlf(std::initializer_list<const char*> lines) {
  std::string s;
  for (const char* l : lines) s += std::string(l) + "\r\n";
  return s;
}

const std::string kGame = crlf({
    "#KIF version=2.0 encoding=UTF-8",
    "# ---- 手で書いた棋譜 ----",
    "開始日時：2024/03/09(土) 14:05:00",
    "表題：練習対局",
    "手合割：5五将棋",
    "先手：山田",
    "後手：佐藤",
    "手数----指手---------消費時間--",
    "*対局前のひとこと",
    "   1 ２四銀(35)   ( 0:05/00:00:05)",
    "   2 ４二銀(31)   ( 0:03/00:00:03)",
    "*四二銀は定跡",
    "   3 ２三銀(24)   ( 0:10/00:00:15)",
    "   4 同　角(41)   ( 0:02/00:00:05)",
    "   5 １二飛(15)   ( 1:01/00:01:16)",
    "   6 ３四銀打     ( 0:20/00:00:25)",
    "   7 投了         ( 0:01/00:01:17)",
    "まで6手で後手の勝ち",
});

TEST(KifRead, AGameWithCaptureRecaptureAndDropReachesThePositionOnTheBoard) {
  const KifRead read = readKif(kGame);
  ASSERT_TRUE(read.ok()) << read.error;
  const GameRecord& r = read.record;
  EXPECT_EQ(r.start, standardStart());
  ASSERT_EQ(r.moves.size(), 6u);
  // The silver taken on ２三 by the bishop went to the upper hand and was dropped on ３四; the
  // lower rook took the pawn on １二.
  EXPECT_EQ(finalSfen(r), "r2gk/1s2R/3b1/P1s2/KG1B1 b P 7");
  EXPECT_EQ(toUsi(r.moves[3].move), "4a2c");  // 同　角 is the bishop to the square of move 3
  EXPECT_EQ(toUsi(r.moves[5].move), "S*3d");
}

TEST(KifRead, NamesTitleTimesCommentsAndTheEndAreKept) {
  const GameRecord r = readKif(kGame).record;
  EXPECT_EQ(r.先手名, "山田");
  EXPECT_EQ(r.後手名, "佐藤");
  EXPECT_EQ(r.header("表題"), "練習対局");
  EXPECT_EQ(r.header("開始日時"), "2024/03/09(土) 14:05:00");
  EXPECT_EQ(r.header("手合割"), "");  // the game itself, not a header to carry
  ASSERT_EQ(r.headComments.size(), 1u);
  EXPECT_EQ(r.headComments[0], "対局前のひとこと");
  EXPECT_EQ(r.moves[1].comments, std::vector<std::string>{"四二銀は定跡"});

  EXPECT_TRUE(r.moves[4].timed);
  EXPECT_EQ(r.moves[4].seconds, 61);
  EXPECT_EQ(r.moves[4].total, 76);
  EXPECT_EQ(r.moves[5].seconds, 20);
  EXPECT_EQ(r.moves[5].total, 25);

  // 先手 resigned at move 7: 後手 won.
  EXPECT_EQ(r.end.word, "投了");
  EXPECT_EQ(r.end.winner, 後手);
  EXPECT_EQ(r.end.total, 77);
}

TEST(KifRead, ADiagramStartWithTheUpperSideToMoveAndPromotedPieces) {
  // Headers in another order, the diagram's hands before and after it, 後手 to move first.
  const std::string kif = crlf({
      "後手：佐藤",
      "先手：山田",
      "手合割：5五将棋",
      "後手の持駒：歩",
      "  ５ ４ ３ ２ １",
      "+---------------+",
      "| ・ ・ ・v金v玉|一",
      "| ・ ・ ・ ・ ・|二",
      "| ・ 全 ・ 銀 ・|三",
      "| ・ ・ ・ ・ ・|四",
      "| 玉 ・ ・ ・ 龍|五",
      "+---------------+",
      "先手の持駒：角　金",
      "後手番",
      "手数----指手---------消費時間--",
      "   1 ３三歩打",
      "   2 ３二銀(23)",
      "   3 同　金(21)",
      "   4 ４一角打",
      "   5 ２二玉(11)",
      "   6 １一龍(15)",
      "   7 投了",
      "まで6手で先手の勝ち",
  });
  const KifRead read = readKif(kif);
  ASSERT_TRUE(read.ok()) << read.error;
  const GameRecord& r = read.record;
  EXPECT_EQ(sfenOf(r.start, 1), "3gk/5/1+S1S1/5/K3+R w BGp 1");
  EXPECT_EQ(r.start.手番, 後手);
  EXPECT_EQ(finalSfen(r), "1B2+R/2gk1/1+Sp2/5/K4 w Gs 7");
  EXPECT_FALSE(r.moves[0].timed);
  EXPECT_EQ(r.end.winner, 先手);
  EXPECT_EQ(r.先手名, "山田");
}

TEST(KifRead, PromotionDeclinedPromotionAndThePawnThatMustPromote) {
  // The upper silver reaches the lower home row twice, once declining and once promoting; the
  // lower pawn promotes on the upper home row and takes as a と.
  const std::string kif = crlf({
      "手合割：５五将棋",
      "後手の持駒：なし",
      "  ５ ４ ３ ２ １",
      "+---------------+",
      "| ・ ・ ・ ・v玉|一",
      "| ・ 歩 ・ ・ ・|二",
      "| ・ ・ ・ ・ ・|三",
      "| ・ ・v銀 ・ ・|四",
      "| 玉 ・ ・ ・ ・|五",
      "+---------------+",
      "先手の持駒：なし",
      "後手番",
      "   1 ２五銀不成(34)",
      "   2 ４一歩成(42)",
      "   3 ３四銀(25)",
      "   4 ３一と(41)",
      "   5 ４五銀成(34)",
  });
  const KifRead read = readKif(kif);
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(finalSfen(read.record), "2+P1k/5/5/5/K+s3 b - 6");
  EXPECT_FALSE(read.record.moves[0].move.promote);
  EXPECT_TRUE(read.record.moves[1].move.promote);
  EXPECT_TRUE(read.record.moves[4].move.promote);
}

TEST(KifRead, LenientSpellingsOfRealFiles) {
  // Half-width digits, 同 without the full-width space, a drop without 打, LF alone, a byte
  // order mark, 王 for the king, no column titles, a bookmark line and times without padding.
  const std::string kif =
      "\xEF\xBB\xBF"
      "手合割:5五将棋\n"
      "1 24銀(35) (0:05/0:00:05)\n"
      "2 42銀(31)\n"
      "3 23銀(24)\n"
      "&しおり\n"
      "4 同角(41)\n"
      "5 12飛(15)\n"
      "6 34銀\n"
      "7 13王(12)\n";
  const KifRead read = readKif(kif);
  ASSERT_FALSE(read.ok());  // the seventh move names a king on a square holding the rook
  EXPECT_EQ(read.errorLine, 9);
  EXPECT_EQ(read.error, "9行目: 「13王(12)」１二に指す側の王がありません");
  // What was read before the bad line is the game up to it.
  EXPECT_EQ(finalSfen(read.record), "r2gk/1s2R/3b1/P1s2/KG1B1 b P 7");
  EXPECT_TRUE(read.record.moves[0].timed);
  EXPECT_EQ(read.record.moves[0].total, 5);
}

TEST(KifRead, BranchesAfterTheMainLineAreSkipped) {
  const std::string kif = crlf({
      "手合割：5五将棋",
      "手数----指手---------消費時間--",
      "   1 ２四銀(35)   ( 0:05/00:00:05)+",
      "   2 ４二銀(31)   ( 0:03/00:00:03)",
      "   3 中断         ( 0:01/00:00:06)",
      "まで2手で中断",
      "",
      "変化：1手",
      "   1 ４四銀(35)   ( 0:07/00:00:07)",
      "   2 ２二金(21)   ( 0:01/00:00:01)",
  });
  const KifRead read = readKif(kif);
  ASSERT_TRUE(read.ok()) << read.error;
  ASSERT_EQ(read.record.moves.size(), 2u);
  EXPECT_EQ(toUsi(read.record.moves[0].move), "3e2d");
  EXPECT_EQ(read.record.end.word, "中断");
  EXPECT_EQ(read.record.end.winner, 0);
}

TEST(KifRead, EndLinesSayWhoWon) {
  struct Case {
    const char* word;
    int winner;  // with 後手 to move at move 2
  };
  for (const Case c : {Case{"投了", 先手}, Case{"詰み", 先手}, Case{"切れ負け", 先手}, Case{"反則勝ち", 後手},
                       Case{"千日手", 0}, Case{"持将棋", 0}}) {
    const std::string kif = crlf({"手合割：5五将棋", "   1 ２四銀(35)"}) + "   2 " + c.word + "\r\n";
    const KifRead read = readKif(kif);
    ASSERT_TRUE(read.ok()) << c.word << ": " << read.error;
    EXPECT_EQ(read.record.end.word, c.word);
    EXPECT_EQ(read.record.end.winner, c.winner) << c.word;
  }
}

TEST(KifRead, AKingTakenEndsTheGameWithoutAnEndLine) {
  // The upper side left its king next to the lower rook; the rook takes it.
  const std::string kif = crlf({
      "手合割：5五将棋",
      "   1 １二飛(15)",
      "   2 ２二金(21)",
      "   3 １一飛成(12)",
      "まで3手で先手の勝ち",
  });
  const KifRead read = readKif(kif);
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.record.end.winner, 先手);
  EXPECT_EQ(read.record.end.word, "");

  // A move after the king was taken is refused.
  const KifRead after = readKif(kif.substr(0, kif.find("まで")) + "   4 ２一金(22)\r\n");
  EXPECT_EQ(after.error, "5行目: 「２一金(22)」王が取られた後の指し手です");
}

TEST(KifRead, WhatIsNotAGameOfThisBoardIsRefusedNamingTheLine) {
  struct Case {
    std::string kif, error;
  };
  const Case cases[] = {
      {crlf({"開始日時：2024/01/01", "手合割：平手", "   1 ７六歩(77)"}),
       "2行目: 手合割「平手」は５五将棋ではありません"},
      {crlf({"後手の持駒：なし", "  ９ ８ ７ ６ ５ ４ ３ ２ １"}), "2行目: 盤面図が５×５ではありません"},
      {crlf({"手合割：5五将棋", "   1 ２四銀(35)", "   2 ３三角(41)"}),
       "3行目: 「３三角(41)」この局面では指せない手です"},
      {crlf({"手合割：5五将棋", "   1 ２四銀(35)", "   3 ４二銀(31)"}),
       "3行目: 手数が続いていません（2手目のはずです）"},
      {crlf({"手合割：5五将棋", "   1 ２四香(35)"}), "2行目: 「２四香(35)」５五将棋にない駒です"},
      {crlf({"手合割：5五将棋", "   1 ７六歩(77)"}), "2行目: 「７六歩(77)」５×５の盤にないマスです"},
      {crlf({"手合割：5五将棋", "   1 同　銀(35)"}), "2行目: 「同　銀(35)」「同」の前に指し手がありません"},
      {crlf({"手合割：5五将棋", "   1 ２四歩打"}), "2行目: 「２四歩打」持駒に歩がありません"},
      {crlf({"手合割：5五将棋", "   1 ５三歩成(54)"}), "2行目: 「５三歩成(54)」この駒はここで成れません"},
      {crlf({"手合割：5五将棋", "   1 ほげ"}), "2行目: 「ほげ」指し手のマスが読めません"},
      {crlf({"# 何もない", "", "*ただのコメント"}), "棋譜が見つかりません"},
  };
  for (const Case& c : cases) {
    const KifRead read = readKif(c.kif);
    EXPECT_EQ(read.error, c.error) << c.kif;
  }
}

TEST(KifRead, TimesAndMoveNumbersAreKeptExactlyOrRefusedNamingTheLine) {
  // The largest fields a clock shows are kept as they are.
  const KifRead kept = readKif(crlf({"手合割：5五将棋", "   1 ２四銀(35)   (59:59/999999:59:59)"}));
  ASSERT_TRUE(kept.ok()) << kept.error;
  EXPECT_EQ(kept.record.moves[0].seconds, 59 * 60 + 59);
  EXPECT_EQ(kept.record.moves[0].total, 999999L * 3600 + 59 * 60 + 59);
  struct Case {
    std::string kif, error;
  };
  const Case cases[] = {
      {crlf({"手合割：5五将棋", "   1 ２四銀(35)   ( 0:60/00:01:00)"}),
       "2行目: 消費時間「( 0:60/00:01:00)」が読めません"},
      {crlf({"手合割：5五将棋", "   1 ２四銀(35)   ( 1:00/00:00:60)"}),
       "2行目: 消費時間「( 1:00/00:00:60)」が読めません"},
      {"1 ２四銀(35)(9:9/999999:99:9)", "1行目: 消費時間「(9:9/999999:99:9)」が読めません"},
      {crlf({"手合割：5五将棋", "   1 ２四銀(35)", "   2 投了 ( 0:0x/00:00:05)"}),
       "3行目: 消費時間「( 0:0x/00:00:05)」が読めません"},
      {crlf({"手合割：5五将棋", "12345678 ２四銀(35)"}), "2行目: 手数「12345678」が大きすぎます"},
      {crlf({"手合割：5五将棋", "9999999 ２四銀(35)"}), "2行目: 手数「9999999」が大きすぎます"},
  };
  for (const Case& c : cases) EXPECT_EQ(readKif(c.kif).error, c.error) << c.kif;
  // The largest move number whose next position an SFEN can still number.
  const KifRead last = readKif(crlf({"手合割：5五将棋", "9999998 ２四銀(35)"}));
  ASSERT_TRUE(last.ok()) << last.error;
  EXPECT_EQ(last.record.firstMoveNumber, 9999998);
}

TEST(KifRead, ARefusedLineIsQuotedShort) {
  const KifRead read = readKif("手合割：5五将棋\n1 " + std::string(1000, 'x') + "\n");
  EXPECT_EQ(read.error, "2行目: 「" + std::string(40, 'x') + "…」指し手のマスが読めません");
  // A line no record has is refused before it is read.
  const KifRead huge = readKif("手合割：5五将棋\n" + std::string(100000, 'x') + "\n");
  EXPECT_EQ(huge.error, "2行目: 「" + std::string(40, 'x') + "…」棋譜の行としては長すぎます");
}

TEST(KifRead, ADiagramThatCouldNotStandOnTheBoardIsRefused) {
  const std::string kif = crlf({
      "後手の持駒：なし",
      "  ５ ４ ３ ２ １",
      "+---------------+",
      "| ・ ・ ・ ・v玉|一",
      "| ・ ・ ・ ・ ・|二",
      "| 歩 ・ ・ ・ ・|三",
      "| 歩 ・ ・ ・ ・|四",
      "| 玉 ・ ・ ・ ・|五",
      "+---------------+",
      "先手の持駒：なし",
      "   1 ５二歩(53)",
  });
  EXPECT_EQ(readKif(kif).error, "4行目: 盤面図の局面では指せません: 先手の歩が５筋に2枚あります");
}

TEST(KifRead, APawnReachingTheFarRowMustPromote) {
  const std::string kif = crlf({
      "後手の持駒：なし",
      "  ５ ４ ３ ２ １",
      "+---------------+",
      "| ・ ・ ・ ・v玉|一",
      "| ・ 歩 ・ ・ ・|二",
      "| ・ ・ ・ ・ ・|三",
      "| ・ ・ ・ ・ ・|四",
      "| 玉 ・ ・ ・ ・|五",
      "+---------------+",
      "先手の持駒：なし",
      "   1 ４一歩(42)",
  });
  EXPECT_EQ(readKif(kif).error, "11行目: 「４一歩(42)」歩は敵陣の奥で成らなければなりません");
}

}  // namespace
}  // namespace zelk
