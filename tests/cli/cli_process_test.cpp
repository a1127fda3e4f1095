// The kovolink tool driven as a user drives it: the built executable run as
// a process on real SQLite database files in a temporary folder, the
// database inspected afterwards.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/json.h"
#include "cli/windows1252.h"
#include "interface/error_report.h"
#include "operations.h"
#include "sql/connection.h"
#include "sql/database_error.h"
#include "sqlite_fixture.h"
#include "tool_process.h"

namespace kovo {
namespace {

using test::run_tool;
using test::TempDir;
using test::ToolRun;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The first column of the first row of `sql`.
Value scalar(Connection& connection, const std::string& sql) {
  const auto result = connection.query(sql);
  return result->has_row() ? result->column_value(0) : Value::null();
}
std::int64_t integer(Connection& connection, const std::string& sql) {
  const Value v = scalar(connection, sql);
  return v.kind == Value::Kind::Integer ? v.integer : static_cast<std::int64_t>(v.real);
}

void write_file(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// Instalments below zero are refused by the engine itself, so that a
// document can fail in the middle, after its header and items were written.
void refuse_negative_instalments(Connection& connection) {
  connection.execute(
      "CREATE TRIGGER refuse_negative BEFORE INSERT ON CONTASNOTAS WHEN NEW.CONTASNOTAS_VALOR < 0 "
      "BEGIN SELECT RAISE(ABORT, 'negative instalment refused'); END");
}

class Tool : public ::testing::Test {
 protected:
  std::string target(const std::string& name = "erp.db") const { return dir.sqlite_target(name); }

  // `kovolink init` on a new database, which must succeed.
  std::unique_ptr<Connection> init(const std::string& name, const std::vector<std::string>& options = {}) {
    std::vector<std::string> args{"init", target(name)};
    args.insert(args.end(), options.begin(), options.end());
    const ToolRun run = run_tool(args, dir.path());
    EXPECT_EQ(run.status, 0) << run.err;
    return open_connection(target(name));
  }

  ToolRun registrar(const std::string& name, const std::string& json, std::vector<std::string> extra = {}) {
    write_file(dir.path() / "notas.json", json);
    std::vector<std::string> args{"registrar", target(name), "notas.json"};
    args.insert(args.end(), extra.begin(), extra.end());
    return run_tool(args, dir.path());
  }

  TempDir dir;
};

TEST_F(Tool, InitCreatesTheSchemaWithOneSettingsRow) {
  auto db = init("set.db", {"--contador", "41", "--regime", "S", "--aliqsn", "2.5", "--aliqpis=0.65",
                            "--aliqcofins", "3"});
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM PARAMETROS"), 1);
  EXPECT_EQ(integer(*db, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS"), 41);
  EXPECT_EQ(scalar(*db, "SELECT PARAMETROS_TIPOEMPRESA FROM PARAMETROS").text, "S");
  EXPECT_EQ(scalar(*db, "SELECT PARAMETROS_ALIQSN FROM PARAMETROS").real, 2.5);
  EXPECT_EQ(scalar(*db, "SELECT PARAMETROS_ALIQPIS FROM PARAMETROS").real, 0.65);
  EXPECT_EQ(scalar(*db, "SELECT PARAMETROS_ALIQCOFINS FROM PARAMETROS").real, 3.0);
  for (const char* table : {"NOTAS", "ITENSNOTAS", "CONTASNOTAS", "CUPOM_NFE", "CLIENTES", "PRODUTOS"}) {
    EXPECT_EQ(integer(*db, std::string("SELECT COUNT(*) FROM ") + table), 0) << table;
  }

  auto defaults = init("defaults.db");
  EXPECT_EQ(integer(*defaults, "SELECT COUNT(*) FROM PARAMETROS"), 1);
  EXPECT_EQ(integer(*defaults, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS"), 1);
  EXPECT_EQ(scalar(*defaults, "SELECT PARAMETROS_TIPOEMPRESA FROM PARAMETROS").text, "N");
  EXPECT_EQ(integer(*defaults, "SELECT PARAMETROS_ALIQSN + PARAMETROS_ALIQPIS + PARAMETROS_ALIQCOFINS FROM PARAMETROS"), 0);
}

TEST_F(Tool, InitNeverOverwritesAnExistingDatabase) {
  auto db = init("kept.db", {"--contador", "41"});
  const ToolRun again = run_tool({"init", target("kept.db"), "--contador", "7"}, dir.path());
  EXPECT_EQ(again.status, 1);
  EXPECT_TRUE(contains(again.err, "already exists")) << again.err;
  EXPECT_EQ(integer(*db, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS"), 41);
}

TEST_F(Tool, BadCommandLinesAreUsageErrors) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "usage: kovolink COMMAND"},
      {{"fazer"}, "unknown command \"fazer\""},
      {{"init"}, "missing arguments"},
      {{"init", "sqlite:a.db", "--contador", "x"}, "--contador expects an integer"},
      {{"init", "sqlite:a.db", "--contador", "2147483648"}, "out of the 32-bit range"},
      {{"init", "sqlite:a.db", "--aliqpis", "1,5"}, "--aliqpis expects a number written with a point"},
      {{"init", "sqlite:a.db", "--regime", "\xE4\xB8\xAD"}, "--regime: character U+4E2D cannot be written"},
      {{"init", "sqlite:a.db", "--bogus", "1"}, "unknown option --bogus"},
      {{"init", "sqlite:a.db", "--regime"}, "option --regime needs a value"},
      {{"registrar", "sqlite:a.db"}, "missing arguments"},
      {{"registrar", "sqlite:a.db", "a.json", "b.json"}, "unexpected argument b.json"},
      {{"registrar", "sqlite:a.db", "a.json", "--parar=1"}, "option --parar takes no value"},
      {{"cfop", "--sittrib", "1", "--sittrib", "2"}, "option --sittrib given twice"},
      {{"demo", "a", "b"}, "unexpected argument b"},
  };
  for (const auto& c : cases) {
    const ToolRun run = run_tool(c.args, dir.path());
    EXPECT_EQ(run.status, 2) << c.message;
    EXPECT_TRUE(contains(run.err + run.out, c.message)) << c.message << "\n got: " << run.err << run.out;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.db"));
}

TEST_F(Tool, EverySubcommandHasHelp) {
  for (const char* command : {"init", "registrar", "cfop", "demo"}) {
    const ToolRun run = run_tool({command, "--help"}, dir.path());
    EXPECT_EQ(run.status, 0) << command;
    EXPECT_TRUE(contains(run.out, std::string("usage: kovolink ") + command)) << run.out;
  }
  const ToolRun overview = run_tool({"--help"}, dir.path());
  EXPECT_EQ(overview.status, 0);
  EXPECT_TRUE(contains(overview.out, "registrar TARGET FILE"));
}

// Four documents: a good one; one that the database refuses in its second
// instalment, after its header, items, coupon link and first instalment
// went in; one the reader refuses; another good one.
const char* const kMixedFile = R"([
  {"numero": 1, "modelo": "55", "coo": 7, "consumidorfinal": "1", "basecreditoicms": 100,
   "itens": [{"refvenda": "A", "quantid": 2, "valorunit": 1.5, "valortot": 3, "sittrib": "101"},
             {"refvenda": "B", "quantid": 1, "valorunit": 10, "valortot": 10}],
   "parcelas": [{"parcela": 1, "datavc": "2024-04-06", "valor": 13}],
   "cupons": [{"coo": 8, "idimpressora": 2}]},
  {"numero": 2, "modelo": "55", "coo": 9,
   "itens": [{"refvenda": "C", "quantid": 1}, {"refvenda": "D", "quantid": 1}],
   "parcelas": [{"parcela": 1, "valor": 10}, {"parcela": 2, "valor": -5}]},
  {"numero": 3, "itens": [{"quantid": "x"}]},
  {"numero": 4}
])";

TEST_F(Tool, CommitsTheGoodDocumentsAndRollsTheBadOnesBackCompletely) {
  auto db = init("mixed.db", {"--regime", "S", "--aliqsn", "2.5"});
  refuse_negative_instalments(*db);

  const ToolRun run = registrar("mixed.db", kMixedFile);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "document 1 (line 2): invoice 1 registered: 2 items, 1 instalment, coupon 7, 1 extra coupon link\n"
            "document 2 (line 7): not registered, rolled back: parcela 2: negative instalment refused\n"
            "document 3 (line 10): not registered: item 1, key \"quantid\": expects a number, got a text\n"
            "document 4 (line 11): invoice 2 registered: 0 items\n"
            "4 documents: 2 registered, 2 failed\n");
  // The error report, on standard error, caption first.
  EXPECT_TRUE(contains(run.err, "Erro\n[e:quorbis_999999]\n\nErro retornado pelo processamento\n\n"
                                "negative instalment refused\n\nVerifique e tente novamente!"))
      << run.err;

  // Only documents 1 and 4 are stored, with consecutive ids: the counter
  // advance of document 2 was rolled back with the rest of it.
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM NOTAS"), 2);
  EXPECT_EQ(integer(*db, "SELECT NOTAS_NUMERO FROM NOTAS WHERE NOTAS_ID = 1"), 1);
  EXPECT_EQ(integer(*db, "SELECT NOTAS_NUMERO FROM NOTAS WHERE NOTAS_ID = 2"), 4);
  EXPECT_EQ(integer(*db, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS"), 3);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM ITENSNOTAS"), 2);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM ITENSNOTAS WHERE ITENSNOTAS_IDNOTA = 1"), 2);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CONTASNOTAS"), 1);
  EXPECT_EQ(integer(*db, "SELECT CONTASNOTAS_VALOR FROM CONTASNOTAS WHERE CONTASNOTAS_IDNOTA = 1"), 13);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CUPOM_NFE"), 2);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CUPOM_NFE WHERE CUPOM_NFE_IDNOTA = 1 AND CUPOM_NFE_COO = 7 "
                         "AND CUPOM_NFE_IDIMPRESSORA = 1"), 1);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CUPOM_NFE WHERE CUPOM_NFE_IDNOTA = 1 AND CUPOM_NFE_COO = 8 "
                         "AND CUPOM_NFE_IDIMPRESSORA = 2"), 1);
  // The library's own work went through: the Simples Nacional remarks.
  EXPECT_EQ(scalar(*db, "SELECT NOTAS_OBS6 FROM NOTAS WHERE NOTAS_ID = 1").text,
            "PERMITE APROVEITAMENTO DE CR\xC9" "DITO DE ICMS NO VALOR DE R$ 2,50");
}

