// The one failure that the operations' call frame catches: anything the
// database, its driver or the statement runner refuses.
#pragma once

#include <stdexcept>
#include <string>

namespace kovo {

class DatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kovo
