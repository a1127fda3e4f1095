// Keeps the cases of a table whose engine can run here, as the suites on
// test_engine_names() do.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "test_engines.h"

namespace kovo::test {

template <typename Case, std::size_t N>
std::vector<Case> on_available_engines(const Case (&cases)[N]) {
  const std::vector<std::string> names = test_engine_names();
  std::vector<Case> kept;
  for (const Case& c : cases) {
    if (std::find(names.begin(), names.end(), c.engine) != names.end()) kept.push_back(c);
  }
  return kept;
}

}  // namespace kovo::test
