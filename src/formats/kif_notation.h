#pragma once
// KIF notation of ５五将棋: squares as a full-width file and a kanji rank ("５三"), pieces by
// their kanji, moves as "５四歩(55)", "同　銀成(43)", "２三歩打", and the time of a move as
// "( 0:16/00:00:16)". Square (X, Y) of the board is file 6 − X, rank Y.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "core/game_state.h"
#include "core/sfen.h"

namespace zelk {

// Text as code points, and back to UTF-8 (a broken byte becomes U+FFFD).
std::u32string codePoints(std::string_view utf8);
std::string utf8Of(std::u32string_view text);

// Text as a refusal quotes it: at most 40 characters, a longer one cut short with "…", so
// that a message about a huge line stays a short one.
std::string excerpt(std::string_view utf8);
std::string excerpt(std::u32string_view text);

std::string kifSquare(int x, int y);

// The name a move line gives a piece ("成銀" for a promoted silver, "玉" for either king).
std::string_view kifPieceName(int code);
// The one-character name a board diagram gives it ("全" for a promoted silver).
std::string_view diagramPieceName(int code);
// The kanji of 1 … 18 as counts of pieces in hand ("二", "十八"); empty for others.
std::string kanjiCount(int n);

// The piece magnitude (10 歩 … 950 玉) a piece name starts with, and how many code points
// the name took; 0 when the text starts with no piece of ５五将棋. A piece of the big game
// (香, 桂 and their promotions) sets `bigGamePiece`.
struct PieceName {
  int magnitude = 0;
  std::size_t length = 0;
  bool bigGamePiece = false;
};
PieceName readPieceName(std::u32string_view text);

// A move in KIF notation, written for the position before it: the destination (or "同　"
// after a move to the same square), the moving piece, 成, 不成 where it could have promoted,
// and the source square in parentheses, or 打 for a drop.
std::string kifMoveText(const GameState& before, const UsiMove& m, const UsiMove* previous);

// A move as a KIF line states it, before it is checked against a position.
struct KifMoveWords {
  bool same = false;  // 同: the destination of the previous move
  int toX = 0, toY = 0;
  int magnitude = 0;      // the piece named, 10 … 950
  bool promote = false;   // 成
  bool declined = false;  // 不成
  bool drop = false;      // 打, or no source given
  int fromX = 0, fromY = 0;
  std::size_t length = 0;  // code points the move took
};

// Reads the move at the start of the text (what follows it is left to the caller); on
// failure, the reason in Japanese.
std::optional<KifMoveWords> readKifMove(std::u32string_view text, std::string* reason);

// The move the words give in the position, checked against the pieces on the board and in
// hand (the rules' own check comes after); `previous` is the last move's destination.
std::optional<UsiMove> resolveKifMove(const GameState& g, const KifMoveWords& w, const UsiMove* previous,
                                      std::string* reason);

// "( m:ss/hh:mm:ss)": the move's own time and the mover's running total, whole seconds.
std::string kifTime(long seconds, long total);

// Reads a time in parentheses as kifTime writes it (spaces and widths may vary); the
// characters it took, or nothing when the text holds no time.
struct KifTimeRead {
  long seconds = 0, total = 0;
  std::size_t length = 0;
};
std::optional<KifTimeRead> readKifTime(std::u32string_view text);

// A local time as KIF headers give it: "2024/03/09(土) 14:05:00".
std::string kifDateTime(std::time_t t);

// Display width: a half-width character counts 1, any other 2 (as KIF aligns its columns).
std::size_t displayWidth(std::string_view utf8);

}  // namespace zelk
