#include "app/data_files.h"

#include <system_error>

#include "play/form1_controller.h"
#include "presentation/sound.h"
#include "base/utf8_path.h"

namespace zelk::app {

namespace {}  // namespace

std::filesystem::path programFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe.parent_path();
}

std::vector<std::filesystem::path> dataFolders(const std::filesystem::path& start, const std::filesystem::path& program,
                                               const std::filesystem::path& installed) {
  std::vector<std::filesystem::path> folders{start};
  if (!program.empty()) {
    folders.push_back(program);
    folders.push_back((program / ".." / "share" / "zelk55").lexically_normal());
  }
  folders.push_back(installed);
  return folders;
}

DataFileReport reportDataFiles(const std::filesystem::path& start, const std::vector<std::filesystem::path>& folders) {
  DataFileReport report;
  report.complete = true;
  report.text = "start folder: " + utf8Of(start) + "\n";
  auto line = [&](std::string_view name, const std::filesystem::path& found) {
    std::error_code ec;
    const bool there = !found.empty() && std::filesystem::is_regular_file(found, ec);
    report.text += std::string(name) + ": " + (there ? utf8Of(found) : "not found") + "\n";
    report.complete = report.complete && there;
  };
  for (std::string_view name : kSoundFiles) line(name, findFile(name, folders));
  line(kHelpPage, helpPage(folders, start));
  return report;
}

}  // namespace zelk::app
