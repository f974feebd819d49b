#pragma once
// The programs' command lines: what zelk55 and zelk55-usi take, and their --help and
// --version texts.

#include <string>
#include <string_view>
#include <vector>

#include "base/version.h"

namespace zelk::app {

// What a wrong argument prints, on the error output.
std::string usageErrorText(std::string_view program, std::string_view argument);

struct GameCommandLine {
  bool help = false;
  bool version = false;
  bool desktop = false;             // started from the desktop entry: the per-user folder is the start-up folder
  bool paths = false;               // print where the files are found, and exit
  std::vector<std::string> others;  // left for Qt, which takes its own (-platform, -style …)
};

// Sorts zelk55's arguments (the program's name not among them).
GameCommandLine parseGameCommandLine(const std::vector<std::string>& args);
// The first of the arguments left for Qt that is none of Qt's own options (nor the value one
// of them takes), so that it is refused before a display is needed; empty when there is none.
std::string firstArgumentNotForQt(const std::vector<std::string>& others);
std::string gameHelpText();

enum class UsiRun { Protocol, Bench, Help, Version, Wrong };
struct UsiCommandLine {
  UsiRun run = UsiRun::Protocol;
  std::string wrong;  // the argument not understood, for UsiRun::Wrong
};

// zelk55-usi's arguments (the program's name not among them): none for the protocol on
// standard input, "bench", --help or --version.
UsiCommandLine parseUsiCommandLine(const std::vector<std::string>& args);
std::string usiHelpText();

}  // namespace zelk::app
