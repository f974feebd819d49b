#pragma once
// Whole-file reads and safe whole-file writes for record and settings files.

#include <filesystem>
#include <string>

namespace zelk {

struct FileResult {
  bool ok = false;
  std::string bytes;  // what was read
  std::string error;  // the reason, naming the file, when not ok
};

// Reads the whole file.
FileResult readWholeFile(const std::filesystem::path& path);

// Writes the bytes to a temporary file beside the target and renames it over the target, so
// a failed or interrupted save never destroys the file that was there.
FileResult writeFileAtomically(const std::filesystem::path& path, const std::string& bytes);

// The path as UTF-8 text, for messages.
std::string displayName(const std::filesystem::path& path);

}  // namespace zelk
