// The C interface over the operations. Every entry point catches
// everything: a C caller (or another language's FFI) cannot unwind a C++
// exception, so each failure becomes a kovo_result and a message.
#include "kovolink.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "args.h"
#include "capi/error_memo.h"
#include "interface/error_report.h"
#include "operations.h"
#include "sql/connection.h"
#include "sql/database_error.h"

struct kovo_connection {
  std::unique_ptr<kovo::Connection> engine;
  kovo::capi::ErrorMemoConnection memo;

  explicit kovo_connection(std::unique_ptr<kovo::Connection> opened)
      : engine(std::move(opened)), memo(*engine) {}
};

namespace {

// A malloc'd copy, so that the caller can release it with kovo_free from
// any module; null when even that fails.
char* copy_message(std::string_view text) noexcept {
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) {
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
  }
  return copy;
}

void set_error(char** errptr, std::string_view message) noexcept {
  if (errptr == nullptr) return;
  std::free(*errptr);
  *errptr = copy_message(message);
}

kovo_result fail(char** errptr, kovo_result result, std::string_view message) noexcept {
  set_error(errptr, message);
  return result;
}

// Runs `body`, turning every exception into a result and a message.
template <typename Body>
kovo_result guarded(char** errptr, Body&& body) noexcept {
  try {
    return body();
  } catch (const kovo::DatabaseError& error) {
    return fail(errptr, KOVO_DATABASE_ERROR, error.what());
  } catch (const std::bad_alloc&) {
    return fail(errptr, KOVO_ERROR, "out of memory");
  } catch (const std::exception& error) {
    return fail(errptr, KOVO_ERROR, error.what());
  } catch (...) {
    return fail(errptr, KOVO_ERROR, "unknown failure");
  }
}

std::string_view text(const char* value) { return value == nullptr ? std::string_view{} : value; }
std::int32_t convert(std::int32_t value) { return value; }
double convert(double value) { return value; }
std::string_view convert(const char* value) { return text(value); }

#define KOVO_COPY_FIELD(kind, name) out.name = convert(in.name);

kovo::NotasArgs to_args(const kovo_notas& in) {
  kovo::NotasArgs out;
  KOVO_NOTAS_ARGS(KOVO_COPY_FIELD)
  return out;
}
kovo::ItensNotasArgs to_args(const kovo_itensnotas& in) {
  kovo::ItensNotasArgs out;
  KOVO_ITENSNOTAS_ARGS(KOVO_COPY_FIELD)
  return out;
}
kovo::ContasNotasArgs to_args(const kovo_contasnotas& in) {
  kovo::ContasNotasArgs out;
  KOVO_CONTASNOTAS_ARGS(KOVO_COPY_FIELD)
  return out;
}
kovo::CupomArgs to_args(const kovo_cupom& in) {
  kovo::CupomArgs out;
  KOVO_CUPOM_ARGS(KOVO_COPY_FIELD)
  return out;
}
kovo::CfopArgs to_args(const kovo_cfop& in) {
  kovo::CfopArgs out;
  KOVO_CFOP_ARGS(KOVO_COPY_FIELD)
  return out;
}

#undef KOVO_COPY_FIELD

// Runs one operation of the library on the connection. The operation has
// already reported a database error and returned its failure result; the
// message it swallowed is recovered from the connection.
template <typename Args, typename Operation>
kovo_result run_operation(kovo_connection* connection, const Args* args, char** errptr,
                          Operation&& operation) noexcept {
  if (connection == nullptr) return fail(errptr, KOVO_ERROR, "no connection (NULL)");
  if (args == nullptr) return fail(errptr, KOVO_ERROR, "no arguments (NULL)");
  return guarded(errptr, [&] {
    connection->memo.forget();
    if (operation(&connection->memo, to_args(*args))) return KOVO_OK;
    const std::string& message = connection->memo.last_error();
    return fail(errptr, KOVO_DATABASE_ERROR,
                message.empty() ? std::string_view{"database error (see the error report)"}
                                : std::string_view{message});
  });
}

}  // namespace

