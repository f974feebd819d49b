// The window tests need a QApplication; listing the tests does not.

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // the per-user options of the tests stay apart
  return RUN_ALL_TESTS();
}
