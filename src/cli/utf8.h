// Reading and writing single UTF-8 characters, for the JSON reader and the
// Windows-1252 conversion.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kovo {

// The character starting at `pos` of `text` (pos < text.size()).
struct Utf8Char {
  enum class Fault {
    none,
    bad_lead,      // a byte that cannot start a character
    truncated,     // the text ends inside the character
    bad_sequence,  // a bad continuation byte, an overlong form, a surrogate
                   // or a value past U+10FFFF
  };
  char32_t code_point = 0;
  std::size_t length = 0;  // bytes taken; 0 when `fault` is set
  Fault fault = Fault::none;
};

Utf8Char decode_utf8(std::string_view text, std::size_t pos);

// Appends the UTF-8 encoding of `cp` (at most U+10FFFF, not a surrogate).
void append_utf8(std::string& out, char32_t cp);

}  // namespace kovo
