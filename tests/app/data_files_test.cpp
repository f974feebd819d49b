// Where the game finds its sounds and help page, as the installed copy reports it.

#include "app/data_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "scratch_folder.h"

namespace zelk::app {
namespace {

namespace fs = std::filesystem;

const char* const kDataFiles[] = {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav", "Zelk５五将棋.htm"};

fs::path u8(std::string_view s) { return fs::path(std::u8string(s.begin(), s.end())); }

void putFiles(const fs::path& folder) {
  fs::create_directories(folder);
  for (const char* name : kDataFiles) std::ofstream(folder / u8(name)) << name;
}

TEST(DataFolders, StartFolderThenBesideTheProgramThenItsShareFolderThenTheInstalledOne) {
  EXPECT_EQ(dataFolders("/home/u", "/opt/z/bin", "/usr/share/zelk55"),
            (std::vector<fs::path>{"/home/u", "/opt/z/bin", "/opt/z/share/zelk55", "/usr/share/zelk55"}));
  EXPECT_EQ(dataFolders("/home/u", "", "/usr/share/zelk55"), (std::vector<fs::path>{"/home/u", "/usr/share/zelk55"}));
}

TEST(DataFileReport, AnUnpackedCopyFindsEveryFileInItsOwnShareFolder) {
  const fs::path root = scratchFolder();
  putFiles(root / "usr" / "share" / "zelk55");
  fs::create_directories(root / "usr" / "bin");
  fs::create_directories(root / "start");
  const DataFileReport r =
      reportDataFiles(root / "start", dataFolders(root / "start", root / "usr" / "bin", root / "nowhere"));
  EXPECT_TRUE(r.complete) << r.text;
  std::string expected = "start folder: " + (root / "start").string() + "\n";
  for (const char* name : kDataFiles)
    expected += std::string(name) + ": " + (root / "usr" / "share" / "zelk55" / u8(name)).string() + "\n";
  EXPECT_EQ(r.text, expected);
}

TEST(DataFileReport, ACopyInTheStartFolderTakesThePlaceOfTheInstalledOne) {
  const fs::path root = scratchFolder();
  putFiles(root / "installed");
  std::ofstream(root / u8("BGM.wav")) << "the player's own tune";
  const DataFileReport r = reportDataFiles(root, dataFolders(root, "", root / "installed"));
  EXPECT_TRUE(r.complete);
  EXPECT_NE(r.text.find("BGM.wav: " + (root / u8("BGM.wav")).string() + "\n"), std::string::npos) << r.text;
  EXPECT_NE(r.text.find("禁止.wav: " + (root / "installed" / u8("禁止.wav")).string() + "\n"), std::string::npos);
}

TEST(DataFileReport, AMissingSoundOrHelpPageIsNamedAndTheCopyIsIncomplete) {
  const fs::path root = scratchFolder();
  putFiles(root / "installed");
  fs::remove(root / "installed" / u8("駒打音.wav"));
  DataFileReport r = reportDataFiles(root, dataFolders(root, "", root / "installed"));
  EXPECT_FALSE(r.complete);
  EXPECT_NE(r.text.find("駒打音.wav: not found\n"), std::string::npos) << r.text;

  putFiles(root / "installed");
  fs::remove(root / "installed" / u8("Zelk５五将棋.htm"));
  r = reportDataFiles(root, dataFolders(root, "", root / "installed"));
  EXPECT_FALSE(r.complete);
  EXPECT_NE(r.text.find("Zelk５五将棋.htm: not found\n"), std::string::npos) << r.text;

  // A folder with the file's name is no file.
  fs::create_directories(root / "installed" / u8("Zelk５五将棋.htm"));
  EXPECT_FALSE(reportDataFiles(root, dataFolders(root, "", root / "installed")).complete);
}

}  // namespace
}  // namespace zelk::app
