// Whole-file reads and safe saves: only a regular file within its bound is read, and a save
// replaces the file whole or not at all.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "presentation/child_process.h"
#include "presentation/file_io.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

struct FileIoTest : ::testing::Test {
  fs::path dir;

  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("zelk55_file_io_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  static void put(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
  static std::string get(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::vector<std::string> names(const fs::path& d) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(d)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
  static bool mentions(const FileResult& r, std::string_view what) { return r.error.find(what) != std::string::npos; }
};

TEST_F(FileIoTest, ASaveReplacesTheFileWholeOrNotAtAll) {
  const fs::path file = dir / "対局.棋譜";
  ASSERT_TRUE(writeFileAtomically(file, "first").ok);
  ASSERT_TRUE(writeFileAtomically(file, "second").ok);
  EXPECT_EQ(readWholeFile(file, 100).bytes, "second");
  EXPECT_EQ(names(dir), std::vector<std::string>{"対局.棋譜"});  // no temporary beside it

  // A folder that does not exist: a clear reason naming the file, nothing written.
  const FileResult bad = writeFileAtomically(dir / "missing" / "x.棋譜", "data");
  EXPECT_FALSE(bad.ok);
  EXPECT_TRUE(mentions(bad, "x.棋譜"));
  const FileResult missing = readWholeFile(dir / "none.棋譜", 100);
  EXPECT_FALSE(missing.ok);
  EXPECT_TRUE(mentions(missing, "none.棋譜"));
}

TEST_F(FileIoTest, OnlyARegularFileWithinItsBoundIsRead) {
  put(dir / "small", "12345");
  FileResult r = readWholeFile(dir / "small", 5);
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.bytes, "12345");
  r = readWholeFile(dir / "small", 4);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.tooLarge);
  EXPECT_TRUE(mentions(r, "small"));

  // A file of 200 MB is refused before a byte of it is read (sparse: costs no disk).
  put(dir / "huge", "x");
  fs::resize_file(dir / "huge", 200u << 20);
  r = readWholeFile(dir / "huge", 64u << 10);
  EXPECT_TRUE(r.tooLarge);
  EXPECT_TRUE(r.bytes.empty());

  // A folder, a pipe nobody writes to, and a link to an endless device: none is read, and
  // none keeps the reader waiting or growing.
  fs::create_directory(dir / "folder");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", dir / "zero");
  for (const char* name : {"folder", "pipe", "zero"}) {
    const test::ChildOutcome read = test::runInChild([&] { return readWholeFile(dir / name, 8u << 20).ok ? 1 : 0; }, 10);
    EXPECT_TRUE(read.exitedWith(0)) << name << ": finished " << read.finished << ", code " << read.code;
  }
  EXPECT_TRUE(mentions(readWholeFile(dir / "folder", 100), "Is a directory"));
  EXPECT_TRUE(mentions(readWholeFile(dir / "zero", 100), "通常のファイルではありません"));
  EXPECT_TRUE(mentions(readWholeFile(dir / "missing", 100), "No such file or directory"));
}

}  // namespace
}  // namespace zelk
