// zelk55: the game's window.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/data_files.h"
#include "app/start_folder.h"
#include "ui/form1.h"
#include "ui/translations.h"

#ifndef ZELK55_DATADIR
#define ZELK55_DATADIR "/usr/local/share/zelk55"
#endif

namespace {

// The game's icon at every size drawn for it; the window and its dialogs show it.
QIcon gameIcon() {
  QIcon icon;
  for (const QFileInfo& file : QDir(":/icons").entryInfoList(QDir::Files)) icon.addFile(file.filePath());
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zelk::app;
  const GameCommandLine command = parseGameCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (command.help) {
    std::cout << gameHelpText();
    return 0;
  }
  if (command.version) {
    std::cout << versionText("zelk55");
    return 0;
  }

  std::error_code ec;
  const StartFolder start =
      chooseStartFolder(command.desktop, perUserFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
                        std::filesystem::current_path(ec));
  const std::vector<std::filesystem::path> folders = dataFolders(start.folder, programFolder(), ZELK55_DATADIR);
  if (command.paths) {
    const DataFileReport report = reportDataFiles(start.folder, folders);
    std::cout << report.text;
    if (!start.problem.empty()) std::cerr << start.problem << "\n";
    return report.complete ? 0 : 1;
  }

  // Qt takes its own options out of the list; whatever is left is not understood. What is
  // plainly none of Qt's is refused before Qt looks for a display.
  if (const std::string wrong = firstArgumentNotForQt(command.others); !wrong.empty()) {
    std::cerr << usageErrorText("zelk55", wrong);
    return 2;
  }
  std::vector<std::string> others = command.others;
  std::vector<char*> qtArgs{argv[0]};
  for (std::string& a : others) qtArgs.push_back(a.data());
  qtArgs.push_back(nullptr);
  int qtArgc = static_cast<int>(qtArgs.size()) - 1;
  QApplication app(qtArgc, qtArgs.data());
  if (qtArgc > 1) {
    std::cerr << usageErrorText("zelk55", qtArgs[1]);
    return 2;
  }
  zelk::ui::installJapaneseTranslations(app);
  QGuiApplication::setDesktopFileName(ZELK55_APP_ID);
  QApplication::setWindowIcon(gameIcon());
  if (!start.problem.empty())
    QMessageBox::warning(nullptr, QString::fromUtf8("Zelk ５五将棋"), QString::fromStdString(start.problem));

  // The record panel opens in the current folder, so the start-up folder becomes it.
  std::filesystem::current_path(start.folder, ec);

  zelk::ui::Form1Options options;
  options.startFolder = start.folder;
  options.soundFolders = folders;
  zelk::ui::Form1 form(std::move(options));
  form.show();
  return app.exec();
}
