// The settings file at start-up and the eight option commands: what each line of the file
// does, the defaults that replace a bad file, and the file rewritten by every command.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "presentation/child_process.h"
#include "presentation/fake_platform.h"
#include "settings/settings_commands.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

const std::string kMusicLoop = "dsPlayLooping 14", kMusicStop = "dsStop 14";

struct SettingsCommandsTest : ::testing::Test {
  fs::path folder;
  test::FakePlatform fake;
  Platform p = fake.platform();
  GameState g;
  Screen screen{g, fake, fake};
  Clocks clocks{g, screen, p};
  SoundModule sounds{fake, fake, {}};
  std::unique_ptr<SettingsCommands> settings;

  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("zelk55_settings_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    sounds.効果音その他 = 11;
    sounds.効果音禁止 = 12;
    sounds.効果音駒打 = 13;
    sounds.効果音BGM = 14;
    // As the window starts: 畳 checked in its design, the other options off, guidance off.
    fake.checks[MenuItem::TATAMI] = true;
    g.背景種類 = 0;
    g.MAN手番 = 先手;
    g.COM手番 = 後手;
    screen.移動指導色 = screen.桝色;
    settings = std::make_unique<SettingsCommands>(g, screen, clocks, sounds, p, folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  fs::path file() const { return folder / fs::path(u8"Zelk５五将棋.ini"); }
  void writeFile(const std::string& utf8) {
    std::ofstream out(file(), std::ios::binary);
    out << toCp932(utf8).value();
  }
  std::string readFile() const {
    std::ifstream in(file(), std::ios::binary);
    return fromCp932(std::string(std::istreambuf_iterator<char>(in), {}));
  }
  bool checked(MenuItem item) const { return fake.isChecked(item); }
  std::vector<MenuItem> backgroundsChecked() const {
    std::vector<MenuItem> out;
    for (MenuItem i : {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::TAKE, MenuItem::UCHU, MenuItem::RENGA})
      if (checked(i)) out.push_back(i);
    return out;
  }
  int picturesOf(PictureName name) const {
    int n = 0;
    for (const test::DrawCall& c : fake.pictures()) n += c.picture.name == name;
    return n;
  }
  // The window as it starts again, with no file read.
  void restart() {
    fake.checks.clear();
    clear();
    SetUp();
  }
  void clear() {
    fake.draws.clear();
    fake.soundCalls.clear();
    fake.boxes.clear();
  }
};

const std::string kDefaults = "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n";

TEST_F(SettingsCommandsTest, FirstStartWritesAndAppliesTheDefaults) {
  ASSERT_FALSE(fs::exists(file()));
  settings->読込_環境設定ファイル();
  EXPECT_EQ(readFile(), kDefaults);
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::MIDORI});
  EXPECT_EQ(g.背景種類, 背景緑);
  EXPECT_GT(picturesOf(PictureName::HAIKEI_MIDORI), 0);
  EXPECT_FALSE(checked(MenuItem::SIDOU));
  EXPECT_TRUE(checked(MenuItem::KEIKA));
  EXPECT_TRUE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kMusicLoop});
  EXPECT_EQ(g.移動指導, 0);
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
}

TEST_F(SettingsCommandsTest, ValuesAreComparedExactly) {
  writeFile("背景画=宇宙\r\n移動指導=ON \r\n経過時間=ON\r\nBGM=on\r\n");
  settings->読込_環境設定ファイル();
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::UCHU});
  EXPECT_EQ(g.背景種類, 背景宇宙);
  // "ON " with a trailing space is not ON: guidance off, its colour the reader's green.
  EXPECT_FALSE(checked(MenuItem::SIDOU));
  EXPECT_EQ(g.移動指導, 0);
  EXPECT_EQ(screen.移動指導色, 色緑);
  EXPECT_TRUE(checked(MenuItem::KEIKA));
  // "on" is not ON: no music.
  EXPECT_FALSE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{});
  // The file is only read.
  EXPECT_EQ(readFile(), "背景画=宇宙\r\n移動指導=ON \r\n経過時間=ON\r\nBGM=on\r\n");

  clear();
  writeFile("移動指導=ON\r\nBGM=ON\r\n背景画=青\r\nその他=1\r\n移動指導=OFF\r\n移動指導=ON");
  settings->読込_環境設定ファイル();
  EXPECT_TRUE(checked(MenuItem::SIDOU));  // the last line for a key wins
  EXPECT_EQ(g.移動指導, 1);
  EXPECT_EQ(screen.移動指導色, 色白);
  EXPECT_TRUE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kMusicLoop});
  EXPECT_EQ(g.背景種類, 背景宇宙);  // an unknown background changes nothing
}

