#include <stdexcept>

#include "drivers/sqlite_api.h"
#include "raw_engine.h"

namespace kovo::bench {
namespace {

class RawSqlite final : public RawEngine {
 public:
  explicit RawSqlite(const std::string& location) : api_(sqlite::load_api()) {
    if (api_->open_v2(location.c_str(), &db_, sqlite::kOpenReadWrite | sqlite::kOpenCreate, nullptr) !=
        sqlite::kOk) {
      fail();
    }
  }
  ~RawSqlite() override { api_->close_v2(db_); }

  void begin() override { execute("BEGIN IMMEDIATE"); }
  void commit() override { execute("COMMIT"); }
  void rollback() override { execute("ROLLBACK"); }

  void execute(const std::string& sql) override {
    sqlite::Stmt* stmt = prepare(sql);
    int rc;
    while ((rc = api_->step(stmt)) == sqlite::kRow) {
    }
    api_->finalize(stmt);
    if (rc != sqlite::kDone) fail();
  }

  void query(const std::string& sql) override {
    sqlite::Stmt* stmt = prepare(sql);
    const int rc = api_->step(stmt);
    if (rc == sqlite::kRow) {
      const int count = api_->column_count(stmt);
      for (int i = 0; i < count; ++i) {
        switch (api_->column_type(stmt, i)) {
          case sqlite::kInteger:
            sink_ += static_cast<double>(api_->column_int64(stmt, i));
            break;
          case sqlite::kFloat:
            sink_ += api_->column_double(stmt, i);
            break;
          case sqlite::kNull:
            break;
          default:
            if (api_->column_text(stmt, i)) sink_ += api_->column_bytes(stmt, i);
            break;
        }
      }
    }
    api_->finalize(stmt);
    if (rc != sqlite::kRow && rc != sqlite::kDone) fail();
  }

 private:
  sqlite::Stmt* prepare(const std::string& sql) {
    sqlite::Stmt* stmt = nullptr;
    if (api_->prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) != sqlite::kOk) fail();
    return stmt;
  }
  [[noreturn]] void fail() { throw std::runtime_error(std::string("sqlite: ") + api_->errmsg(db_)); }

  std::shared_ptr<const sqlite::Api> api_;
  sqlite::Db* db_ = nullptr;
  double sink_ = 0;
};

}  // namespace

std::unique_ptr<RawEngine> raw_sqlite(const std::string& location) {
  return std::make_unique<RawSqlite>(location);
}

}  // namespace kovo::bench
