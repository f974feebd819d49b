#pragma once
// A whole game controller on the recording platform, with the record commands, the history
// steps and the handicap commands built over its game, screen, clocks and sounds, as the
// window will hold them. Two people's games give moves without the computer's choice.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/test_support.h"
#include "play/form1_controller.h"
#include "presentation/fake_platform.h"
#include "records/fake_record_panel.h"
#include "records/handicap.h"
#include "records/navigation.h"
#include "records/record_commands.h"

namespace zelk::test {

namespace fs = std::filesystem;

inline const std::string kRefused = "dsPlay 12", kPlaced = "dsPlay 13";  // 禁止.wav, 駒打音.wav
inline constexpr std::string_view kStart = "rbsgk/4p/5/P4/KGSBR b - 1";

inline fs::path u8path(std::string_view s) { return fs::path(std::u8string(s.begin(), s.end())); }
inline std::string text(const fs::path& p) {
  const std::u8string s = p.u8string();
  return std::string(s.begin(), s.end());
}

struct RecordsTest : ::testing::Test {
  fs::path folder;
  FakePlatform fake;
  FakeRecordPanel panel;
  std::unique_ptr<Form1Controller> form;
  std::unique_ptr<RecordCommands> records;
  std::unique_ptr<Navigation> nav;
  std::unique_ptr<Handicap> handicap;

  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("zelk55_records_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    // Buffers 11 その他, 12 禁止, 13 駒打音, 14 BGM.
    for (auto name : kSoundFiles) {
      std::ofstream out(folder / u8path(name), std::ios::binary);
      out << "RIFF" << std::string(4, '\0') << "WAVE";
    }
    form = std::make_unique<Form1Controller>(fake.platform(), std::vector<fs::path>{folder}, folder);
    form->Form_Load();
    records = std::make_unique<RecordCommands>(form->g, form->screen, fake.platform(), panel);
    nav = std::make_unique<Navigation>(form->g, form->screen, form->clocks, form->sounds, fake.platform(), *records);
    handicap = std::make_unique<Handicap>(form->g, form->screen, form->sounds, fake.platform(), *records);
    panel.folderList = panel.fileList = folder;
    clear();
  }
  void TearDown() override { fs::remove_all(folder); }

  GameState& g() { return form->g; }
  void clear() {
    fake.boxes.clear();
    fake.soundCalls.clear();
    fake.draws.clear();
  }
  // A click in the middle of grid cell (X, Y).
  void click(int X, int Y) { form->Form_MouseDown(1, 盤左 + X * 桝幅 + 300, 盤上 + Y * 桝高 + 345); }
  void move(int fx, int fy, int tx, int ty) {
    click(fx, fy);
    click(tx, ty);
  }
  Board board(std::string_view sfen) { return position(sfen).盤面; }

  // Whether a picture was drawn with its corner on cell (X, Y) since the last clear.
  bool drawnAt(double X, double Y) const { return fake.lastPictureAt(cellX(X), cellY(Y)).has_value(); }
  // The texts drawn since the last clear, as "colour:text@x,y" in whole twips.
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const DrawCall& c : fake.texts())
      out.push_back(std::to_string(c.colour) + ":" + c.text + "@" + std::to_string(static_cast<int>(c.x)) + "," +
                    std::to_string(static_cast<int>(c.y)));
    return out;
  }
  bool hasText(const std::string& t) const {
    const auto all = texts();
    return std::find(all.begin(), all.end(), t) != all.end();
  }

  void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Loads a record file from the test folder as a click on its name in the file list does.
  void load(std::string_view name) {
    panel.fileName = std::string(name);
    records->File1_Click();
  }
};

}  // namespace zelk::test
