// Hostile and odd input, one table per kind, through the four operations
// into each engine and read back. Every value either lands exactly (the
// bytes of a text, the value of an amount's literal, the integer itself) or
// is refused: by the engine, with the report and the failure result, or,
// for a value that has no literal form, with a ConversionError before
// anything is written. Each call runs in a host transaction; the rollback
// afterwards restores everything.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "argument_fields.h"
#include "interface/error_report.h"
#include "invoice_args.h"
#include "issuer_rows.h"
#include "operations.h"
#include "recording_connection.h"
#include "report_capture.h"
#include "sql/statement_runner.h"
#include "talpa_funcs/talpa_funcs.h"
#include "test_engines.h"

namespace kovo::test {
namespace {

constexpr std::int32_t kInvoice = 41;  // the counter before each call
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The rows the operations write or read, and the counter.
struct State {
  std::int64_t counter, parametros, notas, itens, contas, cupom, clientes, transportadores, produtos;
  bool operator==(const State&) const = default;
};

std::ostream& operator<<(std::ostream& out, const State& s) {
  return out << "{counter " << s.counter << ", PARAMETROS " << s.parametros << ", NOTAS " << s.notas
             << ", ITENSNOTAS " << s.itens << ", CONTASNOTAS " << s.contas << ", CUPOM_NFE " << s.cupom
             << ", CLIENTES " << s.clientes << ", TRANSPORTADORES " << s.transportadores << ", PRODUTOS "
             << s.produtos << "}";
}

// The counter, or -1 when there is no settings row.
std::int64_t counter_or_none(Connection& db) {
  const Row row = read_row(db, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS");
  return row.found() ? row.integer("PARAMETROS_ULTIMOIDNOTA") : -1;
}

State state_of(Connection& db) {
  return {counter_or_none(db),
          count_rows(db, "PARAMETROS"),
          count_rows(db, "NOTAS"),
          count_rows(db, "ITENSNOTAS"),
          count_rows(db, "CONTASNOTAS"),
          count_rows(db, "CUPOM_NFE"),
          count_rows(db, "CLIENTES"),
          count_rows(db, "TRANSPORTADORES"),
          count_rows(db, "PRODUTOS")};
}

enum class Op { Header, Item, Instalment, Coupon };

// What a completed call adds.
State after_success(State s, Op op, bool coupon_linked) {
  switch (op) {
    case Op::Header:
      ++s.counter;
      ++s.notas;
      if (coupon_linked) ++s.cupom;
      break;
    case Op::Item: ++s.itens; break;
    case Op::Instalment: ++s.contas; break;
    case Op::Coupon: ++s.cupom; break;
  }
  return s;
}

// What a call refused by the engine leaves inside the host's transaction:
// a header has advanced the counter by then.
State after_refusal(State s, Op op) {
  if (op == Op::Header) ++s.counter;
  return s;
}

enum class Outcome { Lands, Refused };

struct EngineOutcome {
  Outcome sqlite, firebird;
  Outcome on(const std::string& engine) const { return engine == "sqlite" ? sqlite : firebird; }
};
constexpr EngineOutcome kLands{Outcome::Lands, Outcome::Lands};
constexpr EngineOutcome kRefused{Outcome::Refused, Outcome::Refused};

double from_literal(std::string_view literal) {
  double value = 0;
  const auto [end, error] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
  // Out of range: the literal denotes no finite double.
  if (error == std::errc::result_out_of_range) return literal[0] == '-' ? -kInf : kInf;
  EXPECT_TRUE(error == std::errc{} && end == literal.data() + literal.size()) << literal;
  return value;
}

class HostileInput : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override { seed_settings(db(), {.ultimoidnota = kInvoice}); }

  Connection& db() { return database_.connection(); }
  const std::string& engine() const { return GetParam(); }

  // Runs `call` in a host transaction (after `seed`, in the same
  // transaction) and checks its outcome: on success `check` reads the row
  // back; on a refusal the report carries the engine's message. The
  // transaction is rolled back at the end.
  void attempt(Op op, Outcome expected, const std::function<bool(Connection*)>& call,
               const std::function<void()>& check, bool coupon_linked = false,
               const std::function<void()>& seed = {}) {
    const State before = state_of(db());
    db().begin();
    if (seed) seed();
    const State seeded = state_of(db());
    RecordingConnection recorder(db());
    capture_.clear();
    const bool succeeded = call(&recorder);
    EXPECT_EQ(StatementRunner::live_count(), 0);
    if (expected == Outcome::Lands) {
      EXPECT_TRUE(succeeded) << "refused: " << recorder.last_error().value_or("(no database error)");
      EXPECT_TRUE(capture_.reports().empty());
      if (succeeded) {
        check();
        EXPECT_EQ(state_of(db()), after_success(seeded, op, coupon_linked)) << "nothing else is written";
      }
    } else {
      EXPECT_FALSE(succeeded) << "the engine took it";
      EXPECT_EQ(capture_.reports().size(), 1u);
      if (!succeeded && capture_.reports().size() == 1 && recorder.last_error()) {
        const std::string tag(op == Op::Header ? kTagNotas : kTagQuorbis);
        EXPECT_EQ(capture_.reports()[0].text, expected_report(tag, *recorder.last_error()));
      }
      EXPECT_EQ(state_of(db()), after_refusal(seeded, op));
    }
    db().rollback();
    EXPECT_EQ(state_of(db()), before) << "the host's rollback restores the database";
  }

  // Runs `call` in a host transaction and expects a ConversionError with
  // `message`, no report, and nothing written by the call.
  void attempt_conversion_failure(const std::function<void(Connection*)>& call, const std::string& message,
                                  const std::function<void()>& seed = {}) {
    db().begin();
    if (seed) seed();
    const State before = state_of(db());
    capture_.clear();
    std::optional<std::string> failure;
    try {
      call(&db());
    } catch (const ConversionError& error) {
      failure = error.what();
    }
    EXPECT_EQ(failure.value_or("(no exception)"), message);
    EXPECT_TRUE(capture_.reports().empty());
    EXPECT_EQ(StatementRunner::live_count(), 0);
    EXPECT_EQ(state_of(db()), before) << "a failure outside the database writes nothing";
    db().rollback();
  }

  Row notas_row() { return read_row(db(), "SELECT * FROM NOTAS WHERE NOTAS_ID = " + std::to_string(kInvoice)); }
  Row item_row() {
    return read_row(db(), "SELECT * FROM ITENSNOTAS WHERE ITENSNOTAS_IDNOTA = " + std::to_string(kInvoice));
  }
  Row instalment_row() {
    return read_row(db(), "SELECT * FROM CONTASNOTAS WHERE CONTASNOTAS_IDNOTA = " + std::to_string(kInvoice));
  }

  TestDatabase database_{GetParam()};
  ReportCapture capture_;
};
INSTANTIATE_TEST_SUITE_P(Engines, HostileInput, ::testing::ValuesIn(test_engine_names()), EngineName());

// --- texts ------------------------------------------------------------------

std::string every_byte() {
  std::string text;
  for (int b = 0x01; b <= 0xFF; ++b) text += static_cast<char>(b);
  return text;
}

std::string control_characters() {
  std::string text;
  for (int b = 0x01; b < 0x20; ++b) text += static_cast<char>(b);
  return text + '\x7F';
}

std::string one_mebibyte() {
  std::string text(1 << 20, 'A');
  for (std::size_t i = 0; i < text.size(); i += 997) text[i] = '\'';
  return text;
}

struct TextCase {
  const char* name;
  std::string text;
  EngineOutcome outcome;
  // Into every text argument and the lookups at once; otherwise only into
  // one free-text column per operation.
  bool everywhere = true;
};

const std::vector<TextCase>& text_cases() {
  static const std::vector<TextCase> cases = {
      {"apostrophes only", std::string(40, '\''), kLands},
      {"ends the literal and appends a statement", "x'); DELETE FROM PARAMETROS; --", kLands},
      {"ends the literal inside a condition", "' OR '1'='1", kLands},
      {"ends the literal with a doubled quote", "''); DROP TABLE NOTAS; --'", kLands},
      {"concatenates a query", "'||(SELECT COUNT(*) FROM PARAMETROS)||'", kLands},
      {"comment and parameter markers", "-- /* :idnota ? ; */ :1", kLands},
      {"backslashes and double quotes", "C:\\dados\\\"nota\"\\", kLands},
      {"every byte 0x01-0xFF", every_byte(), kLands},
      {"control characters", control_characters(), kLands},
      {"CR LF inside", "linha 1\r\nlinha 2\r\n\r\n", kLands},
      {"trailing blanks", "  ABC  ", kLands},
      // SQLite's parser stops at the zero byte, inside an open literal;
      // Firebird takes the counted text whole.
      {"a zero byte inside", std::string("abc\0'); DELETE FROM PARAMETROS; --", 33),
       {Outcome::Refused, Outcome::Lands}, false},
      // Firebird takes at most 64 KiB in one quoted text.
      {"1 MiB with apostrophes", one_mebibyte(), {Outcome::Lands, Outcome::Refused}, false},
  };
  return cases;
}

TEST_P(HostileInput, TextsLandByteExactOrAreRefused) {
  constexpr std::int32_t kCustomer = 77, kCarrier = 78, kProduct = 79;
  for (const TextCase& c : text_cases()) {
    SCOPED_TRACE(c.name);
    const std::string_view text = c.text;
    const Outcome outcome = c.outcome.on(engine());
    const auto seed_lookups_with_text = [&] {
      seed_customer(db(), kCustomer, text, text);
      seed_carrier(db(), kCarrier, text, text);
      seed_product(db(), kProduct, text);
    };

    NotasArgs header = full_header();
    header.coo = 0;
    header.basecreditoicms = 0;
    if (c.everywhere) {
      for (const auto& f : notas_fields().texts) header.*f.text = text;
      header.cnpjcpf = header.ierg = header.cnpjtransp = header.rgtransp = text;
    } else {
      header.obs1 = text;
    }
    attempt(
        Op::Header, outcome, [&](Connection* c2) { return incluir_notas(c2, header) == kInvoice; },
        [&] {
          const Row row = notas_row();
          ASSERT_TRUE(row.found());
          for (const auto& f : notas_fields().texts) EXPECT_EQ(row.text(f.column), header.*f.text) << f.column;
          if (c.everywhere) {
            EXPECT_EQ(row.integer("NOTAS_IDCLI_FOR"), kCustomer) << "the lookup matched the text exactly";
            EXPECT_EQ(row.integer("NOTAS_IDTRANSP"), kCarrier);
          }
        },
        false, c.everywhere ? std::function<void()>(seed_lookups_with_text) : nullptr);

    ItensNotasArgs item = full_item(kInvoice);
    item.sittribpis = item.sittribcofins = "07";
    if (c.everywhere) {
      for (const auto& f : itensnotas_fields().texts) item.*f.text = text;
      item.refvenda = text;
    } else {
      item.infadicionais = text;
    }
    attempt(
        Op::Item, outcome, [&](Connection* c2) { return incluir_itensnotas(c2, item); },
        [&] {
          const Row row = item_row();
          ASSERT_TRUE(row.found());
          for (const auto& f : itensnotas_fields().texts) EXPECT_EQ(row.text(f.column), item.*f.text) << f.column;
          if (c.everywhere) {
            EXPECT_EQ(row.integer("ITENSNOTAS_IDPRODUTO"), kProduct);
          }
        },
        false, c.everywhere ? std::function<void()>(seed_lookups_with_text) : nullptr);
  }
}

// --- amounts ----------------------------------------------------------------

struct AmountCase {
  const char* name;
  double value;
  const char* literal;  // the value's literal; null: it has none the engines take
  EngineOutcome outcome;
};

const std::vector<AmountCase>& amount_cases() {
  static const std::vector<AmountCase> cases = {
      {"zero", 0.0, "0", kLands},
      {"negative zero", -0.0, "0", kLands},
      {"NaN", kNan, nullptr, kRefused},
      {"NaN with its sign bit", -kNan, nullptr, kRefused},
      {"infinity", kInf, nullptr, kRefused},
      {"negative infinity", -kInf, nullptr, kRefused},
      // Firebird takes no subnormal double ("numeric value is out of range");
      // the smallest normal one's literal is one.
      {"smallest subnormal", std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324",
       {Outcome::Lands, Outcome::Refused}},
      {"smallest normal", std::numeric_limits<double>::min(), "2.2250738585072E-308",
       {Outcome::Lands, Outcome::Refused}},
      // Its literal rounds past the largest double: SQLite reads it as
      // infinity, the literal's nearest double; Firebird refuses it.
      {"largest double", std::numeric_limits<double>::max(), "1.79769313486232E308",
       {Outcome::Lands, Outcome::Refused}},
      {"1E300", 1e300, "1E300", kLands},
      {"-1E300", -1e300, "-1E300", kLands},
      {"17 digits: 0.1 + 0.2", 0.1 + 0.2, "0.3", kLands},
      {"17 digits: 1/3", 1.0 / 3, "0.333333333333333", kLands},
      {"17 digits: 123456789.12345678", 123456789.12345678, "123456789.123457", kLands},
      {"17 digits: -2^53 - 1", -9007199254740993.0, "-9.00719925474099E15", kLands},
      {"15 nines and a half", 999999999999999.5, "1E15", kLands},
  };
  return cases;
}

TEST_P(HostileInput, AmountsLandAsTheirLiteralOrAreRefused) {
  for (const AmountCase& c : amount_cases()) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = c.outcome.on(engine());
    const double stored = c.literal ? from_literal(c.literal) : 0;

    NotasArgs header = full_header();
    header.coo = 0;
    header.basecreditoicms = 0;
    for (const auto& f : notas_fields().amounts) header.*f.number = c.value;
    attempt(Op::Header, outcome, [&](Connection* c2) { return incluir_notas(c2, header) == kInvoice; }, [&] {
      const Row row = notas_row();
      ASSERT_TRUE(row.found());
      for (const auto& f : notas_fields().amounts) EXPECT_EQ(row.amount(f.column), stored) << f.column;
    });

    ItensNotasArgs item = full_item(kInvoice);
    item.sittribpis = item.sittribcofins = "07";
    for (const auto& f : itensnotas_fields().amounts) item.*f.number = c.value;
    attempt(Op::Item, outcome, [&](Connection* c2) { return incluir_itensnotas(c2, item); }, [&] {
      const Row row = item_row();
      ASSERT_TRUE(row.found());
      for (const auto& f : itensnotas_fields().amounts) EXPECT_EQ(row.amount(f.column), stored) << f.column;
    });

    attempt(
        Op::Instalment, outcome,
        [&](Connection* c2) { return incluir_contasnotas(c2, {kInvoice, 1, 45382, c.value}); },
        [&] { EXPECT_EQ(instalment_row().amount("CONTASNOTAS_VALOR"), stored); });
  }
}

// --- integers ---------------------------------------------------------------

TEST_P(HostileInput, IntegersAtBothLimitsLandExactly) {
  const std::int32_t values[] = {std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max(), -1, 0};
  for (const std::int32_t v : values) {
    SCOPED_TRACE(v);
    NotasArgs header = full_header();
    header.basecreditoicms = 0;
    for (const auto& f : notas_fields().integers) header.*f.integer = v;
    header.coo = v;  // a positive one links the coupon
    attempt(
        Op::Header, Outcome::Lands, [&](Connection* c2) { return incluir_notas(c2, header) == kInvoice; },
        [&] {
          const Row row = notas_row();
          ASSERT_TRUE(row.found());
          for (const auto& f : notas_fields().integers) EXPECT_EQ(row.integer(f.column), v) << f.column;
          if (v > 0) {
            EXPECT_EQ(count_rows(db(), "CUPOM_NFE", "CUPOM_NFE_COO = " + std::to_string(v)), 1);
          }
        },
        v > 0);

    ItensNotasArgs item = full_item(kInvoice);
    for (const auto& f : itensnotas_fields().integers) item.*f.integer = v;
    attempt(Op::Item, Outcome::Lands, [&](Connection* c2) { return incluir_itensnotas(c2, item); }, [&] {
      const Row row = read_row(db(), "SELECT * FROM ITENSNOTAS");
      ASSERT_TRUE(row.found());
      for (const auto& f : itensnotas_fields().integers) EXPECT_EQ(row.integer(f.column), v) << f.column;
    });

    ContasNotasArgs instalment{v, v, 45382, 1};
    attempt(Op::Instalment, Outcome::Lands, [&](Connection* c2) { return incluir_contasnotas(c2, instalment); },
            [&] {
              const Row row = read_row(db(), "SELECT * FROM CONTASNOTAS");
              for (const auto& f : contasnotas_fields().integers) EXPECT_EQ(row.integer(f.column), v) << f.column;
            });

    CupomArgs link{v, v, v};
    attempt(Op::Coupon, Outcome::Lands, [&](Connection* c2) { return incluir_cupom(c2, link); }, [&] {
      const Row row = read_row(db(), "SELECT * FROM CUPOM_NFE");
      for (const auto& f : cupom_fields().integers) EXPECT_EQ(row.integer(f.column), v) << f.column;
    });
  }
}

// --- dates ------------------------------------------------------------------

struct DateCase {
  const char* name;
  double value;
  // The date as mm/dd/yyyy, or null when the value has no date literal.
  const char* date;
  EngineOutcome outcome;
};

// How each engine gives a stored 'mm/dd/yyyy' back.
std::string stored_date(const std::string& engine, const std::string& mmddyyyy) {
  if (engine == "sqlite") return mmddyyyy;  // the text as written
  return mmddyyyy.substr(6, 4) + "-" + mmddyyyy.substr(0, 2) + "-" + mmddyyyy.substr(3, 2);
}

TEST_P(HostileInput, DatesLandOrAreRefused) {
  const DateCase cases[] = {
      {"day 0", 0, "12/30/1899", kLands},
      {"1 January of the year 1", -693593, "01/01/0001", kLands},
      {"31 December 9999 at noon", 2958465.5, "12/31/9999", kLands},
      // The zero date text: SQLite keeps it, Firebird has no such date.
      {"the day before the year 1", -693594, "00/00/0000", {Outcome::Lands, Outcome::Refused}},
      {"-1E300", -1e300, "00/00/0000", {Outcome::Lands, Outcome::Refused}},
  };
  for (const DateCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome outcome = c.outcome.on(engine());
    const std::string expected = stored_date(engine(), c.date);
    NotasArgs header = full_header();
    header.coo = 0;
    for (const auto& f : notas_fields().dates) {
      if (f.column != "NOTAS_HORASAIDA") header.*f.number = c.value;
    }
    attempt(Op::Header, outcome, [&](Connection* c2) { return incluir_notas(c2, header) == kInvoice; }, [&] {
      const Row row = notas_row();
      EXPECT_EQ(row.text("NOTAS_DATAEMISSAO"), expected);
      EXPECT_EQ(row.text("NOTAS_DATASAIDA"), expected);
    });
    attempt(
        Op::Instalment, outcome,
        [&](Connection* c2) { return incluir_contasnotas(c2, {kInvoice, 1, c.value, 10}); },
        [&] { EXPECT_EQ(instalment_row().text("CONTASNOTAS_DATAVC"), expected); });
  }
}

// --- values with no literal form, and a null counter ---------------------------

TEST_P(HostileInput, FailuresOutsideTheDatabaseWriteNothing) {
  const auto header_with = [](const std::function<void(NotasArgs&)>& change) {
    return [change](Connection* c) {
      NotasArgs a = full_header();
      change(a);
      incluir_notas(c, a);
    };
  };
  const auto item_with = [](const std::function<void(ItensNotasArgs&)>& change) {
    return [change](Connection* c) {
      ItensNotasArgs a = full_item(kInvoice);
      change(a);
      incluir_itensnotas(c, a);
    };
  };
  const auto simples_nacional = [&](double aliqsn) {
    return [this, aliqsn] {
      seed_settings(db(), {.ultimoidnota = kInvoice, .tipoempresa = "S", .aliqsn = aliqsn, .aliqpis = 1.65,
                           .aliqcofins = 7.6});
    };
  };

  struct Case {
    const char* name;
    std::function<void(Connection*)> call;
    const char* message;
    std::function<void()> seed;
  };
  const Case cases[] = {
      {"no settings row: a null counter", header_with([](NotasArgs&) {}),
       "Could not convert variant of type (Null) into type (Integer)", [this] { clear_settings(db()); }},
      {"credit remark of an infinite base", header_with([](NotasArgs& a) { a.basecreditoicms = kInf; }),
       "'INF' is not a valid floating point value", simples_nacional(2.5)},
      {"credit remark at a zero rate of an infinite base",
       header_with([](NotasArgs& a) { a.basecreditoicms = kInf; }), "'NAN' is not a valid floating point value",
       simples_nacional(0)},
      {"emission date NaN", header_with([](NotasArgs& a) { a.dataemissao = kNan; }), "'NAN' is not a valid date",
       nullptr},
      {"departure date after the year 9999", header_with([](NotasArgs& a) { a.datasaida = 2958466; }),
       "'2958466' is not a valid date", nullptr},
      {"departure time infinite", header_with([](NotasArgs& a) { a.horasaida = -kInf; }),
       "'-INF' is not a valid time", nullptr},
      {"PIS completion of an infinite total", item_with([](ItensNotasArgs& a) { a.valortot = kInf; }),
       "'INF' is not a valid floating point value", simples_nacional(2.5)},
      {"COFINS completion of a NaN discount",
       item_with([](ItensNotasArgs& a) {
         a.sittribpis = "07";
         a.desconto = kNan;
       }),
       "'NAN' is not a valid floating point value", simples_nacional(2.5)},
      {"instalment due date infinite",
       [](Connection* c) { incluir_contasnotas(c, {kInvoice, 1, kInf, 10}); }, "'INF' is not a valid date",
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    attempt_conversion_failure(c.call, c.message, c.seed);
  }
}

}  // namespace
}  // namespace kovo::test
