// The boundary library as a host sees it: loaded by file name, its exports
// found by name, called through the assembly routine with arguments placed
// by the host's rules, and the callbacks a host registers.
#pragma once

#include <csetjmp>
#include <cstdint>
#include <string>
#include <vector>

#include "host_call.h"

#define TEST_STDCALL __attribute__((stdcall))

// Arguments in declared order, placed as the register convention places
// them: the first three 32-bit ones in EAX, EDX, ECX, the rest pushed in
// order (8-byte values as two words, low word at the lower address).
class HostArguments {
 public:
  HostArguments& word(std::uint32_t value);
  HostArguments& integer(std::int32_t value) { return word(static_cast<std::uint32_t>(value)); }
  HostArguments& text(const char* value);
  HostArguments& real(double value);

  std::uint32_t registers[3] = {0, 0, 0};
  std::vector<std::uint32_t> pushes;  // in push order

 private:
  int used_registers_ = 0;
};

// The host's default x87 control word: 64-bit precision, round to nearest,
// invalid operation, zero divide and overflow unmasked.
inline constexpr std::uint16_t kDelphiControlWord = 0x1332;

std::uint32_t export_address(const char* name);

HostCallFrame call_export(const char* name, const HostArguments& arguments,
                          std::uint16_t x87_control = kDelphiControlWord);

// The failure a call raised instead of returning.
struct RaisedFailure {
  std::uint32_t code = 0;
  std::string message;
  std::uint16_t x87_control = 0;  // as the host's handler found it
};

// Runs the call with a raise hook registered that jumps back here; returns
// whether the call raised, filling `failure`.
bool call_export_expecting_failure(const char* name, const HostArguments& arguments,
                                   RaisedFailure& failure,
                                   std::uint16_t x87_control = kDelphiControlWord);

// Reports shown through the registered report hook.
struct ShownReport {
  std::string caption;
  std::string text;
};
void install_report_recorder();
std::vector<ShownReport>& shown_reports();
// Called inside the report hook, while the call that reports is running.
void set_report_observer(void (*observer)());

// The allocator a host registers, recording what goes through it.
void* TEST_STDCALL recording_allocate(std::int32_t size);
void TEST_STDCALL recording_free(void* block);
std::vector<void*>& allocated_blocks();
std::vector<void*>& freed_blocks();

// Calls an extra that takes its arguments in registers only.
HostCallFrame call_extra(const char* name, std::uint32_t eax = 0, std::uint32_t edx = 0);

inline std::uint32_t pointer_word(const void* pointer) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}
template <typename Function>
std::uint32_t function_word(Function* function) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(function));
}
