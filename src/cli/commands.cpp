#include "cli/commands.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string_view>
#include <system_error>

#include "args.h"
#include "cli/console.h"
#include "cli/documents.h"
#include "cli/embedded.h"
#include "cli/issuer_database.h"
#include "cli/options.h"
#include "cli/register_file.h"
#include "cli/stored_report.h"
#include "cli/windows1252.h"
#include "operations.h"
#include "sql/connection.h"
#include "sql/schema_loader.h"
#include "talpa_funcs/talpa_funcs.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace kovo::cli {
namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr std::string_view kOverview = R"(kovolink - registers sales documents in an NF-e issuer's database

usage: kovolink COMMAND [ARGUMENTS]

commands:
  init TARGET        create the issuer's tables and settings row in a new database
  registrar TARGET FILE
                     register every document of a JSON file, one transaction each
  cfop               derive the CFOP of a sale
  demo [TARGET]      create a database, register the bundled examples and show them

TARGET names a database: sqlite:PATH, firebird:PATH (embedded engine),
firebird:HOST:PATH or firebird://HOST[:PORT]/PATH (a server).
Run "kovolink COMMAND --help" for the options of each command.
)";

constexpr std::string_view kInitHelp = R"(usage: kovolink init TARGET [OPTIONS]

Creates a new database at TARGET with the issuer's tables and one settings
(PARAMETROS) row. An existing database is never overwritten.

options:
  --contador N     the next invoice id (default 1)
  --regime X       the company's regime, PARAMETROS_TIPOEMPRESA (default N;
                   S is Simples Nacional)
  --aliqsn R       Simples Nacional ICMS credit rate, percent (default 0)
  --aliqpis R      PIS rate, percent (default 0)
  --aliqcofins R   COFINS rate, percent (default 0)
Rates are written with a decimal point: --aliqpis 0.65
)";

constexpr std::string_view kRegistrarHelp = R"(usage: kovolink registrar TARGET FILE [--parar] [--trace TRACEFILE]

Registers every document of the JSON file FILE ("-" reads standard input) in
the database TARGET. Each document runs in its own transaction: the header,
then its items, instalments and extra coupon links with the invoice id the
header returned. It is committed when every call succeeded and rolled back
otherwise. One line per document, then a summary.

options:
  --parar            stop at the first document that fails
  --trace TRACEFILE  write every statement sent to the database, one JSON
                     object per line: {"op":"open"|"execute","sql":"..."},
                     and {"op":"error","message":"..."} for each database error

Exit status: 0 when every document was registered, 1 when any failed, 2 when
the command line or the file cannot be used (nothing is registered then).
The format of FILE is described in docs/json-format.md.
)";

constexpr std::string_view kDemoHelp = R"(usage: kovolink demo [TARGET]

Creates a fresh database (default: the SQLite file kovolink-demo.db in the
current folder, replaced if present; any other TARGET must not exist yet),
registers the bundled example documents and prints what was stored.
)";

#define KOVO_CFOP_OPTION(kind, name) #name,
constexpr const char* kCfopOptions[] = {KOVO_CFOP_ARGS(KOVO_CFOP_OPTION)};
#undef KOVO_CFOP_OPTION

std::string cfop_help() {
  std::string help = "usage: kovolink cfop [OPTIONS]\n\nDerives the CFOP of a sale and prints it.\n\noptions:\n";
  help += R"(  --tipoempresa X      the company's regime: S (CSOSN codes), P or R (CST codes)
  --uforigem UF        the issuer's state
  --ufdestino UF       the buyer's state; EX means abroad
  --sittrib CODE       the item's ICMS situation code (CSOSN or CST)
  --naocontribuinte S  S when the buyer is not an ICMS contributor
  --sufixo1 NNN        override of the last three digits
  --sufixo2 NNN        second override, wins over the first
A missing option is the empty text. The result is "9999" when no rule applies.
)";
  return help;
}

