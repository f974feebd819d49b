// Start-up, shut-down and the sound module, with the recording platform and sound files in
// temporary folders.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

#include "play/form1_controller.h"
#include "presentation/child_process.h"
#include "presentation/fake_platform.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

fs::path u8(std::string_view s) { return fs::path(std::u8string(s.begin(), s.end())); }

// A minimal wave header followed by `extra` bytes of silence.
void writeWave(const fs::path& file, int extra) {
  std::ofstream out(file, std::ios::binary);
  out << "RIFF" << std::string(4, '\0') << "WAVE" << std::string(extra, '\0');
}

struct Form1Test : ::testing::Test {
  fs::path root, startFolder, exeFolder;
  test::FakePlatform fake;

  void SetUp() override {
    root = fs::temp_directory_path() /
           ("zelk55_form1_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root);
    startFolder = root / "start";
    exeFolder = root / "exe";
    fs::create_directories(startFolder);
    fs::create_directories(exeFolder);
  }
  void TearDown() override { fs::remove_all(root); }

  Form1Controller make() { return Form1Controller(fake.platform(), {startFolder, exeFolder}, startFolder); }
};

TEST_F(Form1Test, StartUpLoadsTheSoundsInOrderAndShowsTheStartingPosition) {
  writeWave(exeFolder / u8("その他.wav"), 8);
  writeWave(startFolder / u8("禁止.wav"), 4);
  writeWave(exeFolder / u8("禁止.wav"), 100);  // the start-up folder is looked in first
  writeWave(exeFolder / u8("駒打音.wav"), 0);
  // No "BGM.wav": that buffer stays 0 and the music it would loop plays nothing.
  Form1Controller form(fake.platform(), {startFolder, exeFolder}, startFolder);
  form.Form_Load();

  EXPECT_EQ(fake.soundCalls,
            (std::vector<std::string>{"dsInitialize", "dsCreateDSB 1 その他.wav 3 20", "dsCreateDSB 1 禁止.wav 3 16",
                                      "dsCreateDSB 1 駒打音.wav 3 12", "dsPlayLooping 0"}));
  EXPECT_EQ(form.sounds.効果音その他, 11);
  EXPECT_EQ(form.sounds.効果音禁止, 12);
  EXPECT_EQ(form.sounds.効果音駒打, 13);
  EXPECT_EQ(form.sounds.効果音BGM, 0);
  EXPECT_TRUE(fake.boxes.empty());

  // Level 3, green background, clocks shown, music on, no guidance.
  EXPECT_TRUE(fake.isChecked(MenuItem::LEVEL3));
  EXPECT_TRUE(fake.isChecked(MenuItem::MIDORI));
  EXPECT_FALSE(fake.isChecked(MenuItem::TATAMI));
  EXPECT_TRUE(fake.isChecked(MenuItem::KEIKA));
  EXPECT_TRUE(fake.isChecked(MenuItem::BGM));
  EXPECT_FALSE(fake.isChecked(MenuItem::SIDOU));
  EXPECT_EQ(fake.background, 色緑);
  EXPECT_EQ(form.screen.移動指導色, 色緑);
  EXPECT_EQ(form.screen.選択色, 色白);

  const GameState& g = form.g;
  EXPECT_EQ(g.手番, 0);
  EXPECT_EQ(g.MAN手番, -1);
  EXPECT_EQ(g.COM手番, 1);
  EXPECT_EQ(g.レベル, 3);
  EXPECT_EQ(g.背景種類, 2);
  EXPECT_EQ(g.盤面(1, 1), COM飛);
  EXPECT_EQ(g.盤面(1, 5), MAN王);
  EXPECT_EQ(g.盤面(3, 3), 0);
  EXPECT_EQ(form.起動フォルダ, startFolder);
  ASSERT_FALSE(fake.timerCalls.empty());
  EXPECT_FALSE(fake.timerCalls.back());

  // The full redraw ran (title last), and the window went to its start-up place.
  EXPECT_EQ(fake.pictures().back().picture.name, PictureName::ZelkSHOGI);
  EXPECT_EQ(fake.windowCalls, (std::vector<std::string>{"place 0 0 8400 6800"}));
}

TEST_F(Form1Test, AMaximisedWindowStaysWhereItIs) {
  fake.windowTop = -60;
  auto form = make();
  form.Form_Load();
  EXPECT_TRUE(fake.windowCalls.empty());
}

TEST_F(Form1Test, WithoutAudioOutputOneWarningThenSilence) {
  writeWave(exeFolder / u8("駒打音.wav"), 8);
  fake.libraryHandle = 0;
  auto form = make();
  form.Form_Load();
  EXPECT_EQ(fake.boxes,
            (std::vector<std::string>{"Zelk５五将棋.dll|Direct Soundインターフェースが作成できません。|!"}));
  EXPECT_EQ(form.sounds.音源, 0);
  EXPECT_EQ(form.sounds.効果音駒打, 0);
  // Releasing buffers of handle 0 is harmless; a library that never started is not shut down.
  fake.soundCalls.clear();
  form.終了処理();
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{"dsFree 0", "dsFree 0", "dsFree 0", "dsFree 0"}));
}

TEST_F(Form1Test, AFileThatIsNoWaveIsReportedAndGivesNoSound) {
  {
    std::ofstream out(startFolder / u8("駒打音.wav"), std::ios::binary);
    out << "hello";
  }
  auto form = make();
  form.Form_Load();
  ASSERT_EQ(fake.boxes.size(), 1u);
  EXPECT_EQ(fake.boxes[0].substr(0, fake.boxes[0].find('|')), "Zelk５五将棋.dll");
  EXPECT_NE(fake.boxes[0].find("駒打音.wav"), std::string::npos);
  EXPECT_EQ(form.sounds.効果音駒打, 0);
}

