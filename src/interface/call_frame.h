// The frame every database operation runs in: only DatabaseError is caught;
// the runners the call still holds are freed (by unwinding) before the
// report is shown; the failure result is returned. Everything else passes
// to the caller untouched.
#pragma once

#include <string_view>
#include <utility>

#include "interface/error_report.h"
#include "sql/database_error.h"

namespace kovo {

template <typename Result, typename Body>
Result run_in_call_frame(std::string_view tag, Result failure, Body&& body) {
  std::string report;
  try {
    return std::forward<Body>(body)();
  } catch (const DatabaseError& error) {
    // The body's runners are gone by now: they live in its scope.
    report = compose_error_report(tag, error.what());
  }
  show_error_report(report);
  return failure;
}

}  // namespace kovo
