// The window tests need a QApplication, with Qt's Japanese words as the game has them;
// listing the tests does not.

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include "ui/translations.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  QStandardPaths::setTestModeEnabled(true);  // the per-user options of the tests stay apart
  zelk::ui::installJapaneseTranslations(app);
  return RUN_ALL_TESTS();
}
