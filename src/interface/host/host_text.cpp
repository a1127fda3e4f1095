#include "interface/host/host_text.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "interface/host/text_allocator.h"

namespace kovo::host {
namespace {

// The count and the length sit just before the characters.
std::int32_t* count_of(HostText text) noexcept {
  return reinterpret_cast<std::int32_t*>(const_cast<char*>(text) - kTextHeaderBytes);
}

std::int32_t length_of(HostText text) noexcept {
  std::int32_t length;
  std::memcpy(&length, text - 4, sizeof length);
  return length;
}

bool counted(HostText text) noexcept {
  return text && __atomic_load_n(count_of(text), __ATOMIC_RELAXED) >= 0;
}

}  // namespace

std::string_view text_view(HostText text) noexcept {
  if (!text) return {};
  const std::int32_t length = length_of(text);
  return {text, length > 0 ? static_cast<std::size_t>(length) : 0};
}

void retain_text(HostText text) noexcept {
  if (counted(text)) __atomic_add_fetch(count_of(text), 1, __ATOMIC_SEQ_CST);
}

void release_text(HostText text) noexcept {
  if (!counted(text)) return;
  if (__atomic_sub_fetch(count_of(text), 1, __ATOMIC_SEQ_CST) == 0) {
    free_text_block(const_cast<char*>(text) - kTextHeaderBytes);
  }
}

char* make_text(std::string_view characters) {
  if (characters.empty()) return nullptr;
  if (characters.size() > static_cast<std::size_t>(INT32_MAX) - kTextHeaderBytes - 1) {
    throw std::bad_alloc();
  }
  const auto length = static_cast<std::int32_t>(characters.size());
  auto* block = static_cast<char*>(allocate_text_block(kTextHeaderBytes + characters.size() + 1));
  const std::int32_t count = 1;
  std::memcpy(block, &count, 4);
  std::memcpy(block + 4, &length, 4);
  char* text = block + kTextHeaderBytes;
  std::memcpy(text, characters.data(), characters.size());
  text[characters.size()] = '\0';
  return text;
}

}  // namespace kovo::host
