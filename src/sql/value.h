// A column value as an engine hands it over.
#pragma once

#include <cstdint>
#include <string>

namespace kovo {

struct Value {
  enum class Kind { Null, Integer, Float, Text };
  Kind kind = Kind::Null;
  std::int64_t integer = 0;
  double real = 0.0;
  std::string text;  // Windows-1252 bytes, exactly as stored

  static Value null() { return {}; }
  static Value of_integer(std::int64_t v) { Value r; r.kind = Kind::Integer; r.integer = v; return r; }
  static Value of_float(double v) { Value r; r.kind = Kind::Float; r.real = v; return r; }
  static Value of_text(std::string v) { Value r; r.kind = Kind::Text; r.text = std::move(v); return r; }
  bool is_null() const { return kind == Kind::Null; }
};

}  // namespace kovo