TEST_F(SettingsCommandsTest, AnEmptyLineReplacesTheWholeFileByTheDefaults) {
  writeFile("背景画=竹\r\n\r\n移動指導=ON\r\nBGM=OFF\r\n");
  settings->読込_環境設定ファイル();
  EXPECT_EQ(readFile(), kDefaults);
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::MIDORI});
  EXPECT_EQ(g.背景種類, 背景緑);
  EXPECT_FALSE(checked(MenuItem::SIDOU));
  EXPECT_EQ(g.移動指導, 0);
  EXPECT_TRUE(checked(MenuItem::KEIKA));
  EXPECT_TRUE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kMusicLoop});
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
}

TEST_F(SettingsCommandsTest, APipeOrAHugeFileInPlaceOfTheSettingsGivesTheDefaultsAtOnce) {
  // A pipe nobody writes to: reading it would wait forever.
  ASSERT_EQ(::mkfifo(file().c_str(), 0644), 0);
  const test::ChildOutcome pipe = test::runInChild([&] {
    settings->読込_環境設定ファイル();
    return 0;
  });
  ASSERT_TRUE(pipe.exitedWith(0)) << "finished " << pipe.finished;
  settings->読込_環境設定ファイル();
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::MIDORI});
  EXPECT_EQ(g.背景種類, 背景緑);
  EXPECT_TRUE(checked(MenuItem::BGM));
  EXPECT_TRUE(checked(MenuItem::KEIKA));

  // 200 MB of settings-like lines (sparse: they read as NUL bytes and cost no disk), after a
  // line that would turn guidance on: not read at all.
  fs::remove(file());
  clear();
  writeFile("移動指導=ON\r\n");
  fs::resize_file(file(), 200u << 20);
  settings->読込_環境設定ファイル();
  EXPECT_FALSE(checked(MenuItem::SIDOU));
  EXPECT_EQ(g.移動指導, 0);
  EXPECT_EQ(readFile(), kDefaults);
}

TEST_F(SettingsCommandsTest, ALaterLineOverridesAnEarlierOneAlsoForTheMusic) {
  // The music started by the first line is stopped by the second: mark and sound agree.
  writeFile("BGM=ON\r\nBGM=OFF\r\n");
  settings->読込_環境設定ファイル();
  EXPECT_FALSE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{kMusicLoop, kMusicStop}));

  // Off first, then on: the music plays, and nothing was stopped.
  clear();
  writeFile("BGM=OFF\r\nBGM=ON\r\n");
  settings->読込_環境設定ファイル();
  EXPECT_TRUE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kMusicLoop});
}

TEST_F(SettingsCommandsTest, LinesBeforeABadLineDoNotTakeEffect) {
  // The defaults replace the whole file: guidance asked for before the empty line is not
  // left on behind an unchecked 移動指導 item.
  writeFile("移動指導=ON\r\nBGM=OFF\r\n\r\n");
  settings->読込_環境設定ファイル();
  EXPECT_EQ(readFile(), kDefaults);
  EXPECT_FALSE(checked(MenuItem::SIDOU));
  EXPECT_EQ(g.移動指導, 0);
  EXPECT_EQ(screen.移動指導色, screen.桝色);
  EXPECT_TRUE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kMusicLoop});
}

TEST_F(SettingsCommandsTest, ALoneBackgroundLineLeavesTheOtherOptionsOffUntilTheNextCommand) {
  writeFile("背景画=畳");
  settings->読込_環境設定ファイル();
  EXPECT_EQ(g.背景種類, 背景畳);
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::TATAMI});
  EXPECT_GT(picturesOf(PictureName::HAIKEI_TATAMI), 0);
  EXPECT_FALSE(checked(MenuItem::SIDOU));
  EXPECT_FALSE(checked(MenuItem::KEIKA));
  EXPECT_FALSE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{});
  EXPECT_EQ(readFile(), "背景画=畳");

  settings->SIDOU_Click();
  EXPECT_EQ(readFile(), "背景画=畳\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n");
}

