#pragma once
// The Japanese ANSI code page (932) that record and settings files are written in.

#include <optional>
#include <string>
#include <string_view>

namespace zelk {

// UTF-8 to code page 932; nullopt when some character has no code page 932 form.
std::optional<std::string> toCp932(std::string_view utf8);

// Code page 932 to UTF-8; a byte sequence that is not code page 932 becomes U+FFFD.
std::string fromCp932(std::string_view bytes);

// Code page 932 to UTF-8; nullopt when some byte sequence is not code page 932.
std::optional<std::string> fromCp932Exactly(std::string_view bytes);

}  // namespace zelk
