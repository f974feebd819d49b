// A stand-in USI engine for the match runner's tests: it answers each "go" with the next reply
// from its command line, whatever the position.
//   fake_usi_engine [--name NAME] [--log FILE] [--cycle] REPLY...
// A REPLY is a move or "resign"/"win" (sent as "bestmove REPLY"), "@exit" (dies at once),
// "@silent" (never answers), "@sleep=MS:REPLY" (answers after MS), "@garbage" ("bestmove"
// with no move). With --cycle the replies start over when used up; without, the engine
// resigns. --log appends every line it receives to FILE.

#include <chrono>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv) {
  std::string name = "fake", logPath;
  bool cycle = false;
  std::vector<std::string> replies;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--name" && i + 1 < argc) name = argv[++i];
    else if (a == "--log" && i + 1 < argc) logPath = argv[++i];
    else if (a == "--cycle") cycle = true;
    else replies.push_back(a);
  }
  std::ofstream log;
  if (!logPath.empty()) log.open(logPath, std::ios::app);
  std::size_t next = 0;
  bool silent = false;
  for (std::string line; std::getline(std::cin, line);) {
    if (log) log << line << std::endl;
    if (line == "usi")
      std::cout << "id name " << name << "\noption name Skill Level type spin default 3 min 1 max 6\n"
                << "option name Book type check default false\nusiok" << std::endl;
    else if (line == "isready") std::cout << "readyok" << std::endl;
    else if (line == "quit") return 0;
    else if (line.rfind("go", 0) == 0 && !silent) {
      if (next == replies.size() && cycle) next = 0;
      std::string reply = next < replies.size() ? replies[next++] : "resign";
      if (reply.rfind("@sleep=", 0) == 0) {
        const std::size_t colon = reply.find(':');
        std::this_thread::sleep_for(std::chrono::milliseconds(std::stol(reply.substr(7, colon - 7))));
        reply = reply.substr(colon + 1);
      }
      if (reply == "@exit") return 3;
      if (reply == "@silent") silent = true;
      else if (reply == "@garbage") std::cout << "info string thinking hard\nbestmove" << std::endl;
      else std::cout << "info depth 1 score cp 12\nbestmove " << reply << std::endl;
    }
  }
  return 0;
}