TEST_F(SettingsCommandsTest, AFileThatNamesNoBackgroundChecksDrawsAndWritesTheSameOne) {
  // An empty file, a file without a background line and one naming no known background: the
  // window's design mark (畳) must not stay beside a green board, nor be written as a choice.
  for (const char* content : {"", "BGM=OFF\r\n", "背景画=桜\r\nBGM=OFF\r\n"}) {
    SCOPED_TRACE(content);
    restart();
    writeFile(content);
    settings->読込_環境設定ファイル();
    EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::MIDORI});
    EXPECT_EQ(g.背景種類, 背景緑);
    EXPECT_GT(picturesOf(PictureName::HAIKEI_MIDORI), 0);
    EXPECT_EQ(picturesOf(PictureName::HAIKEI_TATAMI), 0);
    settings->SIDOU_Click();
    EXPECT_EQ(readFile().substr(0, readFile().find('\r')), "背景画=緑");
  }

  // A background the window already shows is the one checked.
  restart();
  g.背景種類 = 背景竹;
  writeFile("BGM=OFF\r\n");
  settings->読込_環境設定ファイル();
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::TAKE});
  EXPECT_EQ(g.背景種類, 背景竹);
}

TEST_F(SettingsCommandsTest, EveryOptionCommandRewritesTheWholeFile) {
  settings->読込_環境設定ファイル();
  struct Case {
    void (SettingsCommands::*command)();
    const char* file;
  };
  const Case cases[] = {
      {&SettingsCommands::TAKE_Click, "背景画=竹\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"},
      {&SettingsCommands::TATAMI_Click, "背景画=畳\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"},
      {&SettingsCommands::UCHU_Click, "背景画=宇宙\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"},
      {&SettingsCommands::RENGA_Click, "背景画=煉瓦\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"},
      {&SettingsCommands::MIDORI_Click, "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"},
      {&SettingsCommands::MIDORI_Click, "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"},  // again
      {&SettingsCommands::SIDOU_Click, "背景画=緑\r\n移動指導=ON\r\n経過時間=ON\r\nBGM=ON\r\n"},
      {&SettingsCommands::KEIKA_Click, "背景画=緑\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=ON\r\n"},
      {&SettingsCommands::BGM_Click, "背景画=緑\r\n移動指導=ON\r\n経過時間=OFF\r\nBGM=OFF\r\n"},
      {&SettingsCommands::SIDOU_Click, "背景画=緑\r\n移動指導=OFF\r\n経過時間=OFF\r\nBGM=OFF\r\n"},
      {&SettingsCommands::KEIKA_Click, "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=OFF\r\n"},
      {&SettingsCommands::BGM_Click, "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    fs::remove(file());
    (settings.get()->*c.command)();
    EXPECT_EQ(readFile(), c.file);
  }
  EXPECT_EQ(fake.boxes, std::vector<std::string>{});
}

TEST_F(SettingsCommandsTest, ABackgroundCommandRedrawsEvenWhenAlreadyChosen) {
  settings->読込_環境設定ファイル();
  clear();
  settings->UCHU_Click();
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::UCHU});
  EXPECT_EQ(g.背景種類, 背景宇宙);
  EXPECT_GT(picturesOf(PictureName::HAIKEI_UCHU), 0);
  EXPECT_EQ(picturesOf(PictureName::ZelkSHOGI), 1);  // the whole window

  // Already checked: the kind is not set again (a kind out of step stays), yet the file is
  // written and the window redrawn.
  g.背景種類 = 背景竹;
  fs::remove(file());
  clear();
  settings->UCHU_Click();
  EXPECT_EQ(g.背景種類, 背景竹);
  EXPECT_EQ(readFile(), "背景画=宇宙\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=ON\r\n");
  EXPECT_EQ(picturesOf(PictureName::ZelkSHOGI), 1);
}

TEST_F(SettingsCommandsTest, GuidanceOffRedrawsTheMarkedOutlinesInTheSquareColour) {
  settings->読込_環境設定ファイル();
  settings->SIDOU_Click();
  EXPECT_TRUE(checked(MenuItem::SIDOU));
  EXPECT_EQ(g.移動指導, 1);
  EXPECT_EQ(screen.移動指導色, 色白);
  EXPECT_TRUE(fake.outlines().empty());

  clear();
  settings->SIDOU_Click();
  EXPECT_FALSE(checked(MenuItem::SIDOU));
  EXPECT_EQ(g.移動指導, 0);
  EXPECT_EQ(screen.移動指導色, screen.桝色);
  const std::vector<test::DrawCall> o = fake.outlines();
  ASSERT_EQ(o.size(), 25u + 14u);
  for (const test::DrawCall& c : o) EXPECT_EQ(c.colour, screen.桝色);
  EXPECT_EQ(o[0].x, cellX(1));
  EXPECT_EQ(o[0].y, cellY(1));
  EXPECT_EQ(o[1].y, cellY(2));  // rows inner
  EXPECT_EQ(o[5].x, cellX(2));  // columns outer
  EXPECT_EQ(o[24].x, cellX(5));
  EXPECT_EQ(o[24].y, cellY(5));
  EXPECT_EQ(o[25].x, cellX(-1));  // COM's hand column, rows 1 …
  EXPECT_EQ(o[25].y, cellY(1));
  EXPECT_EQ(o[26].x, cellX(11));  // and column 11 from row 3
  EXPECT_EQ(o[26].y, cellY(3));
  EXPECT_EQ(o[37].y, cellY(7));
  EXPECT_EQ(o[38].x, cellX(11));
  EXPECT_EQ(o[38].y, cellY(9));
}

