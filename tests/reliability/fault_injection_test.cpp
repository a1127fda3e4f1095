// A fault at every operation of every call: for each of the four operations,
// on each engine, the Nth operation on the connection (open, execute, query,
// column read) fails, for every N until the call completes. Each time the
// call must stop right there, report the fault exactly once with every
// runner already freed, return its failure result, and leave exactly the
// effects of the statements that ran before it; the host's rollback then
// restores the database as it was before the call.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "fault_injecting_connection.h"
#include "interface/error_report.h"
#include "invoice_args.h"
#include "issuer_rows.h"
#include "operations.h"
#include "report_capture.h"
#include "sql/statement_runner.h"
#include "test_engines.h"

namespace kovo::test {
namespace {

enum class Op { Header, Item, Instalment, Coupon };

// What a statement that completed leaves in the database.
enum Effect : unsigned { kNothing = 0, kCounter = 1, kNotasRow = 2, kCupomRow = 4, kItemRow = 8, kContaRow = 16 };

struct Step {
  Operation kind;
  const char* subject;  // statement start or column name, letter case aside
  Effect effect = kNothing;
};

struct Scenario {
  Op op;
  const char* name;
  std::vector<Step> steps;  // every operation of a complete call, in order
};

constexpr const char* kSettingsQuery =
    "select parametros_ultimoidnota, parametros_tipoempresa, parametros_aliqsn from parametros";

const std::vector<Scenario>& scenarios() {
  static const std::vector<Scenario> all = {
      {Op::Header,
       "header",
       {{Operation::Query, kSettingsQuery},
        {Operation::Read, "parametros_ultimoidnota"},
        // The credit remark is tried before anything is written.
        {Operation::Read, "parametros_tipoempresa"},
        {Operation::Read, "parametros_aliqsn"},
        {Operation::Execute, "update parametros set parametros_ultimoidnota", kCounter},
        {Operation::Query, kSettingsQuery},
        {Operation::Read, "parametros_ultimoidnota"},
        {Operation::Read, "parametros_tipoempresa"},
        {Operation::Read, "parametros_aliqsn"},
        {Operation::Query, "select clientes_id from clientes where"},
        {Operation::Read, "clientes_id"},
        {Operation::Query, "select transportadores_id from  transportadores where"},
        {Operation::Read, "transportadores_id"},
        {Operation::Execute, "INSERT INTO NOTAS", kNotasRow},
        {Operation::Execute, "INSERT INTO CUPOM_NFE (", kCupomRow}}},
      {Op::Item,
       "item",
       {{Operation::Query, "SELECT PRODUTOS_ID FROM PRODUTOS WHERE"},
        {Operation::Query, "SELECT PARAMETROS_ALIQPIS, PARAMETROS_ALIQCOFINS"},
        {Operation::Read, "PARAMETROS_ALIQPIS"},
        {Operation::Read, "PARAMETROS_ALIQCOFINS"},
        {Operation::Read, "PRODUTOS_ID"},
        {Operation::Read, "PARAMETROS_TIPOEMPRESA"},
        {Operation::Read, "PARAMETROS_ALIQSN"},
        {Operation::Execute, "INSERT INTO ITENSNOTAS", kItemRow}}},
      {Op::Instalment, "instalment", {{Operation::Execute, "INSERT INTO CONTASNOTAS", kContaRow}}},
      {Op::Coupon, "coupon", {{Operation::Execute, "INSERT INTO CUPOM_NFE (", kCupomRow}}},
  };
  return all;
}

constexpr std::int32_t kInvoice = 41;  // the counter before each transaction

// Runs the scenario's call; true when it reported success. A header's id
// goes to `id`.
bool call(Op op, Connection* connection, std::int32_t* id) {
  switch (op) {
    case Op::Header:
      *id = incluir_notas(connection, full_header());
      return *id != -1;
    case Op::Item: return incluir_itensnotas(connection, full_item(kInvoice));
    case Op::Instalment: return incluir_contasnotas(connection, instalment(kInvoice, 1));
    case Op::Coupon: return incluir_cupom(connection, coupon(kInvoice));
  }
  return false;
}

std::string tag_of(Op op) { return std::string(op == Op::Header ? kTagNotas : kTagQuorbis); }

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

bool matches(const OperationRecord& done, const Step& expected) {
  if (done.kind != expected.kind) return false;
  const std::string subject = lower(done.subject);
  const std::string wanted = lower(expected.subject);
  return expected.kind == Operation::Read ? subject == wanted : subject.rfind(wanted, 0) == 0;
}

// The rows the operations write, and the counter.
struct State {
  std::int64_t counter, notas, itens, contas, cupom;
  bool operator==(const State&) const = default;
};

State state_of(Connection& db) {
  return {counter(db), count_rows(db, "NOTAS"), count_rows(db, "ITENSNOTAS"),
          count_rows(db, "CONTASNOTAS"), count_rows(db, "CUPOM_NFE")};
}

std::ostream& operator<<(std::ostream& out, const State& s) {
  return out << "{counter " << s.counter << ", NOTAS " << s.notas << ", ITENSNOTAS " << s.itens
             << ", CONTASNOTAS " << s.contas << ", CUPOM_NFE " << s.cupom << "}";
}

// `before` plus the effects of the completed statements.
State with_effects(State s, unsigned effects) {
  if (effects & kCounter) ++s.counter;
  if (effects & kNotasRow) ++s.notas;
  if (effects & kCupomRow) ++s.cupom;
  if (effects & kItemRow) ++s.itens;
  if (effects & kContaRow) ++s.contas;
  return s;
}

// The rows themselves, written with the ids they should carry.
void expect_rows(Connection& db, unsigned effects, std::int64_t header_id) {
  if (effects & kNotasRow) {
    const Row notas = read_row(db, "SELECT NOTAS_IDCLI_FOR, NOTAS_IDTRANSP, NOTAS_OBS6 FROM NOTAS WHERE NOTAS_ID = " +
                                       std::to_string(header_id));
    ASSERT_TRUE(notas.found());
    EXPECT_EQ(notas.integer("NOTAS_IDCLI_FOR"), kCustomerId);
    EXPECT_EQ(notas.integer("NOTAS_IDTRANSP"), kCarrierId);
    EXPECT_EQ(notas.text("NOTAS_OBS6"), "PERMITE APROVEITAMENTO DE CR\xC9" "DITO DE ICMS NO VALOR DE R$ 25,00");
  }
  if (effects & kCupomRow) {
    EXPECT_EQ(count_rows(db, "CUPOM_NFE", "CUPOM_NFE_IDNOTA = " + std::to_string(header_id) +
                                              " AND CUPOM_NFE_COO = " + std::to_string(kCoo)),
              1);
  }
  if (effects & kItemRow) {
    const Row item = read_row(db, "SELECT ITENSNOTAS_IDPRODUTO, ITENSNOTAS_VALORPIS, ITENSNOTAS_VALORSN "
                                  "FROM ITENSNOTAS WHERE ITENSNOTAS_IDNOTA = " + std::to_string(kInvoice));
    ASSERT_TRUE(item.found());
    EXPECT_EQ(item.integer("ITENSNOTAS_IDPRODUTO"), kProductId);
    EXPECT_EQ(item.amount("ITENSNOTAS_VALORPIS"), 1.49);
    EXPECT_EQ(item.amount("ITENSNOTAS_VALORSN"), 2.5);
  }
  if (effects & kContaRow) {
    EXPECT_EQ(count_rows(db, "CONTASNOTAS", "CONTASNOTAS_IDNOTA = " + std::to_string(kInvoice)), 1);
  }
}

class FaultInjection : public ::testing::TestWithParam<std::string> {
 protected:
  // A database of the parameter's engine with the settings and lookups of
  // the full calls.
  void SetUp() override {
    seed_settings(database_.connection(), full_settings(kInvoice));
    seed_lookups(database_.connection());
  }

