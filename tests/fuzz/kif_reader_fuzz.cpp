// Fuzzes the KIF reader: any bytes must read without a crash, and a record it accepts must
// write as KIF that reads back as the same game, and go through the history's slots unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/kif_read.h"
#include "formats/kif_write.h"
#include "formats/record_formats.h"
#include "formats/record_slots.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const zelk::KifText text = zelk::kifText(bytes);
  if (!text.ok()) return 0;
  const zelk::KifRead read = zelk::readKif(text.text);
  if (!read.ok()) return 0;
  const zelk::GameRecord& r = read.record;
  const zelk::KifRead again = zelk::readKif(zelk::writeKif(r));
  if (!again.ok() || again.record.start != r.start || again.record.moves != r.moves || again.record.end != r.end)
    std::abort();
  if (zelk::slotsOf(r).size() != r.moves.size() + 1) std::abort();
  zelk::encodeRecord(r, zelk::RecordFormat::Kif);
  zelk::encodeRecord(r, zelk::RecordFormat::Sfen);
  return 0;
}
