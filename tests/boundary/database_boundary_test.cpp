// The four database exports through the register convention, with a real
// SQLite database behind them: every argument in its column, the bytes
// removed, the preserved registers, the texts' counts, the error report on
// a database error and the raised failure on any other.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "database_fixture.h"

namespace {

constexpr std::string_view kQuorbisTag = "[e:quorbis_999999]";
constexpr std::string_view kHeaderTag = "[e:kovo_error:999999]";

struct ExportCase {
  const char* name;
  const std::vector<ArgumentColumn>* arguments;
  const char* table;
  std::uint32_t stack_bytes;
  bool boolean;  // else the invoice id, -1 on failure
  std::string_view tag;
  const char* nil_column;  // one text passed nil
  // Values no column shows directly (lookups, the coupon link, the counter):
  // a query and its rows, columns joined by '|'.
  std::vector<std::pair<const char*, const char*>> derived;
};

const ExportCase kExports[] = {
    {"kovo_incluir_cupom", &kCupomArguments, "CUPOM_NFE", 4, true, kQuorbisTag, "", {}},
    {"kovo_incluir_contasnotas", &kContasNotasArguments, "CONTASNOTAS", 16, true, kQuorbisTag,
     "", {}},
    {"kovo_incluir_itensnotas",
     &kItensNotasArguments,
     "ITENSNOTAS",
     352,
     true,
     kQuorbisTag,
     "ITENSNOTAS_UM",
     {{"SELECT ITENSNOTAS_IDPRODUTO, ITENSNOTAS_ALIQSN, ITENSNOTAS_VALORSN FROM ITENSNOTAS",
       "7|0.0|0.0"}}},
    {"kovo_incluir_notas",
     &kNotasArguments,
     "NOTAS",
     476,
     false,
     kHeaderTag,
     "NOTAS_ANTTREB2",
     {{"SELECT NOTAS_ID, NOTAS_IDCLI_FOR, NOTAS_IDTRANSP FROM NOTAS", "1|77|88"},
      {"SELECT * FROM CUPOM_NFE", "1|1082|1"},
      {"SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS", "2"}}},
};

// The product, customer and carrier the lookups find by the texts of
// positions 3 (refvenda), 18 and 19 (cnpjcpf, ierg), 47 and 48 (cnpjtransp,
// rgtransp).
void seed(SqliteProbe& probe) {
  probe.exec(
      "INSERT INTO PRODUTOS VALUES (7, 'v3');"
      "INSERT INTO CLIENTES VALUES (77, 'v18', 'v19');"
      "INSERT INTO TRANSPORTADORES VALUES (88, 'v47', 'v48');");
}

std::string joined(const SqliteProbe::Row& row) {
  std::string text;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i) text += '|';
    text += row[i].value_or("NULL");
  }
  return text;
}

void expect_columns(SqliteProbe& probe, const char* table, const PreparedCall& call) {
  std::map<std::string, std::optional<std::string>> row;
  for (auto& [name, value] : probe.named_row(std::string("SELECT * FROM ") + table)) {
    row[name] = value;
  }
  for (const auto& column : call.expected_columns) {
    SCOPED_TRACE(column.name);
    ASSERT_TRUE(row.count(column.name)) << "no such column";
    ASSERT_TRUE(row[column.name].has_value()) << "NULL";
    if (column.amount) {
      EXPECT_EQ(std::strtod(row[column.name]->c_str(), nullptr),
                std::strtod(column.value.c_str(), nullptr));
    } else {
      EXPECT_EQ(*row[column.name], column.value);
    }
  }
}

void PrintTo(const ExportCase& e, std::ostream* out) { *out << e.name; }

class EachExport : public ::testing::TestWithParam<ExportCase> {};

TEST_P(EachExport, EveryArgumentLandsInItsColumn) {
  const ExportCase& e = GetParam();
  DatabaseFixture db;
  seed(db.probe());
  const PreparedCall call = prepare_call(*e.arguments, db.connection(), db.texts(), e.nil_column);

  const HostCallFrame frame = call_export(e.name, call.arguments);
  expect_clean_return(frame, e.stack_bytes);
  if (e.boolean) {
    EXPECT_TRUE(boolean_result(frame));
  } else {
    EXPECT_EQ(frame.result, 1u) << "the invoice id is the counter's value before the call";
  }
  EXPECT_TRUE(shown_reports().empty());
  expect_columns(db.probe(), e.table, call);
  for (const auto& [query, expected] : e.derived) {
    const auto rows = db.probe().rows(query);
    ASSERT_EQ(rows.size(), 1u) << query;
    EXPECT_EQ(joined(rows[0]), expected) << query;
  }
  expect_counts_restored(call);
}

// Texts of the call in progress, and their counts when the report showed.
const PreparedCall* reporting_call = nullptr;
std::vector<std::int32_t> counts_while_reporting;

