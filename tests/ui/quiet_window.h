#pragma once
// The options of a window for a benchmark: boxes answered and sounds silent by the recording
// platform, its start-up folder a fresh one of its own under the temporary folder.

#include <filesystem>
#include <string>

#include "presentation/fake_platform.h"
#include "ui/form1.h"

namespace zelk::test {

inline ui::Form1Options quietWindowOptions(const std::string& folderName, FakePlatform& quiet) {
  const auto folder = std::filesystem::temp_directory_path() / folderName;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  ui::Form1Options options;
  options.startFolder = folder;
  options.dialogs = &quiet;
  options.sound = &quiet;
  return options;
}

}  // namespace zelk::test
