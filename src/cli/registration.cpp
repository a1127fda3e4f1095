#include "cli/registration.h"

#include <exception>
#include <string_view>
#include <type_traits>

#include "operations.h"
#include "sql/database_error.h"

namespace kovo {
namespace {

// A call of the library that returned its failure result.
struct CallFailed {
  std::string what;
};

// Runs one call of the library and names it in any failure: its failure
// result (the database error it reported) or an exception it let through.
template <typename Call>
auto run(TracingConnection& connection, std::string_view name, Call&& call) {
  decltype(call()) result{};
  try {
    result = call();
  } catch (const std::exception& error) {
    throw CallFailed{std::string(name) + ": " + error.what()};
  }
  const bool failed = [&] {
    if constexpr (std::is_same_v<decltype(result), bool>) {
      return !result;
    } else {
      return result == -1;
    }
  }();
  if (failed) {
    const std::string& message = connection.last_error();
    throw CallFailed{std::string(name) + ": " +
                     (message.empty() ? std::string("database error (see the error report)") : message)};
  }
  return result;
}

std::int32_t register_calls(TracingConnection& connection, const Document& document) {
  const std::int32_t id = run(connection, "header", [&] { return incluir_notas(&connection, document.nota); });
  int index = 0;
  for (ItensNotasArgs item : document.itens) {
    item.idnota = id;
    run(connection, "item " + std::to_string(++index), [&] { return incluir_itensnotas(&connection, item); });
  }
  index = 0;
  for (ContasNotasArgs parcela : document.parcelas) {
    parcela.idnota = id;
    run(connection, "parcela " + std::to_string(++index),
        [&] { return incluir_contasnotas(&connection, parcela); });
  }
  index = 0;
  for (CupomArgs cupom : document.cupons) {
    cupom.idnota = id;
    run(connection, "cupom " + std::to_string(++index), [&] { return incluir_cupom(&connection, cupom); });
  }
  return id;
}

void roll_back(TracingConnection& connection) {
  try {
    if (connection.in_transaction()) connection.rollback();
  } catch (const std::exception& error) {
    throw RollbackFailed(std::string("rollback failed: ") + error.what());
  }
}

}  // namespace

Registration register_document(TracingConnection& connection, const Document& document) {
  Registration result;
  connection.forget_error();
  try {
    connection.begin();
    result.id = register_calls(connection, document);
    connection.commit();
    result.registered = true;
    return result;
  } catch (const CallFailed& failed) {
    result.failure = failed.what;
  } catch (const DatabaseError& error) {
    // begin or commit itself.
    result.failure = error.what();
  } catch (const std::exception& error) {
    result.failure = error.what();
  }
  result.id = -1;
  roll_back(connection);
  return result;
}

}  // namespace kovo
