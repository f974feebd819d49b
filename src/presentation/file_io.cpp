#include "presentation/file_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace zelk {

namespace {

FileResult failure(const std::filesystem::path& path, const std::string& what, int err) {
  FileResult r;
  r.error = displayName(path) + ": " + what + " (" + std::strerror(err) + ")";
  return r;
}

}  // namespace

std::string displayName(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

FileResult readWholeFile(const std::filesystem::path& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return failure(path, "開けません", errno);
  FileResult r;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) r.bytes.append(buf, n);
  const bool bad = std::ferror(f) != 0;
  const int err = errno;
  std::fclose(f);
  if (bad) return failure(path, "読み込めません", err);
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