void record_counts() {
  for (const auto& passed : reporting_call->texts) {
    counts_while_reporting.push_back(passed.text ? HostTexts::count(passed.text) : 0);
  }
}

TEST_P(EachExport, DatabaseErrorIsReportedAndGivesTheFailureResult) {
  const ExportCase& e = GetParam();
  DatabaseFixture db;
  db.probe().exec(std::string("DROP TABLE ") + e.table);
  const PreparedCall call = prepare_call(*e.arguments, db.connection(), db.texts(), e.nil_column);
  reporting_call = &call;
  counts_while_reporting.clear();
  set_report_observer(&record_counts);

  const HostCallFrame frame = call_export(e.name, call.arguments);
  expect_clean_return(frame, e.stack_bytes);
  if (e.boolean) {
    EXPECT_FALSE(boolean_result(frame));
  } else {
    EXPECT_EQ(frame.result, 0xFFFFFFFFu);
  }

  ASSERT_EQ(shown_reports().size(), 1u);
  const ShownReport& report = shown_reports()[0];
  EXPECT_EQ(report.caption, "Erro");
  const std::string head =
      std::string(e.tag) + "\r\n\r\nErro retornado pelo processamento\r\n\r\n";
  const std::string tail = "\r\n\r\nVerifique e tente novamente!";
  ASSERT_GT(report.text.size(), head.size() + tail.size()) << report.text;
  EXPECT_EQ(report.text.substr(0, head.size()), head);
  EXPECT_EQ(report.text.substr(report.text.size() - tail.size()), tail);
  const std::string message =
      report.text.substr(head.size(), report.text.size() - head.size() - tail.size());
  EXPECT_NE(message.find(e.table), std::string::npos) << message;

  // Borrowed while the report was up, given back afterwards.
  ASSERT_EQ(counts_while_reporting.size(), call.texts.size());
  for (std::size_t i = 0; i < call.texts.size(); ++i) {
    const std::int32_t before = call.texts[i].count;
    EXPECT_EQ(counts_while_reporting[i], before < 0 ? before : before + (before > 0 ? 1 : 0));
  }
  expect_counts_restored(call);
}

INSTANTIATE_TEST_SUITE_P(Boundary, EachExport, ::testing::ValuesIn(kExports),
                         [](const auto& param_info) { return std::string(param_info.param.table); });

// 1.25 % of 1234.56 is 15.432: the remark carries 15,43. The host's control
// word must not change the extended arithmetic, and comes back unchanged.
TEST(HeaderExport, CreditRemarkIsTheSameWhateverTheHostsX87ControlWord) {
  const std::uint16_t kControlWords[] = {
      kDelphiControlWord,  // 64-bit, nearest, some exceptions unmasked
      0x027F,              // 53-bit precision
      0x0C7F,              // 64-bit, rounding toward zero
  };
  for (const std::uint16_t control : kControlWords) {
    SCOPED_TRACE(control);
    DatabaseFixture db;
    db.probe().exec(
        "UPDATE PARAMETROS SET PARAMETROS_TIPOEMPRESA = 'S', PARAMETROS_ALIQSN = 1.25");
    const PreparedCall call = prepare_call(kNotasArguments, db.connection(), db.texts(), "",
                                           {{71, "N"}, {85, "", 1234.56}});
    const HostCallFrame frame = call_export("kovo_incluir_notas", call.arguments, control);
    expect_clean_return(frame, 476);
    EXPECT_EQ(frame.result, 1u);
    const auto rows = db.probe().rows("SELECT NOTAS_OBS6, NOTAS_OBS7 FROM NOTAS");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "PERMITE APROVEITAMENTO DE CR\xC9" "DITO DE ICMS NO VALOR DE R$ 15,43");
    EXPECT_EQ(rows[0][1],
              "DOCUMENTO EMITIDO POR ME OU EPP OPTANTE PELO SIMPLES NACIONAL N\xC3O GERA CR\xC9"
              "DITO FISCAL DE IPI");
    expect_counts_restored(call);
  }
}

// A NaN base is not greater than zero: no credit remark. The comparison is
// an ordered one, which raises the invalid-operation exception that the
// host's control word leaves unmasked: on the processor that traps unless
// the call masks it, and a flag left raised would trap at the host's next
// x87 instruction (the emulator does not trap, but the flag shows).
TEST(HeaderExport, NanCreditBaseMakesNoRemarkUnderTheHostsUnmaskedExceptions) {
  DatabaseFixture db;
  db.probe().exec("UPDATE PARAMETROS SET PARAMETROS_TIPOEMPRESA = 'S', PARAMETROS_ALIQSN = 1.25");
  const PreparedCall call =
      prepare_call(kNotasArguments, db.connection(), db.texts(), "",
                   {{71, "N"}, {85, "", std::numeric_limits<double>::quiet_NaN()}});
  const HostCallFrame frame = call_export("kovo_incluir_notas", call.arguments, kDelphiControlWord);
  expect_clean_return(frame, 476);
  EXPECT_EQ(frame.result, 1u);
  const auto rows = db.probe().rows("SELECT NOTAS_OBS6 FROM NOTAS");
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0], "v69");
}

