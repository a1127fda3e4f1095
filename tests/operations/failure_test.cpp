// The failure paths of the four operations on a real database: a statement
// the engine rejects at each step, a missing table, a missing column, no
// connection, and failures that are not the database's.
#include <cctype>
#include <limits>
#include <string>

#include "fixtures.h"
#include "interface/error_report.h"
#include "operations.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo::test {
namespace {

enum class Op { Header, Item, Instalment, Coupon };

const char* name_of(Op op) {
  switch (op) {
    case Op::Header: return "header";
    case Op::Item: return "item";
    case Op::Instalment: return "instalment";
    case Op::Coupon: return "coupon";
  }
  return "?";
}

// A header that runs all seven statements: carrier looked up, coupon linked.
NotasArgs full_header() {
  NotasArgs a = header_args();
  a.cnpjtransp = "22.222.222/0001-22";
  a.coo = 4512;
  return a;
}

// Calls the operation; true when it reported success.
bool call(Op op, Connection* connection) {
  switch (op) {
    case Op::Header: return incluir_notas(connection, full_header()) != -1;
    case Op::Item: return incluir_itensnotas(connection, item_args(41));
    case Op::Instalment: return incluir_contasnotas(connection, {41, 1, 45382, 150.5});
    case Op::Coupon: return incluir_cupom(connection, {41, 4512, 1});
  }
  return false;
}

// The message of the ConversionError that `f` throws; fails the test when
// it throws none.
template <typename F>
std::string conversion_failure(F&& f) {
  try {
    f();
  } catch (const ConversionError& error) {
    return error.what();
  }
  ADD_FAILURE() << "no conversion failure";
  return {};
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string tag_of(Op op) { return std::string(op == Op::Header ? kTagNotas : kTagQuorbis); }

// What a failed call left in the database; -1 where the table is missing.
struct Effects {
  std::int64_t counter;  // PARAMETROS_ULTIMOIDNOTA
  std::int64_t notas, itens, contas, cupom;
};

class Failure : public EngineTest {
 protected:
  void SetUp() override { seed_settings(db(), {.ultimoidnota = 41}); }
};
KOVO_ON_EVERY_ENGINE(Failure);

struct RejectCase {
  Op op;
  std::size_t statement;  // 0-based, the one the engine rejects
  Effects after;
};

TEST_P(Failure, AStatementRejectedAtAnyStepEndsTheCallThere) {
  const RejectCase cases[] = {
      // Header: settings read, counter advanced, settings re-read, customer,
      // carrier, NOTAS insert, coupon link.
      {Op::Header, 0, {41, 0, 0, 0, 0}},
      {Op::Header, 1, {41, 0, 0, 0, 0}},
      {Op::Header, 2, {42, 0, 0, 0, 0}},
      {Op::Header, 3, {42, 0, 0, 0, 0}},
      {Op::Header, 4, {42, 0, 0, 0, 0}},
      {Op::Header, 5, {42, 0, 0, 0, 0}},
      {Op::Header, 6, {42, 1, 0, 0, 0}},
      // Item: product lookup, settings, row.
      {Op::Item, 0, {41, 0, 0, 0, 0}},
      {Op::Item, 1, {41, 0, 0, 0, 0}},
      {Op::Item, 2, {41, 0, 0, 0, 0}},
      {Op::Instalment, 0, {41, 0, 0, 0, 0}},
      {Op::Coupon, 0, {41, 0, 0, 0, 0}},
  };
  for (const RejectCase& c : cases) {
    SCOPED_TRACE(std::string(name_of(c.op)) + " statement " + std::to_string(c.statement));
    // Each case on a database of its own.
    TestDatabase fresh(GetParam());
    seed_settings(fresh.connection(), {.ultimoidnota = 41});
    RecordingConnection rec(fresh.connection());
    rec.reject_statement(c.statement);
    capture_.clear();

    const bool succeeded = call(c.op, &rec);

    EXPECT_FALSE(succeeded);
    EXPECT_EQ(rec.statements().size(), c.statement + 1) << "ran past the failing step";
    ASSERT_EQ(reports().size(), 1u);
    ASSERT_TRUE(rec.last_error().has_value());
    EXPECT_EQ(reports()[0].caption, "Erro");
    EXPECT_EQ(reports()[0].text, expected_report(tag_of(c.op), *rec.last_error()));
    EXPECT_EQ(reports()[0].live_runners, 0);
    EXPECT_EQ(StatementRunner::live_count(), 0);

    Connection& db = fresh.connection();
    EXPECT_EQ(counter(db), c.after.counter);
    EXPECT_EQ(count_rows(db, "NOTAS"), c.after.notas);
    EXPECT_EQ(count_rows(db, "ITENSNOTAS"), c.after.itens);
    EXPECT_EQ(count_rows(db, "CONTASNOTAS"), c.after.contas);
    EXPECT_EQ(count_rows(db, "CUPOM_NFE"), c.after.cupom);
  }
}

struct MissingCase {
  Op op;
  const char* table;
  const char* column;  // null: the whole table is missing
  Effects after;
};

TEST_P(Failure, AMissingTableOrColumnIsReportedWithTheEnginesMessage) {
  const MissingCase cases[] = {
      {Op::Header, "PARAMETROS", nullptr, {-1, 0, 0, 0, 0}},
      {Op::Header, "CLIENTES", nullptr, {42, 0, 0, 0, 0}},
      {Op::Header, "TRANSPORTADORES", nullptr, {42, 0, 0, 0, 0}},
      {Op::Header, "NOTAS", nullptr, {42, -1, 0, 0, 0}},
      {Op::Header, "CUPOM_NFE", nullptr, {42, 1, 0, 0, -1}},
      {Op::Header, "PARAMETROS", "PARAMETROS_ALIQSN", {41, 0, 0, 0, 0}},
      {Op::Header, "NOTAS", "NOTAS_INDPRES", {42, 0, 0, 0, 0}},
      {Op::Item, "PRODUTOS", nullptr, {41, 0, 0, 0, 0}},
      {Op::Item, "PARAMETROS", nullptr, {-1, 0, 0, 0, 0}},
      {Op::Item, "ITENSNOTAS", nullptr, {41, 0, -1, 0, 0}},
      {Op::Item, "PARAMETROS", "PARAMETROS_ALIQCOFINS", {41, 0, 0, 0, 0}},
      {Op::Item, "ITENSNOTAS", "ITENSNOTAS_ITEM_PEDIDO_COMPRA", {41, 0, 0, 0, 0}},
      {Op::Instalment, "CONTASNOTAS", nullptr, {41, 0, 0, -1, 0}},
      {Op::Instalment, "CONTASNOTAS", "CONTASNOTAS_VALOR", {41, 0, 0, 0, 0}},
      {Op::Coupon, "CUPOM_NFE", nullptr, {41, 0, 0, 0, -1}},
      {Op::Coupon, "CUPOM_NFE", "CUPOM_NFE_IDIMPRESSORA", {41, 0, 0, 0, 0}},
  };
  for (const MissingCase& c : cases) {
    const std::string missing = c.column ? c.column : c.table;
    SCOPED_TRACE(std::string(name_of(c.op)) + " without " + missing);
    TestDatabase fresh(GetParam());
    Connection& db = fresh.connection();
    seed_settings(db, {.ultimoidnota = 41});
    if (c.column) {
      fresh.engine().drop_column(db, c.table, c.column);
    } else {
      db.execute("DROP TABLE " + std::string(c.table));
    }
    RecordingConnection rec(db);
    capture_.clear();

    EXPECT_FALSE(call(c.op, &rec));
    ASSERT_EQ(reports().size(), 1u);
    ASSERT_TRUE(rec.last_error().has_value());
    EXPECT_EQ(reports()[0].text, expected_report(tag_of(c.op), *rec.last_error()));
    EXPECT_NE(lower(*rec.last_error()).find(lower(missing)), std::string::npos)
        << "the engine's message names what is missing";
    EXPECT_EQ(StatementRunner::live_count(), 0);

    // -1: the table is gone, nothing to count.
    const auto expect_count = [&](const char* table, std::int64_t expected) {
      if (expected >= 0) {
        EXPECT_EQ(count_rows(db, table), expected) << table;
      }
    };
    if (c.after.counter >= 0) {
      EXPECT_EQ(counter(db), c.after.counter);
    }
    expect_count("NOTAS", c.after.notas);
    expect_count("ITENSNOTAS", c.after.itens);
    expect_count("CONTASNOTAS", c.after.contas);
    expect_count("CUPOM_NFE", c.after.cupom);
  }
}

TEST_P(Failure, NoConnectionIsReportedAndFails) {
  for (const Op op : {Op::Header, Op::Item, Op::Instalment, Op::Coupon}) {
    SCOPED_TRACE(name_of(op));
    capture_.clear();
    EXPECT_FALSE(call(op, nullptr));
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].text,
              tag_of(op) +
                  "\r\n\r\nErro retornado pelo processamento\r\n\r\n"
                  "SQLConnection property required for this operation\r\n\r\n"
                  "Verifique e tente novamente!");
    EXPECT_EQ(StatementRunner::live_count(), 0);
  }
}

