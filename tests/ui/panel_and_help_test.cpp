// The record panel's widgets and the help window, off-screen.

#include <QComboBox>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "presentation/fake_platform.h"
#include "presentation/menu_table.h"
#include "ui/form1.h"
#include "ui/help_window.h"
#include "ui/qt_record_panel.h"
#include "ui/start_folder.h"

namespace zelk::ui {
namespace {

namespace fs = std::filesystem;

fs::path u8(std::string_view s) { return fs::path(std::u8string(s.begin(), s.end())); }

TEST(RecordPanelWidgets, ListRecordFilesFollowFoldersAndReportClicks) {
  const fs::path root = fs::temp_directory_path() / "zelk55_panel_widgets";
  fs::remove_all(root);
  fs::create_directories(root / u8("棋譜集"));
  std::ofstream(root / u8("棋譜集") / u8("名局.棋譜")) << "x";
  std::ofstream(root / u8("棋譜集") / "notes.txt") << "x";

  test::FakePlatform fake;
  Form1Options options;
  options.startFolder = freshStartFolder();
  options.dialogs = &fake;
  Form1 form(std::move(options));
  QtRecordPanel& panel = form.recordPanel();
  int dirChanges = 0, fileClicks = 0;
  panel.onDirChange = [&] { ++dirChanges; };
  panel.onFileClick = [&] { ++fileClicks; };

  panel.setFolderListFolder(root);
  auto* folders = form.boardView()->findChild<QListWidget*>("Dir1");
  auto* files = form.boardView()->findChild<QListWidget*>("File1");
  ASSERT_TRUE(folders && files);
  // The folder itself, its parent, then the sub-folder: opening it is a change of folder.
  ASSERT_EQ(folders->count(), 3);
  EXPECT_EQ(folders->item(2)->text(), QString::fromUtf8("棋譜集"));
  emit folders->itemActivated(folders->item(2));
  QCoreApplication::processEvents();
  EXPECT_EQ(dirChanges, 1);
  EXPECT_EQ(panel.folderListFolder(), root / u8("棋譜集"));

  // Only record files are listed; a click names the file.
  panel.setFileListFolder(panel.folderListFolder());
  ASSERT_EQ(files->count(), 1);
  EXPECT_EQ(files->item(0)->text(), QString::fromUtf8("名局.棋譜"));
  emit files->itemClicked(files->item(0));
  EXPECT_EQ(fileClicks, 1);
  EXPECT_EQ(panel.chosenFileName(), "名局.棋譜");

  // Text fields, and showing the parts.
  panel.setText(2, "名人戦");
  EXPECT_EQ(panel.text(2), "名人戦");
  panel.setText(9, "ignored");
  EXPECT_EQ(panel.text(9), "");
  panel.setListsVisible(true, true, false);
  EXPECT_FALSE(form.boardView()->findChild<QComboBox*>("Drive1")->isHidden());
  EXPECT_TRUE(files->isHidden());
  EXPECT_FALSE(panel.chosenDrive().empty());
  fs::remove_all(root);
}

TEST(HelpWindowTest, ShowsThePageWithAToolbarAndNoMenuBar) {
  const fs::path page = fs::path(ZELK55_SOURCE_DIR) / "data" / u8("Zelk５五将棋.htm");
  HelpWindow help(page, nullptr);
  EXPECT_EQ(help.findChildren<QMenuBar*>().size(), 0);
  auto* bar = help.findChild<QToolBar*>("HelpToolBar");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->actions().size(), 3);
  EXPECT_TRUE(help.browser()->toPlainText().contains(QString::fromUtf8("駒の動き")));
  // A page that is not there says so instead of showing nothing.
  HelpWindow missing(fs::temp_directory_path() / "no_such_help.htm", nullptr);
  EXPECT_TRUE(missing.browser()->toPlainText().contains(QString::fromUtf8("見つかりません")));
}

// A player who reads the help page or the manual finds every command of the menus there, and
// the range of levels.
TEST(HelpAndManual, NameEveryCommandOfTheMenusAndTheRangeOfLevels) {
  for (const char* name : {"data/Zelk５五将棋.htm", "data/man/zelk55.6.in"}) {
    std::ifstream in(fs::path(ZELK55_SOURCE_DIR) / u8(name), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty()) << name;
    for (const MenuEntry& e : kMenuTable) {
      // The levels are named as the range from LEVEL1 to the highest.
      const bool between = e.group == MenuGroup::Level && e.item != MenuItem::LEVEL1 && e.item != MenuItem::LEVEL14;
      if (between) continue;
      EXPECT_NE(text.find(e.caption), std::string::npos) << name << " lacks " << e.caption;
    }
    EXPECT_EQ(text.find("LEVEL3 が一番強く"), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace zelk::ui
