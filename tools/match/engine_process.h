#pragma once
// A program started from a command line, spoken to line by line over its standard input and
// output. Runs in its own process group so that a hung engine and anything it started can be
// stopped together.

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>

namespace zelk::match {

class EngineProcess {
public:
  enum class Read { Line, Timeout, Closed };

  EngineProcess() = default;
  EngineProcess(const EngineProcess&) = delete;
  EngineProcess& operator=(const EngineProcess&) = delete;
  ~EngineProcess();

  // Starts `/bin/sh -c "exec <command>"` with its stderr thrown away; false with a reason
  // when the shell cannot be started (a command that does not exist shows as Closed later).
  bool start(const std::string& command, std::string& error);

  // Writes one line; false when the program has closed its input (it has died).
  bool send(const std::string& line);

  // Reads the next line (without its end) until the deadline.
  Read readLine(std::string& line, std::chrono::steady_clock::time_point deadline);

  // Asks nothing: kills the process group at once and reaps the process.
  void kill();

  // Sends "quit", waits up to `grace` for the program to leave, then kills it.
  void stop(std::chrono::milliseconds grace);

  bool running() const { return pid_ > 0; }

  // When set, sees every line sent ("> " first) and received ("< " first).
  std::function<void(const std::string&)> trace;

private:
  bool reaped(std::chrono::milliseconds wait);
  void closePipes();

  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  std::string buffer_;
  bool eof_ = false;
};

}  // namespace zelk::match
