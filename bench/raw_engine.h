// The engines' own C interfaces driven directly, with no library code
// between the benchmark and the engine: the baseline against which the
// library's overhead is measured. Statement texts go in as they are; a
// query's first row is fetched and its columns read where they lie,
// without copying them out.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace kovo::bench {

class RawEngine {
 public:
  virtual ~RawEngine() = default;
  virtual void begin() = 0;
  virtual void commit() = 0;
  virtual void rollback() = 0;
  virtual void execute(const std::string& sql) = 0;
  virtual void query(const std::string& sql) = 0;
};

// SQLite through the C interface: ":memory:" or a file path (created).
std::unique_ptr<RawEngine> raw_sqlite(const std::string& location);

// The embedded Firebird engine through the ISC interface, attached to an
// existing database file.
std::unique_ptr<RawEngine> raw_firebird(const std::filesystem::path& file);

}  // namespace kovo::bench
