// The C++ side of the assembly thunks: each export's thunk calls its entry
// with the three argument registers and the address of the lowest stack
// argument, then removes the stack arguments itself.
#pragma once

#include <cstdint>

#if defined(__ELF__)
#define KOVO_HOST_ENTRY extern "C" __attribute__((cdecl, visibility("hidden")))
#else
#define KOVO_HOST_ENTRY extern "C" __attribute__((cdecl))
#endif

#define KOVO_HOST_ENTRY_ARGS \
  std::uint32_t eax, std::uint32_t edx, std::uint32_t ecx, const unsigned char* stack

KOVO_HOST_ENTRY std::uint32_t kovo_host_incluir_cupom(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_retorna_cfop_vendas(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_incluir_contasnotas(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_incluir_itensnotas(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_incluir_notas(KOVO_HOST_ENTRY_ARGS);

KOVO_HOST_ENTRY std::uint32_t kovo_host_definir_alocador(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_abrir_conexao(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_fechar_conexao(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_iniciar_transacao(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_confirmar_transacao(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_desfazer_transacao(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_definir_relatorio_erro(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_definir_excecao(KOVO_HOST_ENTRY_ARGS);
KOVO_HOST_ENTRY std::uint32_t kovo_host_liberar_texto(KOVO_HOST_ENTRY_ARGS);
