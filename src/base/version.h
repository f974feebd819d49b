#pragma once
// What every program prints for --version: the program, the game and its version, the licence.

#include <string>
#include <string_view>

namespace zelk::app {

std::string versionText(std::string_view program);

}  // namespace zelk::app
