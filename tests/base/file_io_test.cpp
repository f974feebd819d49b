// Whole-file reads and safe saves: only a regular file within its bound is read, a link is
// followed to the file it names, a file the user may not write is kept, what an interrupted
// save left is cleared, and a file-size limit fails the save instead of ending the program.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "presentation/child_process.h"
#include "base/file_io.h"

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
    const test::ChildOutcome read =
        test::runInChild([&] { return readWholeFile(dir / name, 8u << 20).ok ? 1 : 0; }, 10);
    EXPECT_TRUE(read.exitedWith(0)) << name << ": finished " << read.finished << ", code " << read.code;
  }
  EXPECT_TRUE(mentions(readWholeFile(dir / "folder", 100), "フォルダです"));
  EXPECT_TRUE(mentions(readWholeFile(dir / "zero", 100), "通常のファイルではありません"));
  EXPECT_TRUE(mentions(readWholeFile(dir / "missing", 100), "ファイルがありません"));
}

TEST_F(FileIoTest, ASaveThroughALinkReplacesTheFileItNamesBesideIt) {
  fs::create_directory(dir / "games");
  put(dir / "games" / "real.棋譜", "old");
  fs::create_symlink("games/real.棋譜", dir / "link.棋譜");
  ASSERT_TRUE(writeFileAtomically(dir / "link.棋譜", "new").ok);
  EXPECT_TRUE(fs::is_symlink(dir / "link.棋譜"));
  EXPECT_EQ(get(dir / "games" / "real.棋譜"), "new");
  EXPECT_EQ(names(dir / "games"), std::vector<std::string>{"real.棋譜"});  // no temporary left

  // A link to that link, and a link to a file not made yet, which the save makes.
  fs::create_symlink(dir / "link.棋譜", dir / "chain.棋譜");
  ASSERT_TRUE(writeFileAtomically(dir / "chain.棋譜", "newer").ok);
  EXPECT_EQ(get(dir / "games" / "real.棋譜"), "newer");
  fs::create_symlink("games/later.棋譜", dir / "ahead.棋譜");
  ASSERT_TRUE(writeFileAtomically(dir / "ahead.棋譜", "later").ok);
  EXPECT_TRUE(fs::is_symlink(dir / "ahead.棋譜"));
  EXPECT_EQ(get(dir / "games" / "later.棋譜"), "later");

  // A link to something that is no file is refused and that thing left as it is; so is a
  // ring of links.
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
  fs::create_symlink("pipe", dir / "topipe.棋譜");
  const FileResult pipe = writeFileAtomically(dir / "topipe.棋譜", "x");
  EXPECT_FALSE(pipe.ok);
  EXPECT_TRUE(mentions(pipe, "topipe.棋譜"));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
  fs::create_symlink("ring2", dir / "ring1");
  fs::create_symlink("ring1", dir / "ring2");
  EXPECT_FALSE(writeFileAtomically(dir / "ring1", "x").ok);
  EXPECT_EQ(names(dir), (std::vector<std::string>{"ahead.棋譜", "chain.棋譜", "games", "link.棋譜", "pipe", "ring1",
                                                  "ring2", "topipe.棋譜"}));
}

TEST_F(FileIoTest, AFileTheUserMayNotWriteIsRefusedAndKept) {
  const fs::path readOnly = dir / "readonly.棋譜";
  put(readOnly, "kept");
  ::chmod(readOnly.c_str(), 0444);
  const FileResult refused = writeFileAtomically(readOnly, "new");
  EXPECT_FALSE(refused.ok);
  EXPECT_TRUE(mentions(refused, "許可がありません"));
  EXPECT_EQ(get(readOnly), "kept");
  struct stat st {};
  ASSERT_EQ(::stat(readOnly.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
  EXPECT_EQ(names(dir), std::vector<std::string>{"readonly.棋譜"});

  // A file that may be written keeps its permissions when it is replaced.
  const fs::path own = dir / "own.棋譜";
  put(own, "a");
  ::chmod(own.c_str(), 0600);
  ASSERT_TRUE(writeFileAtomically(own, "b").ok);
  ASSERT_EQ(::stat(own.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  if (::geteuid() != 0) return;  // only root can give a file to another user
  // Root may write anything, yet a file marked read-only stays read-only; another user's
  // writable file is replaced and stays that user's.
  const fs::path theirs = dir / "theirs.棋譜";
  put(theirs, "a");
  ASSERT_EQ(::chown(theirs.c_str(), 4321, 4321), 0);
  ::chmod(theirs.c_str(), 0664);
  ASSERT_TRUE(writeFileAtomically(theirs, "b").ok);
  EXPECT_EQ(get(theirs), "b");
  ASSERT_EQ(::stat(theirs.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 4321u);
  EXPECT_EQ(st.st_gid, 4321u);
  EXPECT_EQ(st.st_mode & 0777, 0664u);
  ::chmod(theirs.c_str(), 0444);
  EXPECT_FALSE(writeFileAtomically(theirs, "c").ok);
  EXPECT_EQ(get(theirs), "b");
}

TEST_F(FileIoTest, WhatAnInterruptedSaveLeftIsRemovedAtTheNextSaveOfThatNameAndNothingOfTheUsers) {
  // A save ended before its rename leaves "NAME.zelk55-saving-PID" behind; that process is gone.
  const pid_t gone = test::endedProcessId();
  ASSERT_GT(gone, 0);
  const std::string goneTemp = ".zelk55-saving-" + std::to_string(gone);
  put(dir / ("out.棋譜" + goneTemp), "half a game");
  put(dir / ("out.棋譜.zelk55-saving-" + std::to_string(::getpid())), "an earlier save of this run");
  put(dir / ("other.棋譜" + goneTemp), "another file's");  // not this name's
  put(dir / "out.棋譜.zelk55-saving-1", "a save under way in a running process");
  // Files the user keeps beside the record, whatever their names look like.
  put(dir / "out.棋譜.tmp2024", "the user's");
  put(dir / ("out.棋譜.tmp" + std::to_string(gone)), "the user's too");
  ASSERT_TRUE(writeFileAtomically(dir / "out.棋譜", "the game").ok);
  std::vector<std::string> kept{"other.棋譜" + goneTemp, "out.棋譜", "out.棋譜.tmp2024",
                                "out.棋譜.tmp" + std::to_string(gone), "out.棋譜.zelk55-saving-1"};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(names(dir), kept);
  EXPECT_EQ(get(dir / "out.棋譜"), "the game");
}

TEST_F(FileIoTest, AFileSizeLimitFailsTheSaveInsteadOfEndingTheProgram) {
  const fs::path target = dir / "big.棋譜";
  put(target, "the previous game");
  const test::ChildOutcome save = test::runInChild([&] {
    const rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const FileResult r = writeFileAtomically(target, std::string(5000, 'x'));
    return r.ok ? 1 : mentions(r, "ファイルが大きすぎます") ? 0 : 2;
  });
  EXPECT_TRUE(save.exitedWith(0)) << "signal " << save.signal << ", code " << save.code;
  EXPECT_EQ(get(target), "the previous game");
  EXPECT_EQ(names(dir), std::vector<std::string>{"big.棋譜"});
}

}  // namespace
}  // namespace zelk
