// Resident memory after 10^3 and after 10^5 registrations (operation
// calls), which must be the same: the library keeps nothing between calls.
//
//   kovolink_memory [ENGINE]   (sqlite_file unless told otherwise)
//
// What is measured is the library's own growth, so the engine is held at a
// steady state: invoices are registered in batches (one transaction each)
// and after every batch the written tables are emptied and the invoice
// counter reset, so the database never grows past one batch, which is
// smaller than the first 10^3 registrations. By the first sample the
// engine's file, page cache and statement caches have reached their size;
// from there on any growth of the resident set is memory that the calls
// leave behind. A database file is used because an in-memory database
// keeps its freed pages and would show the engine's growth, not ours.
//
// Resident memory is read from /proc/self/statm, in pages. A single byte
// left behind per registration would add at least 99,000 heap chunks of
// 32 bytes (some 3 MB) between the two samples, far above the tolerance of
// a few pages that the allocator's own bookkeeping may move. Beside it, the
// bytes held through operator new (live_heap.h) show the library's own heap
// alone: an engine that grows its caches or pools moves the resident figure
// but not that one.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "bench_databases.h"
#include "invoice_fixture.h"
#include "live_heap.h"
#include "operations.h"

namespace kovo::bench {
namespace {

constexpr long kFirstSample = 1'000;
constexpr long kLastSample = 100'000;
constexpr long kTolerancePages = 16;  // 64 KiB with 4 KiB pages
constexpr int kInvoicesPerBatch = 50;  // 700 registrations

long resident_pages() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident;
}

// Registers the sample invoice one call at a time, so that the samples fall
// on exact counts of registrations.
class Registrar {
 public:
  explicit Registrar(Connection& connection) : connection_(connection) {}

  long count() const { return count_; }

  void register_one() {
    const Invoice& invoice = sample_invoice();
    const auto parts = static_cast<std::size_t>(registrations_per_invoice(invoice));
    if (step_ == 0) {
      connection_.begin();
      id_ = incluir_notas(&connection_, invoice.header);
      check(id_ >= 0);
    } else if (step_ <= invoice.items.size()) {
      ItensNotasArgs item = invoice.items[step_ - 1];
      item.idnota = id_;
      check(incluir_itensnotas(&connection_, item));
    } else if (step_ <= invoice.items.size() + invoice.instalments.size()) {
      ContasNotasArgs instalment = invoice.instalments[step_ - 1 - invoice.items.size()];
      instalment.idnota = id_;
      check(incluir_contasnotas(&connection_, instalment));
    } else {
      CupomArgs coupon = invoice.coupon;
      coupon.idnota = id_;
      check(incluir_cupom(&connection_, coupon));
    }
    ++count_;
    if (++step_ == parts) {
      connection_.commit();
      step_ = 0;
      if (++invoices_ == kInvoicesPerBatch) {
        run_all(connection_, reset_statements());
        invoices_ = 0;
      }
    }
  }

 private:
  static void check(bool ok) {
    if (!ok) throw std::runtime_error("a registration failed");
  }

  Connection& connection_;
  long count_ = 0;
  std::size_t step_ = 0;
  int invoices_ = 0;
  std::int32_t id_ = 0;
};

int run(Engine engine) {
  ScratchDir dir;
  auto connection = library_database(engine, dir);
  Registrar registrar(*connection);
  const long page_kib = sysconf(_SC_PAGESIZE) / 1024;

  std::cout << "Memory after N registrations, " << engine_name(engine) << ":\n";
  long first = 0;
  long last = 0;
  std::size_t heap_first = 0;
  std::size_t heap_last = 0;
  for (long next = kFirstSample; next <= kLastSample; next = next == kFirstSample ? 10'000 : next + 10'000) {
    while (registrar.count() < next) registrar.register_one();
    const long pages = resident_pages();
    const std::size_t heap = live_heap_bytes();
    if (next == kFirstSample) {
      first = pages;
      heap_first = heap;
    }
    last = pages;
    heap_last = heap;
    std::printf("  %7ld  resident %8ld KiB   library heap %8zu bytes\n", next, pages * page_kib, heap);
  }
  const long growth = last - first;
  const long long heap_growth = static_cast<long long>(heap_last) - static_cast<long long>(heap_first);
  std::printf("\nFrom %ld to %ld registrations: resident %+ld KiB (tolerance %ld KiB), library heap %+lld bytes\n",
              kFirstSample, kLastSample, growth * page_kib, kTolerancePages * page_kib, heap_growth);
  if (heap_growth > 0) {
    std::printf("The library's heap GROWS: target missed.\n");
  } else if (growth > kTolerancePages) {
    std::printf("Resident memory grows while the library's heap stays flat: the engine's own memory.\n");
  } else {
    std::printf("Flat: target met.\n");
  }
  return 0;
}

}  // namespace
}  // namespace kovo::bench

int main(int argc, char** argv) {
  using namespace kovo::bench;
  Engine engine = Engine::SqliteFile;
  if (argc > 1) {
    bool known = false;
    for (Engine e : kEngines) {
      if (std::string(argv[1]) == engine_name(e)) {
        engine = e;
        known = true;
      }
    }
    if (!known) {
      std::cerr << "usage: kovolink_memory [ENGINE], ENGINE one of";
      for (Engine e : kEngines) std::cerr << " " << engine_name(e);
      std::cerr << " (default sqlite_file)\n";
      return 2;
    }
  }
  try {
    return run(engine);
  } catch (const std::exception& error) {
    std::cerr << "kovolink_memory: " << error.what() << "\n";
    return 1;
  }
}