TEST_P(Failure, AClosedConnectionIsOpenedByTheFirstStatementAndStaysOpen) {
  auto closed = database_.open_another({.open_now = false});
  ASSERT_FALSE(closed->is_open());
  EXPECT_TRUE(incluir_cupom(closed.get(), {41, 4512, 1}));
  EXPECT_TRUE(closed->is_open());
  EXPECT_EQ(count_rows(db(), "CUPOM_NFE"), 1);
  EXPECT_TRUE(reports().empty());
}

TEST_P(Failure, ANullCounterIsAConversionFailureBeforeAnythingIsWritten) {
  clear_settings(db());  // no settings row: the counter reads as null
  EXPECT_EQ(conversion_failure([&] { incluir_notas(&recorder(), full_header()); }),
            "Could not convert variant of type (Null) into type (Integer)");
  EXPECT_EQ(recorder().statements().size(), 1u);
  EXPECT_EQ(count_rows(db(), "NOTAS"), 0);
  EXPECT_TRUE(reports().empty());
  EXPECT_EQ(StatementRunner::live_count(), 0);
}

TEST_P(Failure, AnInfiniteAmountToRoundIsAConversionFailureNotAReport) {
  const double inf = std::numeric_limits<double>::infinity();
  // The header's credit: it fails before the counter is advanced.
  seed_settings(db(), {.ultimoidnota = 41, .tipoempresa = "S", .aliqsn = 2.5});
  NotasArgs header = full_header();
  header.basecreditoicms = inf;
  EXPECT_EQ(conversion_failure([&] { incluir_notas(&recorder(), header); }),
            "'INF' is not a valid floating point value");
  EXPECT_EQ(counter(db()), 41);
  EXPECT_EQ(count_rows(db(), "NOTAS"), 0);

  // The item's PIS completion: nothing written.
  seed_settings(db(), {.aliqpis = 1.65});
  ItensNotasArgs item = item_args(41);
  item.sittribpis = "01";
  item.valortot = inf;
  EXPECT_EQ(conversion_failure([&] { incluir_itensnotas(&recorder(), item); }),
            "'INF' is not a valid floating point value");
  EXPECT_EQ(count_rows(db(), "ITENSNOTAS"), 0);

  EXPECT_TRUE(reports().empty());
  EXPECT_EQ(StatementRunner::live_count(), 0);
}

TEST_P(Failure, ANonFiniteAmountInARowIsLeftToTheEngine) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(incluir_contasnotas(&recorder(), {41, 1, 45382, nan}));
  ASSERT_EQ(reports().size(), 1u);
  EXPECT_NE(recorder().texts().at(0).find("\r\nNAN\r\n"), std::string::npos);
  EXPECT_EQ(count_rows(db(), "CONTASNOTAS"), 0);
}

}  // namespace
}  // namespace kovo::test
