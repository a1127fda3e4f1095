#include "interface/host/x87_environment.h"

namespace kovo::host {

X87Environment::X87Environment() noexcept {
  const std::uint16_t control = kLibraryControlWord;
  asm volatile("fnstenv %0\n\tfldcw %1" : "=m"(saved_) : "m"(control) : "memory");
}

X87Environment::~X87Environment() {
  asm volatile("fldenv %0" : : "m"(saved_) : "memory");
}

}  // namespace kovo::host
