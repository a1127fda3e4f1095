#include "cli/windows1252.h"

#include <array>
#include <cstdint>

#include "cli/utf8.h"

namespace kovo {
namespace {

// The characters of bytes 0x80 to 0x9F; the rest of the code page is
// Latin-1, byte value = code point.
constexpr std::array<char16_t, 32> kHigh{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<unsigned char> byte_of(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

// What a byte sequence that is not UTF-8 is reported as.
constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::optional<char32_t> utf8_to_windows1252(std::string_view utf8, std::string& out) {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const Utf8Char c = decode_utf8(utf8, pos);
    if (c.fault != Utf8Char::Fault::none) return kReplacement;
    const auto byte = byte_of(c.code_point);
    if (!byte) return c.code_point;
    out += static_cast<char>(*byte);
    pos += c.length;
  }
  return std::nullopt;
}

std::string windows1252_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    append_utf8(out, byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80u] : char32_t{byte});
  }
  return out;
}

std::string code_point_name(char32_t cp) {
  static const char hex[] = "0123456789ABCDEF";
  std::string digits;
  for (char32_t rest = cp; rest != 0 || digits.size() < 4; rest >>= 4) {
    digits.insert(digits.begin(), hex[rest & 0xF]);
  }
  return "U+" + digits;
}

}  // namespace kovo
