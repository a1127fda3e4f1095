// A result reduced to what the library ever reads of it: the column names
// and the first row, copied out when the query runs. The engine's statement
// is finished at once, so an open result holds no lock, no cursor and no
// reference to its connection: it cannot block a commit, survives a
// rollback or a close, and any number may stay open beside other statements.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sql/connection.h"

namespace kovo {

class RowSnapshot final : public Cursor {
 public:
  RowSnapshot(std::vector<std::string> names, std::vector<Value> row, bool has_row)
      : names_(std::move(names)), row_(std::move(row)), has_row_(has_row) {}

  bool has_row() const override { return has_row_; }
  int column_count() const override { return static_cast<int>(names_.size()); }
  std::string column_name(int index) const override { return names_.at(static_cast<std::size_t>(index)); }
  int find_column(std::string_view name) const override {
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (same_column_name(names_[i], name)) return static_cast<int>(i);
    }
    return -1;
  }
  // Null for every column of a result without rows.
  Value column_value(int index) const override {
    return has_row_ ? row_.at(static_cast<std::size_t>(index)) : Value::null();
  }

 private:
  std::vector<std::string> names_;
  std::vector<Value> row_;
  bool has_row_;
};

}  // namespace kovo
