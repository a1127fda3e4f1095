// The test's own view of the SQLite database behind the boundary: the
// engine's client library loaded directly, independent of the library under
// test, to lay out the tables and read back what the exports wrote.
#pragma once

#include <optional>
#include <string>
#include <vector>

class SqliteProbe {
 public:
  explicit SqliteProbe(const std::string& path);
  ~SqliteProbe();
  SqliteProbe(const SqliteProbe&) = delete;
  SqliteProbe& operator=(const SqliteProbe&) = delete;

  void exec(const std::string& sql);
  // Every row, every column as the engine's text (nullopt for NULL).
  using Row = std::vector<std::optional<std::string>>;
  std::vector<Row> rows(const std::string& sql);
  // Column names and values of the single row `sql` returns.
  std::vector<std::pair<std::string, std::optional<std::string>>> named_row(const std::string& sql);

 private:
  void* db_ = nullptr;
};

// A fresh directory under the temporary directory, removed with its files.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

std::string read_file(const std::string& path);