  // Checks the call just made with a fault at operation `n` of `steps`;
  // true when the call went through without meeting it.
  bool check_call(const Scenario& s, const std::vector<Step>& steps, int n, bool succeeded,
                  const FaultInjectingConnection& connection) {
    const auto& done = connection.operations();
    const bool completed = n > static_cast<int>(steps.size());
    EXPECT_EQ(done.size(), completed ? steps.size() : static_cast<std::size_t>(n))
        << "the call must stop at the failing operation";
    for (std::size_t i = 0; i < done.size() && i < steps.size(); ++i) {
      EXPECT_TRUE(matches(done[i], steps[i]))
          << "operation " << i + 1 << " was " << operation_name(done[i].kind) << " " << done[i].subject
          << ", expected " << operation_name(steps[i].kind) << " " << steps[i].subject;
    }
    EXPECT_EQ(StatementRunner::live_count(), 0);
    if (completed) {
      EXPECT_TRUE(succeeded);
      EXPECT_TRUE(capture_.reports().empty());
      return true;
    }
    EXPECT_FALSE(succeeded);
    const auto& reports = capture_.reports();
    if (reports.size() != 1) {
      ADD_FAILURE() << reports.size() << " reports";
      return false;
    }
    EXPECT_EQ(reports[0].caption, "Erro");
    EXPECT_EQ(reports[0].text,
              expected_report(tag_of(s.op), FaultInjectingConnection::fault_message(
                                                n, steps[static_cast<std::size_t>(n) - 1].kind)));
    EXPECT_EQ(reports[0].live_runners, 0) << "runners must be freed before the report";
    return false;
  }

