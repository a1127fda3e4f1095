// `kovolink registrar`: every document of a JSON file, each in its own
// transaction, with one line per document and a summary.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "sql/connection.h"

namespace kovo::cli {

struct RegisterOptions {
  bool stop_at_first_failure = false;  // --parar
  std::FILE* trace = nullptr;          // --trace, or null
  bool progress = false;               // draw the bar on standard error
};

struct RegisterSummary {
  int documents = 0;
  int registered = 0;
  int failed = 0;
  int skipped = 0;                   // not tried after --parar stopped the run
  std::vector<std::int32_t> ids;     // of the registered documents, in order
  bool file_error = false;           // nothing was tried: the file is unusable
  bool connection_lost = false;      // a rollback failed; the run stopped
};

// Reads `json_text` (named `source` in messages) and registers its
// documents on `connection`, writing the per-document lines and the summary
// to `out` and file-level errors to `err`.
RegisterSummary register_file(Connection& connection, std::string_view json_text,
                              std::string_view source, const RegisterOptions& options,
                              std::FILE* out, std::FILE* err);

}  // namespace kovo::cli
