#include "base/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace zelk {

namespace {

// One of glibc's converters, opened once for the thread that uses it and closed with it:
// opening one costs far more than converting a line.
struct Converter {
  iconv_t cd;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (ok()) iconv_close(cd);
  }
  bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

// Whether every byte is ASCII, which both encodings write alike.
bool isAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// One conversion; `lenient` replaces what cannot be converted.
std::optional<std::string> convert(Converter& converter, std::string_view in, bool lenient) {
  if (isAscii(in)) return std::string(in);
  if (!converter.ok()) return std::nullopt;
  iconv_t cd = converter.cd;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  std::string out;
  char buffer[256];
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  while (left > 0) {
    char* dst = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (r != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    if (!lenient) return std::nullopt;
    out += "\xEF\xBF\xBD";  // U+FFFD for the byte that is no character
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    ++src;
    --left;
  }
  return out;
}

}  // namespace

std::optional<std::string> toCp932(std::string_view utf8) {
  thread_local Converter converter("CP932", "UTF-8");
  return convert(converter, utf8, false);
}

std::string fromCp932(std::string_view bytes) {
  thread_local Converter converter("UTF-8", "CP932");
  return convert(converter, bytes, true).value_or(std::string());
}

std::optional<std::string> fromCp932Exactly(std::string_view bytes) {
  thread_local Converter converter("UTF-8", "CP932");
  return convert(converter, bytes, false);
}

}  // namespace zelk
