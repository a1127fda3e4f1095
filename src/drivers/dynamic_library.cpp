#include "drivers/dynamic_library.h"

#include <utility>

#include "sql/database_error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kovo {

namespace {

#ifdef _WIN32
std::string last_system_error() {
  const DWORD code = GetLastError();
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
  std::string text = length && buffer ? std::string(buffer, length) : "error " + std::to_string(code);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                           text.back() == '.')) {
    text.pop_back();
  }
  return text;
}
#else
std::string last_system_error() {
  const char* reason = dlerror();
  return reason ? reason : "unknown reason";
}
#endif

}  // namespace

DynamicLibrary::DynamicLibrary(std::string name) : name_(std::move(name)) {
#ifdef _WIN32
  handle_ = reinterpret_cast<void*>(LoadLibraryA(name_.c_str()));
#else
  handle_ = dlopen(name_.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
  if (!handle_) {
    throw DatabaseError("Cannot load library '" + name_ + "': " + last_system_error());
  }
}

DynamicLibrary::~DynamicLibrary() {
#ifdef _WIN32
  FreeLibrary(reinterpret_cast<HMODULE>(handle_));
#else
  dlclose(handle_);
#endif
}

DynamicLibrary::Export::Address DynamicLibrary::find(const char* symbol) const {
#ifdef _WIN32
  // Through void(*)() so that the cast from FARPROC draws no warning.
  const auto found =
      reinterpret_cast<Export::Address>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), symbol));
#else
  dlerror();
  const auto found = reinterpret_cast<Export::Address>(dlsym(handle_, symbol));
#endif
  if (!found) {
    throw DatabaseError("Library '" + name_ + "' has no function '" + symbol + "'");
  }
  return found;
}

}  // namespace kovo
