// What the operation suites share: the engine-parametrised fixture, and
// through invoice_args.h the argument sets that make a valid call.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "invoice_args.h"
#include "issuer_rows.h"
#include "recording_connection.h"
#include "report_capture.h"
#include "sql/statement_runner.h"
#include "test_engines.h"

namespace kovo::test {

// A fresh database of the parameter's engine, a recorder in front of its
// connection and a hook that captures error reports.
class EngineTest : public ::testing::TestWithParam<std::string> {
 protected:
  Connection& db() { return database_.connection(); }
  RecordingConnection& recorder() { return recorder_; }
  const std::vector<CapturedReport>& reports() const { return capture_.reports(); }

  TestDatabase database_{GetParam()};
  RecordingConnection recorder_{database_.connection()};
  ReportCapture capture_;
};

// Runs every test of `Suite` (derived from EngineTest) on every engine.
#define KOVO_ON_EVERY_ENGINE(Suite)                                                        \
  INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::ValuesIn(test_engine_names()), \
                           EngineName())

}  // namespace kovo::test
