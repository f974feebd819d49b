// zelk55-usi: the rules and the computer player of Zelk ５五将棋 as a USI engine.
// "zelk55-usi bench" runs the benchmark and exits.

#include <iostream>
#include <string>

#include "engine/bench.h"
#include "engine/usi.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "bench") {
    zelk::runBench(std::cout);
    return 0;
  }
  zelk::UsiEngine engine(std::cout);
  std::string line;
  while (std::getline(std::cin, line))
    if (!engine.handle(line)) break;
  return 0;
}
