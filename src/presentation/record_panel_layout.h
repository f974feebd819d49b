#pragma once
// Where the record-file panel's controls sit, in twips of the drawn area: the labels stack
// 対局名, 先手, 後手, ファイル名 down the left edge over COM's hand, each with its text box,
// then the drive, folder and file lists and the RETURN button.

#include <string_view>

namespace zelk {

struct PanelControl {
  std::string_view name;     // the control's name
  std::string_view caption;  // label and button captions; empty for the others
  double x, y, width, height;
};

inline constexpr PanelControl kRecordPanel[] = {
    {"Label1_3", "対 局 名：", 60, 1300, 1000, 300},
    {"Text2", "", 1080, 1300, 2400, 300},
    {"Label1_2", "先    手 ：", 60, 1650, 1000, 300},
    {"Text3", "", 1080, 1650, 2400, 300},
    {"Label1_1", "後    手 ：", 60, 2000, 1000, 300},
    {"Text4", "", 1080, 2000, 2400, 300},
    {"Label1_0", "ﾌｧｲﾙ名 ：", 60, 2350, 1000, 300},
    {"Text1", "", 1080, 2350, 2400, 300},
    {"Drive1", "", 60, 2750, 3420, 330},
    {"Dir1", "", 60, 3150, 1680, 2000},
    {"File1", "", 1800, 3150, 1680, 2000},
    {"Command1", "RETURN", 60, 5250, 1200, 400},
};

}  // namespace zelk
