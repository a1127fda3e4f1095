// Where each argument of a register-convention call lies: the first three
// 32-bit arguments in EAX, EDX and ECX; every other one on the stack in
// declared order, the first at the highest address and the last directly
// above the return address, 8-byte values as two words, low word lower.
// The layouts are computed from the argument lists at compile time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kovo::host {

enum class Slot : unsigned char {
  Word,    // integer, pointer, object reference, host text: 4 bytes
  Double,  // amount or date-time: 8 bytes, never in a register
};

// Slot of each argument kind of kovolink_args.h.
inline constexpr Slot kSlotINT = Slot::Word;
inline constexpr Slot kSlotTEXT = Slot::Word;
inline constexpr Slot kSlotAMOUNT = Slot::Double;
inline constexpr Slot kSlotDATE = Slot::Double;

template <std::size_t N>
struct Layout {
  std::array<int, N> reg{};                 // 0 EAX, 1 EDX, 2 ECX; -1 on the stack
  std::array<std::uint32_t, N> offset{};   // from the lowest stack argument
  std::uint32_t stack_bytes = 0;
};

constexpr std::uint32_t slot_bytes(Slot slot) { return slot == Slot::Word ? 4 : 8; }

template <std::size_t N>
constexpr Layout<N> layout_of(const std::array<Slot, N>& slots) {
  Layout<N> layout{};
  int next_register = 0;
  for (std::size_t i = 0; i < N; ++i) {
    if (slots[i] == Slot::Word && next_register < 3) {
      layout.reg[i] = next_register++;
    } else {
      layout.reg[i] = -1;
      layout.stack_bytes += slot_bytes(slots[i]);
    }
  }
  std::uint32_t top = layout.stack_bytes;
  for (std::size_t i = 0; i < N; ++i) {
    if (layout.reg[i] < 0) {
      top -= slot_bytes(slots[i]);
      layout.offset[i] = top;
    }
  }
  return layout;
}

// What the thunk hands over: the three registers and the address of the
// lowest stack argument.
struct RegisterCall {
  std::uint32_t registers[3];
  const unsigned char* stack;

  template <std::size_t N>
  std::uint32_t word(const Layout<N>& layout, std::size_t index) const noexcept {
    if (layout.reg[index] >= 0) return registers[layout.reg[index]];
    std::uint32_t value;
    std::memcpy(&value, stack + layout.offset[index], sizeof value);
    return value;
  }

  template <std::size_t N>
  double real(const Layout<N>& layout, std::size_t index) const noexcept {
    double value;
    std::memcpy(&value, stack + layout.offset[index], sizeof value);
    return value;
  }
};

}  // namespace kovo::host
