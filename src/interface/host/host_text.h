// The host's reference-counted texts: a pointer to the first of the text's
// single-byte characters, followed by one zero byte; the 4 bytes before them
// hold the length and the 4 before those the reference count. Nil is the
// empty text; a negative count marks a constant, never counted nor freed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kovo::host {

using HostText = const char*;

inline constexpr std::size_t kTextHeaderBytes = 8;

// The characters, read in place (never written). Nil reads as empty.
std::string_view text_view(HostText text) noexcept;

// Locked increment and decrement of the count, skipping nil and constants.
// Releasing the last reference frees the text through the shared allocator.
void retain_text(HostText text) noexcept;
void release_text(HostText text) noexcept;

// A new text with a count of 1, made through the shared allocator; nil for
// the empty text. Throws std::bad_alloc.
char* make_text(std::string_view characters);

// Takes a reference to each text given to it and gives them all back when it
// goes, whichever way the call ends.
template <std::size_t Capacity>
class BorrowedTexts {
 public:
  BorrowedTexts() = default;
  BorrowedTexts(const BorrowedTexts&) = delete;
  BorrowedTexts& operator=(const BorrowedTexts&) = delete;
  ~BorrowedTexts() {
    while (count_ > 0) release_text(texts_[--count_]);
  }

  std::string_view borrow(HostText text) noexcept {
    // Capacity is the number of text arguments, fixed at compile time.
    retain_text(text);
    texts_[count_++] = text;
    return text_view(text);
  }

 private:
  HostText texts_[Capacity > 0 ? Capacity : 1]{};
  std::size_t count_ = 0;
};

}  // namespace kovo::host
