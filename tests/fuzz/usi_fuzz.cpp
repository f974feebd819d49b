// Fuzzes the engine's protocol with any command lines: positions from any text, moves, perft
// and the computer's choice must never crash or hang. Every go is stopped at once, so the
// searching levels start, stop and answer without thinking for seconds.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "usi/usi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ostringstream out;
  zelk::UsiEngine engine(out);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    // Deep perft and the benchmark are slow by design, not faults.
    if (line.find("perft") != std::string_view::npos) line = "go perft 2";
    if (line.find("bench") == std::string_view::npos && !engine.handle(line)) break;
    if (line.find("go") != std::string_view::npos) engine.handle("stop");
    start = end + 1;
  }
  engine.handle("go");
  engine.handle("stop");
  return 0;
}