extern "C" {

KOVO_API kovo_connection* kovo_open(const char* target, char** errptr) {
  if (target == nullptr) {
    set_error(errptr, "no target (NULL)");
    return nullptr;
  }
  kovo_connection* opened = nullptr;
  guarded(errptr, [&] {
    opened = new kovo_connection(kovo::open_connection(target));
    return KOVO_OK;
  });
  return opened;
}

KOVO_API void kovo_close(kovo_connection* connection) {
  if (connection == nullptr) return;
  try {
    if (connection->engine->in_transaction()) connection->engine->rollback();
    connection->engine->close();
  } catch (...) {
    // Closing has nobody to report to; the handle is freed all the same.
  }
  delete connection;
}

KOVO_API kovo_result kovo_begin(kovo_connection* connection, char** errptr) {
  if (connection == nullptr) return fail(errptr, KOVO_ERROR, "no connection (NULL)");
  return guarded(errptr, [&] {
    connection->engine->begin();
    return KOVO_OK;
  });
}

KOVO_API kovo_result kovo_commit(kovo_connection* connection, char** errptr) {
  if (connection == nullptr) return fail(errptr, KOVO_ERROR, "no connection (NULL)");
  return guarded(errptr, [&] {
    connection->engine->commit();
    return KOVO_OK;
  });
}

KOVO_API kovo_result kovo_rollback(kovo_connection* connection, char** errptr) {
  if (connection == nullptr) return fail(errptr, KOVO_ERROR, "no connection (NULL)");
  return guarded(errptr, [&] {
    connection->engine->rollback();
    return KOVO_OK;
  });
}

KOVO_API kovo_result kovo_notas_incluir(kovo_connection* connection, const kovo_notas* nota,
                                        int32_t* idnota, char** errptr) {
  std::int32_t id = -1;
  const kovo_result result =
      run_operation(connection, nota, errptr, [&](kovo::Connection* c, const kovo::NotasArgs& a) {
        id = kovo::incluir_notas(c, a);
        return id != -1;
      });
  if (idnota != nullptr) *idnota = result == KOVO_OK ? id : -1;
  return result;
}

KOVO_API kovo_result kovo_itensnotas_incluir(kovo_connection* connection,
                                             const kovo_itensnotas* item, char** errptr) {
  return run_operation(connection, item, errptr, [](kovo::Connection* c, const kovo::ItensNotasArgs& a) {
    return kovo::incluir_itensnotas(c, a);
  });
}

KOVO_API kovo_result kovo_contasnotas_incluir(kovo_connection* connection,
                                              const kovo_contasnotas* parcela, char** errptr) {
  return run_operation(connection, parcela, errptr,
                       [](kovo::Connection* c, const kovo::ContasNotasArgs& a) {
                         return kovo::incluir_contasnotas(c, a);
                       });
}

KOVO_API kovo_result kovo_cupom_incluir(kovo_connection* connection, const kovo_cupom* cupom,
                                        char** errptr) {
  return run_operation(connection, cupom, errptr, [](kovo::Connection* c, const kovo::CupomArgs& a) {
    return kovo::incluir_cupom(c, a);
  });
}

KOVO_API size_t kovo_cfop_vendas(const kovo_cfop* args, char* buffer, size_t size) {
  try {
    const std::string cfop = kovo::retorna_cfop_vendas(args == nullptr ? kovo::CfopArgs{} : to_args(*args));
    if (buffer != nullptr && size > 0) {
      const std::size_t copied = cfop.size() < size ? cfop.size() : size - 1;
      std::memcpy(buffer, cfop.data(), copied);
      buffer[copied] = '\0';
    }
    return cfop.size();
  } catch (...) {
    // Only an allocation can fail here; report an empty code.
    if (buffer != nullptr && size > 0) buffer[0] = '\0';
    return 0;
  }
}

KOVO_API void kovo_set_error_report_hook(kovo_error_report_hook hook, void* context) {
  kovo::set_error_report_hook(hook, context);
}

KOVO_API void kovo_free(void* pointer) { std::free(pointer); }

}  // extern "C"
