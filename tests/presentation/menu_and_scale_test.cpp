// The menu table and the fit of the drawn area into windows of any size.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/colours.h"
#include "presentation/menu_table.h"
#include "presentation/view_scale.h"

namespace zelk {
namespace {

TEST(MenuTable, TreeCaptionsAndCheckMarks) {
  ASSERT_EQ(kMenuItemCount, 63);
  std::vector<std::string> bar, records;
  bool inRecords = false;
  for (const MenuEntry& e : kMenuTable) {
    if (e.depth == 0) bar.push_back(std::string(e.caption)), inRecords = e.item == MenuItem::KIFU;
    else if (inRecords) records.push_back(std::string(e.caption));
  }
  EXPECT_EQ(bar, (std::vector<std::string>{"対局", "局面", "戻", "進", "△", "▽", "棋譜", "検討", "ｵﾌﾟｼｮﾝ", "その他"}));
  // The game's own record files first, then the records other shogi programs share.
  EXPECT_EQ(records,
            (std::vector<std::string>{"読込", "書込", "KIF読込", "KIF書込", "局面ｺﾋﾟｰ", "棋譜ｺﾋﾟｰ", "貼付け"}));

  EXPECT_EQ(menuEntry(MenuItem::LEVEL).caption, "COM対局ﾚﾍﾞﾙ");
  EXPECT_EQ(menuEntry(MenuItem::MATCH_MAN).caption, "対局(人間)");
  EXPECT_EQ(menuEntry(MenuItem::START2).caption, "対局(COM)");
  EXPECT_EQ(menuEntry(MenuItem::VER).caption, "バージョン情報");
  EXPECT_EQ(menuEntry(MenuItem::HAIKEI_GA).caption, "背景画");
  EXPECT_EQ(menuEntry(MenuItem::RENGA).caption, "煉瓦");
  EXPECT_EQ(menuEntry(MenuItem::LEBEL_DOWN).name, "LEBEL_DOWN");
  EXPECT_EQ(menuEntry(MenuItem::START).depth, 2);

  for (MenuItem item : {MenuItem::REPLAY, MenuItem::AFTER, MenuItem::LBEL_UP, MenuItem::LEBEL_DOWN})
    EXPECT_TRUE(isMenuBarCommand(item));
  for (MenuItem item : {MenuItem::TAIKYOKU, MenuItem::SONOTA, MenuItem::LEVEL1, MenuItem::VER})
    EXPECT_FALSE(isMenuBarCommand(item));

  std::vector<std::string> checkable, levels, backgrounds;
  for (const MenuEntry& e : kMenuTable) {
    if (e.checkable) checkable.push_back(std::string(e.name));
    if (e.group == MenuGroup::Level) levels.push_back(std::string(e.name));
    if (e.group == MenuGroup::Background) backgrounds.push_back(std::string(e.caption));
  }
  EXPECT_EQ(checkable, (std::vector<std::string>{"LEVEL1",      "LEVEL2",     "LEVEL3",      "LEVEL4",    "LEVEL5",
                                                 "LEVEL6",      "LEVEL7",     "LEVEL8",      "LEVEL9",    "LEVEL10",
                                                 "LEVEL11",     "LEVEL12",    "LEVEL13",     "LEVEL14",   "KOUSIKI",
                                                 "JIKAN_NASI",  "JIKAN_5_10", "JIKAN_10_30", "JIKAN_3_2", "KIFU_LIST",
                                                 "KENTOU_MODE", "HENSHU",     "MIDORI",      "TATAMI",    "TAKE",
                                                 "UCHU",        "RENGA",      "SIDOU",       "KEIKA",     "BGM"}));
  EXPECT_EQ(levels,
            (std::vector<std::string>{"LEVEL1", "LEVEL2", "LEVEL3", "LEVEL4", "LEVEL5", "LEVEL6", "LEVEL7", "LEVEL8",
                                      "LEVEL9", "LEVEL10", "LEVEL11", "LEVEL12", "LEVEL13", "LEVEL14"}));
  EXPECT_EQ(backgrounds, (std::vector<std::string>{"緑", "畳", "竹", "宇宙", "煉瓦"}));
}

TEST(ViewScale, FitsWholeKeepingProportionsAndMapsClicksBack) {
  // The natural size (8400 x 6660 twips): 15 twips a pixel, no bars.
  ViewScale v = fitSurface(560, 444);
  EXPECT_DOUBLE_EQ(v.scale, 1.0 / 15);
  EXPECT_DOUBLE_EQ(v.left, 0);
  EXPECT_DOUBLE_EQ(v.top, 0);
  EXPECT_DOUBLE_EQ(v.toPixelX(1865), 1865.0 / 15);

  // Twice as large: 7.5 twips a pixel.
  v = fitSurface(1120, 888);
  EXPECT_DOUBLE_EQ(v.scale, 2.0 / 15);
  EXPECT_DOUBLE_EQ(v.toTwipsX(1865.0 * 2 / 15), 1865);

  // Too wide: the height rules and bars of 220 pixels fill the sides.
  v = fitSurface(1000, 444);
  EXPECT_DOUBLE_EQ(v.scale, 1.0 / 15);
  EXPECT_DOUBLE_EQ(v.left, 220);
  EXPECT_DOUBLE_EQ(v.top, 0);
  EXPECT_DOUBLE_EQ(v.toTwipsX(320), 1500);
  EXPECT_DOUBLE_EQ(v.toTwipsY(46), 690);

  // Too tall: the width rules and the bars go above and below.
  v = fitSurface(280, 600);
  EXPECT_DOUBLE_EQ(v.scale, 1.0 / 30);
  EXPECT_DOUBLE_EQ(v.left, 0);
  EXPECT_DOUBLE_EQ(v.top, (600 - 222) / 2.0);
  EXPECT_NEAR(v.toTwipsY(v.toPixelY(3360)), 3360, 1e-9);

  // A window shrunk to nothing still maps.
  v = fitSurface(0, 0);
  EXPECT_GT(v.scale, 0);
}

TEST(Palette, NamedColours) {
  EXPECT_EQ(paletteRgb(0), 0x000000u);
  EXPECT_EQ(paletteRgb(2), 0x008000u);
  EXPECT_EQ(paletteRgb(12), 0xFF0000u);
  EXPECT_EQ(paletteRgb(14), 0xFFFF00u);
  EXPECT_EQ(paletteRgb(15), 0xFFFFFFu);
}

}  // namespace
}  // namespace zelk
