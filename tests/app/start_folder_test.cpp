// Where the game keeps its files, started from the desktop menu or from a terminal.

#include "app/start_folder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "scratch_folder.h"

namespace zelk::app {
namespace {

namespace fs = std::filesystem;

TEST(PerUserFolder, XdgDataHomeWhenAbsoluteElseTheHomeFoldersShare) {
  EXPECT_EQ(perUserFolder("/data/u", "/home/u"), fs::path("/data/u/zelk55"));
  // Relative or empty values are not to be used, as the base-directory rules say.
  EXPECT_EQ(perUserFolder("data", "/home/u"), fs::path("/home/u/.local/share/zelk55"));
  EXPECT_EQ(perUserFolder("", "/home/u"), fs::path("/home/u/.local/share/zelk55"));
  EXPECT_EQ(perUserFolder(nullptr, "/home/u"), fs::path("/home/u/.local/share/zelk55"));
  EXPECT_EQ(perUserFolder(nullptr, nullptr), fs::path());
  EXPECT_EQ(perUserFolder("", "relative/home"), fs::path());
}

TEST(StartFolder, FromATerminalTheCurrentFolderAndNothingIsMade) {
  const fs::path root = scratchFolder();
  const StartFolder s = chooseStartFolder(false, root / "data" / "zelk55", root);
  EXPECT_EQ(s.folder, root);
  EXPECT_TRUE(s.problem.empty());
  EXPECT_FALSE(fs::exists(root / "data"));
}

TEST(StartFolder, FromTheDesktopThePerUserFolderIsMadeWithItsParentsForTheOwnerAlone) {
  const fs::path root = scratchFolder();
  const fs::path perUser = root / "home" / ".local" / "share" / "zelk55";
  const StartFolder s = chooseStartFolder(true, perUser, root);
  EXPECT_EQ(s.folder, perUser);
  EXPECT_TRUE(s.problem.empty()) << s.problem;
  ASSERT_TRUE(fs::is_directory(perUser));
  EXPECT_EQ(fs::status(perUser).permissions(), fs::perms::owner_all);
  EXPECT_EQ(fs::status(root / "home" / ".local").permissions(), fs::perms::owner_all);
}

TEST(StartFolder, ASecondStartFromTheDesktopFindsTheSettingsFileWhereTheFirstLeftIt) {
  const fs::path root = scratchFolder();
  const fs::path perUser = root / "zelk55";
  ASSERT_EQ(chooseStartFolder(true, perUser, root).folder, perUser);
  const fs::path ini = perUser / fs::path(u8"Zelk５五将棋.ini");
  std::ofstream(ini, std::ios::binary) << "BGM=OFF\r\n";
  fs::permissions(perUser, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  const StartFolder again = chooseStartFolder(true, perUser, root);
  EXPECT_EQ(again.folder, perUser);
  EXPECT_TRUE(again.problem.empty());
  EXPECT_EQ(fs::file_size(ini), 9u);
  // The player's own choice of permissions on the folder is left alone.
  EXPECT_EQ(fs::status(perUser).permissions(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

TEST(StartFolder, WhenThePerUserFolderCannotBeMadeTheCurrentFolderIsUsedAndTheReasonGiven) {
  const fs::path root = scratchFolder();
  std::ofstream(root / "share") << "a file where a folder should be";
  const StartFolder blocked = chooseStartFolder(true, root / "share" / "zelk55", root);
  EXPECT_EQ(blocked.folder, root);
  EXPECT_NE(blocked.problem.find((root / "share" / "zelk55").string()), std::string::npos) << blocked.problem;
  EXPECT_NE(blocked.problem.find(root.string() + " を使います"), std::string::npos) << blocked.problem;

  std::ofstream(root / "zelk55") << "a file with the folder's name";
  EXPECT_EQ(chooseStartFolder(true, root / "zelk55", root).folder, root);

  const StartFolder noHome = chooseStartFolder(true, fs::path(), root);
  EXPECT_EQ(noHome.folder, root);
  EXPECT_NE(noHome.problem.find("HOME"), std::string::npos) << noHome.problem;
}

}  // namespace
}  // namespace zelk::app
