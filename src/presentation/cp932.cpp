#include "presentation/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace zelk {

namespace {

// One conversion with glibc's converter; `lenient` replaces what cannot be converted.
std::optional<std::string> convert(const char* to, const char* from, std::string_view in, bool lenient) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char buffer[256];
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  bool ok = true;
  while (left > 0) {
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (!lenient) {
      ok = false;
      break;
    }
    out += "\xEF\xBF\xBD";  // U+FFFD for the byte that is no character
    ++src;
    --left;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::string> toCp932(std::string_view utf8) { return convert("CP932", "UTF-8", utf8, false); }

std::string fromCp932(std::string_view bytes) { return convert("UTF-8", "CP932", bytes, true).value_or(std::string()); }

}  // namespace zelk
