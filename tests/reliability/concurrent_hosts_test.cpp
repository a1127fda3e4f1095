// Several hosts, each a process of its own with its own connection,
// register invoices into one database at the same time (a SQLite file, and
// a Firebird file shared by embedded engines). NOTAS has no primary key
// here: unique ids must come from the registration and the engine's locks.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine_cases.h"
#include "firebird_shared_root.h"
#include "invoice_args.h"
#include "issuer_rows.h"
#include "notas_key.h"
#include "sqlite_fixture.h"
#include "test_engines.h"

namespace kovo::test {
namespace {

constexpr int kHosts = 4;
constexpr int kInvoicesPerHost = 15;
constexpr std::int64_t kFirstId = 1000;
constexpr auto kDeadline = std::chrono::minutes(4);

// One invoice as its host saw it.
struct Attempt {
  bool ok = false;
  std::int32_t numero = 0;
  std::int32_t id = -1;
  std::string step;  // of a failure
  int reports = 0;
  std::string message;
};

std::vector<Attempt> parse(const std::string& output) {
  std::vector<Attempt> attempts;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string verdict;
    Attempt a;
    words >> verdict >> a.numero >> a.id;
    a.ok = verdict == "OK";
    if (!a.ok) {
      words >> a.step >> a.reports;
      std::getline(words, a.message);
    }
    attempts.push_back(a);
  }
  return attempts;
}

// A failure's message with its numbers blanked, to group failures by kind.
std::string message_kind(const std::string& message) {
  std::string kind;
  for (const char c : message) {
    if (c >= '0' && c <= '9') {
      if (kind.empty() || kind.back() != '#') kind += '#';
    } else {
      kind += c;
    }
  }
  return kind;
}

struct Host {
  pid_t pid = -1;
  int output = -1;  // its standard output
  std::string text;
  bool done = false;
};

// Starts the hosts, lets them go at once, collects what they print and
// checks that each exits normally. `firebird_root`, when given, becomes
// their FIREBIRD.
std::vector<Attempt> run_hosts(const std::string& target, bool transactions,
                               const std::optional<std::string>& firebird_root) {
  int go[2];
  if (pipe(go) != 0) throw std::runtime_error("pipe");
  std::vector<Host> hosts(kHosts);
  for (int h = 0; h < kHosts; ++h) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe");
    const std::string number = std::to_string(h + 1);
    const std::string count = std::to_string(kInvoicesPerHost);
    const char* mode = transactions ? "transactions" : "autocommit";
    const pid_t pid = fork();
    if (pid == 0) {
      dup2(go[0], 0);
      dup2(out[1], 1);
      close(go[0]);
      close(go[1]);
      close(out[0]);
      close(out[1]);
      if (firebird_root) setenv("FIREBIRD", firebird_root->c_str(), 1);
      execl(KOVO_CONCURRENT_HOST, KOVO_CONCURRENT_HOST, target.c_str(), number.c_str(), count.c_str(), mode,
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(out[1]);
    hosts[static_cast<std::size_t>(h)].pid = pid;
    hosts[static_cast<std::size_t>(h)].output = out[0];
  }
  close(go[0]);
  const std::string all_go(kHosts, 'g');
  EXPECT_EQ(write(go[1], all_go.data(), all_go.size()), static_cast<ssize_t>(all_go.size()));
  close(go[1]);

  const auto deadline = std::chrono::steady_clock::now() + kDeadline;
  for (std::size_t open = hosts.size(); open > 0;) {
    std::vector<pollfd> fds;
    for (const Host& host : hosts) {
      if (!host.done) fds.push_back({host.output, POLLIN, 0});
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || poll(fds.data(), fds.size(), static_cast<int>(left.count())) <= 0) {
      ADD_FAILURE() << "the hosts did not finish in time";
      for (const Host& host : hosts) {
        if (!host.done) kill(host.pid, SIGKILL);
      }
      break;
    }
    for (Host& host : hosts) {
      if (host.done) continue;
      for (const pollfd& fd : fds) {
        if (fd.fd != host.output || fd.revents == 0) continue;
        char buffer[4096];
        const ssize_t n = read(host.output, buffer, sizeof buffer);
        if (n > 0) {
          host.text.append(buffer, static_cast<std::size_t>(n));
        } else {
          host.done = true;
          --open;
        }
      }
    }
  }

  std::vector<Attempt> attempts;
  for (Host& host : hosts) {
    close(host.output);
    int status = 0;
    waitpid(host.pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "host " << host.pid << " ended with " << status;
    for (const Attempt& a : parse(host.text)) attempts.push_back(a);
  }
  EXPECT_EQ(attempts.size(), static_cast<std::size_t>(kHosts * kInvoicesPerHost));
  return attempts;
}

struct HostsCase {
  const char* engine;
  bool transactions;
};

class ConcurrentHosts : public ::testing::TestWithParam<HostsCase> {};

TEST_P(ConcurrentHosts, NoIdTwiceEverySuccessCompleteEveryFailureReported) {
  const HostsCase& c = GetParam();
  TestDatabase database(c.engine);
  drop_notas_primary_key(database);
  Connection& db = database.connection();
  seed_settings(db, full_settings(kFirstId));
  seed_lookups(db);

  TempDir scratch;
  std::optional<std::string> firebird_root;
  if (std::string(c.engine) == "firebird") {
    const auto root = make_superclassic_root(scratch.path());
    if (!root) GTEST_SKIP() << "no Firebird installation root to run shared embedded engines from";
    firebird_root = root->string();
  }
  // This process's engine would hold the file for itself.
  db.close();
  const std::vector<Attempt> attempts = run_hosts(database.target(), c.transactions, firebird_root);
  db.open();

  std::vector<const Attempt*> successes;
  std::map<std::string, int> failures_by_step;
  for (const Attempt& a : attempts) {
    if (a.ok) {
      successes.push_back(&a);
      continue;
    }
    ++failures_by_step[a.step + " (" + message_kind(a.message) + ")"];
    SCOPED_TRACE("invoice " + std::to_string(a.numero) + " failed at " + a.step + ":" + a.message);
    // A failed call showed its report; begin and commit are the host's own.
    const bool library_call = a.step == "notas" || a.step == "item" || a.step == "instalment";
    EXPECT_EQ(a.reports, library_call ? 1 : 0);
    if (c.transactions) {
      EXPECT_EQ(count_rows(db, "NOTAS", "NOTAS_NUMERO = " + std::to_string(a.numero)), 0)
          << "the rollback left nothing";
    }
  }
  ASSERT_FALSE(successes.empty());
  std::ostringstream summary;
  summary << successes.size() << " registered;";
  for (const auto& [step, n] : failures_by_step) summary << " " << n << " failed at " << step << ";";
  RecordProperty("outcome", summary.str());
  std::printf("%s %s: %s\n", c.engine, c.transactions ? "transactions" : "autocommit", summary.str().c_str());

  // No id twice, among all rows.
  const Row ids = read_row(db, "SELECT COUNT(*) AS N, COUNT(DISTINCT NOTAS_ID) AS D FROM NOTAS");
  EXPECT_EQ(ids.integer("N"), ids.integer("D"));

  // Every success is there whole, under the id its host was given.
  std::set<std::int32_t> given;
  for (const Attempt* a : successes) {
    SCOPED_TRACE("invoice " + std::to_string(a->numero) + ", id " + std::to_string(a->id));
    EXPECT_TRUE(given.insert(a->id).second) << "id handed out twice";
    const std::string id = std::to_string(a->id);
    EXPECT_EQ(count_rows(db, "NOTAS", "NOTAS_ID = " + id + " AND NOTAS_NUMERO = " + std::to_string(a->numero)), 1);
    EXPECT_EQ(count_rows(db, "ITENSNOTAS", "ITENSNOTAS_IDNOTA = " + id), 2);
    EXPECT_EQ(count_rows(db, "CONTASNOTAS", "CONTASNOTAS_IDNOTA = " + id), 1);
    EXPECT_EQ(count_rows(db, "CUPOM_NFE", "CUPOM_NFE_IDNOTA = " + id), 1);
  }

  if (c.transactions) {
    // Nothing of the failures stays: the ids handed out are exactly the
    // counter's run, without a gap.
    const auto n = static_cast<std::int64_t>(successes.size());
    EXPECT_EQ(count_rows(db, "NOTAS"), n);
    EXPECT_EQ(count_rows(db, "ITENSNOTAS"), 2 * n);
    EXPECT_EQ(count_rows(db, "CONTASNOTAS"), n);
    EXPECT_EQ(count_rows(db, "CUPOM_NFE"), n);
    EXPECT_EQ(counter(db), kFirstId + n);
    EXPECT_EQ(*given.begin(), kFirstId);
    EXPECT_EQ(*given.rbegin(), kFirstId + n - 1);
  }
}

const HostsCase kCases[] = {
    {"sqlite", true},
    {"sqlite", false},
    {"firebird", true},
    {"firebird", false},
};

std::string case_name(const ::testing::TestParamInfo<HostsCase>& info) {
  return std::string(info.param.engine) + (info.param.transactions ? "_transactions" : "_autocommit");
}

INSTANTIATE_TEST_SUITE_P(Engines, ConcurrentHosts, ::testing::ValuesIn(on_available_engines(kCases)), case_name);

}  // namespace
}  // namespace kovo::test
