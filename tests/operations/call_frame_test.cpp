// The error report's text, the hook that shows it, and the frame that turns
// a database error into a report and a failure result.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "interface/call_frame.h"
#include "interface/error_report.h"
#include "report_capture.h"
#include "sql/database_error.h"
#include "sql/statement_runner.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

using test::ReportCapture;

struct ReportCase {
  std::string_view tag;
  std::string message;
  std::string expected;
};

TEST(ErrorReport, ComposesTagHeadingMessageAndClosingWithDoubleBreaks) {
  const ReportCase cases[] = {
      {kTagQuorbis, "no such table: CUPOM_NFE",
       "[e:quorbis_999999]\r\n\r\nErro retornado pelo processamento\r\n\r\n"
       "no such table: CUPOM_NFE\r\n\r\nVerifique e tente novamente!"},
      {kTagNotas, "x",
       "[e:kovo_error:999999]\r\n\r\nErro retornado pelo processamento\r\n\r\nx\r\n\r\n"
       "Verifique e tente novamente!"},
      // An empty message: the heading is followed by four breaks in a row.
      {kTagQuorbis, "",
       "[e:quorbis_999999]\r\n\r\nErro retornado pelo processamento\r\n\r\n\r\n\r\n"
       "Verifique e tente novamente!"},
      // The message's own breaks are kept as they are.
      {kTagNotas, "line 1\nline 2\r\n",
       "[e:kovo_error:999999]\r\n\r\nErro retornado pelo processamento\r\n\r\nline 1\nline 2\r\n"
       "\r\n\r\nVerifique e tente novamente!"},
  };
  for (const ReportCase& c : cases) {
    EXPECT_EQ(compose_error_report(c.tag, c.message), c.expected) << c.message;
  }
}

TEST(CallFrame, DatabaseErrorFreesRunnersThenReportsAndFails) {
  ReportCapture capture;
  const int result = run_in_call_frame(kTagNotas, -1, [&] {
    StatementRunner first(nullptr);
    StatementRunner second(nullptr);
    EXPECT_EQ(StatementRunner::live_count(), 2);
    throw DatabaseError("engine says no");
    return 7;
  });
  EXPECT_EQ(result, -1);
  ASSERT_EQ(capture.reports().size(), 1u);
  EXPECT_EQ(capture.reports()[0].caption, "Erro");
  EXPECT_EQ(capture.reports()[0].text, compose_error_report(kTagNotas, "engine says no"));
  EXPECT_EQ(capture.reports()[0].live_runners, 0);
}

TEST(CallFrame, ErrorsOfDerivedDatabaseClassesAreCaught) {
  struct DriverError : DatabaseError {
    using DatabaseError::DatabaseError;
  };
  ReportCapture capture;
  EXPECT_FALSE(run_in_call_frame(kTagQuorbis, false, []() -> bool { throw DriverError("d"); }));
  ASSERT_EQ(capture.reports().size(), 1u);
  EXPECT_EQ(capture.reports()[0].text, compose_error_report(kTagQuorbis, "d"));
}

TEST(CallFrame, SuccessReturnsTheBodysResultWithoutReport) {
  ReportCapture capture;
  EXPECT_EQ(run_in_call_frame(kTagNotas, -1, [] { return 41; }), 41);
  EXPECT_TRUE(capture.reports().empty());
}

TEST(CallFrame, OtherFailuresPassThroughUnreported) {
  ReportCapture capture;
  EXPECT_THROW(run_in_call_frame(kTagQuorbis, false,
                                 []() -> bool { throw ConversionError("'INF' is not a valid floating point value"); }),
               ConversionError);
  EXPECT_THROW(run_in_call_frame(kTagQuorbis, false,
                                 []() -> bool { throw std::bad_alloc(); }),
               std::bad_alloc);
  EXPECT_TRUE(capture.reports().empty());
  EXPECT_EQ(StatementRunner::live_count(), 0);
}

TEST(CallFrame, DefaultHookWritesCaptionAndTextToStandardError) {
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(run_in_call_frame(kTagQuorbis, false, []() -> bool { throw DatabaseError("m"); }));
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(written, "Erro\n" + compose_error_report(kTagQuorbis, "m") + "\n");
}

TEST(CallFrame, RemovingTheHookRestoresTheDefault) {
  {
    ReportCapture capture;
    EXPECT_FALSE(run_in_call_frame(kTagQuorbis, false, []() -> bool { throw DatabaseError("a"); }));
    EXPECT_EQ(capture.reports().size(), 1u);
  }
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(run_in_call_frame(kTagQuorbis, false, []() -> bool { throw DatabaseError("b"); }));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("\r\n\r\nb\r\n\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kovo
