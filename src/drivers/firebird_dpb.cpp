#include "drivers/firebird_dpb.h"

#include "drivers/firebird_api.h"
#include "sql/database_error.h"

namespace kovo::firebird {

namespace {

constexpr const char* kCharacterSet = "WIN1252";

void add_text(std::string& dpb, char item, const std::string& value, const char* what) {
  if (value.empty()) return;
  if (value.size() > 255) throw DatabaseError(std::string("Firebird ") + what + " is longer than 255 bytes");
  dpb += item;
  dpb += static_cast<char>(static_cast<unsigned char>(value.size()));
  dpb += value;
}

void add_int(std::string& dpb, char item, unsigned value) {
  dpb += item;
  dpb += '\4';
  for (int shift = 0; shift < 32; shift += 8) dpb += static_cast<char>(value >> shift & 0xFF);
}

}  // namespace

std::string attach_parameters(const FirebirdTarget& target) {
  std::string dpb(1, kDpbVersion1);
  add_text(dpb, kDpbUserName, target.user, "user name");
  add_text(dpb, kDpbPassword, target.password, "password");
  add_text(dpb, kDpbSqlRoleName, target.role, "role");
  add_text(dpb, kDpbLcCtype, kCharacterSet, "character set");
  return dpb;
}

std::string create_parameters(const FirebirdTarget& target, bool forced_writes) {
  std::string dpb = attach_parameters(target);
  add_text(dpb, kDpbSetDbCharset, kCharacterSet, "character set");
  add_int(dpb, kDpbSqlDialect, kDialect);
  add_int(dpb, kDpbForceWrite, forced_writes ? 1 : 0);
  return dpb;
}

}  // namespace kovo::firebird
