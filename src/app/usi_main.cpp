// zelk55-usi: the rules and the computer player of Zelk ５五将棋 as a USI engine.
// "zelk55-usi bench" runs the benchmark and exits.

#include <iostream>
#include <string>

#include "engine/bench.h"
#include "engine/line_reader.h"
#include "engine/usi.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "bench") {
    zelk::runBench(std::cout);
    return 0;
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
