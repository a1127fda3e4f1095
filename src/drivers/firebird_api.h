// The subset of the Firebird client's legacy ISC interface that the driver
// uses, declared here and bound at run time from libfbclient.so.2 /
// fbclient.dll, so that neither the client's header nor an import library is
// needed to build, and kovolink loads where no Firebird client is installed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "drivers/dynamic_library.h"

#ifdef _WIN32
#define KOVO_FB_CALL __stdcall
#else
#define KOVO_FB_CALL
#endif

namespace kovo::firebird {

// A status word is pointer-sized (long on LP64 and on 32-bit targets).
using Status = std::intptr_t;
inline constexpr int kStatusLength = 20;
using StatusVector = Status[kStatusLength];

// Database, transaction, statement and blob handles are 32-bit numbers on
// 64-bit targets and pointers (also 32 bits) on 32-bit ones; the client only
// ever reads and writes them through our pointers.
using Handle = std::uint32_t;

struct Quad {  // a blob id
  std::int32_t high;
  std::uint32_t low;
};

struct Timestamp {
  std::int32_t date;   // days since 17 November 1858
  std::uint32_t time;  // ten-thousandths of a second since midnight
};

// One column of a described statement.
struct SqlVar {
  std::int16_t sqltype;  // type code, its low bit set when the column accepts null
  std::int16_t sqlscale;
  std::int16_t sqlsubtype;
  std::int16_t sqllen;   // bytes of sqldata
  char* sqldata;
  std::int16_t* sqlind;  // -1 for null
  std::int16_t sqlname_length;
  char sqlname[32];
  std::int16_t relname_length;
  char relname[32];
  std::int16_t ownname_length;
  char ownname[32];
  std::int16_t aliasname_length;
  char aliasname[32];
};

// A statement's column descriptions, allocated with room for `sqln` columns
// (the first is declared here, the others follow it).
struct SqlDa {
  std::int16_t version;
  char sqldaid[8];
  std::int32_t sqldabc;
  std::int16_t sqln;  // columns there is room for
  std::int16_t sqld;  // columns the statement has
  SqlVar sqlvar[1];
};

inline constexpr unsigned short kSqlDaVersion = 1;
inline constexpr unsigned short kDialect = 3;

// Column types (without the nullable bit).
inline constexpr int kVarying = 448;
inline constexpr int kText = 452;
inline constexpr int kDouble = 480;
inline constexpr int kFloat = 482;
inline constexpr int kLong = 496;
inline constexpr int kShort = 500;
inline constexpr int kTimestamp = 510;
inline constexpr int kBlob = 520;
inline constexpr int kDFloat = 530;
inline constexpr int kTypeTime = 560;
inline constexpr int kTypeDate = 570;
inline constexpr int kInt64 = 580;
inline constexpr int kBoolean = 32764;
inline constexpr int kNull = 32766;

// Database parameter block items.
inline constexpr char kDpbVersion1 = 1;
inline constexpr char kDpbForceWrite = 24;
inline constexpr char kDpbUserName = 28;
inline constexpr char kDpbPassword = 29;
inline constexpr char kDpbLcCtype = 48;
inline constexpr char kDpbSqlRoleName = 60;
inline constexpr char kDpbSqlDialect = 63;
inline constexpr char kDpbSetDbCharset = 68;

// Transaction parameter block items.
inline constexpr char kTpbVersion3 = 3;
inline constexpr char kTpbWait = 6;
inline constexpr char kTpbWrite = 9;
inline constexpr char kTpbReadCommitted = 15;
inline constexpr char kTpbRecVersion = 17;

// Statement information items and statement types.
inline constexpr char kInfoEnd = 1;
inline constexpr char kInfoSqlStmtType = 21;
inline constexpr int kStmtSelect = 1;
inline constexpr int kStmtStartTrans = 9;
inline constexpr int kStmtCommit = 10;
inline constexpr int kStmtRollback = 11;
inline constexpr int kStmtSelectForUpdate = 12;

// isc_dsql_free_statement options and fetch results.
inline constexpr unsigned short kDsqlClose = 1;
inline constexpr unsigned short kDsqlDrop = 2;
inline constexpr Status kFetchEnd = 100;

// Blob segment results.
inline constexpr Status kSegment = 335544366;    // buffer full, segment goes on
inline constexpr Status kSegstrEof = 335544367;  // no more segments

// A database handle and its transaction-parameter block, for isc_start_multiple.
struct TransactionTarget {
  Handle* database;
  int tpb_length;
  const char* tpb;
};

struct Api {
  explicit Api(std::string library_name);

