#pragma once
// Whole-file reads and safe whole-file writes for record, settings and sound files.

#include <cstdint>
#include <filesystem>
#include <string>

namespace zelk {

struct FileResult {
  bool ok = false;
  bool tooLarge = false;  // not read: larger than the bound its kind allows
  std::string bytes;      // what was read
  std::string error;      // the reason, naming the file, when not ok
};

// Reads the whole of a regular file of at most `limit` bytes. Anything else is not read: a
// folder, a pipe, a device (opening never waits on a pipe with no writer) or a larger file.
FileResult readWholeFile(const std::filesystem::path& path, std::uintmax_t limit);

// Writes the bytes to a temporary file beside the target and renames it over the target, so
// a failed or interrupted save never destroys the file that was there. A symbolic link is
// followed and the file it names is replaced; a file the user may not write, or one that is
// no regular file, is refused. The new file keeps the old one's permissions and owner.
// Temporary files this game left beside the target in an earlier save that never finished
// ("NAME.zelk55-saving-PID", PID a process that is gone) are removed; nothing else is.
// A file-size limit of the process makes the write fail, never ends the program.
FileResult writeFileAtomically(const std::filesystem::path& path, const std::string& bytes);

// What a system error number means, in the game's words; the number of one seldom met.
std::string systemErrorText(int err);

// The path as UTF-8 text, for messages.
std::string displayName(const std::filesystem::path& path);

}  // namespace zelk
