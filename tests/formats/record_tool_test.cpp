// zelk55-record on the command line: conversions between the formats by their extensions or
// through standard input and output, the shown record, and the messages and exit statuses of
// bad files and wrong commands.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/cp932.h"
#include "formats/record_tool.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

const std::string kKif =
    "手合割：5五将棋\r\n"
    "先手：太郎\r\n"
    "後手：花子\r\n"
    "   1 ５三歩(54)   ( 0:07/00:00:07)\r\n"
    "   2 １三歩(12)   ( 0:01/00:00:01)\r\n"
    "   3 ３四角(25)   ( 0:02/00:00:09)\r\n"
    "   4 投了         ( 0:03/00:00:04)\r\n";

struct RecordToolTest : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("zelk-record-tool-" + std::to_string(::getpid()));
  std::string out, err;

  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  int run(std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream o, e;
    const int status = runRecordTool(args, in, o, e);
    out = o.str();
    err = e.str();
    return status;
  }
  std::string path(const char* name) {
    return (dir / fs::path(std::u8string(reinterpret_cast<const char8_t*>(name)))).string();
  }
  void write(const std::string& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
  std::string read(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
};

TEST_F(RecordToolTest, ConvertsBetweenTheFormatsItsExtensionsName) {
  const std::string kifu = path("対局.kifu"), kif = path("対局.kif"), own = path("対局.棋譜"), sfen = path("対局.sfen");
  write(kifu, kKif);
  EXPECT_EQ(run({"convert", kifu, kif}), kToolDone) << err;
  EXPECT_NE(read(kif).find(toCp932("先手：太郎\r\n").value()), std::string::npos);
  EXPECT_EQ(run({"convert", kif, own}), kToolDone) << err;
  // The game's own file: three header lines (title, upper and lower player), then one line of
  // 130 characters per position after a move.
  const std::string saved = read(own);
  EXPECT_EQ(saved.substr(0, saved.find("\r\n", saved.find("\r\n", 2) + 2) + 2),
            "\r\n" + toCp932("花子").value() + "\r\n" + toCp932("太郎").value() + "\r\n");
  EXPECT_EQ(run({"convert", own, sfen}), kToolDone) << err;
  EXPECT_EQ(read(sfen),
            "rbsgk/4p/5/P4/KGSBR b - 1\n"
            "rbsgk/4p/P4/5/KGSBR w - 2\n"
            "rbsgk/5/P3p/5/KGSBR b - 3\n"
            "rbsgk/5/P3p/2B2/KGS1R w - 4\n");
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
}

TEST_F(RecordToolTest, AGameOfTheGamesOwnRulesLeavesAsKifWhereTheOfficialRulesEndIt) {
  // 先手 leaves its king to the rook on 5c and loses it: the KIF ends before the move the
  // official rules refuse, lost by the side that would have made it.
  const std::string kifu = path("王取り.kifu"), own = path("王取り.棋譜"), kif = path("王取り.kif");
  write(kifu,
        "手合割：5五将棋\r\n"
        "   1 ５三歩(54)\r\n"
        "   2 ５三飛(51)\r\n"
        "   3 １四飛(15)\r\n"
        "   4 ５五飛(53)\r\n");
  ASSERT_EQ(run({"convert", kifu, own}), kToolDone) << err;
  ASSERT_EQ(run({"convert", own, kif}), kToolDone) << err;
  const std::string written = read(kif);
  EXPECT_NE(written.find(toCp932("同　飛(51)").value()), std::string::npos);
  EXPECT_EQ(written.find(toCp932("１四飛(15)").value()), std::string::npos);
  EXPECT_NE(written.find(toCp932("反則負け").value()), std::string::npos);
}

TEST_F(RecordToolTest, StandardInputAndOutputNeedTheFormatNamed) {
  EXPECT_EQ(run({"convert", "-", "-", "--from", "kifu", "--to=sfen"}, kKif), kToolDone) << err;
  EXPECT_EQ(out.substr(out.rfind('\n', out.size() - 2) + 1), "rbsgk/5/P3p/2B2/KGS1R w - 4\n");

  EXPECT_EQ(run({"convert", "-", "-", "--to", "kif"}, kKif), kToolUsage);
  EXPECT_EQ(err, "zelk55-record: name the format of standard input or output with --from or --to\n");
  EXPECT_EQ(out, "");
}

TEST_F(RecordToolTest, ShowPrintsHeaderMovesAndTheFinalPosition) {
  const std::string kifu = path("a.kifu");
  write(kifu, kKif);
  EXPECT_EQ(run({"show", kifu}), kToolDone) << err;
  EXPECT_NE(out.find("先手：太郎\n後手：花子\n"), std::string::npos) << out;
  EXPECT_NE(out.find("   3 ３四角(25)   ( 0:02/00:00:09)\n   4 投了         ( 0:03/00:00:04)\nまで3手で先手の勝ち\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("最終局面：\n後手の持駒：なし\n"), std::string::npos) << out;
  EXPECT_NE(out.find("| 玉 金 銀 ・ 飛|五\n"), std::string::npos) << out;
  EXPECT_NE(out.find("sfen rbsgk/5/P3p/2B2/KGS1R w - 4\n"), std::string::npos) << out;
}

TEST_F(RecordToolTest, ABadFileIsNamedWithItsFaultAndNothingIsWritten) {
  const std::string bad = path("bad.kifu"), target = path("out.kif");
  write(bad, kKif.substr(0, kKif.find("   3")) + "   3 ２四角(35)\r\n");
  EXPECT_EQ(run({"convert", bad, target}), kToolBadFile);
  EXPECT_EQ(err, "zelk55-record: " + bad + ": 6行目: 「２四角(35)」３五に指す側の角がありません\n");
  EXPECT_FALSE(fs::exists(target));

  EXPECT_EQ(run({"show", path("missing.kif")}), kToolBadFile);
  EXPECT_EQ(err, "zelk55-record: " + path("missing.kif") + ": 開けません (ファイルがありません)\n");

  // A file far larger than any record is refused before it is read.
  const std::string huge = path("huge.kif");
  write(huge, "");
  fs::resize_file(huge, 64u << 20);
  EXPECT_EQ(run({"show", huge}), kToolBadFile);
  EXPECT_EQ(err, "zelk55-record: " + huge + ": 棋譜としては大きすぎます\n");
}

TEST_F(RecordToolTest, NothingIsReportedWrittenThatIsNotWrittenOrCannotBeReadBack) {
  // A game of no moves has no ".棋譜" file: it would be three empty lines no reader takes.
  const std::string start = path("start.sfen"), own = path("start.棋譜");
  write(start, "rbsgk/4p/5/P4/KGSBR b - 1\n");
  EXPECT_EQ(run({"convert", start, own}), kToolBadFile);
  EXPECT_EQ(err, "zelk55-record: " + own + ": 指し手のない棋譜は .棋譜 に書けません\n");
  EXPECT_FALSE(fs::exists(own));

  // Standard output that takes nothing (a full disk, a closed pipe) fails the command.
  struct Refusing : std::streambuf {
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
  } refusing;
  const std::string kifu = path("a.kifu");
  write(kifu, kKif);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"show", kifu}, std::vector<std::string>{"convert", kifu, "-", "--to", "sfen"}}) {
    std::istringstream in;
    std::ostream full(&refusing);
    std::ostringstream e;
    EXPECT_EQ(runRecordTool(args, in, full, e), kToolBadFile) << args[0];
    EXPECT_EQ(e.str(), "zelk55-record: -: 標準出力に書き込めません\n");
  }
}

