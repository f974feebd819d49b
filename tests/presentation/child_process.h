#pragma once
// Runs part of a test in a child process, so that a fault which would end or stop the game
// (a fatal signal, an uncaught exception, an open that never returns) fails the test instead
// of ending or stopping the whole test run.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

namespace zelk::test {

struct ChildOutcome {
  bool finished = false;  // false: still running after the time allowed, then killed
  int code = -1;          // exit code when it exited
  int signal = 0;         // the signal that ended it, if one did
  bool exitedWith(int c) const { return finished && signal == 0 && code == c; }
};

// Runs `body` in a child process and waits at most `seconds` for it. The child's exit code is
// what `body` returns (101 for an exception that escaped it).
inline ChildOutcome runInChild(const std::function<int()>& body, double seconds = 20) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    int code = 101;
    try {
      code = body();
    } catch (...) {
    }
    std::fflush(nullptr);
    ::_exit(code);
  }
  ChildOutcome out;
  if (pid < 0) return out;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return out;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  out.finished = true;
  if (WIFEXITED(status)) out.code = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) out.signal = WTERMSIG(status);
  return out;
}

// The id of a process that has ended, as a save that was killed leaves in its file names.
inline pid_t endedProcessId() {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(0);
  if (pid > 0) ::waitpid(pid, nullptr, 0);
  return pid;
}

}  // namespace zelk::test
