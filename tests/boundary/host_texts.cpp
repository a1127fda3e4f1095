#include "host_texts.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {
constexpr std::size_t kPageBytes = 4096;
}

char* lay_out_host_text(void* block, std::string_view characters, std::int32_t count) {
  auto* bytes = static_cast<char*>(block);
  const auto length = static_cast<std::int32_t>(characters.size());
  std::memcpy(bytes, &count, 4);
  std::memcpy(bytes + 4, &length, 4);
  std::memcpy(bytes + 8, characters.data(), characters.size());
  bytes[8 + characters.size()] = '\0';
  return bytes + 8;
}

HostTexts::HostTexts() {
  void* page = mmap(nullptr, kPageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (page == MAP_FAILED) throw std::runtime_error("mmap failed");
  page_ = static_cast<unsigned char*>(page);
}

HostTexts::~HostTexts() {
  for (char* block : blocks_) std::free(block);
  munmap(page_, kPageBytes);
}

const char* HostTexts::make(std::string_view characters, std::int32_t count) {
  char* block = static_cast<char*>(std::malloc(8 + characters.size() + 1));
  if (!block) throw std::bad_alloc();
  blocks_.push_back(block);
  return lay_out_host_text(block, characters, count);
}

const char* HostTexts::constant(std::string_view characters) {
  const std::size_t need = (8 + characters.size() + 1 + 3) & ~std::size_t{3};
  if (page_used_ + need > kPageBytes) throw std::runtime_error("constant page full");
  // Writable while it is laid out, read-only from then on.
  mprotect(page_, kPageBytes, PROT_READ | PROT_WRITE);
  char* text = lay_out_host_text(page_ + page_used_, characters, -1);
  page_used_ += need;
  mprotect(page_, kPageBytes, PROT_READ);
  return text;
}

std::int32_t HostTexts::count(const char* text) {
  std::int32_t value;
  std::memcpy(&value, text - 8, 4);
  return value;
}

std::string HostTexts::characters(const char* text) {
  if (!text) return {};
  std::int32_t length;
  std::memcpy(&length, text - 4, 4);
  if (length < 0 || text[length] != '\0') throw std::runtime_error("malformed host text");
  return std::string(text, static_cast<std::size_t>(length));
}
