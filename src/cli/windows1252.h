// Windows-1252, the single-byte code page of the library's texts, to and
// from UTF-8, the encoding of JSON files, terminals and the trace.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kovo {

// Appends the Windows-1252 bytes of `utf8` to `out`. Returns the first
// character that Windows-1252 cannot hold (U+FFFD for a byte sequence that
// is not UTF-8), or nothing when every character was converted. The five
// bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// stand for the C1 controls of the same number, as Windows maps them.
std::optional<char32_t> utf8_to_windows1252(std::string_view utf8, std::string& out);

// The UTF-8 text of Windows-1252 bytes; every byte has a character.
std::string windows1252_to_utf8(std::string_view bytes);

// "U+00E7" style name of a character, for messages.
std::string code_point_name(char32_t cp);

}  // namespace kovo
