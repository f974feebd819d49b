#pragma once
// A start-up folder of its own for each window test, so the settings file one test's option
// commands write never reaches another test.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace zelk::ui {

inline std::filesystem::path freshStartFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const auto folder = std::filesystem::temp_directory_path() /
                      ("zelk55_ui_" + std::string(info->test_suite_name()) + "_" + info->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace zelk::ui