TEST_F(Form1Test, ASoundFileThatCannotBeReadWarnsAndPlaysNothingInsteadOfEndingTheGame) {
  for (auto name : kSoundFiles) writeWave(exeFolder / u8(name), 0);
  // In the start-up folder, which is looked in first, each in turn: a folder, a pipe nobody
  // writes to, a link to an endless device, each named like a sound file, and a file far
  // too large for a sound.
  const auto folder = [&](const fs::path& p) { fs::create_directory(p); };
  const auto pipe = [&](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); };
  const auto endless = [&](const fs::path& p) { fs::create_symlink("/dev/zero", p); };
  const auto huge = [&](const fs::path& p) {
    writeWave(p, 0);
    fs::resize_file(p, kLargestSoundFile + 1);  // sparse: costs no disk
  };
  const std::pair<const char*, std::function<void(const fs::path&)>> faults[] = {
      {"駒打音.wav", folder}, {"BGM.wav", pipe}, {"禁止.wav", endless}, {"その他.wav", huge}};
  for (const auto& [name, make_it] : faults) {
    make_it(startFolder / u8(name));
    const test::ChildOutcome startUp = test::runInChild([&] {
      make().Form_Load();
      return 0;
    });
    EXPECT_TRUE(startUp.exitedWith(0)) << name << ": finished " << startUp.finished << ", code " << startUp.code
                                       << ", signal " << startUp.signal;
  }

  auto form = make();
  form.Form_Load();
  ASSERT_EQ(fake.boxes.size(), 4u);
  for (const auto& [box, name] : {std::pair{fake.boxes[0], "その他.wav"},
                                  {fake.boxes[1], "禁止.wav"},
                                  {fake.boxes[2], "駒打音.wav"},
                                  {fake.boxes[3], "BGM.wav"}}) {
    EXPECT_EQ(box.substr(0, box.find('|')), "Zelk５五将棋.dll");
    EXPECT_NE(box.find(name), std::string::npos) << box;
  }
  EXPECT_EQ(form.sounds.効果音その他, 0);
  EXPECT_EQ(form.sounds.効果音禁止, 0);
  EXPECT_EQ(form.sounds.効果音駒打, 0);
  EXPECT_EQ(form.sounds.効果音BGM, 0);
  // The game goes on, silently.
  EXPECT_EQ(form.g.盤面(1, 5), MAN王);
  form.START_Click();
  form.Form_MouseDown(1, 盤左 + 3 * 桝幅 + 300, 盤上 + 5 * 桝高 + 300);
  form.Form_MouseDown(1, 盤左 + 3 * 桝幅 + 300, 盤上 + 4 * 桝高 + 300);
  EXPECT_EQ(form.g.手数, 1);
}

TEST_F(Form1Test, EscMenuAndClosingAllReleaseTheSoundsOnce) {
  for (auto name : kSoundFiles) writeWave(exeFolder / u8(name), 0);
  const std::vector<std::string> released = {"dsFree 11", "dsFree 12", "dsFree 13", "dsFree 14", "dsTerminate"};
  {
    auto form = make();
    form.Form_Load();
    EXPECT_EQ(form.sounds.効果音BGM, 14);
    fake.soundCalls.clear();
    form.Form_KeyPress(13);  // Enter: ignored
    EXPECT_TRUE(fake.soundCalls.empty());
    form.Form_KeyPress(27);
    EXPECT_EQ(fake.soundCalls, released);
    EXPECT_EQ(fake.windowCalls.back(), "close");
    form.Form_Unload();  // the close that follows releases nothing twice
    EXPECT_EQ(fake.soundCalls, released);
  }
  {
    fake.nextBuffer = 11;
    auto form = make();
    form.Form_Load();
    fake.soundCalls.clear();
    form.menuClicked(MenuItem::OWARI);
    EXPECT_EQ(fake.soundCalls, released);
  }
  {
    fake.nextBuffer = 11;
    auto form = make();
    form.Form_Load();
    fake.soundCalls.clear();
    form.Form_Unload();
    EXPECT_EQ(fake.soundCalls, released);
  }
}

TEST_F(Form1Test, VersionDialogOpensWithItsSound) {
  writeWave(exeFolder / u8("その他.wav"), 0);
  auto form = make();
  form.Form_Load();
  fake.soundCalls.clear();
  form.menuClicked(MenuItem::VER);
  EXPECT_EQ(fake.soundCalls, (std::vector<std::string>{"dsPlay 11"}));
  EXPECT_EQ(fake.boxes, (std::vector<std::string>{"version dialog"}));
}

TEST(SoundFiles, FoundInTheFirstFolderThatHasThem) {
  const fs::path a = fs::temp_directory_path() / "zelk55_find_a", b = fs::temp_directory_path() / "zelk55_find_b";
  fs::create_directories(a);
  fs::create_directories(b);
  writeWave(b / u8("BGM.wav"), 0);
  EXPECT_EQ(findFile("BGM.wav", {a, b}), b / u8("BGM.wav"));
  writeWave(a / u8("BGM.wav"), 0);
  EXPECT_EQ(findFile("BGM.wav", {a, b}), a / u8("BGM.wav"));
  EXPECT_TRUE(findFile("禁止.wav", {a, b}).empty());
  fs::remove_all(a);
  fs::remove_all(b);
}

}  // namespace
}  // namespace zelk
