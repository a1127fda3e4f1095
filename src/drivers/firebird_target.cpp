#include "drivers/firebird_target.h"

#include <cstdlib>

#include "sql/database_error.h"

namespace kovo {

namespace {

[[noreturn]] void malformed(std::string_view location, const std::string& why) {
  throw DatabaseError("Firebird target 'firebird:" + std::string(location) + "': " + why);
}

bool is_ascii_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool is_digits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string percent_decoded(std::string_view text, std::string_view location) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const bool complete = i + 2 < text.size();
    const int high = complete ? hex_digit(text[i + 1]) : -1;
    const int low = complete ? hex_digit(text[i + 2]) : -1;
    if (high < 0 || low < 0) malformed(location, "'%' must be followed by two hexadecimal digits");
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

void read_options(std::string_view options, std::string_view location, FirebirdTarget& target) {
  bool seen_user = false, seen_password = false, seen_role = false;
  while (!options.empty()) {
    const std::size_t amp = options.find('&');
    const std::string_view pair = options.substr(0, amp);
    options = amp == std::string_view::npos ? std::string_view() : options.substr(amp + 1);
    const std::size_t eq = pair.find('=');
    if (eq == std::string_view::npos) malformed(location, "option '" + std::string(pair) + "' has no '='");
    const std::string_view key = pair.substr(0, eq);
    std::string value = percent_decoded(pair.substr(eq + 1), location);
    if (key == "user" && !seen_user) {
      target.user = std::move(value);
      seen_user = true;
    } else if (key == "password" && !seen_password) {
      target.password = std::move(value);
      seen_password = true;
    } else if (key == "role" && !seen_role) {
      target.role = std::move(value);
      seen_role = true;
    } else if (key == "user" || key == "password" || key == "role") {
      malformed(location, "option '" + std::string(key) + "' is given twice");
    } else {
      malformed(location, "unknown option '" + std::string(key) + "' (user, password and role are known)");
    }
  }
}

// "//HOST[:PORT]/PATH" to "HOST:PATH" or "HOST/PORT:PATH".
std::string server_from_url(std::string_view url, std::string_view location) {
  const std::size_t slash = url.find('/');
  if (slash == std::string_view::npos) malformed(location, "names no database after the host");
  const std::string_view authority = url.substr(0, slash);
  const std::string_view path = url.substr(slash + 1);
  std::string_view host = authority;
  std::string_view port;
  if (!authority.empty() && authority.front() == '[') {  // [IPv6]
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) malformed(location, "has an unclosed '[' in its host");
    host = authority.substr(0, close + 1);
    const std::string_view rest = authority.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') malformed(location, "has text after its host");
      port = rest.substr(1);
      if (!is_digits(port)) malformed(location, "has a port that is not a number");
    }
  } else if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
    if (!is_digits(port)) malformed(location, "has a port that is not a number");
  }
  if (host.empty() || host == "[]") malformed(location, "names no host");
  if (path.empty()) malformed(location, "names no database after the host");
  std::string database(host);
  if (!port.empty()) database.append(1, '/').append(port);
  database.append(1, ':').append(path);
  return database;
}

}  // namespace

FirebirdTarget parse_firebird_target(std::string_view location, const char* env_user,
                                     const char* env_password) {
  FirebirdTarget target;
  const std::size_t question = location.find('?');
  const std::string_view name = location.substr(0, question);
  if (question != std::string_view::npos) read_options(location.substr(question + 1), location, target);
  if (name.empty()) malformed(location, "names no database");

  if (name.substr(0, 2) == "//") {
    target.database = server_from_url(name.substr(2), location);
  } else {
    // An IPv6 host is bracketed; the host ends at the first ':' after it.
    std::size_t host_from = 0;
    if (name.front() == '[') {
      host_from = name.find(']');
      if (host_from == std::string_view::npos) malformed(location, "has an unclosed '[' in its host");
    }
    const std::size_t colon = name.find(':', host_from);
    const bool drive_letter = colon == 1 && is_ascii_letter(name.front());
    target.embedded = colon == std::string_view::npos || drive_letter;
    if (!target.embedded) {
      if (colon == 0) malformed(location, "names no host before ':'");
      if (colon + 1 >= name.size()) malformed(location, "names no database after the host");
    }
    target.database = std::string(name);
  }

  if (target.user.empty() && env_user && *env_user) target.user = env_user;
  if (target.password.empty() && env_password && *env_password) target.password = env_password;
  if (target.user.empty() && target.embedded) target.user = "SYSDBA";
  return target;
}

FirebirdTarget parse_firebird_target(std::string_view location) {
  return parse_firebird_target(location, std::getenv("ISC_USER"), std::getenv("ISC_PASSWORD"));
}

}  // namespace kovo