TEST_F(SettingsCommandsTest, ElapsedTimeOffStopsTheTickAndErasesBothClocks) {
  settings->読込_環境設定ファイル();
  g.timer1Enabled = true;
  g.MAN秒 = 75;
  g.COM秒 = 3725;
  clear();
  settings->KEIKA_Click();
  EXPECT_FALSE(checked(MenuItem::KEIKA));
  EXPECT_FALSE(g.timer1Enabled);
  for (int X = 7; X <= 10; ++X) EXPECT_TRUE(fake.lastPictureAt(cellX(X), cellY(7)).has_value()) << X;
  for (int X = -2; X <= 0; ++X) EXPECT_TRUE(fake.lastPictureAt(cellX(X), cellY(7)).has_value()) << X;
  EXPECT_TRUE(fake.texts().empty());

  clear();
  settings->KEIKA_Click();
  EXPECT_TRUE(checked(MenuItem::KEIKA));
  EXPECT_TRUE(g.timer1Enabled);
  std::vector<std::string> white;
  for (const test::DrawCall& c : fake.texts())
    if (c.colour == 色白) white.push_back(c.text);
  EXPECT_EQ(white, (std::vector<std::string>{"01:02:05", "00:01:15"}));  // COM's clock first

  // Paused after a step back: the totals are shown but no clock runs until play resumes.
  settings->KEIKA_Click();
  g.再開待ち = 1;
  settings->KEIKA_Click();
  EXPECT_TRUE(checked(MenuItem::KEIKA));
  EXPECT_FALSE(g.timer1Enabled);
}

TEST_F(SettingsCommandsTest, MusicStopsAndStartsWithItsCommand) {
  settings->読込_環境設定ファイル();
  clear();
  settings->BGM_Click();
  EXPECT_FALSE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kMusicStop});
  clear();
  settings->BGM_Click();
  EXPECT_TRUE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.soundCalls, std::vector<std::string>{kMusicLoop});
}

TEST_F(SettingsCommandsTest, TheFileStaysInTheStartFolder) {
  const fs::path elsewhere = folder / "elsewhere";
  fs::create_directory(elsewhere);
  const fs::path was = fs::current_path();
  fs::current_path(elsewhere);
  settings->読込_環境設定ファイル();
  settings->BGM_Click();
  fs::current_path(was);
  EXPECT_EQ(readFile(), "背景画=緑\r\n移動指導=OFF\r\n経過時間=ON\r\nBGM=OFF\r\n");
  EXPECT_FALSE(fs::exists(elsewhere / fs::path(u8"Zelk５五将棋.ini")));
}

TEST_F(SettingsCommandsTest, AFileThatCannotBeWrittenIsReportedAndTheMarksStay) {
  // The file's name is taken by a folder: it can be neither read nor replaced.
  fs::create_directory(file());
  const std::string name(reinterpret_cast<const char*>(file().u8string().c_str()));
  settings->読込_環境設定ファイル();
  // The defaults take effect all the same, and the player is told.
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::MIDORI});
  EXPECT_TRUE(checked(MenuItem::BGM));
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"環境設定|" + name + ": 保存できません (フォルダです)|!"}));

  clear();
  settings->RENGA_Click();
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"環境設定|" + name + ": 保存できません (フォルダです)|!"}));
  // The marks still say what is in effect.
  EXPECT_EQ(backgroundsChecked(), std::vector<MenuItem>{MenuItem::RENGA});
  EXPECT_EQ(g.背景種類, 背景煉瓦);
  EXPECT_TRUE(fs::is_directory(file()));
  // No temporary file is left behind.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace zelk
