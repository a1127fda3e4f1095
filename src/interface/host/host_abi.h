/* The machine-level facts of the register-convention boundary that the
 * assembly thunks and the C++ side must agree on. Plain defines: this file
 * is included by thunks.S as well. */
#ifndef KOVO_HOST_ABI_H
#define KOVO_HOST_ABI_H

/* Bytes of stack arguments each export removes on return. The C++ side
 * checks them against the layouts computed from the argument lists. */
#define KOVO_STACK_BYTES_CUPOM 4
#define KOVO_STACK_BYTES_CFOP 24
#define KOVO_STACK_BYTES_CONTASNOTAS 16
#define KOVO_STACK_BYTES_ITENSNOTAS 352
#define KOVO_STACK_BYTES_NOTAS 476

/* The code of the structured exception by which a failure other than a
 * database error reaches the host: customer bit set, "KOV" in ASCII. Its
 * two arguments are the address of the zero-terminated message and the
 * message's length in bytes. */
#define KOVO_HOST_EXCEPTION_CODE 0xE04B4F56u

#endif /* KOVO_HOST_ABI_H */
