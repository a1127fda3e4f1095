// What a Firebird target text names: the database as the client library
// wants it, and who connects.
//
// The text after "firebird:" is one of
//   PATH                        a database file, opened in process by the
//                               embedded engine ("C:\db\x.fdb" counts as a
//                               path: a one-letter host is a drive letter)
//   HOST:PATH  HOST/PORT:PATH   through the server on HOST, passed unchanged
//   //HOST[:PORT]/PATH          the same in URL form; PATH is everything
//                               after the slash that ends HOST[:PORT], so an
//                               absolute Unix path takes two slashes
//                               (firebird://db.local:3051//srv/erp.fdb) and a
//                               server-side alias one (firebird://db/erp)
// followed, optionally, by "?" and options joined by "&":
//   user=NAME  password=SECRET  role=ROLE
// Option values may carry %XX escapes (for "&", "=", "%" or "?" in a
// password). A missing user or password is taken from ISC_USER /
// ISC_PASSWORD; the embedded engine, which checks no password, defaults the
// user to SYSDBA.
#pragma once

#include <string>
#include <string_view>

namespace kovo {

struct FirebirdTarget {
  std::string database;  // "path", "host:path" or "host/port:path"
  bool embedded = false;
  std::string user;      // empty: none sent
  std::string password;  // empty: none sent
  std::string role;      // empty: none sent
};

// `location` is the text after "firebird:"; `env_user` and `env_password`
// are ISC_USER and ISC_PASSWORD (null when unset). Throws DatabaseError for
// a malformed target.
FirebirdTarget parse_firebird_target(std::string_view location, const char* env_user,
                                     const char* env_password);

// The same, with ISC_USER and ISC_PASSWORD read from the environment.
FirebirdTarget parse_firebird_target(std::string_view location);

}  // namespace kovo
