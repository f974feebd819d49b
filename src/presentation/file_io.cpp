#include "presentation/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace zelk {

namespace {

namespace fs = std::filesystem;

FileResult failure(const fs::path& path, const std::string& what, const std::string& why) {
  FileResult r;
  r.error = displayName(path) + ": " + what + (why.empty() ? "" : " (" + why + ")");
  return r;
}

FileResult failure(const fs::path& path, const std::string& what, int err) {
  return failure(path, what, std::strerror(err));
}

FileResult notRegular(const fs::path& path, const struct stat& st) {
  return S_ISDIR(st.st_mode) ? failure(path, "読み込めません", EISDIR)
                             : failure(path, "読み込めません", "通常のファイルではありません");
}

// Closes the descriptor when it goes out of scope.
struct Descriptor {
  int fd = -1;
  explicit Descriptor(int fd) : fd(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

std::string displayName(const fs::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

FileResult readWholeFile(const fs::path& path, std::uintmax_t limit) {
  // Looked at before it is opened, so that no device is ever opened; looked at again once
  // open, in case the name was meanwhile given to something else.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return failure(path, "開けません", errno);
  if (!S_ISREG(st.st_mode)) return notRegular(path, st);
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.fd < 0) return failure(path, "開けません", errno);
  if (::fstat(file.fd, &st) != 0) return failure(path, "読み込めません", errno);
  if (!S_ISREG(st.st_mode)) return notRegular(path, st);

  FileResult r;
  const auto tooLarge = [&] {
    FileResult big = failure(path, "読み込めません", "大きすぎます");
    big.tooLarge = true;
    return big;
  };
  if (static_cast<std::uintmax_t>(st.st_size) > limit) return tooLarge();
  r.bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(file.fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return failure(path, "読み込めません", errno);
    }
    if (n == 0) break;
    if (r.bytes.size() + static_cast<std::size_t>(n) > limit) return tooLarge();  // it grew while read
    r.bytes.append(buf, static_cast<std::size_t>(n));
  }
  r.ok = true;
  return r;
}

FileResult writeFileAtomically(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::path temp = path;
  temp += ".tmp" + std::to_string(::getpid());
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return failure(path, "作成できません", errno);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  int err = errno;
  const bool flushed = written && std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
  if (written && !flushed) err = errno;
  const bool closed = std::fclose(f) == 0;
  if (!written || !flushed || !closed) {
    if (written && flushed) err = errno;
    std::remove(temp.c_str());
    return failure(path, "書き込めません", err);
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    err = errno;
    std::remove(temp.c_str());
    return failure(path, "保存できません", err);
  }
  FileResult r;
  r.ok = true;
  return r;
}

}  // namespace zelk
