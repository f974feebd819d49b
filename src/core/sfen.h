#pragma once
// Positions and moves as USI text. Uppercase letters are the lower side's (MAN) pieces,
// lowercase the upper side's (COM); side "b" is the lower side. Square (X, Y) is file 6 - X
// and rank 'a' + Y - 1, so the starting position is "rbsgk/4p/5/P4/KGSBR b - 1".

#include <optional>
#include <string>
#include <string_view>

#include "core/game_state.h"

namespace zelk {

inline constexpr std::string_view kStartSfen = "rbsgk/4p/5/P4/KGSBR b - 1";

// The largest move number an SFEN may give its position (seven digits); records whose positions
// would need a larger one are refused by their readers, so that what they write reads back.
inline constexpr int kLargestMoveNumber = 9999999;

// A move as the rules see it: a board move, or a drop of hand kind `kind` (1..5).
struct UsiMove {
  int fromX = 0, fromY = 0;  // source square; unused for a drop
  int toX = 0, toY = 0;
  int kind = 0;  // hand kind index for a drop, 0 for a board move
  bool promote = false;
  bool isDrop() const { return kind != 0; }
  friend bool operator==(const UsiMove&, const UsiMove&) = default;
};

// Sets board, hands, hand totals and the side to move (MAN is 先手, COM 後手, 手番 as the
// text says; 手数 from the move number). On error returns the reason and changes nothing.
std::optional<std::string> loadSfen(GameState& g, std::string_view sfen);

std::string toSfen(const GameState& g);

std::optional<UsiMove> parseUsiMove(std::string_view text, std::string* error = nullptr);
std::string toUsi(const UsiMove& m);

// Checks the move against the game's rules for the side to move and plays it (history untouched).
// On error returns the reason and changes nothing.
std::optional<std::string> playUsiMove(GameState& g, const UsiMove& m);

// A reason loadSfen, parseUsiMove or playUsiMove gave, in the game's Japanese; a text it does
// not know comes back as it is.
std::string reasonInJapanese(std::string_view reason);

// The move turned round as the board is when the sides change places: (X,Y) to (6-X,6-Y).
UsiMove turnedRound(const UsiMove& m);
// The position turned round: squares mirrored, codes negated, hands exchanged, turn swapped.
void turnRound(GameState& g);

// Sets the king squares from the board; a missing king keeps its old square.
void locateKings(GameState& g);

}  // namespace zelk