  DynamicLibrary library;
  Status(KOVO_FB_CALL* attach_database)(Status*, short name_length, const char* name, Handle* db,
                                        short dpb_length, const char* dpb);
  Status(KOVO_FB_CALL* create_database)(Status*, unsigned short name_length, const char* name,
                                        Handle* db, unsigned short dpb_length, const char* dpb,
                                        unsigned short db_type);
  Status(KOVO_FB_CALL* detach_database)(Status*, Handle* db);
  Status(KOVO_FB_CALL* drop_database)(Status*, Handle* db);
  Status(KOVO_FB_CALL* start_multiple)(Status*, Handle* tr, short count, void* targets);
  Status(KOVO_FB_CALL* commit_transaction)(Status*, Handle* tr);
  Status(KOVO_FB_CALL* rollback_transaction)(Status*, Handle* tr);
  Status(KOVO_FB_CALL* dsql_allocate_statement)(Status*, Handle* db, Handle* stmt);
  Status(KOVO_FB_CALL* dsql_prepare)(Status*, Handle* tr, Handle* stmt, unsigned short length,
                                     const char* sql, unsigned short dialect, SqlDa* out);
  Status(KOVO_FB_CALL* dsql_describe)(Status*, Handle* stmt, unsigned short version, SqlDa* out);
  Status(KOVO_FB_CALL* dsql_sql_info)(Status*, Handle* stmt, short items_length, const char* items,
                                      short buffer_length, char* buffer);
  Status(KOVO_FB_CALL* dsql_execute)(Status*, Handle* tr, Handle* stmt, unsigned short version,
                                     const SqlDa* in);
  Status(KOVO_FB_CALL* dsql_execute2)(Status*, Handle* tr, Handle* stmt, unsigned short version,
                                      const SqlDa* in, const SqlDa* out);
  Status(KOVO_FB_CALL* dsql_fetch)(Status*, Handle* stmt, unsigned short version, const SqlDa* out);
  Status(KOVO_FB_CALL* dsql_free_statement)(Status*, Handle* stmt, unsigned short option);
  Status(KOVO_FB_CALL* open_blob2)(Status*, Handle* db, Handle* tr, Handle* blob, Quad* id,
                                   unsigned short bpb_length, const unsigned char* bpb);
  Status(KOVO_FB_CALL* get_segment)(Status*, Handle* blob, unsigned short* length,
                                    unsigned short buffer_length, char* buffer);
  Status(KOVO_FB_CALL* close_blob)(Status*, Handle* blob);
  std::int32_t(KOVO_FB_CALL* interpret)(char* buffer, unsigned int buffer_length,
                                        const Status** status);
};

// The library the next connection loads: "libfbclient.so.2" on Linux,
// "fbclient.dll" on Windows. Tests point it elsewhere to see a missing
// library reported; set it before opening connections.
const std::string& library_name();
void set_library_name(std::string name);

// The loaded client, shared by every connection and never unloaded: the
// client and its embedded engine keep threads and exit handlers that must
// not outlive their code. Throws DatabaseError when the library or one of
// its functions is missing.
std::shared_ptr<const Api> load_api();

// True when the status vector reports an error (warnings are not errors).
inline bool failed(const Status* status) { return status[0] == 1 && status[1] != 0; }

// The engine's message for an error status: every line fb_interpret gives,
// joined by "\n".
std::string error_text(const Api& api, const Status* status);

// Throws DatabaseError with the engine's message when `status` holds an error.
void check(const Api& api, const Status* status);

}  // namespace kovo::firebird
