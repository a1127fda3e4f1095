/* kovolink: the C interface.
 *
 * Registers sales documents (invoice headers, items, instalments, coupon
 * links) in an NF-e issuer's database and derives a sale's CFOP, for C and
 * every language with a C foreign-function interface.
 *
 *   char* err = NULL;
 *   kovo_connection* db = kovo_open("sqlite:/var/lib/erp/nfe.db", &err);
 *   if (!db) { fprintf(stderr, "%s\n", err); kovo_free(err); return 1; }
 *   kovo_begin(db, &err);
 *   kovo_notas nota = {0};          // every field zero or NULL: empty
 *   nota.numero = 1001;
 *   nota.modelo = "55";
 *   ...
 *   int32_t id;
 *   if (kovo_notas_incluir(db, &nota, &id, &err) == KOVO_OK) ...
 *   kovo_commit(db, &err);
 *   kovo_close(db);
 *
 * Conventions
 * - Texts are NUL-terminated Windows-1252 (not UTF-8); NULL is the empty
 *   text. They are read during the call only.
 * - Dates and times are doubles counting days from 30 December 1899, the
 *   fraction being the time of day (7 March 2024 18:00 is 45358.75).
 * - The fields of each argument struct are the operation's arguments, in
 *   order, as listed in kovolink_args.h: INT is int32_t, TEXT const char*,
 *   AMOUNT and DATE double. Zero-initialise a struct and set what you need.
 * - Functions that can fail return a kovo_result and take `char** errptr`
 *   last. On failure, when errptr is not NULL, *errptr receives a message
 *   that the caller owns and releases with kovo_free; a message already in
 *   *errptr is released first. On success *errptr is left as it was.
 * - A database error inside an operation is also shown through the error
 *   report (see kovo_set_error_report_hook), as the library's other hosts
 *   see it. After any failure of an operation, the statements it ran before
 *   the failure stay in your transaction until you roll back.
 * - Nothing is committed by the library: begin, commit and roll back are
 *   yours. Outside a transaction every statement commits on its own.
 * - A connection is used by one thread at a time. No C++ exception ever
 *   leaves this interface.
 */
#ifndef KOVOLINK_H
#define KOVOLINK_H

#include <stddef.h>
#include <stdint.h>

#include "kovolink_args.h"

#if defined(_WIN32)
#if defined(KOVO_BUILDING_CAPI)
#define KOVO_API __declspec(dllexport)
#else
#define KOVO_API __declspec(dllimport)
#endif
#else
#define KOVO_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Results of the functions that can fail. */
typedef enum kovo_result {
  KOVO_OK = 0,
  /* The database (or its driver) refused a statement; *errptr holds its
   * message and the error report has been shown. */
  KOVO_DATABASE_ERROR = 1,
  /* Any other failure: a bad argument, a value that cannot be converted
   * (a non-finite amount), out of memory. No error report is shown. */
  KOVO_ERROR = 2
} kovo_result;

/* The argument structs, generated from kovolink_args.h. */
#define KOVO_C_TYPE_INT int32_t
#define KOVO_C_TYPE_TEXT const char*
#define KOVO_C_TYPE_AMOUNT double
#define KOVO_C_TYPE_DATE double
#define KOVO_C_FIELD(kind, name) KOVO_C_TYPE_##kind name;

/* Invoice header (NOTAS). */
typedef struct kovo_notas {
  KOVO_NOTAS_ARGS(KOVO_C_FIELD)
} kovo_notas;

/* Invoice item (ITENSNOTAS); idnota is the header's id. */
typedef struct kovo_itensnotas {
  KOVO_ITENSNOTAS_ARGS(KOVO_C_FIELD)
} kovo_itensnotas;

/* Instalment (CONTASNOTAS). */
typedef struct kovo_contasnotas {
  KOVO_CONTASNOTAS_ARGS(KOVO_C_FIELD)
} kovo_contasnotas;

/* Coupon link (CUPOM_NFE). */
typedef struct kovo_cupom {
  KOVO_CUPOM_ARGS(KOVO_C_FIELD)
} kovo_cupom;

/* Inputs of the sales CFOP derivation. */
typedef struct kovo_cfop {
  KOVO_CFOP_ARGS(KOVO_C_FIELD)
} kovo_cfop;

/* An open database connection. */
typedef struct kovo_connection kovo_connection;

/* Opens a connection named by `target`:
 *   sqlite:PATH                      an SQLite database file
 *   firebird:PATH                    a Firebird database, embedded engine
 *   firebird://HOST[:PORT]/PATH      a Firebird server
 * Returns NULL on failure, with the reason in *errptr. */
KOVO_API kovo_connection* kovo_open(const char* target, char** errptr);

/* Closes the connection (rolling back an open transaction) and frees it.
 * NULL is allowed. */
KOVO_API void kovo_close(kovo_connection* connection);

KOVO_API kovo_result kovo_begin(kovo_connection* connection, char** errptr);
KOVO_API kovo_result kovo_commit(kovo_connection* connection, char** errptr);
KOVO_API kovo_result kovo_rollback(kovo_connection* connection, char** errptr);

/* Registers an invoice header. On KOVO_OK *idnota receives the new invoice
 * id, to pass to the item, instalment and coupon calls. On failure *idnota
 * is -1. */
KOVO_API kovo_result kovo_notas_incluir(kovo_connection* connection, const kovo_notas* nota,
                                        int32_t* idnota, char** errptr);

/* Registers one invoice item. */
KOVO_API kovo_result kovo_itensnotas_incluir(kovo_connection* connection,
                                             const kovo_itensnotas* item, char** errptr);

/* Registers one instalment of an invoice. */
KOVO_API kovo_result kovo_contasnotas_incluir(kovo_connection* connection,
                                              const kovo_contasnotas* parcela, char** errptr);

/* Links an invoice to a fiscal-printer coupon. */
KOVO_API kovo_result kovo_cupom_incluir(kovo_connection* connection, const kovo_cupom* cupom,
                                        char** errptr);

/* Derives the CFOP of a sale (four digits, "9999" when no rule applies; an
 * override suffix may make it longer). Writes it NUL-terminated into
 * `buffer` when it fits in `size` bytes, or as much as fits (always
 * NUL-terminated when size > 0), and returns the length of the whole code
 * without its NUL: a result >= size means the buffer was too small. Never
 * fails; a NULL `args` derives from empty texts. */
KOVO_API size_t kovo_cfop_vendas(const kovo_cfop* args, char* buffer, size_t size);

/* Shows an error report: `caption` and `text` are NUL-terminated
 * Windows-1252. Must return (it may wait for a user) and must not unwind. */
typedef void (*kovo_error_report_hook)(void* context, const char* caption, const char* text);

/* Installs the hook that shows the error report of a database error, for
 * every later call of any thread; NULL restores the default (standard error
 * on Linux). */
KOVO_API void kovo_set_error_report_hook(kovo_error_report_hook hook, void* context);

/* Releases a message returned through errptr. NULL is allowed. */
KOVO_API void kovo_free(void* pointer);

#ifdef __cplusplus
}
#endif

#endif /* KOVOLINK_H */
