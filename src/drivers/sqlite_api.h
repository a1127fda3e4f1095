// The few functions of the SQLite C library that the driver uses, declared
// here and bound at run time, so that no SQLite header or import library is
// needed to build (the Windows build has neither).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "drivers/dynamic_library.h"

namespace kovo::sqlite {

struct Db;    // sqlite3
struct Stmt;  // sqlite3_stmt

// Result codes, column types and open flags of the C interface.
inline constexpr int kOk = 0;
inline constexpr int kRow = 100;
inline constexpr int kDone = 101;

inline constexpr int kInteger = 1;
inline constexpr int kFloat = 2;
inline constexpr int kText = 3;
inline constexpr int kBlob = 4;
inline constexpr int kNull = 5;

inline constexpr int kOpenReadWrite = 0x00000002;
inline constexpr int kOpenCreate = 0x00000004;

struct Api {
  explicit Api(std::string library_name);

  DynamicLibrary library;
  int (*open_v2)(const char* filename, Db** db, int flags, const char* vfs);
  int (*close_v2)(Db* db);
  const char* (*errmsg)(Db* db);
  const char* (*errstr)(int code);
  int (*busy_timeout)(Db* db, int milliseconds);
  int (*get_autocommit)(Db* db);
  int (*prepare_v2)(Db* db, const char* sql, int bytes, Stmt** stmt, const char** tail);
  int (*step)(Stmt* stmt);
  int (*finalize)(Stmt* stmt);
  int (*column_count)(Stmt* stmt);
  const char* (*column_name)(Stmt* stmt, int index);
  int (*column_type)(Stmt* stmt, int index);
  std::int64_t (*column_int64)(Stmt* stmt, int index);
  double (*column_double)(Stmt* stmt, int index);
  const unsigned char* (*column_text)(Stmt* stmt, int index);
  int (*column_bytes)(Stmt* stmt, int index);
};

// The library the next connection loads: "libsqlite3.so.0" on Linux,
// "sqlite3.dll" on Windows. Tests point it elsewhere to see a missing
// library reported; set it before opening connections.
const std::string& library_name();
void set_library_name(std::string name);

// Loads the library now. Throws DatabaseError when the library or one of
// its functions is missing.
std::shared_ptr<const Api> load_api();

}  // namespace kovo::sqlite
