#pragma once
// Positions for tests, written as SFEN: uppercase = MAN (lower side), lowercase = COM.

#include <string_view>

#include "core/game_state.h"

namespace zelk::test {

// The position of the SFEN text; fails the test if the text is bad.
GameState position(std::string_view sfen);

// The same, with the influence survey run on it.
GameState surveyed(std::string_view sfen);

}  // namespace zelk::test
