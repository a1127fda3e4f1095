// The host-facing extras after the five exports, in the same convention:
// the shared text allocator, connections by target text with their
// transaction, the error report and failure hooks, and text release.
#include <cstdint>
#include <memory>

#include "interface/call_frame.h"
#include "interface/error_report.h"
#include "interface/host/host_entry.h"
#include "interface/host/host_failure.h"
#include "interface/host/host_text.h"
#include "interface/host/text_allocator.h"
#include "interface/host/x87_environment.h"
#include "sql/connection.h"
#include "sql/database_error.h"

namespace kovo::host {
namespace {

template <typename T>
T from_word(std::uint32_t word) {
  return reinterpret_cast<T>(static_cast<std::uintptr_t>(word));
}

std::uint32_t to_word(const void* pointer) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

Connection& existing(Connection* connection) {
  if (!connection) throw DatabaseError("SQLConnection property required for this operation");
  return *connection;
}

// Database failures of the extras are reported like those of the exports.
template <typename Body>
std::uint32_t reported(std::uint32_t failure, Body&& body) {
  return guarded([&]() -> std::uint32_t {
    X87Environment x87;
    return run_in_call_frame(kTagQuorbis, failure, body);
  });
}

using HostReportHook = void(KOVO_STDCALL*)(const char* caption, const char* text);

void forward_report(void* context, const char* caption, const char* text) {
  from_word<HostReportHook>(to_word(context))(caption, text);
}

}  // namespace
}  // namespace kovo::host

using namespace kovo;
using namespace kovo::host;

// EAX allocate, EDX free; Boolean: whether the routines were taken.
std::uint32_t kovo_host_definir_alocador(KOVO_HOST_ENTRY_ARGS) {
  (void)ecx;
  (void)stack;
  return register_text_allocator(from_word<HostAllocate>(eax), from_word<HostFree>(edx)) ? 1 : 0;
}

// EAX target text ("sqlite:...", "firebird:..."); the connection, or nil
// after a reported database error.
std::uint32_t kovo_host_abrir_conexao(KOVO_HOST_ENTRY_ARGS) {
  (void)edx;
  (void)ecx;
  (void)stack;
  return reported(0, [&]() -> std::uint32_t {
    BorrowedTexts<1> texts;
    const std::string_view target = texts.borrow(from_word<HostText>(eax));
    return to_word(open_connection(target).release());
  });
}

// EAX connection; Boolean: closed without a database error. The connection
// is gone either way; nil is ignored.
std::uint32_t kovo_host_fechar_conexao(KOVO_HOST_ENTRY_ARGS) {
  (void)edx;
  (void)ecx;
  (void)stack;
  return reported(0, [&]() -> std::uint32_t {
    const std::unique_ptr<Connection> connection(from_word<Connection*>(eax));
    if (connection) connection->close();
    return 1;
  });
}

// EAX connection; Boolean each.
std::uint32_t kovo_host_iniciar_transacao(KOVO_HOST_ENTRY_ARGS) {
  (void)edx;
  (void)ecx;
  (void)stack;
  return reported(0, [&]() -> std::uint32_t {
    existing(from_word<Connection*>(eax)).begin();
    return 1;
  });
}

std::uint32_t kovo_host_confirmar_transacao(KOVO_HOST_ENTRY_ARGS) {
  (void)edx;
  (void)ecx;
  (void)stack;
  return reported(0, [&]() -> std::uint32_t {
    existing(from_word<Connection*>(eax)).commit();
    return 1;
  });
}

std::uint32_t kovo_host_desfazer_transacao(KOVO_HOST_ENTRY_ARGS) {
  (void)edx;
  (void)ecx;
  (void)stack;
  return reported(0, [&]() -> std::uint32_t {
    existing(from_word<Connection*>(eax)).rollback();
    return 1;
  });
}

// EAX: stdcall procedure(Caption, Text: PAnsiChar) showing a report and
// returning when it is dealt with; nil restores the platform's dialog.
std::uint32_t kovo_host_definir_relatorio_erro(KOVO_HOST_ENTRY_ARGS) {
  (void)edx;
  (void)ecx;
  (void)stack;
  if (eax) {
    set_error_report_hook(&forward_report, from_word<void*>(eax));
  } else {
    set_error_report_hook(nullptr, nullptr);
  }
  return 0;
}

// EAX: stdcall procedure(Code: Cardinal; Message: PAnsiChar; Length:
// Integer) that receives failures other than database errors and does not
// return; nil restores the platform's mechanism.
std::uint32_t kovo_host_definir_excecao(KOVO_HOST_ENTRY_ARGS) {
  (void)edx;
  (void)ecx;
  (void)stack;
  set_raise_hook(from_word<RaiseHook>(eax));
  return 0;
}

// EAX text: gives back one reference, freeing the text with the last.
std::uint32_t kovo_host_liberar_texto(KOVO_HOST_ENTRY_ARGS) {
  (void)edx;
  (void)ecx;
  (void)stack;
  release_text(from_word<HostText>(eax));
  return 0;
}
