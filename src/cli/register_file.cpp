#include "cli/register_file.h"

#include <string>

#include "cli/console.h"
#include "cli/documents.h"
#include "cli/json.h"
#include "cli/registration.h"
#include "cli/tracing_connection.h"

namespace kovo::cli {
namespace {

// Up to this many documents finish before a bar would be worth drawing.
constexpr int kFewDocuments = 5;

std::string plural(std::size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string contents(const Document& d) {
  std::string text = plural(d.itens.size(), "item", "items");
  if (!d.parcelas.empty()) text += ", " + plural(d.parcelas.size(), "instalment", "instalments");
  if (d.nota.coo > 0) text += ", coupon " + std::to_string(d.nota.coo);
  if (!d.cupons.empty()) text += ", " + plural(d.cupons.size(), "extra coupon link", "extra coupon links");
  return text;
}

void print(std::FILE* out, Progress& progress, const std::string& line) {
  progress.clear();
  std::fputs(line.c_str(), out);
  std::fputc('\n', out);
  std::fflush(out);
}

}  // namespace

RegisterSummary register_file(Connection& connection, std::string_view json_text,
                              std::string_view source, const RegisterOptions& options,
                              std::FILE* out, std::FILE* err) {
  RegisterSummary summary;
  json::Value file;
  const std::vector<json::Value>* list = nullptr;
  try {
    file = json::parse(json_text);
    list = &document_list(file);
  } catch (const std::exception& error) {
    std::fprintf(err, "kovolink: %.*s: %s\n", static_cast<int>(source.size()), source.data(), error.what());
    summary.file_error = true;
    return summary;
  }

  TracingConnection traced(connection, options.trace);
  summary.documents = static_cast<int>(list->size());
  Progress progress(summary.documents, options.progress && summary.documents > kFewDocuments);
  int position = 0;
  for (const json::Value& value : *list) {
    ++position;
    const std::string name = "document " + std::to_string(position) + " (line " + std::to_string(value.line) + ")";
    bool ok = false;
    try {
      const Document document = read_document(value, position);
      const Registration done = register_document(traced, document);
      if (done.registered) {
        ok = true;
        summary.ids.push_back(done.id);
        print(out, progress, name + ": invoice " + std::to_string(done.id) + " registered: " + contents(document));
      } else {
        print(out, progress, name + ": not registered, rolled back: " + done.failure);
      }
    } catch (const DocumentError& error) {
      print(out, progress, name + ": not registered: " + error.detail());
    } catch (const RollbackFailed& error) {
      print(out, progress, name + ": not registered: " + error.what());
      summary.failed += 1;
      summary.connection_lost = true;
      summary.skipped = summary.documents - position;
      break;
    }
    if (ok) {
      summary.registered += 1;
    } else {
      summary.failed += 1;
    }
    progress.update(position);
    if (!ok && options.stop_at_first_failure) {
      summary.skipped = summary.documents - position;
      break;
    }
  }
  progress.clear();

  std::string line = plural(static_cast<std::size_t>(summary.documents), "document", "documents") + ": " +
                     std::to_string(summary.registered) + " registered, " + std::to_string(summary.failed) +
                     " failed";
  if (summary.skipped > 0) {
    line += ", " + std::to_string(summary.skipped) + " not tried (" +
            (summary.connection_lost ? std::string("the connection could not be rolled back")
                                     : std::string("--parar stopped at the first failure")) +
            ")";
  }
  print(out, progress, line);
  return summary;
}

}  // namespace kovo::cli