TEST_F(Tool, PararStopsAtTheFirstFailure) {
  auto db = init("parar.db");
  refuse_negative_instalments(*db);
  const ToolRun run = registrar("parar.db", kMixedFile, {"--parar"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.out, "document 1 (line 2): invoice 1 registered"));
  EXPECT_TRUE(contains(run.out, "document 2 (line 7): not registered, rolled back"));
  EXPECT_FALSE(contains(run.out, "document 3"));
  EXPECT_TRUE(contains(run.out, "4 documents: 1 registered, 1 failed, 2 not tried (--parar stopped at the first failure)"))
      << run.out;
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM NOTAS"), 1);
  EXPECT_EQ(integer(*db, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS"), 2);
}

TEST_F(Tool, ReadsStandardInputAndTheNotasObjectForm) {
  auto db = init("stdin.db");
  const ToolRun run = run_tool({"registrar", target("stdin.db"), "-"}, dir.path(),
                               R"({"notas": [{"numero": 10, "obs1": "A\u00c7\u00c3O D'\u00c1GUA \u2014 \u20ac 5"}]})");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "document 1 (line 1): invoice 1 registered: 0 items\n1 document: 1 registered, 0 failed\n");
  // UTF-8 in the file, Windows-1252 in the database.
  EXPECT_EQ(scalar(*db, "SELECT NOTAS_OBS1 FROM NOTAS WHERE NOTAS_NUMERO = 10").text,
            "A\xC7\xC3O D'\xC1GUA \x97 \x80 5");
}

TEST_F(Tool, BadInputsGiveClearErrorsAndWriteNothing) {
  auto db = init("bad.db");
  const struct {
    std::string file;
    int status;
    const char* message;  // on standard output for a document, standard error for the file
  } cases[] = {
      {R"([{"numero": 1,}])", 2, "notas.json: line 1, column 15: expected a key in double quotes, found '}'"},
      {"[{\"obs1\": \"caf\xE9\"}]", 2, "notas.json: line 1, column 15: invalid UTF-8"},
      {R"({"notas": 5})", 2, "notas.json: \"notas\" expects an array of documents, got the number 5"},
      {"", 2, "notas.json: line 1, column 1: expected a value"},
      {R"([{"numro": 1}])", 1, "document 1 (line 1): not registered: key \"numro\": unknown key"},
      {R"([{"numero": "1"}])", 1, "key \"numero\": expects an integer, got a text"},
      {R"([{"numero": 3000000000}])", 1, "key \"numero\": integer 3000000000 out of the 32-bit range"},
      {R"([{"obs1": "\u4e2d\u6587"}])", 1, "key \"obs1\": character U+4E2D cannot be written in Windows-1252"},
      {R"([{"dataemissao": "2024-02-30"}])", 1, "key \"dataemissao\": \"2024-02-30\" is not an ISO 8601 date"},
      {R"([{}, {"parcelas": [{"parcela": 1.5}]}])", 1, "document 2 (line 1): not registered: parcela 1, key \"parcela\": expects an integer, got 1.5"},
      {R"([{"cupons": [{"idnota": 1}]}])", 1, "cupom 1, key \"idnota\": unknown key"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    const ToolRun run = registrar("bad.db", c.file);
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(contains(c.status == 2 ? run.err : run.out, c.message)) << run.out << run.err;
  }
  // The one empty document of the parcela case is the only one registered.
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM NOTAS"), 1);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CONTASNOTAS"), 0);

  const ToolRun missing = run_tool({"registrar", target("bad.db"), "missing.json"}, dir.path());
  EXPECT_EQ(missing.status, 2);
  EXPECT_TRUE(contains(missing.err, "cannot open missing.json")) << missing.err;
}

TEST_F(Tool, AnUnreachableDatabaseFailsTheRun) {
  write_file(dir.path() / "notas.json", "[{}]");
  const ToolRun run = run_tool({"registrar", "oracle:erp", "notas.json"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.err, "Unknown database target 'oracle:erp'")) << run.err;
}

TEST_F(Tool, CfopPrintsTheDerivedCode) {
  const struct {
    std::vector<std::string> args;
    const char* cfop;
  } cases[] = {
      {{"--tipoempresa", "S", "--uforigem", "SP", "--ufdestino", "RJ", "--sittrib", "102", "--naocontribuinte", "S"}, "6108"},
      {{"--tipoempresa=P", "--uforigem=SP", "--ufdestino=EX", "--sittrib=60"}, "7405"},
      {{"--tipoempresa", "S", "--uforigem", "SP", "--ufdestino", "SP", "--sittrib", "102", "--sufixo1", "949"}, "5949"},
      {{"--tipoempresa", "X", "--uforigem", "SP", "--ufdestino", "MG", "--sufixo1", "949", "--sufixo2", "910"}, "6910"},
      {{}, "9999"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"cfop"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun run = run_tool(args, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(c.cfop) + "\n");
  }
}

TEST_F(Tool, DemoRegistersTheExamplesAndShowsThem) {
  for (int round = 0; round < 2; ++round) {  // the second run replaces the first database
    const ToolRun run = run_tool({"demo"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(contains(run.out, "4 documents: 4 registered, 0 failed")) << run.out;
    EXPECT_TRUE(contains(run.out, "Invoice 4: NF-e model 55, series 2, number 20417"));
    EXPECT_TRUE(contains(run.out, "OBS6: PERMITE APROVEITAMENTO DE CRÉDITO DE ICMS NO VALOR DE R$ 15,58"));
    EXPECT_TRUE(contains(run.out, "3. CHAVE DE FENDA PHILLIPS 3/16\" — AÇO CROMO-VANÁDIO (product id 3)"));
    EXPECT_TRUE(contains(run.out, "COO 4513 on printer 1"));
    auto db = open_connection("sqlite:" + (dir.path() / "kovolink-demo.db").string());
    EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM NOTAS"), 4);
    EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM ITENSNOTAS"), 8);
    EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CONTASNOTAS"), 7);
    EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CUPOM_NFE"), 2);
  }
  // A target of the user's own is never replaced.
  const ToolRun taken = run_tool({"demo", "sqlite:kovolink-demo.db"}, dir.path());
  EXPECT_EQ(taken.status, 1);
  EXPECT_TRUE(contains(taken.err, "already exists")) << taken.err;
}

// What the library sends, seen from inside: every statement with its kind,
// and the engine's error messages, in order.
class Recorder final : public ForwardingConnection {
 public:
  using ForwardingConnection::ForwardingConnection;
  struct Entry {
    std::string op;
    std::string text;
  };
  void execute(const std::string& sql) override {
    entries.push_back({"execute", sql});
    watch([&] { inner().execute(sql); });
  }
  std::unique_ptr<Cursor> query(const std::string& sql) override {
    entries.push_back({"open", sql});
    std::unique_ptr<Cursor> result;
    watch([&] { result = inner().query(sql); });
    return result;
  }
  std::vector<Entry> entries;

 private:
  template <typename Body>
  void watch(Body&& body) {
    try {
      body();
    } catch (const DatabaseError& error) {
      entries.push_back({"error", error.what()});
      throw;
    }
  }
};

TEST_F(Tool, TheTraceHoldsExactlyTheStatementsTheLibrarySent) {
  const std::vector<std::string> settings{"--regime", "S", "--aliqsn", "2.5", "--aliqpis", "0.65", "--aliqcofins", "3"};
  auto traced_db = init("traced.db", settings);
  auto reference_db = init("reference.db", settings);
  refuse_negative_instalments(*traced_db);
  refuse_negative_instalments(*reference_db);

  const ToolRun run = registrar("traced.db", R"([
    {"numero": 77, "obs1": "A\u00c7\u00c3O", "cnpjcpf": "D'AGUA", "dataemissao": "2024-03-07",
     "horasaida": "18:00:00", "consumidorfinal": "1", "basecreditoicms": 1000, "coo": 7,
     "itens": [{"refvenda": "X", "quantid": 2, "valorunit": 1.5, "valortot": 3, "sittrib": "101", "sittribpis": "01"}],
     "parcelas": [{"parcela": 1, "datavc": "2024-04-06", "valor": 10}],
     "cupons": [{"coo": 8, "idimpressora": 2}]},
    {"numero": 78, "parcelas": [{"parcela": 1, "valor": -5}]}
  ])", {"--trace", "trace.jsonl"});
  ASSERT_EQ(run.status, 1) << run.out << run.err;

  // The same calls, made in this process through a recorder.
  set_error_report_hook([](void*, const char*, const char*) {}, nullptr);
  Recorder recorder(*reference_db);
  {
    NotasArgs nota;
    nota.numero = 77;
    nota.obs1 = "A\xC7\xC3O";
    nota.cnpjcpf = "D'AGUA";
    nota.dataemissao = 45358;
    nota.horasaida = 0.75;
    nota.consumidorfinal = "1";
    nota.basecreditoicms = 1000;
    nota.coo = 7;
    recorder.begin();
    const std::int32_t id = incluir_notas(&recorder, nota);
    ASSERT_EQ(id, 1);
    ItensNotasArgs item;
    item.idnota = id;
    item.refvenda = "X";
    item.quantid = 2;
    item.valorunit = 1.5;
    item.valortot = 3;
    item.sittrib = "101";
    item.sittribpis = "01";
    ASSERT_TRUE(incluir_itensnotas(&recorder, item));
    ASSERT_TRUE(incluir_contasnotas(&recorder, ContasNotasArgs{id, 1, 45388, 10}));
    ASSERT_TRUE(incluir_cupom(&recorder, CupomArgs{id, 8, 2}));
    recorder.commit();
  }
  {
    NotasArgs nota;
    nota.numero = 78;
    recorder.begin();
    const std::int32_t id = incluir_notas(&recorder, nota);
    ASSERT_FALSE(incluir_contasnotas(&recorder, ContasNotasArgs{id, 1, 0, -5}));
    recorder.rollback();
  }
  set_error_report_hook(nullptr, nullptr);

  const std::string trace = read_file(dir.path() / "trace.jsonl");
  EXPECT_EQ(trace.find('\r'), std::string::npos) << "line breaks inside statements are escaped";
  std::vector<Recorder::Entry> traced;
  std::istringstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    const json::Value entry = json::parse(line);
    ASSERT_EQ(entry.members.size(), 2u) << line;
    const std::string op = entry.find("op")->text;
    const json::Value* text = entry.find(op == "error" ? "message" : "sql");
    ASSERT_NE(text, nullptr) << line;
    std::string bytes;
    ASSERT_FALSE(utf8_to_windows1252(text->text, bytes).has_value());
    traced.push_back({op, bytes});
  }
  ASSERT_EQ(traced.size(), recorder.entries.size()) << trace;
  for (std::size_t i = 0; i < traced.size(); ++i) {
    EXPECT_EQ(traced[i].op, recorder.entries[i].op) << i;
    EXPECT_EQ(traced[i].text, recorder.entries[i].text) << i;
  }
  EXPECT_EQ(traced.back().op, "error");
  EXPECT_EQ(traced.back().text, "negative instalment refused");
  EXPECT_TRUE(contains(trace, "\\r\\nNOTAS_OBS1,\\r\\n")) << "CR LF kept";
  EXPECT_TRUE(contains(trace, "'A\xC3\x87\xC3\x83O'")) << "texts in UTF-8";
}

}  // namespace
}  // namespace kovo

namespace kovo {
namespace {

// The same on the embedded Firebird engine, whose transactions and column
// checks are its own. The engine may hold the file for one process at a
// time: the test looks only once the tool has finished.
TEST_F(Tool, OnFirebirdTooEachDocumentIsCommittedOrRolledBackWhole) {
  const std::string fdb = "firebird:" + (dir.path() / "erp.fdb").string();
  ToolRun run = run_tool({"init", fdb, "--contador", "10"}, dir.path());
  ASSERT_EQ(run.status, 0) << run.err;

  // The second item's unit is longer than its VARCHAR(255): the engine
  // refuses it after the header and the first item went in.
  write_file(dir.path() / "notas.json", R"([
    {"numero": 1, "itens": [{"refvenda": "A", "um": "UN"}], "parcelas": [{"parcela": 1, "valor": 5}]},
    {"numero": 2, "coo": 4, "itens": [{"refvenda": "B", "um": "UN"}, {"refvenda": "C", "um": ")" +
                                            std::string(256, 'U') + R"("}]},
    {"numero": 3, "cupons": [{"coo": 9, "idimpressora": 3}]}
  ])");
  run = run_tool({"registrar", fdb, "notas.json"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(contains(run.out, "document 1 (line 2): invoice 10 registered")) << run.out;
  EXPECT_TRUE(contains(run.out, "document 2 (line 3): not registered, rolled back: item 2: ")) << run.out;
  EXPECT_TRUE(contains(run.out, "document 3 (line 4): invoice 11 registered")) << run.out;

  auto db = open_connection(fdb);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM NOTAS"), 2);
  EXPECT_EQ(integer(*db, "SELECT NOTAS_NUMERO FROM NOTAS WHERE NOTAS_ID = 11"), 3);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM ITENSNOTAS"), 1);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CONTASNOTAS"), 1);
  EXPECT_EQ(integer(*db, "SELECT COUNT(*) FROM CUPOM_NFE"), 1);
  EXPECT_EQ(integer(*db, "SELECT CUPOM_NFE_IDIMPRESSORA FROM CUPOM_NFE WHERE CUPOM_NFE_IDNOTA = 11"), 3);
  EXPECT_EQ(integer(*db, "SELECT PARAMETROS_ULTIMOIDNOTA FROM PARAMETROS"), 12);
}

TEST_F(Tool, DemoRunsOnFirebird) {
  const std::string fdb = "firebird:" + (dir.path() / "demo.fdb").string();
  const ToolRun run = run_tool({"demo", fdb}, dir.path());
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(contains(run.out, "4 documents: 4 registered, 0 failed")) << run.out;
  EXPECT_TRUE(contains(run.out, "COO 4513 on printer 1")) << run.out;
  EXPECT_TRUE(contains(run.out, "2. due 2024-05-08  R$ 333,90")) << run.out;
}

}  // namespace
}  // namespace kovo

namespace kovo {
namespace {

// The example of docs/json-format.md is a file the tool registers.
TEST_F(Tool, TheDocumentedExampleRegisters) {
  const std::string doc = read_file(std::filesystem::path(KOVO_SOURCE_DIR) / "docs" / "json-format.md");
  const auto start = doc.find("```json\n");
  ASSERT_NE(start, std::string::npos);
  const auto end = doc.find("```", start + 8);
  auto db = init("documented.db", {"--regime", "S", "--aliqsn", "2.56"});
  db.reset();
  const ToolRun run = registrar("documented.db", doc.substr(start + 8, end - start - 8));
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(contains(run.out, "invoice 1 registered: 2 items, 2 instalments, coupon 4512, 1 extra coupon link"))
      << run.out;
}

}  // namespace
}  // namespace kovo
