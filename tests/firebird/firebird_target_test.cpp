#include <gtest/gtest.h>

#include <string>

#include "drivers/firebird_target.h"
#include "sql/database_error.h"

namespace kovo {
namespace {

struct TargetCase {
  const char* location;
  const char* env_user;
  const char* env_password;
  const char* database;
  bool embedded;
  const char* user;
  const char* password;
  const char* role;
};

TEST(FirebirdTarget, NamesTheDatabaseAndWhoConnects) {
  const TargetCase cases[] = {
      // Embedded: a path, SYSDBA unless told otherwise.
      {"/tmp/x.fdb", nullptr, nullptr, "/tmp/x.fdb", true, "SYSDBA", "", ""},
      {"relative/x.fdb", nullptr, nullptr, "relative/x.fdb", true, "SYSDBA", "", ""},
      {"C:\\dados\\x.fdb", nullptr, nullptr, "C:\\dados\\x.fdb", true, "SYSDBA", "", ""},
      {"c:/dados/x.fdb", nullptr, nullptr, "c:/dados/x.fdb", true, "SYSDBA", "", ""},
      {"/tmp/x.fdb", "ANA", "s3", "/tmp/x.fdb", true, "ANA", "s3", ""},
      // Through a server, passed as the client wants it.
      {"srv:/var/db/x.fdb", nullptr, nullptr, "srv:/var/db/x.fdb", false, "", "", ""},
      {"srv/3051:C:\\db\\x.fdb", "ANA", "s3", "srv/3051:C:\\db\\x.fdb", false, "ANA", "s3", ""},
      {"[::1]:/var/x.fdb", nullptr, nullptr, "[::1]:/var/x.fdb", false, "", "", ""},
      {"[::1]/3051:/var/x.fdb", nullptr, nullptr, "[::1]/3051:/var/x.fdb", false, "", "", ""},
      // URL form.
      {"//srv/erp", nullptr, nullptr, "srv:erp", false, "", "", ""},
      {"//srv:3051//var/db/x.fdb", nullptr, nullptr, "srv/3051:/var/db/x.fdb", false, "", "", ""},
      {"//srv/C:/db/x.fdb", nullptr, nullptr, "srv:C:/db/x.fdb", false, "", "", ""},
      {"//[::1]:3051/erp", nullptr, nullptr, "[::1]/3051:erp", false, "", "", ""},
      // Options win over the environment; values may be escaped.
      {"srv:/x.fdb?user=BOB&password=a%26b%3Dc%25&role=CAIXA", "ANA", "s3", "srv:/x.fdb", false, "BOB",
       "a&b=c%", "CAIXA"},
      {"/tmp/x.fdb?password=p", nullptr, "s3", "/tmp/x.fdb", true, "SYSDBA", "p", ""},
      {"//srv/erp?role=R", "ANA", nullptr, "srv:erp", false, "ANA", "", "R"},
      {"/tmp/x.fdb?", "", "", "/tmp/x.fdb", true, "SYSDBA", "", ""},
  };
  for (const TargetCase& c : cases) {
    SCOPED_TRACE(c.location);
    const FirebirdTarget t = parse_firebird_target(c.location, c.env_user, c.env_password);
    EXPECT_EQ(t.database, c.database);
    EXPECT_EQ(t.embedded, c.embedded);
    EXPECT_EQ(t.user, c.user);
    EXPECT_EQ(t.password, c.password);
    EXPECT_EQ(t.role, c.role);
  }
}

TEST(FirebirdTarget, MalformedTargetsAreRefusedWithTheReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "names no database"},
      {"?user=A", "names no database"},
      {":/x.fdb", "names no host before ':'"},
      {"srv:", "names no database after the host"},
      {"//srv", "names no database after the host"},
      {"//srv/", "names no database after the host"},
      {"///x.fdb", "names no host"},
      {"//srv:30a1/x", "has a port that is not a number"},
      {"//[::1/x", "has an unclosed '['"},
      {"/x.fdb?user", "option 'user' has no '='"},
      {"/x.fdb?usr=A", "unknown option 'usr'"},
      {"/x.fdb?user=A&user=B", "option 'user' is given twice"},
      {"/x.fdb?password=50%", "'%' must be followed by two hexadecimal digits"},
      {"/x.fdb?password=%zz", "'%' must be followed by two hexadecimal digits"},
  };
  for (const auto& [location, reason] : cases) {
    SCOPED_TRACE(location);
    try {
      parse_firebird_target(location, nullptr, nullptr);
      ADD_FAILURE() << "accepted";
    } catch (const DatabaseError& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.rfind("Firebird target 'firebird:" + std::string(location) + "': ", 0), 0u) << message;
      EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace kovo
