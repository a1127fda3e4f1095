// The five exports of the host boundary.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "interface/host/host_abi.h"
#include "interface/host/host_arguments.h"
#include "interface/host/host_entry.h"
#include "interface/host/host_failure.h"
#include "interface/host/host_text.h"
#include "interface/host/x87_environment.h"
#include "operations.h"

namespace kovo::host {
namespace {

static_assert(kCupomLayout.stack_bytes == KOVO_STACK_BYTES_CUPOM);
static_assert(kCfopLayout.stack_bytes == KOVO_STACK_BYTES_CFOP);
static_assert(kContasNotasLayout.stack_bytes == KOVO_STACK_BYTES_CONTASNOTAS);
static_assert(kItensNotasLayout.stack_bytes == KOVO_STACK_BYTES_ITENSNOTAS);
static_assert(kNotasLayout.stack_bytes == KOVO_STACK_BYTES_NOTAS);

Connection* connection_of(std::uint32_t word) {
  return reinterpret_cast<Connection*>(static_cast<std::uintptr_t>(word));
}

// A database export: borrow the texts, fill the struct, run the operation
// (whose frame turns a database error into the report and the failure
// result) and give the texts back.
template <typename Args, std::size_t N, std::size_t Texts, typename Fill, typename Run>
std::uint32_t database_export(const RegisterCall& call, const Layout<N>& layout, Fill&& fill,
                              Run&& run) {
  return guarded([&]() -> std::uint32_t {
    X87Environment x87;
    BorrowedTexts<Texts> texts;
    ArgumentReader<N, Texts> reader(call, layout, texts);
    Connection* conexao = connection_of(reader.read_word());
    Args args;
    fill(reader, args);
    return run(conexao, args);
  });
}

}  // namespace
}  // namespace kovo::host

using namespace kovo;
using namespace kovo::host;

std::uint32_t kovo_host_incluir_cupom(KOVO_HOST_ENTRY_ARGS) {
  const RegisterCall call{{eax, edx, ecx}, stack};
  return database_export<CupomArgs, kCupomLayout.reg.size(), 0>(
      call, kCupomLayout,
      [](auto& reader, CupomArgs& args) { KOVO_CUPOM_ARGS(KOVO_HOST_READ) },
      [](Connection* conexao, const CupomArgs& args) -> std::uint32_t {
        return incluir_cupom(conexao, args) ? 1 : 0;
      });
}

std::uint32_t kovo_host_incluir_contasnotas(KOVO_HOST_ENTRY_ARGS) {
  const RegisterCall call{{eax, edx, ecx}, stack};
  return database_export<ContasNotasArgs, kContasNotasLayout.reg.size(), 0>(
      call, kContasNotasLayout,
      [](auto& reader, ContasNotasArgs& args) { KOVO_CONTASNOTAS_ARGS(KOVO_HOST_READ) },
      [](Connection* conexao, const ContasNotasArgs& args) -> std::uint32_t {
        return incluir_contasnotas(conexao, args) ? 1 : 0;
      });
}

std::uint32_t kovo_host_incluir_itensnotas(KOVO_HOST_ENTRY_ARGS) {
  const RegisterCall call{{eax, edx, ecx}, stack};
  return database_export<ItensNotasArgs, kItensNotasLayout.reg.size(), kItensNotasTexts>(
      call, kItensNotasLayout,
      [](auto& reader, ItensNotasArgs& args) { KOVO_ITENSNOTAS_ARGS(KOVO_HOST_READ) },
      [](Connection* conexao, const ItensNotasArgs& args) -> std::uint32_t {
        return incluir_itensnotas(conexao, args) ? 1 : 0;
      });
}

std::uint32_t kovo_host_incluir_notas(KOVO_HOST_ENTRY_ARGS) {
  const RegisterCall call{{eax, edx, ecx}, stack};
  return database_export<NotasArgs, kNotasLayout.reg.size(), kNotasTexts>(
      call, kNotasLayout, [](auto& reader, NotasArgs& args) { KOVO_NOTAS_ARGS(KOVO_HOST_READ) },
      [](Connection* conexao, const NotasArgs& args) -> std::uint32_t {
        return static_cast<std::uint32_t>(incluir_notas(conexao, args));
      });
}

std::uint32_t kovo_host_retorna_cfop_vendas(KOVO_HOST_ENTRY_ARGS) {
  const RegisterCall call{{eax, edx, ecx}, stack};
  return guarded([&]() -> std::uint32_t {
    X87Environment x87;
    BorrowedTexts<kCfopTexts> texts;
    ArgumentReader<kCfopArgumentCount, kCfopTexts> reader(call, kCfopLayout, texts);
    CfopArgs args;
    args.tipoempresa = reader.read_TEXT();
    reader.read_word();  // accepted and ignored
    args.uforigem = reader.read_TEXT();
    args.ufdestino = reader.read_TEXT();
    args.sittrib = reader.read_TEXT();
    args.naocontribuinte = reader.read_TEXT();
    args.sufixo1 = reader.read_TEXT();
    args.sufixo2 = reader.read_TEXT();
    auto* variable = reinterpret_cast<char**>(static_cast<std::uintptr_t>(reader.read_word()));
    if (!variable) throw std::invalid_argument("kovo_retorna_cfop_vendas: nil result variable");

    // The new text exists before the old one goes: a failure to make it
    // leaves the host's variable as it was. The old text may also be one of
    // the arguments; the borrow keeps it alive until the call ends.
    char* fresh = make_text(retorna_cfop_vendas(args));
    char* old = *variable;
    *variable = fresh;
    release_text(old);
    return 0;
  });
}
