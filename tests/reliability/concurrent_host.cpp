// One host of the concurrency test: a process of its own, with its own
// connection, registering invoices into a database that other hosts write
// at the same time.
//
//   concurrent_host TARGET HOST INVOICES transactions|autocommit
//
// It waits for one byte on standard input (so that all hosts start
// together), then registers INVOICES invoices numbered HOST*1000 + i: a
// header with its coupon link, two items and one instalment, each invoice
// in a transaction of its own when asked. It prints one line per invoice:
//   OK NUMERO ID
//   FAIL NUMERO ID STEP REPORTS MESSAGE
// ID is the header's id (-1 when it got none), STEP the call that failed
// (begin, notas, item, instalment, commit), REPORTS the error reports shown
// for the invoice, MESSAGE the failure's message on one line.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "drivers/sqlite_connection.h"
#include "interface/error_report.h"
#include "invoice_args.h"
#include "operations.h"
#include "sql/database_error.h"

namespace {

struct Reports {
  int count = 0;
  std::string last;
};

void count_report(void* context, const char*, const char* text) {
  auto* reports = static_cast<Reports*>(context);
  ++reports->count;
  reports->last = text;
}

// The message part of a report, on one line.
std::string one_line(std::string text) {
  const std::string heading = "Erro retornado pelo processamento\r\n\r\n";
  if (const auto at = text.find(heading); at != std::string::npos) text.erase(0, at + heading.size());
  if (const auto end = text.find("\r\n\r\nVerifique"); end != std::string::npos) text.resize(end);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// A step that failed, with its message.
struct Failed {
  const char* step;
  std::string message;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: concurrent_host TARGET HOST INVOICES transactions|autocommit\n");
    return 2;
  }
  const std::string target = argv[1];
  const int host = std::atoi(argv[2]);
  const int invoices = std::atoi(argv[3]);
  const bool transactions = std::string(argv[4]) == "transactions";

  try {
    auto connection = kovo::open_connection(target);
    // Waiting for another host's write lock is part of the test; only a
    // host that hangs should make it fail.
    if (auto* sqlite = dynamic_cast<kovo::SqliteConnection*>(connection.get())) sqlite->set_busy_timeout(60'000);
    Reports reports;
    kovo::set_error_report_hook(&count_report, &reports);

    char go = 0;
    if (read(0, &go, 1) != 1) return 3;

    for (int i = 0; i < invoices; ++i) {
      const std::int32_t numero = host * 1000 + i;
      reports = {};
      std::int32_t id = -1;
      const auto run = [&]() -> Failed {
        if (transactions) {
          try {
            connection->begin();
          } catch (const kovo::DatabaseError& error) {
            return {"begin", error.what()};
          }
        }
        kovo::NotasArgs header = kovo::test::full_header();
        header.numero = numero;
        header.idnota_quorbis = numero;
        header.coo = numero;
        id = kovo::incluir_notas(connection.get(), header);
        if (id == -1) return {"notas", one_line(reports.last)};
        for (int item = 0; item < 2; ++item) {
          if (!kovo::incluir_itensnotas(connection.get(), kovo::test::full_item(id))) {
            return {"item", one_line(reports.last)};
          }
        }
        if (!kovo::incluir_contasnotas(connection.get(), kovo::test::instalment(id, 1))) {
          return {"instalment", one_line(reports.last)};
        }
        if (transactions) {
          try {
            connection->commit();
          } catch (const kovo::DatabaseError& error) {
            return {"commit", error.what()};
          }
        }
        return {nullptr, {}};
      };
      const Failed failed = run();
      if (!failed.step) {
        std::printf("OK %d %d\n", numero, id);
        continue;
      }
      if (transactions && connection->in_transaction()) connection->rollback();
      std::printf("FAIL %d %d %s %d %s\n", numero, id, failed.step, reports.count,
                  one_line(failed.message).c_str());
    }
    std::fflush(stdout);
    kovo::set_error_report_hook(nullptr, nullptr);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "concurrent_host %d: %s\n", host, error.what());
    return 1;
  }
}
