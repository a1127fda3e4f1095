// The one allocator through which the library and its host make and free
// the texts they hand each other: the C runtime heap until the host
// registers its own routines (a Delphi host passes wrappers of GetMem and
// FreeMem), which it may do once, before the library has made any text.
#pragma once

#include <cstddef>
#include <cstdint>

// Routines the host hands the library are called with stdcall, which every
// host language can declare.
#if defined(__i386__)
#define KOVO_STDCALL __attribute__((stdcall))
#else
#define KOVO_STDCALL
#endif

namespace kovo::host {

using HostAllocate = void*(KOVO_STDCALL*)(std::int32_t size);
using HostFree = void(KOVO_STDCALL*)(void* block);

// Installs the host's routines. Refused (false) when either is null, when
// routines are already registered, or when a text has already been made
// with the C runtime heap, which the host could not free with its own.
bool register_text_allocator(HostAllocate allocate, HostFree release) noexcept;

// A block of `size` bytes; throws std::bad_alloc when none is given.
void* allocate_text_block(std::size_t size);
void free_text_block(void* block) noexcept;

}  // namespace kovo::host
