// A fresh SQLite database with the issuer's tables, opened through the
// boundary's own extra as a host opens it, with the error report recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "boundary_checks.h"
#include "export_arguments.h"
#include "host_library.h"
#include "host_texts.h"
#include "sqlite_probe.h"

class DatabaseFixture {
 public:
  DatabaseFixture() {
    path_ = dir_.path() + "/nfe.db";
    SqliteProbe(path_).exec(read_file(KOVO_SOURCE_DIR "/schema/sqlite.sql"));
    probe_ = std::make_unique<SqliteProbe>(path_);
    install_report_recorder();
    const char* target = texts_.make("sqlite:" + path_);
    const HostCallFrame opened = call_extra("kovo_abrir_conexao", HostTexts::word(target));
    expect_clean_return(opened, 0);
    EXPECT_EQ(HostTexts::count(target), 1);
    connection_ = opened.result;
    if (!connection_) ADD_FAILURE() << "kovo_abrir_conexao gave nil";
  }

  ~DatabaseFixture() {
    if (connection_) {
      EXPECT_TRUE(boolean_result(call_extra("kovo_fechar_conexao", connection_)));
    }
  }

  std::uint32_t connection() const { return connection_; }
  SqliteProbe& probe() { return *probe_; }
  HostTexts& texts() { return texts_; }

 private:
  TempDir dir_;
  std::string path_;
  std::unique_ptr<SqliteProbe> probe_;
  HostTexts texts_;
  std::uint32_t connection_ = 0;
};

// Every counted text has its former count again; constants kept -1.
inline void expect_counts_restored(const PreparedCall& call) {
  for (const auto& passed : call.texts) {
    if (!passed.text) continue;
    EXPECT_EQ(HostTexts::count(passed.text), passed.count) << HostTexts::characters(passed.text);
  }
}
