// Fuzzes the record-file reader: any bytes must read without a crash, and every slot read
// must write back as a line of 130 characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/record_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zelk::RecordFile f = zelk::decodeRecordFile(std::string_view(reinterpret_cast<const char*>(data), size));
  for (const zelk::HistorySlot& s : f.records)
    if (zelk::recordLine(s).size() != 130) std::abort();
  zelk::encodeRecordFile(f);
  return 0;
}
