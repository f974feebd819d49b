#pragma once
// An empty folder of its own for each test, under the system's temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace zelk::app {

inline std::filesystem::path scratchFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto folder = std::filesystem::temp_directory_path() /
                      ("zelk55_app_" + std::string(info->test_suite_name()) + "_" + info->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace zelk::app
