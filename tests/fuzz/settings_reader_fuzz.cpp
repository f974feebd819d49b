// Fuzzes the settings-file reader: any bytes must read without a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zelk::SettingsLines r = zelk::parseSettings(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const auto& [key, value] : r.lines) zelk::backgroundKind(value);
  return 0;
}
