// One document, one transaction: the header, then its items, instalments
// and extra coupon links with the id the header returned; commit when every
// call succeeded, roll back otherwise.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "cli/documents.h"
#include "cli/tracing_connection.h"

namespace kovo {

struct Registration {
  bool registered = false;
  std::int32_t id = -1;  // the invoice id, when registered
  std::string failure;   // which call failed and why, when not
};

// The transaction could not be ended: the connection is in an unknown
// state and nothing more may be written on it.
class RollbackFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Registers `document` in its own transaction. A database error or any
// other failure of a call rolls the whole document back. Throws
// RollbackFailed when even the rollback fails.
Registration register_document(TracingConnection& connection, const Document& document);

}  // namespace kovo