  static unsigned effects_before(const std::vector<Step>& steps, int n) {
    unsigned effects = kNothing;
    for (int i = 0; i + 1 < n && i < static_cast<int>(steps.size()); ++i) effects |= steps[static_cast<std::size_t>(i)].effect;
    return effects;
  }

  TestDatabase database_{GetParam()};
  ReportCapture capture_;
};

TEST_P(FaultInjection, InsideAHostTransactionEveryFaultIsReportedAndRolledBack) {
  Connection& db = database_.connection();
  const State before = state_of(db);
  for (const Scenario& s : scenarios()) {
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(s.name) + ", fault at operation " + std::to_string(n));
      capture_.clear();
      db.begin();
      FaultInjectingConnection connection(db);
      connection.fail_at(n);
      std::int32_t id = 0;
      const bool succeeded = call(s.op, &connection, &id);
      const bool completed = check_call(s, s.steps, n, succeeded, connection);
      if (s.op == Op::Header && completed) {
        EXPECT_EQ(id, kInvoice);
      }

      // Inside the transaction: exactly the effects of what ran before.
      const unsigned effects = effects_before(s.steps, n);
      EXPECT_EQ(state_of(db), with_effects(before, effects));
      expect_rows(db, effects, kInvoice);

      db.rollback();
      EXPECT_EQ(state_of(db), before) << "the host's rollback restores the database";
      if (completed || HasFatalFailure()) break;
    }
  }
}

// A connection the host passes closed, outside any transaction: opening it
// is the first operation, and every statement that ran before the fault
// stays, as the operations undo nothing.
TEST_P(FaultInjection, InAutocommitTheEffectsBeforeTheFaultStay) {
  Connection& db = database_.connection();
  for (const Scenario& s : scenarios()) {
    std::vector<Step> steps = s.steps;
    steps.insert(steps.begin(), Step{Operation::Open, ""});
    for (int n = 1;; ++n) {
      SCOPED_TRACE(std::string(s.name) + ", fault at operation " + std::to_string(n));
      capture_.clear();
      const State before = state_of(db);
      FaultInjectingConnection connection(db, /*arrives_closed=*/true);
      connection.fail_at(n);
      std::int32_t id = 0;
      const bool succeeded = call(s.op, &connection, &id);
      const bool completed = check_call(s, steps, n, succeeded, connection);
      EXPECT_EQ(connection.is_open(), n > 1) << "opened by the first statement, unless that failed";
      if (s.op == Op::Header && completed) {
        EXPECT_EQ(id, before.counter);
      }
      const unsigned effects = effects_before(steps, n);
      EXPECT_EQ(state_of(db), with_effects(before, effects));
      if (s.op == Op::Header) expect_rows(db, effects, before.counter);
      if (completed || HasFatalFailure()) break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, FaultInjection, ::testing::ValuesIn(test_engine_names()), EngineName());

}  // namespace
}  // namespace kovo::test
