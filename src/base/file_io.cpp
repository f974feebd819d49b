#include "base/file_io.h"
#include "base/utf8_path.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <string>
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
  return failure(path, what, systemErrorText(err));
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

// A write past the process's file-size limit then fails with EFBIG instead of raising the
// signal that would end the game. A handler someone else installed is left as it is.
void ignoreFileSizeSignal() {
  static const bool ignored = [] {
    struct sigaction now {};
    if (::sigaction(SIGXFSZ, nullptr, &now) == 0 && !(now.sa_flags & SA_SIGINFO) && now.sa_handler == SIG_DFL)
      ::signal(SIGXFSZ, SIG_IGN);
    return true;
  }();
  (void)ignored;
}

// The file a path finally names, following symbolic links (at most 40, as the system does);
// a path that names nothing yet is its own target.
bool followLinks(fs::path& target, int& err) {
  for (int hops = 0; hops <= 40; ++hops) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) {
      err = errno;
      return err == ENOENT;
    }
    if (!S_ISLNK(st.st_mode)) return true;
    std::error_code ec;
    const fs::path link = fs::read_symlink(target, ec);
    if (ec) {
      err = ec.value();
      return false;
    }
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  err = ELOOP;
  return false;
}

// Whether this user may replace the file. For root, who may write anything, a file whose
// owner may not write it is read-only all the same: that is what marking it read-only means.
bool mayWrite(const fs::path& file, const struct stat& st, int& err) {
  if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
    err = errno;
    return false;
  }
  if (::geteuid() == 0 && (st.st_mode & S_IWUSR) == 0) {
    err = EACCES;
    return false;
  }
  return true;
}

// The temporary a save writes beside its target: a name no other program gives a file, so that
// only what this game made is ever removed.
constexpr std::string_view kTemporaryMark = ".zelk55-saving-";

fs::path temporaryFor(const fs::path& target, pid_t pid) {
  fs::path temp = target;
  temp += std::string(kTemporaryMark) + std::to_string(pid);
  return temp;
}

// Removes what earlier saves of this file left when they were ended before their rename:
// "NAME.zelk55-saving-PID" of a process that is gone (or of this one, whose earlier save is
// over). Any other file beside the target is the user's and stays.
void removeStrayTemporaries(const fs::path& target) {
  const std::string prefix = target.filename().native() + std::string(kTemporaryMark);
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().native();
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 9 || digits[0] == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    const bool gone = pid == ::getpid() || (::kill(pid, 0) != 0 && errno == ESRCH);
    std::error_code kind;
    if (gone && it->symlink_status(kind).type() == fs::file_type::regular) {
      std::error_code removed;
      fs::remove(it->path(), removed);
    }
  }
}

// All of the bytes, however many calls the system takes for them.
bool writeAll(int fd, const std::string& bytes, int& err) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// The folder's entry of the renamed file reaches the disk as well.
void syncFolder(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string systemErrorText(int err) {
  switch (err) {
    case ENOENT: return "ファイルがありません";
    case EACCES:
    case EPERM: return "許可がありません";
    case EISDIR: return "フォルダです";
    case ENOTDIR: return "途中がフォルダではありません";
    case ENOSPC: return "ディスクに空きがありません";
    case EDQUOT: return "使える容量を超えました";
    case EROFS: return "読み取り専用の場所です";
    case EFBIG: return "ファイルが大きすぎます";
    case ENAMETOOLONG: return "名前が長すぎます";
    case ELOOP: return "リンクが多すぎます";
    case EEXIST: return "同じ名前があります";
    case EBUSY:
    case ETXTBSY: return "使用中です";
    case EIO: return "入出力エラーです";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    case ENOMEM: return "メモリが足りません";
    case EINVAL: return "使えない名前です";
    default: return "エラー番号 " + std::to_string(err);
  }
}

std::string displayName(const fs::path& path) { return utf8Of(path); }

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

FileResult writeFileAtomically(const fs::path& path, const std::string& bytes) {
  ignoreFileSizeSignal();
  fs::path target = path;
  int err = 0;
  if (!followLinks(target, err)) return failure(path, "作成できません", err);

  struct stat old {};
  const bool replacing = ::lstat(target.c_str(), &old) == 0;
  if (replacing) {
    if (S_ISDIR(old.st_mode)) return failure(path, "保存できません", EISDIR);
    if (!S_ISREG(old.st_mode)) return failure(path, "保存できません", "通常のファイルではありません");
    if (!mayWrite(target, old, err)) return failure(path, "書き込めません", err);
  }

  removeStrayTemporaries(target);
  const fs::path temp = temporaryFor(target, ::getpid());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return failure(path, "作成できません", errno);
  if (replacing) {
    ::fchmod(fd, old.st_mode & 0777);
    // Only root may give a file away; anyone may keep it in a group of theirs.
    if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd, old.st_uid, old.st_gid) != 0)
      (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  bool ok = writeAll(fd, bytes, err);
  if (ok && ::fsync(fd) != 0) ok = false, err = errno;
  if (::close(fd) != 0 && ok) ok = false, err = errno;
  if (!ok) {
    ::unlink(temp.c_str());
    return failure(path, "書き込めません", err);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    err = errno;
    ::unlink(temp.c_str());
    return failure(path, "保存できません", err);
  }
  syncFolder(target);
  FileResult r;
  r.ok = true;
  return r;
}

}  // namespace zelk
