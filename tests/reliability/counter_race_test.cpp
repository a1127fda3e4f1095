// Two hosts race for the invoice counter at the one point where it is open
// to a race: after the first host read it and before it advanced it, the
// second host registers a whole invoice.
// NOTAS is stripped of its primary key here, so that the unique id rests on
// the registration alone and not on a constraint of the issuer's schema.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "drivers/sqlite_connection.h"
#include "engine_cases.h"
#include "fault_injecting_connection.h"
#include "interface/error_report.h"
#include "invoice_args.h"
#include "issuer_rows.h"
#include "notas_key.h"
#include "operations.h"
#include "report_capture.h"
#include "sql/database_error.h"
#include "test_engines.h"

namespace kovo::test {
namespace {

constexpr std::int32_t kFirstId = 41;

struct RaceCase {
  const char* engine;
  bool transactions;  // each host runs its invoice in a transaction of its own
  // What becomes of the second host, which registers inside the race.
  bool second_host_registers;
  std::int32_t first_host_result;  // -1: refused, with the report
  const char* first_host_message;  // the report's message, when refused
  std::int64_t counter_after;      // once both hosts are done
};

class CounterRace : public ::testing::TestWithParam<RaceCase> {};

TEST_P(CounterRace, NoInvoiceIdIsHandedOutTwice) {
  const RaceCase& c = GetParam();
  TestDatabase database(c.engine);
  drop_notas_primary_key(database);
  seed_settings(database.connection(), full_settings(kFirstId));
  seed_lookups(database.connection());
  auto second = database.open_another();
  if (auto* sqlite = dynamic_cast<SqliteConnection*>(second.get())) sqlite->set_busy_timeout(50);

  ReportCapture capture;
  Connection& db = database.connection();
  FaultInjectingConnection first(db);
  std::optional<std::int32_t> second_id;
  std::optional<std::string> second_failure;
  first.before_each([&](const OperationRecord& op) {
    if (op.kind != Operation::Execute || second_id || second_failure) return;
    // The first host has read the counter and is about to advance it.
    try {
      if (c.transactions) second->begin();
      second_id = incluir_notas(second.get(), full_header());
      if (c.transactions) second->commit();
    } catch (const DatabaseError& error) {
      second_failure = error.what();
    }
  });

  if (c.transactions) db.begin();
  const std::int32_t first_id = incluir_notas(&first, full_header());
  if (c.transactions) {
    if (first_id == -1) {
      db.rollback();
    } else {
      db.commit();
    }
  }

  if (c.second_host_registers) {
    ASSERT_TRUE(second_id.has_value()) << second_failure.value_or("");
    EXPECT_EQ(*second_id, kFirstId);
  } else {
    // SQLite's BEGIN IMMEDIATE: the second host waits for the first one's
    // write lock and gives up after its busy timeout.
    ASSERT_TRUE(second_failure.has_value());
    EXPECT_EQ(*second_failure, "database is locked");
  }
  EXPECT_EQ(first_id, c.first_host_result);
  if (c.first_host_result == -1) {
    EXPECT_EQ(capture.reports().size(), 1u);
    if (!capture.reports().empty()) {
      EXPECT_EQ(capture.reports()[0].text, expected_report(std::string(kTagNotas), c.first_host_message));
    }
  } else {
    EXPECT_TRUE(capture.reports().empty());
  }

  // One row per id handed out, and only for the host that got it.
  EXPECT_EQ(count_rows(db, "NOTAS"), 1);
  EXPECT_EQ(count_rows(db, "NOTAS", "NOTAS_ID = " + std::to_string(kFirstId)), 1);
  EXPECT_EQ(counter(db), c.counter_after);
}

constexpr const char* kMoved =
    "Invoice id 41 is not free: parametros_ultimoidnota reads 43 after the increment, not 42 "
    "(another registration ran at the same time)";

const RaceCase kCases[] = {
    // Each statement commits on its own: the first host's increment lands
    // on top of the second host's, which its re-read shows.
    {"sqlite", false, true, -1, kMoved, 43},
    {"firebird", false, true, -1, kMoved, 43},
    // Read committed: the second host committed before the first one's
    // update, which then sees no conflict; the re-read shows the race.
    // The rollback gives back the first host's increment.
    {"firebird", true, true, -1, kMoved, 42},
    // BEGIN IMMEDIATE: the first host holds the write lock from its begin.
    {"sqlite", true, false, kFirstId, nullptr, 42},
};

std::string case_name(const ::testing::TestParamInfo<RaceCase>& info) {
  return std::string(info.param.engine) + (info.param.transactions ? "_transactions" : "_autocommit");
}

INSTANTIATE_TEST_SUITE_P(Hosts, CounterRace, ::testing::ValuesIn(on_available_engines(kCases)), case_name);

}  // namespace
}  // namespace kovo::test
