#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "core/setup.h"
#include "base/cp932.h"
#include "formats/record_file.h"

namespace zelk {
namespace {

HistorySlot startSlot() {
  GameState g;
  placeStartingPosition(g);
  HistorySlot s;
  s.盤面 = g.盤面;
  return s;
}

TEST(RecordLine, ColumnsAreFixedWidthColumnByColumn) {
  HistorySlot s = startSlot();
  s.持駒MAN(1) = 1;
  s.持駒COM(5) = 2;
  s.前秒M = 1234.7;
  s.後秒M = 7;
  s.前秒C = 12345;
  s.後秒C = 0;
  const std::string line = recordLine(s);
  ASSERT_EQ(line.size(), 130u);
  // Column 1, rows 1 to 5: COM rook, two empty squares, MAN pawn, MAN king.
  EXPECT_EQ(line.substr(0, 20), " 900   0   0 -10-950");
  // Column 5: COM king, COM pawn, empty, empty, MAN rook.
  EXPECT_EQ(line.substr(80, 20), " 950  10   0   0-900");
  // Hands: MAN kind 1, COM kind 1, ... MAN kind 5, COM kind 5.
  EXPECT_EQ(line.substr(100, 10), "1000000002");
  EXPECT_EQ(line.substr(110, 20), " 1234    712345    0");
}

TEST(RecordLine, ClockTotalsPastFiveDigitsAreWrittenAsTheLargestThatFits) {
  HistorySlot s;
  s.前秒M = 123456.9;
  s.後秒M = 99999.5;
  const std::string line = recordLine(s);
  ASSERT_EQ(line.size(), 130u);
  EXPECT_EQ(line.substr(110, 10), "9999999999");
}

TEST(RecordLine, ReadingIsLenient) {
  HistorySlot s = startSlot();
  s.持駒COM(2) = 1;
  s.前秒C = 61;
  // A line written and read back is the same slot (whole seconds).
  EXPECT_EQ(parseRecordLine(recordLine(s)), s);

  // A short line gives zeros for the missing fields.
  const HistorySlot shortLine = parseRecordLine(" 900   0");
  EXPECT_EQ(shortLine.盤面(1, 1), COM飛);
  EXPECT_EQ(shortLine.盤面(5, 5), 0);
  EXPECT_EQ(shortLine.前秒M, 0);

  // Text in number fields reads as 0, a number stops at the first character not its own, and a
  // code that is no piece reads as an empty square.
  std::string odd = recordLine(s);
  odd.replace(0, 4, "abcd");
  odd.replace(4, 4, "10x9");
  odd.replace(8, 4, "  77");
  odd.replace(110, 5, " 12.5");
  const HistorySlot r = parseRecordLine(odd);
  EXPECT_EQ(r.盤面(1, 1), 0);
  EXPECT_EQ(r.盤面(1, 2), COM歩);
  EXPECT_EQ(r.盤面(1, 3), 0);
  EXPECT_DOUBLE_EQ(r.前秒M, 12.5);
}

TEST(RecordFile, BytesAreCodePage932WithCrLf) {
  RecordFile f;
  f.title = "名人戦";
  f.upperName = "ｺﾝﾋﾟｭｰﾀ";
  f.lowerName = "太郎";
  f.records.push_back(startSlot());
  const EncodedRecord e = encodeRecordFile(f);
  ASSERT_TRUE(e.error.empty());
  // 名人戦 = 96 BC 90 6C 90 ED; ｺﾝﾋﾟｭｰﾀ is half-width katakana, one byte each.
  const std::string expectedHeader = "\x96\xBC\x90\x6C\x90\xED\r\n\xBA\xDD\xCB\xDF\xAD\xB0\xC0\r\n\x91\xBE\x98\x59\r\n";
  ASSERT_EQ(e.bytes.substr(0, expectedHeader.size()), expectedHeader);
  EXPECT_EQ(e.bytes.size(), expectedHeader.size() + 132);
  EXPECT_EQ(e.bytes.substr(e.bytes.size() - 2), "\r\n");

  const RecordFile back = decodeRecordFile(e.bytes);
  EXPECT_EQ(back.title, f.title);
  EXPECT_EQ(back.upperName, f.upperName);
  EXPECT_EQ(back.lowerName, f.lowerName);
  ASSERT_EQ(back.records.size(), 1u);
  EXPECT_EQ(back.records[0], f.records[0]);
}

TEST(RecordFile, ColumnsCountCharactersNotBytes) {
  // A line whose first field holds a double-byte character: "歩 10" is four characters (five
  // bytes in code page 932). The field reads 0 and every later field stays in its place.
  HistorySlot s = startSlot();
  s.持駒MAN(1) = 1;
  s.前秒M = 75;
  s.後秒C = 3725;
  const std::string line = recordLine(s);
  const std::string bytes = "t\r\nu\r\nl\r\n" + toCp932("歩 10").value() + line.substr(4) + "\r\n";
  ASSERT_EQ(toCp932("歩 10").value().size(), 5u);
  const RecordFile f = decodeRecordFile(bytes);
  ASSERT_EQ(f.records.size(), 1u);
  const HistorySlot& r = f.records[0];
  EXPECT_EQ(r.盤面(1, 1), 0);
  EXPECT_EQ(r.盤面(1, 2), 0);
  EXPECT_EQ(r.盤面(1, 4), MAN歩);
  EXPECT_EQ(r.盤面(1, 5), MAN王);
  EXPECT_EQ(r.盤面(5, 1), COM王);
  EXPECT_EQ(r.盤面(5, 5), MAN飛);
  EXPECT_EQ(r.持駒MAN(1), 1);
  EXPECT_EQ(r.前秒M, 75);
  EXPECT_EQ(r.後秒C, 3725);
}

TEST(RecordFile, NamesCodePage932CannotHoldAreRefused) {
  RecordFile f;
  f.title = "対局";
  f.upperName = "Ann 😀";
  const EncodedRecord e = encodeRecordFile(f);
  EXPECT_TRUE(e.bytes.empty());
  EXPECT_NE(e.error.find("Ann 😀"), std::string::npos);
}

TEST(RecordFile, FewerThanFourLinesHoldNoRecordAndLfAloneIsRead) {
  EXPECT_TRUE(decodeRecordFile("title\r\nupper\r\nlower\r\n").records.empty());
  EXPECT_TRUE(decodeRecordFile("").records.empty());
  const RecordFile f = decodeRecordFile("t\nu\nl\n" + recordLine(startSlot()) + "\n" + recordLine(startSlot()));
  EXPECT_EQ(f.records.size(), 2u);
  // Bytes that are no code page 932 text are replaced, never fatal.
  EXPECT_EQ(fromCp932("A\x81"), "A\xEF\xBF\xBD");
}

}  // namespace
}  // namespace zelk
