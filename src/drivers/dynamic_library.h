// A shared library loaded at run time (dlopen on POSIX, LoadLibraryA on
// Windows), so that no database client has to be present to build or load
// kovolink: a missing one is reported when a connection is made.
#pragma once

#include <string>

namespace kovo {

class DynamicLibrary {
 public:
  // Loads `name` as the platform looks libraries up. Throws DatabaseError
  // naming the library and the system's reason when it cannot be loaded.
  explicit DynamicLibrary(std::string name);
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  const std::string& name() const { return name_; }

  // The exported function `symbol`. Throws DatabaseError naming the library
  // and the symbol when it has no such export.
  template <typename Function>
  Function function(const char* symbol) const {
    return reinterpret_cast<Function>(find(symbol));
  }

 private:
  using AnyFunction = void (*)();
  AnyFunction find(const char* symbol) const;

  std::string name_;
  void* handle_ = nullptr;
};

}  // namespace kovo
