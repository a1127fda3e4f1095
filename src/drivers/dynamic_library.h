// A shared library loaded at run time (dlopen on POSIX, LoadLibraryA on
// Windows), so that no database client has to be present to build or load
// kovolink: a missing one is reported when a connection is made.
#pragma once

#include <string>
#include <type_traits>

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

  // An export, converting to the function pointer type it initialises, so
  // that a binding names its member once.
  class Export {
   public:
    template <typename Pointer>
      requires std::is_function_v<std::remove_pointer_t<Pointer>>
    operator Pointer() const {
      return reinterpret_cast<Pointer>(address_);
    }

   private:
    friend class DynamicLibrary;
    using Address = void (*)();
    explicit Export(Address address) : address_(address) {}
    Address address_;
  };

  // The exported function `symbol`. Throws DatabaseError naming the library
  // and the symbol when it has no such export.
  Export function(const char* symbol) const { return Export(find(symbol)); }

 private:
  Export::Address find(const char* symbol) const;

  std::string name_;
  void* handle_ = nullptr;
};

}  // namespace kovo
