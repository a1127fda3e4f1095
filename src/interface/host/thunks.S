/* The exports in the host's register convention. Each thunk hands the three
 * argument registers and the address of its stack arguments to its C++
 * entry (cdecl, which keeps EBX, ESI, EDI and EBP as the host expects), and
 * removes the stack arguments itself on return. The result comes back in
 * EAX, a Boolean in AL.
 *
 * Stack at entry: [esp] return address, [esp+4] the last declared stack
 * argument ... up to the first one at the highest address. */
#include "interface/host/host_abi.h"

/* C names carry a leading underscore in 32-bit Windows objects. */
#ifdef _WIN32
#define SYM(name) _##name
#else
#define SYM(name) name
#endif

#ifdef __ELF__
#define BEGIN_FUNCTION(s) .globl s; .type s, @function; .p2align 4; s:
#define END_FUNCTION(s) .size s, . - s
#else
#define BEGIN_FUNCTION(s) .globl s; .def s; .scl 2; .type 32; .endef; .p2align 4; s:
#define END_FUNCTION(s)
#endif

/* The entry is called with the stack aligned to 16 bytes, as the System V
 * ABI wants; a host keeps only 4. */
#define THUNK(name, bytes)                                                  \
  BEGIN_FUNCTION(SYM(kovo_##name))                                          \
  pushl %ebp;                                                               \
  movl %esp, %ebp;                                                          \
  andl $-16, %esp;                                                          \
  pushl %ebp;                                                               \
  addl $8, (%esp);                                                          \
  pushl %ecx;                                                               \
  pushl %edx;                                                               \
  pushl %eax;                                                               \
  call SYM(kovo_host_##name);                                               \
  movl %ebp, %esp;                                                          \
  popl %ebp;                                                                \
  ret $(bytes);                                                             \
  END_FUNCTION(SYM(kovo_##name))

  .text

/* The five exports. */
THUNK(incluir_cupom, KOVO_STACK_BYTES_CUPOM)
THUNK(retorna_cfop_vendas, KOVO_STACK_BYTES_CFOP)
THUNK(incluir_contasnotas, KOVO_STACK_BYTES_CONTASNOTAS)
THUNK(incluir_itensnotas, KOVO_STACK_BYTES_ITENSNOTAS)
THUNK(incluir_notas, KOVO_STACK_BYTES_NOTAS)

/* The extras: register arguments only. */
THUNK(definir_alocador, 0)
THUNK(abrir_conexao, 0)
THUNK(fechar_conexao, 0)
THUNK(iniciar_transacao, 0)
THUNK(confirmar_transacao, 0)
THUNK(desfazer_transacao, 0)
THUNK(definir_relatorio_erro, 0)
THUNK(definir_excecao, 0)
THUNK(liberar_texto, 0)

#ifdef __ELF__
  .section .note.GNU-stack, "", @progbits
#endif
