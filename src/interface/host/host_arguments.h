// Fills the operations' argument structs from a register-convention call,
// with one layout per export generated from the argument lists of
// kovolink_args.h (behind the connection, which comes first).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "args.h"
#include "interface/host/host_text.h"
#include "interface/host/stack_view.h"

namespace kovo::host {

inline constexpr std::size_t kIsTextINT = 0;
inline constexpr std::size_t kIsTextTEXT = 1;
inline constexpr std::size_t kIsTextAMOUNT = 0;
inline constexpr std::size_t kIsTextDATE = 0;

#define KOVO_HOST_SLOT(kind, name) kSlot##kind,
#define KOVO_HOST_COUNT(kind, name) +1
#define KOVO_HOST_COUNT_TEXT(kind, name) +kIsText##kind

// Connection first, then the operation's own arguments.
#define KOVO_HOST_DATABASE_LAYOUT(LIST)                                          \
  layout_of(std::array<Slot, 1 LIST(KOVO_HOST_COUNT)>{Slot::Word, LIST(KOVO_HOST_SLOT)})

inline constexpr auto kNotasLayout = KOVO_HOST_DATABASE_LAYOUT(KOVO_NOTAS_ARGS);
inline constexpr auto kItensNotasLayout = KOVO_HOST_DATABASE_LAYOUT(KOVO_ITENSNOTAS_ARGS);
inline constexpr auto kContasNotasLayout = KOVO_HOST_DATABASE_LAYOUT(KOVO_CONTASNOTAS_ARGS);
inline constexpr auto kCupomLayout = KOVO_HOST_DATABASE_LAYOUT(KOVO_CUPOM_ARGS);

inline constexpr std::size_t kNotasTexts = 0 KOVO_NOTAS_ARGS(KOVO_HOST_COUNT_TEXT);
inline constexpr std::size_t kItensNotasTexts = 0 KOVO_ITENSNOTAS_ARGS(KOVO_HOST_COUNT_TEXT);
inline constexpr std::size_t kCfopTexts = 0 KOVO_CFOP_ARGS(KOVO_HOST_COUNT_TEXT);

// The CFOP export: tipoempresa, an ignored pointer-sized value, the other
// texts of the list, and last the address of the host's result variable.
inline constexpr std::size_t kCfopArgumentCount = 0 KOVO_CFOP_ARGS(KOVO_HOST_COUNT) + 2;
inline constexpr auto kCfopLayout = [] {
  std::array<Slot, kCfopArgumentCount> slots{};
  slots.fill(Slot::Word);  // every argument is 32 bits wide
  return layout_of(slots);
}();
static_assert(kCfopTexts + 2 == kCfopArgumentCount, "the CFOP arguments are all texts");

// Reads the arguments one after the other, in declared order, borrowing each
// text into `texts`.
template <std::size_t N, std::size_t Texts>
class ArgumentReader {
 public:
  ArgumentReader(const RegisterCall& call, const Layout<N>& layout, BorrowedTexts<Texts>& texts)
      : call_(call), layout_(layout), texts_(texts) {}

  std::uint32_t read_word() noexcept { return call_.word(layout_, next_++); }
  std::int32_t read_INT() noexcept { return static_cast<std::int32_t>(read_word()); }
  std::string_view read_TEXT() noexcept {
    return texts_.borrow(reinterpret_cast<HostText>(static_cast<std::uintptr_t>(read_word())));
  }
  double read_AMOUNT() noexcept { return call_.real(layout_, next_++); }
  double read_DATE() noexcept { return call_.real(layout_, next_++); }

 private:
  const RegisterCall& call_;
  const Layout<N>& layout_;
  BorrowedTexts<Texts>& texts_;
  std::size_t next_ = 0;
};

#define KOVO_HOST_READ(kind, name) args.name = reader.read_##kind();

}  // namespace kovo::host