void print(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void fail_message(const std::string& message) { std::fprintf(stderr, "kovolink: %s\n", message.c_str()); }

OptionRules init_rules() {
  OptionRules rules;
  rules.valued = {"contador", "regime", "aliqsn", "aliqpis", "aliqcofins"};
  rules.min_positional = rules.max_positional = 1;
  return rules;
}

std::string read_input(const std::string& file) {
  if (file == "-") {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    std::ostringstream all;
    all << std::cin.rdbuf();
    if (std::cin.bad()) throw std::runtime_error("cannot read standard input");
    return all.str();
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + file);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int registration_status(const RegisterSummary& summary) {
  if (summary.file_error) return kUsage;
  return summary.failed == 0 ? kOk : kFailed;
}

// Settings for `init` from its options.
Settings init_settings(const ParsedOptions& o) {
  Settings s;
  if (auto v = o.value("contador")) s.contador = parse_int32("contador", *v);
  if (auto v = o.value("regime")) {
    try {
      s.regime = to_windows1252(*v);
    } catch (const std::invalid_argument& error) {
      throw UsageError(std::string("--regime: ") + error.what());
    }
  }
  if (auto v = o.value("aliqsn")) s.aliqsn = parse_double("aliqsn", *v);
  if (auto v = o.value("aliqpis")) s.aliqpis = parse_double("aliqpis", *v);
  if (auto v = o.value("aliqcofins")) s.aliqcofins = parse_double("aliqcofins", *v);
  return s;
}

std::string rate(double value) { return general_number_text(value) + "%"; }

}  // namespace

int run_init(const std::vector<std::string>& args) {
  const ParsedOptions o = parse_options(args, init_rules());
  if (o.help) {
    print(kInitHelp);
    return kOk;
  }
  const Settings settings = init_settings(o);
  const std::string& target = o.positional[0];
  try {
    create_issuer_database(target, settings)->close();
  } catch (const std::exception& error) {
    fail_message(error.what());
    return kFailed;
  }
  std::printf("created %s: next invoice id %d, regime \"%s\", Simples Nacional credit %s, PIS %s, COFINS %s\n",
              target.c_str(), settings.contador, windows1252_to_utf8(settings.regime).c_str(),
              rate(settings.aliqsn).c_str(), rate(settings.aliqpis).c_str(), rate(settings.aliqcofins).c_str());
  return kOk;
}

int run_registrar(const std::vector<std::string>& args) {
  OptionRules rules;
  rules.valued = {"trace"};
  rules.flags = {"parar"};
  rules.min_positional = rules.max_positional = 2;
  const ParsedOptions o = parse_options(args, rules);
  if (o.help) {
    print(kRegistrarHelp);
    return kOk;
  }
  const std::string& target = o.positional[0];
  const std::string& file = o.positional[1];

  std::string json_text;
  try {
    json_text = read_input(file);
  } catch (const std::exception& error) {
    fail_message(error.what());
    return kUsage;
  }

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> trace(nullptr, &std::fclose);
  if (auto path = o.value("trace")) {
    trace.reset(std::fopen(path->c_str(), "wb"));
    if (!trace) {
      fail_message("cannot write the trace file " + *path);
      return kUsage;
    }
  }

  std::unique_ptr<Connection> connection;
  try {
    connection = open_connection(target);
  } catch (const std::exception& error) {
    fail_message(error.what());
    return kFailed;
  }

  RegisterOptions options;
  options.stop_at_first_failure = o.flag("parar");
  options.trace = trace.get();
  options.progress = is_terminal(stderr);
  const RegisterSummary summary =
      register_file(*connection, json_text, file == "-" ? "standard input" : file, options, stdout, stderr);
  return registration_status(summary);
}

int run_cfop(const std::vector<std::string>& args) {
  OptionRules rules;
  for (const char* name : kCfopOptions) rules.valued.insert(name);
  const ParsedOptions o = parse_options(args, rules);
  if (o.help) {
    print(cfop_help());
    return kOk;
  }
  std::string texts[std::size(kCfopOptions)];
  std::size_t index = 0;
  for (const char* name : kCfopOptions) {
    try {
      texts[index++] = to_windows1252(o.value(name).value_or(""));
    } catch (const std::invalid_argument& error) {
      throw UsageError("--" + std::string(name) + ": " + error.what());
    }
  }
  CfopArgs a;
  index = 0;
#define KOVO_CFOP_FILL(kind, name) a.name = texts[index++];
  KOVO_CFOP_ARGS(KOVO_CFOP_FILL)
#undef KOVO_CFOP_FILL
  write_text(stdout, retorna_cfop_vendas(a));
  std::fputc('\n', stdout);
  return kOk;
}

int run_demo(const std::vector<std::string>& args) {
  OptionRules rules;
  rules.max_positional = 1;
  const ParsedOptions o = parse_options(args, rules);
  if (o.help) {
    print(kDemoHelp);
    return kOk;
  }
  const bool default_target = o.positional.empty();
  const std::string target = default_target ? "sqlite:kovolink-demo.db" : o.positional[0];
  if (default_target) {
    std::error_code ignored;
    for (const char* stale : {"kovolink-demo.db", "kovolink-demo.db-journal", "kovolink-demo.db-wal",
                              "kovolink-demo.db-shm"}) {
      std::filesystem::remove(stale, ignored);
    }
  }

  Settings settings;
  settings.regime = "S";
  settings.aliqsn = 2.56;
  settings.aliqpis = 0.65;
  settings.aliqcofins = 3;

  std::unique_ptr<Connection> connection;
  try {
    connection = create_issuer_database(target, settings);
    apply_schema(*connection, embedded::example_cadastros);
  } catch (const std::exception& error) {
    fail_message(error.what());
    return kFailed;
  }
  std::printf("Created the database %s for a Simples Nacional company (regime S):\n"
              "next invoice id %d, Simples Nacional credit %s, PIS %s, COFINS %s,\n"
              "and a few customers, carriers and products for the lookups to find.\n"
              "The regime is the database's, not the document's: every document registered\n"
              "here gets the Simples Nacional remarks, the normal-regime example included.\n\n"
              "Registering examples/notas-exemplo.json, one transaction per document:\n",
              target.c_str(), settings.contador, rate(settings.aliqsn).c_str(), rate(settings.aliqpis).c_str(),
              rate(settings.aliqcofins).c_str());
  std::fflush(stdout);

  RegisterOptions options;
  const RegisterSummary summary =
      register_file(*connection, embedded::example_notas, "notas-exemplo.json", options, stdout, stderr);
  if (summary.file_error) return kFailed;

  std::printf("\nWhat the database now holds%s:\n",
              is_firebird(target) ? "" : " (SQLite keeps the dates as the library writes them, mm/dd/yyyy)");
  try {
    print_stored(*connection, target, summary.ids, stdout);
  } catch (const std::exception& error) {
    fail_message(std::string("reading the stored rows back failed: ") + error.what());
    return kFailed;
  }
  std::printf("\nThe database stays at %s: register more with\n  kovolink registrar %s FILE\n",
              target.c_str(), target.c_str());
  return registration_status(summary);
}

int run(const std::vector<std::string>& args) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    print(kOverview);
    return args.empty() ? kUsage : kOk;
  }
  const std::string& command = args[0];
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  try {
    if (command == "init") return run_init(rest);
    if (command == "registrar") return run_registrar(rest);
    if (command == "cfop") return run_cfop(rest);
    if (command == "demo") return run_demo(rest);
    throw UsageError("unknown command \"" + command + "\"");
  } catch (const UsageError& error) {
    fail_message(error.what());
    const bool known = command == "init" || command == "registrar" || command == "cfop" || command == "demo";
    std::fprintf(stderr, "Run \"kovolink%s%s --help\" for the usage.\n", known ? " " : "", known ? command.c_str() : "");
    return kUsage;
  }
}

}  // namespace kovo::cli
