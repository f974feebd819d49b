#pragma once
// The "棋譜" menu and its panel: showing and closing the lists and the entry fields, saving
// the move history to a ".棋譜" record file and loading one for replay with 進.

#include <string>
#include <string_view>

#include "core/game_state.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "formats/record_file.h"
#include "records/record_panel.h"

namespace zelk {

// The left edge, in twips, at which a header line of a loaded record is printed: a longer
// text starts further left (length in characters, division exact).
double 取得_棋譜のX座標(std::string_view text);

class RecordCommands {
public:
  RecordCommands(GameState& g, Screen& screen, const Platform& platform, RecordPanel& panel)
      : g(g), screen_(screen), p_(platform), panel_(panel) {}

  // Visibility of the drive, folder and file lists.
  void 描画_可視(bool drive, bool dir, bool file);
  // Mode 0 shows the entry part; any other mode empties Text1 … Text4 and hides it.
  void 描画_棋譜_IO(int mode);
  // Closes the whole panel, as every command but the record commands does.
  void closePanel() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
  }

  void KIFU_READ_Click();   // 読込: the three lists
  void KIFU_WRITE_Click();  // 書込: the drive and folder lists and the entry fields
  void Drive1_Change();     // the folder list follows the chosen drive
  void Dir1_Change();       // the file list follows the chosen folder
  void File1_Click();       // loads the clicked file
  void Command1_Click();    // RETURN: writes the file

  // Whether a loaded record may take the place of the game on the board: at once when every
  // move of it is saved, else when the player says yes to the question (which tells that the
  // unsaved game will be gone).
  bool mayReplaceGame(std::string_view question, std::string_view title);

  // The title and the upper and lower players' names of a loaded record, on the window.
  void printRecordHeader(std::string_view title, std::string_view upperName, std::string_view lowerName);

private:
  void printHeader(std::string_view text, double x, double y, int colour);

  GameState& g;
  Screen& screen_;
  Platform p_;
  RecordPanel& panel_;
};

}  // namespace zelk
