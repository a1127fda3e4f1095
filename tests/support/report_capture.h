// Captures the error reports of the calls made while it lives, in place of
// the default hook, with the number of statement runners still alive at the
// moment each report was shown.
#pragma once

#include <string>
#include <vector>

namespace kovo::test {

struct CapturedReport {
  std::string caption;
  std::string text;
  int live_runners;
};

class ReportCapture {
 public:
  ReportCapture();
  ~ReportCapture();  // restores the default hook
  ReportCapture(const ReportCapture&) = delete;
  ReportCapture& operator=(const ReportCapture&) = delete;

  const std::vector<CapturedReport>& reports() const { return reports_; }
  void clear() { reports_.clear(); }

 private:
  static void hook(void* context, const char* caption, const char* text);
  std::vector<CapturedReport> reports_;
};

// The report a database error with `message` gives, spelled out in full.
std::string expected_report(const std::string& tag, const std::string& message);

}  // namespace kovo::test