// Failures that are not database errors reach the host's handler as the
// boundary's exception, with no report and no result, after every borrowed
// text has been given back; the library stays usable.
TEST(HeaderExport, OtherFailuresAreRaisedToTheHost) {
  struct Case {
    const char* setup;
    std::vector<Override> overrides;
    const char* message;
  };
  const Case cases[] = {
      {"DELETE FROM PARAMETROS", {}, "Could not convert variant of type (Null) into type (Integer)"},
      {"UPDATE PARAMETROS SET PARAMETROS_TIPOEMPRESA = 'S', PARAMETROS_ALIQSN = 1.25",
       {{71, "N"}, {85, "", std::numeric_limits<double>::infinity()}},
       "'INF' is not a valid floating point value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    DatabaseFixture db;
    db.probe().exec(c.setup);
    const PreparedCall call =
        prepare_call(kNotasArguments, db.connection(), db.texts(), "", c.overrides);
    RaisedFailure failure;
    ASSERT_TRUE(call_export_expecting_failure("kovo_incluir_notas", call.arguments, failure));
    EXPECT_EQ(failure.code, 0xE04B4F56u);
    EXPECT_EQ(failure.message, c.message);
    EXPECT_EQ(failure.x87_control, kDelphiControlWord);
    EXPECT_TRUE(shown_reports().empty());
    EXPECT_TRUE(db.probe().rows("SELECT * FROM NOTAS").empty());
    expect_counts_restored(call);

    // The connection still works after the host's handler took over.
    const PreparedCall cupom = prepare_call(kCupomArguments, db.connection(), db.texts());
    EXPECT_TRUE(boolean_result(call_export("kovo_incluir_cupom", cupom.arguments)));
  }
}

TEST(Extras, TransactionIsTheHostsToCommitOrRollBack) {
  DatabaseFixture db;
  const PreparedCall cupom = prepare_call(kCupomArguments, db.connection(), db.texts());
  const auto coupons = [&] { return db.probe().rows("SELECT * FROM CUPOM_NFE").size(); };

  for (const char* end : {"kovo_desfazer_transacao", "kovo_confirmar_transacao"}) {
    SCOPED_TRACE(end);
    const HostCallFrame begun = call_extra("kovo_iniciar_transacao", db.connection());
    expect_clean_return(begun, 0);
    EXPECT_TRUE(boolean_result(begun));
    EXPECT_TRUE(boolean_result(call_export("kovo_incluir_cupom", cupom.arguments)));
    EXPECT_EQ(coupons(), 0u) << "the export committed on its own";
    const HostCallFrame ended = call_extra(end, db.connection());
    expect_clean_return(ended, 0);
    EXPECT_TRUE(boolean_result(ended));
  }
  EXPECT_EQ(coupons(), 1u);
  EXPECT_TRUE(shown_reports().empty());

  // Committing with no transaction open is a database error of the engine.
  EXPECT_FALSE(boolean_result(call_extra("kovo_confirmar_transacao", db.connection())));
  ASSERT_EQ(shown_reports().size(), 1u);
  EXPECT_NE(shown_reports()[0].text.find("no transaction"), std::string::npos)
      << shown_reports()[0].text;
}

// A nil connection, and a target no driver takes, are reported database
// errors with the failure result.
TEST(Extras, MissingConnectionsAreReported) {
  DatabaseFixture db;
  HostTexts& texts = db.texts();
  const char* unknown = texts.make("nosuch:/tmp/x");
  struct Case {
    const char* name;
    HostArguments arguments;
    const char* message;
  };
  const Case cases[] = {
      {"kovo_incluir_cupom", HostArguments().word(0).integer(1).integer(2).integer(3),
       "SQLConnection property required for this operation"},
      {"kovo_iniciar_transacao", HostArguments().word(0),
       "SQLConnection property required for this operation"},
      {"kovo_abrir_conexao", HostArguments().text(unknown), "nosuch"},
      {"kovo_abrir_conexao", HostArguments().text(nullptr), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    shown_reports().clear();
    const HostCallFrame frame = call_export(c.name, c.arguments);
    expect_clean_return(frame, 4 * static_cast<std::uint32_t>(c.arguments.pushes.size()));
    // A Boolean in AL; the connection in the whole of EAX.
    const bool opening = std::string_view(c.name) == "kovo_abrir_conexao";
    EXPECT_EQ(frame.result & (opening ? 0xFFFFFFFFu : 0xFFu), 0u);
    ASSERT_EQ(shown_reports().size(), 1u);
    EXPECT_NE(shown_reports()[0].text.find(c.message), std::string::npos)
        << shown_reports()[0].text;
  }
  EXPECT_EQ(HostTexts::count(unknown), 1);
}

}  // namespace
