// A fixed amount of work for instruction-counting profilers (valgrind
// --tool=callgrind), which the benchmark framework's timed loops do not
// give: N invoices on one engine, through the library or as the baseline,
// in batches as the benchmark runs them. The databases are made before the
// first invoice; run with --toggle-collect=kovo::bench::measured_work to
// count the invoices alone.
//
//   kovolink_profile library|baseline ENGINE N   (ENGINE as in bench_databases.cpp)
#include <cstdlib>
#include <iostream>
#include <string>

#include "bench_databases.h"
#include "invoice_fixture.h"
#include "invoice_runs.h"

namespace kovo::bench {

// Kept out of line so that a profiler can be told to count it alone.
[[gnu::noinline]] void measured_work(bool library, Engine engine, int invoices) {
  const auto& batch = captured_batch();
  int in_batch = 0;
  for (int n = 0; n < invoices; ++n) {
    if (library) {
      library_invoice(shared_library_database(engine));
    } else {
      baseline_invoice(shared_raw_database(engine), batch[static_cast<std::size_t>(in_batch)]);
    }
    if (++in_batch == kBatch) {
      in_batch = 0;
      if (library) {
        run_all(shared_library_database(engine), reset_statements());
      } else {
        run_all(shared_raw_database(engine), reset_statements());
      }
    }
  }
}

}  // namespace kovo::bench

int main(int argc, char** argv) {
  using namespace kovo::bench;
  if (argc != 4) {
    std::cerr << "usage: kovolink_profile library|baseline ENGINE INVOICES\n";
    return 2;
  }
  const std::string side = argv[1];
  const std::string name = argv[2];
  const int invoices = std::atoi(argv[3]);
  bool known = false;
  Engine engine = Engine::SqliteMemory;
  for (Engine e : kEngines) {
    if (name == engine_name(e)) {
      engine = e;
      known = true;
    }
  }
  if (!known || (side != "library" && side != "baseline") || invoices <= 0) {
    std::cerr << "usage: kovolink_profile library|baseline ENGINE INVOICES\n";
    return 2;
  }
  const bool library = side == "library";
  try {
    captured_batch();
    if (library) {
      run_all(shared_library_database(engine), reset_statements());
    } else {
      run_all(shared_raw_database(engine), reset_statements());
    }
    measured_work(library, engine, invoices);
    release_shared_databases();
  } catch (const std::exception& error) {
    std::cerr << "kovolink_profile: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
