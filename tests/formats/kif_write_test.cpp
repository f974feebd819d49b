// Games written as KIF, compared with the text a shogi player would write for them by hand.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/sfen.h"
#include "formats/game_record.h"
#include "formats/kif_read.h"
#include "formats/kif_write.h"
#include "formats/sfen_record.h"

namespace zelk {
namespace {

std::string crlf(std::initializer_list<const char*> lines) {
  std::string s;
  for (const char* l : lines) s += std::string(l) + "\r\n";
  return s;
}

struct Played {
  const char* usi;
  long seconds, total;
};

GameRecord gameOf(std::string_view startSfen, std::initializer_list<Played> moves) {
  GameRecord r;
  const PositionText start = readPositionText(startSfen);
  EXPECT_TRUE(start.ok()) << start.error;
  r.start = start.record.start;
  for (const Played& p : moves) {
    RecordedMove m;
    m.move = parseUsiMove(p.usi).value();
    if (p.total >= 0) m.timed = true, m.seconds = p.seconds, m.total = p.total;
    r.moves.push_back(m);
  }
  EXPECT_TRUE(replay(r).ok());
  return r;
}

TEST(KifWrite, AGameFromTheStartWithTimesAndResignation) {
  GameRecord r =
      gameOf(kStartSfen,
             {{"3e2d", 5, 5}, {"3a4b", 3, 3}, {"2d2c", 10, 15}, {"4a2c", 2, 5}, {"1e1b", 61, 76}, {"S*3d", 20, 25}});
  r.setHeader("開始日時", "2024/03/09(土) 14:05:00");
  r.setHeader("表題", "練習対局");
  r.先手名 = "山田";
  r.後手名 = "佐藤";
  r.end = RecordEnd{"投了", true, 1, 77, 後手};
  EXPECT_EQ(writeKif(r), crlf({
                             "#KIF version=2.0 encoding=UTF-8",
                             "開始日時：2024/03/09(土) 14:05:00",
                             "表題：練習対局",
                             "手合割：5五将棋",
                             "先手：山田",
                             "後手：佐藤",
                             "手数----指手---------消費時間--",
                             "   1 ２四銀(35)   ( 0:05/00:00:05)",
                             "   2 ４二銀(31)   ( 0:03/00:00:03)",
                             "   3 ２三銀(24)   ( 0:10/00:00:15)",
                             "   4 同　角(41)   ( 0:02/00:00:05)",
                             "   5 １二飛(15)   ( 1:01/00:01:16)",
                             "   6 ３四銀打     ( 0:20/00:00:25)",
                             "   7 投了         ( 0:01/00:01:17)",
                             "まで6手で後手の勝ち",
                         }));
}

TEST(KifWrite, AnotherStartGetsADiagramAndMovesThatCouldPromoteSaySo) {
  GameRecord r = gameOf("4k/1P3/5/2s2/K4 w - 1",
                        {{"3d2e", 0, -1}, {"4b4a+", 0, -1}, {"2e3d", 0, -1}, {"4a3a", 0, -1}, {"3d4e+", 0, -1}});
  r.setHeader("表題", "成と不成");
  r.先手名 = "山田";
  r.後手名 = "佐藤";
  r.moves[1].comments = {"と金ができた"};
  EXPECT_EQ(writeKif(r, "Shift_JIS"), crlf({
                                          "#KIF version=2.0 encoding=Shift_JIS",
                                          "表題：成と不成",
                                          "手合割：5五将棋",
                                          "先手：山田",
                                          "後手：佐藤",
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
                                          "手数----指手---------消費時間--",
                                          "   1 ２五銀不成(34)",
                                          "   2 ４一歩成(42)",
                                          "*と金ができた",
                                          "   3 ３四銀不成(25)",
                                          "   4 ３一と(41)",
                                          "   5 ４五銀成(34)",
                                      }));
}

TEST(KifWrite, HandsAndPromotedPiecesInTheDiagram) {
  const GameRecord r = gameOf("1B2+R/2gk1/1+S3/5/K4 w G2Ps 7", {});
  const std::string text = writeKif(r);
  EXPECT_NE(text.find(crlf({"後手の持駒：銀", "  ５ ４ ３ ２ １", "+---------------+", "| ・ 角 ・ ・ 龍|一",
                            "| ・ ・v金v玉 ・|二", "| ・ 全 ・ ・ ・|三", "| ・ ・ ・ ・ ・|四", "| 玉 ・ ・ ・ ・|五",
                            "+---------------+", "先手の持駒：金　歩二", "後手番"})),
            std::string::npos)
      << text;
}

TEST(KifWrite, ADecidedGameClosesWithTheWinner) {
  // A mate: the mated side's line says 詰み, the closing line names the winner.
  GameRecord mated = gameOf(kStartSfen, {{"1e1b", 1, 1}});
  mated.end = RecordEnd{"詰み", false, 0, 0, 先手};
  EXPECT_NE(writeKif(mated).find("\r\n   2 詰み\r\nまで1手で先手の勝ち\r\n"), std::string::npos);

  // A king taken: the taking move is the last line before the closing one.
  GameRecord taken = gameOf(kStartSfen, {{"1e1b", 1, 1}, {"2a2b", 2, 2}, {"1b1a+", 3, 4}});
  taken.end.winner = 先手;
  EXPECT_NE(writeKif(taken).find("   3 １一飛成(12) ( 0:03/00:00:04)\r\nまで3手で先手の勝ち\r\n"), std::string::npos);

  // A record that names no end, as one read from positions, still closes with the king's taker.
  const GameRecord untold = gameOf(kStartSfen, {{"1e1b", 0, -1}, {"2a2b", 0, -1}, {"1b1a+", 0, -1}});
  EXPECT_NE(writeKif(untold).find("   3 １一飛成(12)\r\nまで3手で先手の勝ち\r\n"), std::string::npos)
      << writeKif(untold);

  // An interrupted game names no winner.
  GameRecord stopped = gameOf(kStartSfen, {{"1e1b", 1, 1}});
  stopped.end.word = "中断";
  EXPECT_NE(writeKif(stopped).find("   2 中断\r\nまで1手で中断\r\n"), std::string::npos);
}

// A game of the game's own rules, cut where the official rules end it.
TEST(KifWrite, AKingCaptureGameEndsWhereTheOfficialRulesEndIt) {
  // The rook takes the pawn with check; leaving the king attacked is 先手's foul.
  GameRecord foul = gameOf(kStartSfen, {{"5d5c", 1, 1}, {"5a5c", 1, 1}, {"3e3d", 1, 2}, {"5c5e", 1, 2}});
  foul.end.winner = 後手;
  endWhereOfficialRulesEnd(foul);
  EXPECT_EQ(foul.moves.size(), 2u);
  EXPECT_EQ(foul.end.word, "反則負け");
  EXPECT_EQ(foul.end.winner, 後手);
  EXPECT_NE(writeKif(foul).find("\r\n   3 反則負け\r\nまで2手で後手の勝ち\r\n"), std::string::npos) << writeKif(foul);

  // A pawn dropped to mate is a foul too; a gold dropped to mate ends the game as 詰み.
  GameRecord pawn = gameOf("3pk/3s1/3G1/5/K4 b P 1", {{"P*1b", 0, -1}, {"1a1b", 0, -1}});
  endWhereOfficialRulesEnd(pawn);
  EXPECT_TRUE(pawn.moves.empty());
  EXPECT_EQ(pawn.end.word, "反則負け");
  EXPECT_EQ(pawn.end.winner, 後手);
  GameRecord gold = gameOf("4k/5/4P/5/K4 b G 1", {{"G*1b", 0, -1}, {"1a2a", 0, -1}, {"1b2a", 0, -1}});
  endWhereOfficialRulesEnd(gold);
  EXPECT_EQ(gold.moves.size(), 1u);
  EXPECT_EQ(gold.end.word, "詰み");
  EXPECT_EQ(gold.end.winner, 先手);

  // The fourth occurrence of the start: 先手 has lost.
  GameRecord shuffled = gameOf(kStartSfen, {});
  for (int round = 0; round < 4; ++round)
    for (const char* m : {"5e4d", "1a2b", "4d5e", "2b1a"}) {
      RecordedMove rm;
      rm.move = *parseUsiMove(m);
      shuffled.moves.push_back(rm);
    }
  endWhereOfficialRulesEnd(shuffled);
  EXPECT_EQ(shuffled.moves.size(), 12u);
  EXPECT_EQ(shuffled.end.word, "千日手");
  EXPECT_EQ(shuffled.end.winner, 後手);
  EXPECT_NE(writeKif(shuffled).find("  13 千日手\r\nまで12手で後手の勝ち\r\n"), std::string::npos);

  // A game the official rules end nowhere stays whole.
  GameRecord fine = gameOf(kStartSfen, {{"5d5c", 1, 1}, {"5a5c", 1, 1}});
  fine.end.word = "投了";
  fine.end.winner = 後手;
  endWhereOfficialRulesEnd(fine);
  EXPECT_EQ(fine.moves.size(), 2u);
  EXPECT_EQ(fine.end.word, "投了");
}

TEST(KifWrite, WhatIsWrittenReadsBackAsTheSameRecord) {
  GameRecord r = gameOf("4k/1P3/5/2s2/K4 w BGbg 31",
                        {{"3d2e", 4, 64}, {"4b4a+", 3600, 7322}, {"2e3d", 0, 64}, {"G*3e", 59, 7381}});
  r.firstMoveNumber = 31;
  r.先手名 = "ｺﾝﾋﾟｭｰﾀ";
  r.headComments = {"ここから"};
  r.end = RecordEnd{"投了", true, 2, 66, 先手};
  const KifRead back = readKif(writeKif(r));
  ASSERT_TRUE(back.ok()) << back.error;
  EXPECT_EQ(back.record.start, r.start);
  EXPECT_EQ(back.record.moves, r.moves);
  EXPECT_EQ(back.record.end, r.end);
  EXPECT_EQ(back.record.firstMoveNumber, 31);
  EXPECT_EQ(back.record.先手名, r.先手名);
  EXPECT_EQ(back.record.headComments, r.headComments);
}

}  // namespace
}  // namespace zelk
