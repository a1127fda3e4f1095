// A fresh Firebird database, made from schema/firebird.sql by the embedded
// engine in a temporary directory, and small helpers to read it back.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "drivers/firebird_database.h"
#include "sql/connection.h"
#include "sql/database_error.h"
#include "sqlite_fixture.h"

namespace kovo::test {

inline std::string read_schema(std::string_view name) {
  std::ifstream file(schema_file(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The message of the DatabaseError that `f` throws; fails the test when it
// throws none.
template <typename F>
std::string database_error_of(F&& f) {
  try {
    f();
  } catch (const DatabaseError& e) {
    return e.what();
  }
  ADD_FAILURE() << "no DatabaseError";
  return {};
}

class FirebirdTest : public ::testing::Test {
 protected:
  std::string target_for(std::string_view file) const { return "firebird:" + (dir_.path() / file).string(); }
  std::unique_ptr<Connection> another() const { return open_connection(target_); }

  // The first column of the first row.
  static Value first(Connection& connection, const std::string& sql) {
    return connection.query(sql)->column_value(0);
  }

  TempDir dir_;
  std::string target_ = target_for("issuer.fdb");
  std::unique_ptr<Connection> db_ =
      create_firebird_database(target_, read_schema("firebird.sql"), {.forced_writes = false});
};

}  // namespace kovo::test
