#include "app/start_folder.h"
#include "base/file_io.h"
#include "base/utf8_path.h"

#include <system_error>

namespace zelk::app {

namespace {

// Makes the folder and any missing parents; the ones made here are readable by the owner alone.
bool makeFolder(const std::filesystem::path& folder, std::error_code& ec) {
  if (std::filesystem::is_directory(folder, ec)) return true;
  if (std::filesystem::exists(folder, ec)) {
    ec = std::make_error_code(std::errc::not_a_directory);
    return false;
  }
  const std::filesystem::path parent = folder.parent_path();
  if (!parent.empty() && parent != folder && !makeFolder(parent, ec)) return false;
  const bool made = std::filesystem::create_directory(folder, ec);
  if (ec) return false;
  if (made) std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ec);
  return !ec;
}

}  // namespace

std::filesystem::path perUserFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome && *xdgDataHome) {
    const std::filesystem::path data(xdgDataHome);
    if (data.is_absolute()) return data / "zelk55";
  }
  if (home && *home) {
    const std::filesystem::path h(home);
    if (h.is_absolute()) return h / ".local" / "share" / "zelk55";
  }
  return {};
}

StartFolder chooseStartFolder(bool fromDesktop, const std::filesystem::path& perUser,
                              const std::filesystem::path& current) {
  if (!fromDesktop) return {current, {}};
  if (perUser.empty()) {
    return {current, "ファイルを置くフォルダが分かりません（HOME が設定されていません）。\n" + utf8Of(current) +
                         " を使います。"};
  }
  std::error_code ec;
  if (makeFolder(perUser, ec)) return {perUser, {}};
  return {current, "ファイルを置くフォルダ " + utf8Of(perUser) + " を作れません（" + systemErrorText(ec.value()) +
                       "）。\n" + utf8Of(current) + " を使います。"};
}

}  // namespace zelk::app
