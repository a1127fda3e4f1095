// Column names are compared as the platform's FieldByName compares them:
// without regard to the case of ASCII letters.
#pragma once

#include <string_view>

namespace kovo {

inline bool same_column_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Names are mostly asked for as the statement wrote them.
  if (a == b) return true;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace kovo
