#include "report_capture.h"

#include "interface/error_report.h"
#include "sql/statement_runner.h"

namespace kovo::test {

ReportCapture::ReportCapture() { set_error_report_hook(&ReportCapture::hook, this); }

ReportCapture::~ReportCapture() { set_error_report_hook(nullptr, nullptr); }

void ReportCapture::hook(void* context, const char* caption, const char* text) {
  auto* self = static_cast<ReportCapture*>(context);
  self->reports_.push_back({caption, text, StatementRunner::live_count()});
}

std::string expected_report(const std::string& tag, const std::string& message) {
  return tag + "\r\n\r\nErro retornado pelo processamento\r\n\r\n" + message +
         "\r\n\r\nVerifique e tente novamente!";
}

}  // namespace kovo::test
