#include <cstdlib>
#include <stdexcept>

#include "drivers/firebird_api.h"
#include "drivers/firebird_dpb.h"
#include "drivers/firebird_target.h"
#include "raw_engine.h"

namespace kovo::bench {
namespace {

using namespace firebird;

// Room for the widest lookup the operations make, and its row.
constexpr int kMaxColumns = 8;
constexpr int kMaxColumnBytes = 512;

class RawFirebird final : public RawEngine {
 public:
  explicit RawFirebird(const std::filesystem::path& file) : api_(load_api()) {
    const FirebirdTarget target = parse_firebird_target(file.string());
    const std::string dpb = attach_parameters(target);
    StatusVector status{};
    api_->attach_database(status, 0, target.database.c_str(), &db_, static_cast<short>(dpb.size()), dpb.data());
    check(status);

    out_ = static_cast<SqlDa*>(std::calloc(1, sizeof(SqlDa) + (kMaxColumns - 1) * sizeof(SqlVar)));
    out_->version = static_cast<std::int16_t>(kSqlDaVersion);
    out_->sqln = kMaxColumns;
  }
  ~RawFirebird() override {
    StatusVector status{};
    if (tr_) api_->rollback_transaction(status, &tr_);
    api_->detach_database(status, &db_);
    std::free(out_);
  }

  void begin() override {
    static constexpr char tpb[] = {kTpbVersion3, kTpbWrite, kTpbReadCommitted, kTpbRecVersion, kTpbWait};
    TransactionTarget target{&db_, sizeof tpb, tpb};
    StatusVector status{};
    api_->start_multiple(status, &tr_, 1, &target);
    check(status);
  }
  void commit() override {
    StatusVector status{};
    api_->commit_transaction(status, &tr_);
    check(status);
  }
  void rollback() override {
    StatusVector status{};
    api_->rollback_transaction(status, &tr_);
    check(status);
  }

  void execute(const std::string& sql) override {
    StatusVector status{};
    Handle stmt = 0;
    api_->dsql_allocate_statement(status, &db_, &stmt);
    check(status);
    api_->dsql_prepare(status, &tr_, &stmt, static_cast<unsigned short>(sql.size()), sql.data(), kDialect, nullptr);
    if (!failed(status)) api_->dsql_execute(status, &tr_, &stmt, kSqlDaVersion, nullptr);
    drop(stmt, status);
  }

  void query(const std::string& sql) override {
    StatusVector status{};
    Handle stmt = 0;
    api_->dsql_allocate_statement(status, &db_, &stmt);
    check(status);
    api_->dsql_prepare(status, &tr_, &stmt, static_cast<unsigned short>(sql.size()), sql.data(), kDialect, out_);
    if (!failed(status)) {
      for (int i = 0; i < out_->sqld; ++i) {
        out_->sqlvar[i].sqldata = data_[i];
        out_->sqlvar[i].sqlind = &nulls_[i];
      }
      api_->dsql_execute(status, &tr_, &stmt, kSqlDaVersion, nullptr);
    }
    if (!failed(status)) {
      const Status fetched = api_->dsql_fetch(status, &stmt, kSqlDaVersion, out_);
      if (fetched == kFetchEnd) status[1] = 0;
    }
    drop(stmt, status);
  }

 private:
  void drop(Handle& stmt, const StatusVector& status) {
    StatusVector ignored{};
    api_->dsql_free_statement(ignored, &stmt, kDsqlDrop);
    check(status);
  }
  void check(const Status* status) {
    if (failed(status)) throw std::runtime_error("firebird: " + error_text(*api_, status));
  }

  std::shared_ptr<const Api> api_;
  Handle db_ = 0;
  Handle tr_ = 0;
  SqlDa* out_ = nullptr;
  char data_[kMaxColumns][kMaxColumnBytes] = {};
  std::int16_t nulls_[kMaxColumns] = {};
};

}  // namespace

std::unique_ptr<RawEngine> raw_firebird(const std::filesystem::path& file) {
  return std::make_unique<RawFirebird>(file);
}

}  // namespace kovo::bench
