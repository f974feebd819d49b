// zelk55: the game's window.

#include <QApplication>
#include <QDir>

#include <filesystem>

#include "ui/form1.h"
#include "ui/qt_paths.h"

#ifndef ZELK55_DATADIR
#define ZELK55_DATADIR "/usr/local/share/zelk55"
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::filesystem::path exeFolder = zelk::ui::toPath(QCoreApplication::applicationDirPath());

  zelk::ui::Form1Options options;
  options.startFolder = std::filesystem::current_path();
  // The sounds: where the game was started, beside the program, then where it is installed.
  options.soundFolders = {options.startFolder, exeFolder, exeFolder / ".." / "share" / "zelk55",
                          std::filesystem::path(ZELK55_DATADIR)};
  zelk::ui::Form1 form(std::move(options));
  form.show();
  return app.exec();
}
