#pragma once
// The "棋譜" menu's commands for records other shogi programs share: the game saved as KIF
// or KIFU, a KIF or KIFU file opened as a loaded record (stepped with 進 and 戻, play taken
// up from any move, as a ".棋譜" file is), the position copied as SFEN, the game copied as KIF
// text, and an SFEN, a USI position command or KIF text pasted to set up that position or
// load that game.

#include <functional>
#include <optional>
#include <string>

#include "core/game_state.h"
#include "presentation/platform.h"
#include "presentation/screen.h"
#include "presentation/sound.h"
#include "formats/game_record.h"
#include "records/record_commands.h"
#include "records/record_exchange.h"

namespace zelk {

// The names the game gives the players of a game against the computer.
inline constexpr std::string_view kPlayerName = "あなた";
inline constexpr std::string_view kComputerName = "ｺﾝﾋﾟｭｰﾀ";

class KifCommands {
public:
  KifCommands(GameState& g, Screen& screen, SoundModule& sounds, const Platform& platform, RecordCommands& records,
              RecordExchange& desktop)
      : g(g), screen_(screen), sounds_(sounds), p_(platform), records_(records), desktop_(desktop) {}

  void KIF_WRITE_Click();  // KIF書込: the game to a ".kif" or ".kifu" file
  void KIF_READ_Click();   // KIF読込: a ".kif" or ".kifu" file as a loaded record
  void SFEN_COPY_Click();  // 局面ｺﾋﾟｰ: the position shown, as SFEN
  void KIF_COPY_Click();   // 棋譜ｺﾋﾟｰ: the game as KIF text
  void KIF_PASTE_Click();  // 貼付け: a position or a game from the clipboard

  // The game as a record with its header: the title and names it has, when it began. A loaded
  // record still viewed whole is the record as it was read.
  GameRecord currentRecord() const;
  // Adds what the game's study found (a review's marks) to the record KIF書込 and 棋譜ｺﾋﾟｰ write.
  std::function<void(GameRecord&)> annotate;

  // Puts a record into the history to be stepped through with 進, as a ".棋譜" load does.
  void loadRecord(const GameRecord& r);
  // Sets up the position after the record's moves, the moves in the history behind it, for
  // play to take up from it as after 戻; the box that says so has the title given.
  void setUpPosition(const GameRecord& r, std::string_view title);

private:
  GameRecord plainRecord() const;
  void refuse(std::string_view text, std::string_view title);

  GameState& g;
  Screen& screen_;
  SoundModule& sounds_;
  Platform p_;
  RecordCommands& records_;
  RecordExchange& desktop_;
  std::optional<GameRecord> loaded_;  // the last record loaded, with its comments and end
};

}  // namespace zelk