TEST_F(RecordToolTest, LineEndsOfEveryKindReadAsTheirLines) {
  // CR alone (old files of other systems) and CR CR LF (a file converted twice).
  std::string crOnly = kKif, doubled;
  crOnly.erase(std::remove(crOnly.begin(), crOnly.end(), '\n'), crOnly.end());
  for (const char c : kKif) doubled += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const std::string* bytes : {&crOnly, &doubled}) {
    const std::string kifu = path("ends.kifu"), sfen = path("ends.sfen");
    write(kifu, *bytes);
    ASSERT_EQ(run({"convert", kifu, sfen}), kToolDone) << err;
    EXPECT_EQ(read(sfen).substr(read(sfen).rfind('\n', read(sfen).size() - 2) + 1), "rbsgk/5/P3p/2B2/KGS1R w - 4\n");
    ASSERT_EQ(run({"show", kifu}), kToolDone) << err;
    EXPECT_NE(out.find("先手：太郎\n後手：花子\n"), std::string::npos) << out;
  }
  // The game's own file with CR alone.
  const std::string own = path("ends.棋譜"), kifu = path("ends.kifu");
  write(kifu, kKif);
  ASSERT_EQ(run({"convert", kifu, own}), kToolDone) << err;
  std::string bytes = read(own);
  bytes.erase(std::remove(bytes.begin(), bytes.end(), '\n'), bytes.end());
  write(own, bytes);
  ASSERT_EQ(run({"show", own}), kToolDone) << err;
  EXPECT_NE(out.find("sfen rbsgk/5/P3p/2B2/KGS1R w - 4\n"), std::string::npos) << out;
}

TEST_F(RecordToolTest, ARefusalQuotesAShortPieceOfAHugeLine) {
  const std::string kifu = path("long.kifu");
  write(kifu, "手合割：5五将棋\r\n   1 " + std::string(1 << 20, 'x') + "\r\n");
  EXPECT_EQ(run({"show", kifu}), kToolBadFile);
  EXPECT_EQ(err,
            "zelk55-record: " + kifu + ": 2行目: 「   1 " + std::string(35, 'x') + "…」棋譜の行としては長すぎます\n");
}

TEST_F(RecordToolTest, WrongCommandsShowHowToUseIt) {
  EXPECT_EQ(run({}), kToolUsage);
  EXPECT_NE(err.find("usage: zelk55-record convert IN OUT"), std::string::npos);
  EXPECT_EQ(run({"convert", "a.kif"}), kToolUsage);
  EXPECT_EQ(run({"play", "a.kif"}), kToolUsage);
  EXPECT_EQ(err.substr(0, err.find('\n')), "zelk55-record: unknown command play");
  EXPECT_EQ(run({"show", "a.kif", "--from", "csa"}), kToolUsage);
  EXPECT_EQ(err, "zelk55-record: unknown format \"csa\" (棋譜, kif, kifu or sfen)\n");
  EXPECT_EQ(run({"convert", "a.kif", "b.txt"}), kToolUsage);
  EXPECT_EQ(run({"--help"}), kToolDone);
  EXPECT_NE(out.find("usage:"), std::string::npos);
}

}  // namespace
}  // namespace zelk
