/* One call made the way a host compiled with the register convention makes
 * it, by the assembly routine in host_call.S: EAX, EDX and ECX loaded, the
 * stack words pushed in the order given (the first declared argument first,
 * so it ends at the highest address), the four registers the callee must
 * keep seeded with sentinels, and the host's x87 control word in force. The
 * routine records what came back. Shared by the routine and the tests. */
#ifndef KOVO_TEST_HOST_CALL_H
#define KOVO_TEST_HOST_CALL_H

#define HC_FUNCTION 0
#define HC_EAX 4
#define HC_EDX 8
#define HC_ECX 12
#define HC_WORDS 16
#define HC_WORD_COUNT 20
#define HC_X87_CONTROL_IN 24
#define HC_RESULT 28
#define HC_BYTES_REMOVED 32
#define HC_EBX_OUT 36
#define HC_ESI_OUT 40
#define HC_EDI_OUT 44
#define HC_EBP_OUT 48
#define HC_X87_CONTROL_OUT 52
#define HC_X87_STATUS_OUT 54
#define HC_EFLAGS_OUT 56
#define HC_SAVED_ESP 60
#define HC_ESP_AT_CALL 64
#define HC_OWN_X87_CONTROL 68
#define HC_SIZE 72

#define HC_SENTINEL_EBX 0xB0B1B2B3
#define HC_SENTINEL_ESI 0x51525354
#define HC_SENTINEL_EDI 0xD0D1D2D3
#define HC_SENTINEL_EBP 0xE0E1E2E3

#ifndef __ASSEMBLER__
#include <cstddef>
#include <cstdint>

struct HostCallFrame {
  std::uint32_t function;
  std::uint32_t eax, edx, ecx;
  const std::uint32_t* words;  // in push order
  std::uint32_t word_count;
  std::uint16_t x87_control_in;
  std::uint16_t unused;
  // What came back.
  std::uint32_t result;         // EAX
  std::uint32_t bytes_removed;  // ESP after the return minus ESP at the call
  std::uint32_t ebx, esi, edi, ebp;
  std::uint16_t x87_control_out;
  std::uint16_t x87_status_out;
  std::uint32_t eflags_out;
  // The routine's own bookkeeping.
  std::uint32_t saved_esp;
  std::uint32_t esp_at_call;
  std::uint16_t own_x87_control;
  std::uint16_t unused2;
};

static_assert(offsetof(HostCallFrame, words) == HC_WORDS);
static_assert(offsetof(HostCallFrame, x87_control_in) == HC_X87_CONTROL_IN);
static_assert(offsetof(HostCallFrame, result) == HC_RESULT);
static_assert(offsetof(HostCallFrame, ebp) == HC_EBP_OUT);
static_assert(offsetof(HostCallFrame, x87_control_out) == HC_X87_CONTROL_OUT);
static_assert(offsetof(HostCallFrame, eflags_out) == HC_EFLAGS_OUT);
static_assert(offsetof(HostCallFrame, esp_at_call) == HC_ESP_AT_CALL);
static_assert(offsetof(HostCallFrame, own_x87_control) == HC_OWN_X87_CONTROL);
static_assert(sizeof(HostCallFrame) == HC_SIZE);

extern "C" void kovo_test_host_call(HostCallFrame* frame);
#endif

#endif /* KOVO_TEST_HOST_CALL_H */
