// Host texts as a register-convention host lays them out: count, length,
// characters, one zero byte; the pointer names the first character. Made
// here, by the test, not by the library under test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class HostTexts {
 public:
  HostTexts();
  ~HostTexts();
  HostTexts(const HostTexts&) = delete;
  HostTexts& operator=(const HostTexts&) = delete;

  // A counted text the test owns (freed when this goes).
  const char* make(std::string_view characters, std::int32_t count = 1);
  // A constant (count -1) in a read-only page: any write to its count or its
  // characters faults.
  const char* constant(std::string_view characters);

  static std::int32_t count(const char* text);
  static std::string characters(const char* text);  // checks the zero byte too

  static std::uint32_t word(const char* text) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(text));
  }

 private:
  std::vector<char*> blocks_;
  unsigned char* page_ = nullptr;
  std::size_t page_used_ = 0;
};

// Lays out a text with count `count` in `block` (8 + size + 1 bytes) and
// returns its pointer.
char* lay_out_host_text(void* block, std::string_view characters, std::int32_t count);
