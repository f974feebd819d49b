#pragma once
// The menu bar of the main window: every item's name, caption and place in the tree, and
// which items carry a check mark. The window builds its menus from this table, in order;
// an item at depth 0 without children is a command of the menu bar itself.

#include <iterator>
#include <string_view>

namespace zelk {

enum class MenuItem {
  TAIKYOKU,
  MATCH_MAN,
  START,
  START2,
  SENTE,
  GOTE,
  LEVEL,
  LEVEL1,
  LEVEL2,
  LEVEL3,
  LEVEL4,
  LEVEL5,
  LEVEL6,
  LEVEL7,
  LEVEL8,
  LEVEL9,
  LEVEL10,
  LEVEL11,
  LEVEL12,
  LEVEL13,
  LEVEL14,
  KOUSIKI,
  JIKAN,
  JIKAN_NASI,
  JIKAN_5_10,
  JIKAN_10_30,
  JIKAN_3_2,
  TOURYOU,
  OWARI,
  STOP,
  CANCEL,
  REVERSE,
  REPLAY,
  AFTER,
  LBEL_UP,
  LEBEL_DOWN,
  KIFU,
  KIFU_READ,
  KIFU_WRITE,
  KIF_READ,
  KIF_WRITE,
  SFEN_COPY,
  KIF_COPY,
  KIF_PASTE,
  KENTOU,
  KIFU_LIST,
  HINT,
  KENTOU_MODE,
  KAISEKI,
  HENSHU,
  OPTION,
  HAIKEI_GA,
  MIDORI,
  TATAMI,
  TAKE,
  UCHU,
  RENGA,
  SIDOU,
  KEIKA,
  BGM,
  SONOTA,
  KAISETU,
  VER,
};

// Items of one exclusive group carry the check mark on the current choice only.
enum class MenuGroup { None, Level, Background, TimeControl };

struct MenuEntry {
  MenuItem item;
  std::string_view name;     // the command name, as in the click handlers
  int depth;                 // 0 = on the menu bar, 1 = in a menu, 2 = in a sub-menu
  std::string_view caption;  // what the player reads
  bool checkable;
  MenuGroup group;
};

inline constexpr MenuEntry kMenuTable[] = {
    {MenuItem::TAIKYOKU, "TAIKYOKU", 0, "対局", false, MenuGroup::None},
    {MenuItem::MATCH_MAN, "MATCH_MAN", 1, "対局(人間)", false, MenuGroup::None},
    {MenuItem::START, "START", 2, "スタート", false, MenuGroup::None},
    {MenuItem::START2, "START2", 1, "対局(COM)", false, MenuGroup::None},
    {MenuItem::SENTE, "SENTE", 2, "先手", false, MenuGroup::None},
    {MenuItem::GOTE, "GOTE", 2, "後手", false, MenuGroup::None},
    {MenuItem::LEVEL, "LEVEL", 1, "COM対局ﾚﾍﾞﾙ", false, MenuGroup::None},
    {MenuItem::LEVEL1, "LEVEL1", 2, "LEVEL1", true, MenuGroup::Level},
    {MenuItem::LEVEL2, "LEVEL2", 2, "LEVEL2", true, MenuGroup::Level},
    {MenuItem::LEVEL3, "LEVEL3", 2, "LEVEL3", true, MenuGroup::Level},
    {MenuItem::LEVEL4, "LEVEL4", 2, "LEVEL4", true, MenuGroup::Level},
    {MenuItem::LEVEL5, "LEVEL5", 2, "LEVEL5", true, MenuGroup::Level},
    {MenuItem::LEVEL6, "LEVEL6", 2, "LEVEL6", true, MenuGroup::Level},
    {MenuItem::LEVEL7, "LEVEL7", 2, "LEVEL7", true, MenuGroup::Level},
    {MenuItem::LEVEL8, "LEVEL8", 2, "LEVEL8", true, MenuGroup::Level},
    {MenuItem::LEVEL9, "LEVEL9", 2, "LEVEL9", true, MenuGroup::Level},
    {MenuItem::LEVEL10, "LEVEL10", 2, "LEVEL10", true, MenuGroup::Level},
    {MenuItem::LEVEL11, "LEVEL11", 2, "LEVEL11", true, MenuGroup::Level},
    {MenuItem::LEVEL12, "LEVEL12", 2, "LEVEL12", true, MenuGroup::Level},
    {MenuItem::LEVEL13, "LEVEL13", 2, "LEVEL13", true, MenuGroup::Level},
    {MenuItem::LEVEL14, "LEVEL14", 2, "LEVEL14", true, MenuGroup::Level},
    {MenuItem::KOUSIKI, "KOUSIKI", 1, "公式ﾙｰﾙ", true, MenuGroup::None},
    {MenuItem::JIKAN, "JIKAN", 1, "持ち時間", false, MenuGroup::None},
    {MenuItem::JIKAN_NASI, "JIKAN_NASI", 2, "なし", true, MenuGroup::TimeControl},
    {MenuItem::JIKAN_5_10, "JIKAN_5_10", 2, "5分 秒読み10秒", true, MenuGroup::TimeControl},
    {MenuItem::JIKAN_10_30, "JIKAN_10_30", 2, "10分 秒読み30秒", true, MenuGroup::TimeControl},
    {MenuItem::JIKAN_3_2, "JIKAN_3_2", 2, "3分 1手2秒加算", true, MenuGroup::TimeControl},
    {MenuItem::TOURYOU, "TOURYOU", 1, "投了", false, MenuGroup::None},
    {MenuItem::OWARI, "OWARI", 1, "終わり", false, MenuGroup::None},
    {MenuItem::STOP, "STOP", 0, "局面", false, MenuGroup::None},
    {MenuItem::CANCEL, "CANCEL", 1, "最初", false, MenuGroup::None},
    {MenuItem::REVERSE, "REVERSE", 1, "反転", false, MenuGroup::None},
    {MenuItem::REPLAY, "REPLAY", 0, "戻", false, MenuGroup::None},
    {MenuItem::AFTER, "AFTER", 0, "進", false, MenuGroup::None},
    {MenuItem::LBEL_UP, "LBEL_UP", 0, "△", false, MenuGroup::None},
    {MenuItem::LEBEL_DOWN, "LEBEL_DOWN", 0, "▽", false, MenuGroup::None},
    {MenuItem::KIFU, "KIFU", 0, "棋譜", false, MenuGroup::None},
    {MenuItem::KIFU_READ, "KIFU_READ", 1, "読込", false, MenuGroup::None},
    {MenuItem::KIFU_WRITE, "KIFU_WRITE", 1, "書込", false, MenuGroup::None},
    {MenuItem::KIF_READ, "KIF_READ", 1, "KIF読込", false, MenuGroup::None},
    {MenuItem::KIF_WRITE, "KIF_WRITE", 1, "KIF書込", false, MenuGroup::None},
    {MenuItem::SFEN_COPY, "SFEN_COPY", 1, "局面ｺﾋﾟｰ", false, MenuGroup::None},
    {MenuItem::KIF_COPY, "KIF_COPY", 1, "棋譜ｺﾋﾟｰ", false, MenuGroup::None},
    {MenuItem::KIF_PASTE, "KIF_PASTE", 1, "貼付け", false, MenuGroup::None},
    {MenuItem::KENTOU, "KENTOU", 0, "検討", false, MenuGroup::None},
    {MenuItem::KIFU_LIST, "KIFU_LIST", 1, "棋譜ﾘｽﾄ", true, MenuGroup::None},
    {MenuItem::HINT, "HINT", 1, "ﾋﾝﾄ", false, MenuGroup::None},
    {MenuItem::KENTOU_MODE, "KENTOU_MODE", 1, "検討ﾓｰﾄﾞ", true, MenuGroup::None},
    {MenuItem::KAISEKI, "KAISEKI", 1, "棋譜解析", false, MenuGroup::None},
    {MenuItem::HENSHU, "HENSHU", 1, "局面編集", true, MenuGroup::None},
    {MenuItem::OPTION, "OPTION", 0, "ｵﾌﾟｼｮﾝ", false, MenuGroup::None},
    {MenuItem::HAIKEI_GA, "HAIKEI_GA", 1, "背景画", false, MenuGroup::None},
    {MenuItem::MIDORI, "MIDORI", 2, "緑", true, MenuGroup::Background},
    {MenuItem::TATAMI, "TATAMI", 2, "畳", true, MenuGroup::Background},
    {MenuItem::TAKE, "TAKE", 2, "竹", true, MenuGroup::Background},
    {MenuItem::UCHU, "UCHU", 2, "宇宙", true, MenuGroup::Background},
    {MenuItem::RENGA, "RENGA", 2, "煉瓦", true, MenuGroup::Background},
    {MenuItem::SIDOU, "SIDOU", 1, "移動指導", true, MenuGroup::None},
    {MenuItem::KEIKA, "KEIKA", 1, "経過時間", true, MenuGroup::None},
    {MenuItem::BGM, "BGM", 1, "BGM", true, MenuGroup::None},
    {MenuItem::SONOTA, "SONOTA", 0, "その他", false, MenuGroup::None},
    {MenuItem::KAISETU, "KAISETU", 1, "解説", false, MenuGroup::None},
    {MenuItem::VER, "VER", 1, "バージョン情報", false, MenuGroup::None},
};

inline constexpr int kMenuItemCount = static_cast<int>(std::size(kMenuTable));

// The table row of an item.
constexpr const MenuEntry& menuEntry(MenuItem item) {
  for (const MenuEntry& e : kMenuTable)
    if (e.item == item) return e;
  return kMenuTable[0];
}

// True for an item at depth 0 with no children: a command placed on the menu bar itself.
constexpr bool isMenuBarCommand(MenuItem item) {
  for (int i = 0; i < kMenuItemCount; ++i) {
    if (kMenuTable[i].item != item) continue;
    if (kMenuTable[i].depth != 0) return false;
    return i + 1 == kMenuItemCount || kMenuTable[i + 1].depth == 0;
  }
  return false;
}

}  // namespace zelk
