#pragma once
// Where the game looks for its sounds and help page, and a report of where it finds them, so
// that an installed copy can be asked whether it is complete.

#include <filesystem>
#include <string>
#include <vector>

namespace zelk::app {

// The folder of the running program; empty when the system does not say.
std::filesystem::path programFolder();

// The folders looked in, in order: the start-up folder, beside the program, the share folder
// beside the program's bin folder (a copy installed or unpacked anywhere), and the folder the
// build installs to.
std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& start, const std::filesystem::path& program,
                                               const std::filesystem::path& installed);

struct DataFileReport {
  std::string text;       // the start-up folder, then one line per file: where it is, or that it is missing
  bool complete = false;  // every file was found
};

// Looks every sound file and the help page up exactly as the game does.
DataFileReport reportDataFiles(const std::filesystem::path& start, const std::vector<std::filesystem::path>& folders);

}  // namespace zelk::app
