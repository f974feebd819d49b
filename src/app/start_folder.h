#pragma once
// Where the game keeps its settings file and opens the record panel: started from the desktop
// menu, a folder of its own among the user's data; started from a terminal, the folder it was
// started in.

#include <filesystem>
#include <string>

namespace zelk::app {

// The user's folder for the game's files: $XDG_DATA_HOME/zelk55, or ~/.local/share/zelk55 when
// XDG_DATA_HOME is unset, empty or relative; empty when HOME does not help either.
std::filesystem::path perUserFolder(const char* xdgDataHome, const char* home);

struct StartFolder {
  std::filesystem::path folder;  // the folder the game starts in
  std::string problem;           // why the per-user folder could not be used; empty when it was
};

// The start-up folder. From the desktop entry: the per-user folder, made (owner only) with any
// missing parents when it is not there yet; the current folder when it cannot be made. From a
// terminal: the current folder, and nothing is made.
StartFolder chooseStartFolder(bool fromDesktop, const std::filesystem::path& perUser,
                              const std::filesystem::path& current);

}  // namespace zelk::app
