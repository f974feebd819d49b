// zelk55-record: converts game records between ".棋譜", KIF (".kif", ".kifu") and SFEN
// (".sfen"), and shows a record's moves and final position.

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "base/version.h"
#include "formats/record_tool.h"

int main(int argc, char** argv) {
  // A closed pipe fails the write, which is then reported, instead of ending the program silently.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--version" || args[0] == "-v")) {
    std::cout << zelk::app::versionText("zelk55-record");
    return 0;
  }
  return zelk::runRecordTool(args, std::cin, std::cout, std::cerr);
}
