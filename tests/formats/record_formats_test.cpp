// The record formats as files: KIF in code page 932 and in UTF-8 whatever the name says, SFEN
// lines and position commands, and the game's own ".棋譜" converted to KIF and back.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/sfen.h"
#include "core/test_support.h"
#include "base/cp932.h"
#include "formats/record_file.h"
#include "formats/kif_read.h"
#include "formats/record_formats.h"
#include "formats/sfen_record.h"

namespace zelk {
namespace {

// A short game written by hand in code page 932: the two pawns step forward.
const std::string kCp932Kif =
    "\x8E\xE8\x8D\x87\x8A\x84\x81"
    "F5\x8C\xDC\x8F\xAB\x8A\xFB\r\n"  // 手合割：5五将棋
    "\x90\xE6\x8E\xE8\x81"
    "F\x91\xBE\x98Y\r\n"                                   // 先手：太郎
    "   1 \x82T\x8EO\x95\xE0(54)   ( 0:07/00:00:07)\r\n"   // ５三歩
    "   2 \x82P\x8EO\x95\xE0(12)   ( 0:01/00:00:01)\r\n";  // １三歩
const std::string kUtf8Kif =
    "手合割：5五将棋\r\n"
    "先手：太郎\r\n"
    "   1 ５三歩(54)   ( 0:07/00:00:07)\r\n"
    "   2 １三歩(12)   ( 0:01/00:00:01)\r\n";
constexpr std::string_view kAfterPawns = "rbsgk/5/P3p/5/KGSBR b - 3";

std::string finalSfen(const GameRecord& r) {
  const Replay played = replay(r);
  return sfenOf(played.positions.back(), r.firstMoveNumber + static_cast<int>(r.moves.size()));
}

TEST(KifFiles, EitherEncodingIsReadWhateverTheNameSays) {
  for (const RecordFormat named : {RecordFormat::Kif, RecordFormat::Kifu}) {
    for (const std::string* bytes : {&kCp932Kif, &kUtf8Kif}) {
      const DecodedRecord d = decodeRecord(*bytes, named);
      ASSERT_TRUE(d.ok()) << d.error;
      EXPECT_EQ(finalSfen(d.record), kAfterPawns);
      EXPECT_EQ(d.record.先手名, "太郎");
      EXPECT_EQ(d.record.moves[0].total, 7);
    }
  }
  // A byte-order mark is no part of the text.
  EXPECT_EQ(decodeRecord("\xEF\xBB\xBF" + kUtf8Kif, RecordFormat::Kif).record.先手名, "太郎");
}

TEST(KifFiles, BytesThatAreNoTextOfTheirEncodingAreRefusedNamingTheLine) {
  const auto refusal = [](std::string_view bytes) { return decodeRecord(bytes, RecordFormat::Kif).error; };
  // After a byte-order mark only well-formed UTF-8: an overlong line break (C0 8A) would put a
  // move inside a header; a surrogate or a broken sequence is no character either.
  EXPECT_EQ(refusal(std::string("\xEF\xBB\xBF\0:\xC0\x8A"
                                "3",
                                8)),
            "1行目: UTF-8 として正しくないバイトがあります");
  EXPECT_EQ(refusal("\xEF\xBB\xBF" + kUtf8Kif + "*\xED\xA0\x80\r\n"), "5行目: UTF-8 として正しくないバイトがあります");
  EXPECT_EQ(refusal("\xEF\xBB\xBF" + kUtf8Kif + "*\xE6\x89\r\n"), "5行目: UTF-8 として正しくないバイトがあります");
  // Without a mark, bytes neither UTF-8 nor code page 932.
  EXPECT_EQ(refusal(kCp932Kif + "*\x81\r\n"), "5行目: Shift_JIS としても UTF-8 としても読めないバイトがあります");
  // A wide encoding's mark names it.
  EXPECT_EQ(refusal(std::string("\xFF\xFE:\0", 4)),
            "UTF-16 で書かれた棋譜は読めません。UTF-8 か Shift_JIS で保存して下さい");
  EXPECT_EQ(refusal(std::string("\xFE\xFF\0:", 4)),
            "UTF-16 で書かれた棋譜は読めません。UTF-8 か Shift_JIS で保存して下さい");
  EXPECT_EQ(refusal(std::string("\xFF\xFE\0\0:\0\0\0", 8)),
            "UTF-32 で書かれた棋譜は読めません。UTF-8 か Shift_JIS で保存して下さい");
  // An overlong form that reaches the reader some other way is no line break either.
  EXPECT_TRUE(readKif(std::string("\0:\xC0\x8A"
                                  "1 ５三歩(54)",
                                  18))
                  .record.moves.empty());
}

TEST(KifFiles, KifIsWrittenInCodePage932AndKifuInUtf8WithCrLf) {
  const GameRecord r = decodeRecord(kUtf8Kif, RecordFormat::Kifu).record;
  const EncodedBytes kif = encodeRecord(r, RecordFormat::Kif);
  ASSERT_TRUE(kif.ok()) << kif.error;
  EXPECT_EQ(kif.bytes.substr(0, 37), "#KIF version=2.0 encoding=Shift_JIS\r\n");
  EXPECT_NE(kif.bytes.find("\x8E\xE8\x8D\x87\x8A\x84\x81"
                           "F5\x8C\xDC\x8F\xAB\x8A\xFB\r\n"),
            std::string::npos);
  EXPECT_NE(kif.bytes.find("   1 \x82T\x8EO\x95\xE0(54)   ( 0:07/00:00:07)\r\n"), std::string::npos);

  const EncodedBytes kifu = encodeRecord(r, RecordFormat::Kifu);
  ASSERT_TRUE(kifu.ok());
  EXPECT_EQ(kifu.bytes.substr(0, 33), "#KIF version=2.0 encoding=UTF-8\r\n");
  EXPECT_NE(kifu.bytes.find("   2 １三歩(12)   ( 0:01/00:00:01)\r\n"), std::string::npos);

  for (const std::string* bytes : {&kif.bytes, &kifu.bytes}) {
    // Every line ends with CR LF, and each file reads back as the game.
    for (std::size_t i = bytes->find('\n'); i != std::string::npos; i = bytes->find('\n', i + 1))
      EXPECT_EQ((*bytes)[i - 1], '\r');
    EXPECT_EQ(finalSfen(decodeRecord(*bytes, RecordFormat::Kif).record), kAfterPawns);
  }
}

TEST(KifFiles, ANameCodePage932CannotHoldIsRefusedForKifOnly) {
  GameRecord r = decodeRecord(kUtf8Kif, RecordFormat::Kifu).record;
  r.後手名 = "Ann 😀";
  const EncodedBytes kif = encodeRecord(r, RecordFormat::Kif);
  EXPECT_TRUE(kif.bytes.empty());
  EXPECT_EQ(kif.error, "「後手：Ann 😀」には .kif (Shift_JIS) に書けない文字があります。.kifu なら書けます");
  const EncodedBytes kifu = encodeRecord(r, RecordFormat::Kifu);
  ASSERT_TRUE(kifu.ok());
  EXPECT_EQ(decodeRecord(kifu.bytes, RecordFormat::Kifu).record.後手名, "Ann 😀");
}

TEST(RecordFormat, TheExtensionNamesTheFormat) {
  EXPECT_EQ(formatOfPath("対局.棋譜"), RecordFormat::Native);
  EXPECT_EQ(formatOfPath("a/b.KIF"), RecordFormat::Kif);
  EXPECT_EQ(formatOfPath("game.kifu"), RecordFormat::Kifu);
  EXPECT_EQ(formatOfPath("game.sfen"), RecordFormat::Sfen);
  EXPECT_EQ(formatOfPath("game.csa"), std::nullopt);
  EXPECT_EQ(formatOfPath("kif"), std::nullopt);
  EXPECT_EQ(formatNamed("kifu"), RecordFormat::Kifu);
}

TEST(SfenRecord, OneLinePerPositionTheStartFirst) {
  const PositionText game = readPositionText("position startpos moves 3e2d 3a4b");
  ASSERT_TRUE(game.ok()) << game.error;
  EXPECT_EQ(sfenLines(game.record),
            "rbsgk/4p/5/P4/KGSBR b - 1\n"
            "rbsgk/4p/5/P2S1/KG1BR w - 2\n"
            "rb1gk/1s2p/5/P2S1/KG1BR b - 3\n");

  // The lines read back as the same moves, found between consecutive positions.
  const PositionText back = readSfenLines(sfenLines(game.record));
  ASSERT_TRUE(back.ok()) << back.error;
  EXPECT_EQ(back.record.moves, game.record.moves);

  // Lines that no single move joins are refused, naming the line.
  EXPECT_EQ(readSfenLines("rbsgk/4p/5/P4/KGSBR b - 1\nrb1gk/1s2p/5/P2S1/KG1BR b - 3\n").error,
            "2行目: 前の行の局面から一手で指せる局面ではありません");
}

TEST(SfenRecord, PositionTextsInTheirUsualShapes) {
  const PositionText bare = readPositionText("rb1gk/1s2p/5/P2S1/KG1BR b - 3");
  ASSERT_TRUE(bare.ok());
  EXPECT_EQ(bare.record.firstMoveNumber, 3);
  EXPECT_TRUE(bare.record.moves.empty());

  const PositionText withMoves = readPositionText("position sfen rb1gk/1s2p/5/P2S1/KG1BR b - 3 moves 2d2c 2a2b");
  ASSERT_TRUE(withMoves.ok()) << withMoves.error;
  EXPECT_EQ(finalSfen(withMoves.record), "rb2k/1s1gp/3S1/P4/KG1BR b - 5");

  EXPECT_TRUE(readPositionText("sfen rbsgk/4p/5/P4/KGSBR b - 1").ok());
  EXPECT_TRUE(readPositionText("startpos").ok());
  EXPECT_EQ(readPositionText("position sfen rbsgk/4p/5/P4/KGSBX b - 1").error,
            "SFEN「rbsgk/4p/5/P4/KGSBX b - 1」が読めません: 「X」という駒はありません");
  EXPECT_EQ(readPositionText("position startpos moves 3e2d 1a1e").error,
            "指し手「1a1e」はこの局面で指せません: 指せない手です");
  EXPECT_EQ(readPositionText("").error, "局面がありません");
}

TEST(SfenRecord, APositionThatCouldNotStandOnTheBoardIsRefusedSayingWhy) {
  EXPECT_EQ(readPositionText("4k/5/P4/P4/K4 b - 1").error, "この局面では指せません: 先手の歩が５筋に2枚あります");
  EXPECT_EQ(readPositionText("P3k/5/5/5/K4 b - 1").error, "この局面では指せません: ５一の先手の歩は動けません");
  EXPECT_EQ(readPositionText("position sfen 4k/5/5/5/K4 b 3G 1 moves G*3c").error,
            "この局面では指せません: 金が盤と持駒で2枚を超えています");
  // A king missing on the side that moves next is the end of a game won by taking it; missing
  // on the side to move's opponent, or on both sides, it is no position.
  EXPECT_EQ(readPositionText("5/5/5/5/K4 b - 1").error, "この局面では指せません: 後手の王がありません");
  EXPECT_EQ(readPositionText("5/5/5/5/5 w - 1").error, "この局面では指せません: 先手の王がありません");
  EXPECT_EQ(readPositionText("5/5/5/5/K4 w - 1").error, "");
}

// ".棋譜" record lines for positions written as SFEN, with the four clock totals of each.
struct Saved {
  const char* sfen;
  double 前M, 後M, 前C, 後C;
};
std::string recordFileBytes(const char* upper, const char* lower, std::initializer_list<Saved> slots) {
  RecordFile f;
  f.title = "練習";
  f.upperName = upper;
  f.lowerName = lower;
  for (const Saved& s : slots) {
    const GameState p = test::position(s.sfen);
    HistorySlot slot;
    slot.盤面 = p.盤面;
    slot.持駒MAN = p.持駒MAN;
    slot.持駒COM = p.持駒COM;
    slot.前秒M = s.前M, slot.後秒M = s.後M, slot.前秒C = s.前C, slot.後秒C = s.後C;
    f.records.push_back(slot);
  }
  return encodeRecordFile(f).bytes;
}

TEST(RecordFileAsKif, AGameTheLowerSideBeganKeepsEveryPositionAndClock) {
  // Four moves: silver up, silver out, silver on, bishop takes it. The last slot's after-values
  // are its before-values: no fifth move was made.
  const std::string saved = recordFileBytes("ｺﾝﾋﾟｭｰﾀ", "太郎",
                                            {{"rbsgk/4p/5/P2S1/KG1BR w - 1", 5, 5, 0, 3},
                                             {"rb1gk/1s2p/5/P2S1/KG1BR w - 1", 5, 15, 3, 3},
                                             {"rb1gk/1s2p/3S1/P4/KG1BR w - 1", 15, 15, 3, 5},
                                             {"r2gk/1s2p/3b1/P4/KG1BR w s 1", 15, 15, 5, 5}});
  const DecodedRecord game = decodeRecord(saved, RecordFormat::Native);
  ASSERT_TRUE(game.ok()) << game.error;
  const GameRecord& r = game.record;
  ASSERT_EQ(r.moves.size(), 4u);
  EXPECT_EQ(toUsi(r.moves[0].move), "3e2d");
  EXPECT_EQ(toUsi(r.moves[3].move), "4a2c");
  EXPECT_EQ(r.先手名, "太郎");
  EXPECT_EQ(r.後手名, "ｺﾝﾋﾟｭｰﾀ");
  EXPECT_EQ(r.header("表題"), "練習");
  // Each move's time is what its mover's total grew by.
  EXPECT_EQ(r.moves[2].seconds, 10);
  EXPECT_EQ(r.moves[2].total, 15);
  EXPECT_EQ(r.moves[3].seconds, 2);

  const EncodedBytes kif = encodeRecord(r, RecordFormat::Kif);
  ASSERT_TRUE(kif.ok());
  EXPECT_NE(kif.bytes.find(toCp932("   4 同　角(41)   ( 0:02/00:00:05)\r\n").value()), std::string::npos);
  const DecodedRecord fromKif = decodeRecord(kif.bytes, RecordFormat::Kif);
  ASSERT_TRUE(fromKif.ok()) << fromKif.error;
  const EncodedBytes again = encodeRecord(fromKif.record, RecordFormat::Native);
  ASSERT_TRUE(again.ok()) << again.error;
  EXPECT_EQ(again.bytes, saved);
}

TEST(RecordFileAsKif, AGameTheUpperSideBeganIsTurnedSoItsFirstPlayerIsSente) {
  const std::string saved = recordFileBytes(
      "ｺﾝﾋﾟｭｰﾀ", "太郎", {{"rb1gk/1s2p/5/P4/KGSBR w - 1", 0, 9, 4, 4}, {"rb1gk/1s2p/5/P2S1/KG1BR w - 1", 9, 9, 4, 4}});
  const DecodedRecord game = decodeRecord(saved, RecordFormat::Native);
  ASSERT_TRUE(game.ok()) << game.error;
  // The computer on top moved its silver first: it is 先手, and the board is seen from it.
  EXPECT_EQ(game.record.先手名, "ｺﾝﾋﾟｭｰﾀ");
  EXPECT_EQ(game.record.後手名, "太郎");
  EXPECT_EQ(game.record.start, standardStart());
  ASSERT_EQ(game.record.moves.size(), 2u);
  EXPECT_EQ(toUsi(game.record.moves[0].move), "3e2d");
  EXPECT_EQ(toUsi(game.record.moves[1].move), "3a4b");
  EXPECT_EQ(game.record.moves[0].total, 4);
  EXPECT_EQ(game.record.moves[1].total, 9);
}

TEST(RecordFileAsKif, APositionNoMoveReachesIsRefusedNamingItsLine) {
  const std::string saved = recordFileBytes(
      "上", "下", {{"rbsgk/4p/5/P2S1/KG1BR w - 1", 0, 0, 0, 0}, {"r2gk/1s2p/3b1/P4/KG1BR w s 1", 0, 0, 0, 0}});
  EXPECT_EQ(decodeRecord(saved, RecordFormat::Native).error, "5行目: 前の局面から一手で指せる局面ではありません");
  EXPECT_EQ(decodeRecord("t\r\nu\r\nl\r\n", RecordFormat::Native).error, "棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません");
}

TEST(RecordFileAsKif, OnlyAGameFromTheStandardStartFitsARecordFile) {
  const PositionText setUp = readPositionText("rb1gk/1s2p/5/P2S1/KG1BR b - 3 moves 2d2c");
  const EncodedBytes e = encodeRecord(setUp.record, RecordFormat::Native);
  EXPECT_EQ(e.error, "初期配置が平手の５五将棋でない棋譜は .棋譜 に書けません");
}

}  // namespace
}  // namespace zelk
