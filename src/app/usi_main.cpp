// zelk55-usi: the rules and the computer player of Zelk ５五将棋 as a USI engine.
// "zelk55-usi bench" runs the benchmark and exits.

#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "players/bench.h"
#include "usi/line_reader.h"
#include "usi/usi.h"

int main(int argc, char** argv) {
  const zelk::app::UsiCommandLine command =
      zelk::app::parseUsiCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (command.run) {
    case zelk::app::UsiRun::Help: std::cout << zelk::app::usiHelpText(); return 0;
    case zelk::app::UsiRun::Version: std::cout << zelk::app::versionText("zelk55-usi"); return 0;
    case zelk::app::UsiRun::Wrong: std::cerr << zelk::app::usageErrorText("zelk55-usi", command.wrong); return 2;
    case zelk::app::UsiRun::Bench: zelk::runBench(std::cout); return 0;
    case zelk::app::UsiRun::Protocol: break;
  }
  std::ios::sync_with_stdio(false);
  zelk::UsiEngine engine(std::cout);
  zelk::LineReader reader(std::cin);
  std::string line;
  while (reader.next(line)) {
    if (reader.lastWasCut()) engine.refuseLongLine(line);
    else if (!engine.handle(line)) break;
  }
  engine.handle("quit");
  return 0;
}
