#include "host_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#ifndef KOVO_BOUNDARY_LIBRARY
#error "KOVO_BOUNDARY_LIBRARY names the library under test"
#endif

HostArguments& HostArguments::word(std::uint32_t value) {
  if (used_registers_ < 3) {
    registers[used_registers_++] = value;
  } else {
    pushes.push_back(value);
  }
  return *this;
}

HostArguments& HostArguments::text(const char* value) {
  return word(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value)));
}

HostArguments& HostArguments::real(double value) {
  std::uint32_t halves[2];
  std::memcpy(halves, &value, sizeof value);  // little-endian: low word first
  pushes.push_back(halves[1]);                // pushed first: the higher address
  pushes.push_back(halves[0]);
  return *this;
}

namespace {

void* library() {
  static void* handle = [] {
    void* opened = dlopen(KOVO_BOUNDARY_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!opened) throw std::runtime_error(std::string("dlopen: ") + dlerror());
    return opened;
  }();
  return handle;
}

std::jmp_buf* failure_jump = nullptr;
RaisedFailure* failure_record = nullptr;

void TEST_STDCALL on_failure(std::uint32_t code, const char* message, std::int32_t length) {
  failure_record->code = code;
  failure_record->message.assign(message, static_cast<std::size_t>(length));
  std::uint16_t control;
  asm volatile("fnstcw %0" : "=m"(control));
  failure_record->x87_control = control;
  std::longjmp(*failure_jump, 1);
}

std::vector<ShownReport> reports;
void (*report_observer)() = nullptr;

void TEST_STDCALL on_report(const char* caption, const char* text) {
  reports.push_back({caption, text});
  if (report_observer) report_observer();
}

std::vector<void*> allocated;
std::vector<void*> freed;

}  // namespace

std::uint32_t export_address(const char* name) {
  void* found = dlsym(library(), name);
  if (!found) throw std::runtime_error(std::string("no export ") + name);
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(found));
}

HostCallFrame call_export(const char* name, const HostArguments& arguments,
                          std::uint16_t x87_control) {
  HostCallFrame frame{};
  frame.function = export_address(name);
  frame.eax = arguments.registers[0];
  frame.edx = arguments.registers[1];
  frame.ecx = arguments.registers[2];
  frame.words = arguments.pushes.data();
  frame.word_count = static_cast<std::uint32_t>(arguments.pushes.size());
  frame.x87_control_in = x87_control;
  kovo_test_host_call(&frame);
  return frame;
}

bool call_export_expecting_failure(const char* name, const HostArguments& arguments,
                                   RaisedFailure& failure, std::uint16_t x87_control) {
  HostArguments hook;
  hook.word(function_word(&on_failure));
  call_export("kovo_definir_excecao", hook);

  std::uint16_t own_control;
  asm volatile("fnstcw %0" : "=m"(own_control));
  std::jmp_buf jump;
  failure_jump = &jump;
  failure_record = &failure;
  bool raised = false;
  if (setjmp(jump) == 0) {
    call_export(name, arguments, x87_control);
  } else {
    raised = true;
    // The jump skipped the routine's own restore of the test's x87 state.
    asm volatile("fnclex\n\tfldcw %0" : : "m"(own_control));
  }
  failure_jump = nullptr;
  failure_record = nullptr;
  call_export("kovo_definir_excecao", HostArguments().word(0));
  return raised;
}

void install_report_recorder() {
  reports.clear();
  report_observer = nullptr;
  call_extra("kovo_definir_relatorio_erro", function_word(&on_report));
}

std::vector<ShownReport>& shown_reports() { return reports; }
void set_report_observer(void (*observer)()) { report_observer = observer; }

void* TEST_STDCALL recording_allocate(std::int32_t size) {
  void* block = std::malloc(static_cast<std::size_t>(size));
  allocated.push_back(block);
  return block;
}

void TEST_STDCALL recording_free(void* block) {
  freed.push_back(block);
  std::free(block);
}

std::vector<void*>& allocated_blocks() { return allocated; }
std::vector<void*>& freed_blocks() { return freed; }

HostCallFrame call_extra(const char* name, std::uint32_t eax, std::uint32_t edx) {
  HostArguments arguments;
  arguments.word(eax).word(edx);
  return call_export(name, arguments);
}
