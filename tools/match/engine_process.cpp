#include "engine_process.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace zelk::match {

namespace {

// A write to an engine that has died must fail with EPIPE, not end the whole match.
void ignoreBrokenPipes() {
  static std::once_flag once;
  std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

}  // namespace

EngineProcess::~EngineProcess() { kill(); }

bool EngineProcess::start(const std::string& command, std::string& error) {
  kill();
  ignoreBrokenPipes();
  // Close-on-exec on our ends, so engines started by other match threads never hold them open.
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  if (pipe2(out, O_CLOEXEC) != 0) {
    error = std::string("pipe: ") + std::strerror(errno);
    ::close(in[0]), ::close(in[1]);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);

  // The command as the shell reads it, so that it may set variables, quote or pipe; the
  // engine and the shell share a process group, which kill() ends whole.
  char sh[] = "sh", dashC[] = "-c";
  char* argv[] = {sh, dashC, const_cast<char*>(command.c_str()), nullptr};
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, "/bin/sh", &actions, &attr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  ::close(in[0]);
  ::close(out[1]);
  if (rc != 0) {
    error = std::string("cannot start the shell: ") + std::strerror(rc);
    ::close(in[1]), ::close(out[0]);
    return false;
  }
  pid_ = pid;
  toChild_ = in[1];
  fromChild_ = out[0];
  buffer_.clear();
  eof_ = false;
  return true;
}

bool EngineProcess::send(const std::string& line) {
  if (toChild_ < 0) return false;
  if (trace) trace("> " + line);
  const std::string data = line + "\n";
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(toChild_, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

EngineProcess::Read EngineProcess::readLine(std::string& line, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const std::size_t end = buffer_.find('\n');
    if (end != std::string::npos) {
      line = buffer_.substr(0, end);
      if (trace) trace("< " + line);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      buffer_.erase(0, end + 1);
      return Read::Line;
    }
    if (eof_ || fromChild_ < 0) return Read::Closed;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return Read::Timeout;
    pollfd p{fromChild_, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count() + 1, 1000 * 1000)));
    if (ready < 0 && errno != EINTR) return Read::Closed;
    if (ready <= 0) continue;
    char chunk[4096];
    const ssize_t n = ::read(fromChild_, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      eof_ = true;
      continue;
    }
    buffer_.append(chunk, static_cast<std::size_t>(n));
  }
}

bool EngineProcess::reaped(std::chrono::milliseconds wait) {
  const auto until = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const pid_t r = ::waitpid(pid_, nullptr, WNOHANG);
    if (r == pid_ || (r < 0 && errno == ECHILD)) return true;
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void EngineProcess::closePipes() {
  if (toChild_ >= 0) ::close(toChild_);
  if (fromChild_ >= 0) ::close(fromChild_);
  toChild_ = fromChild_ = -1;
}

void EngineProcess::kill() {
  if (pid_ > 0) {
    ::kill(-pid_, SIGKILL);  // the engine's own process group, started by us
    reaped(std::chrono::milliseconds(2000));
    pid_ = -1;
  }
  closePipes();
}

void EngineProcess::stop(std::chrono::milliseconds grace) {
  if (pid_ > 0) {
    send("quit");
    if (toChild_ >= 0) ::close(toChild_), toChild_ = -1;
    if (reaped(grace)) pid_ = -1;
  }
  kill();
}

}  // namespace zelk::match
