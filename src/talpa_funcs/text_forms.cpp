// The integer literal, the quoted text and valor_sql.
#include <charconv>
#include <cstring>

#include "talpa_funcs/number_text.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {

void append_integer_literal(std::string& out, std::int32_t value) {
  char buf[16];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

void append_quoted_text(std::string& out, std::string_view text) {
  out.push_back('\'');
  for (std::size_t from = 0;;) {
    const std::size_t quote = text.find('\'', from);
    if (quote == std::string_view::npos) {
      out.append(text.substr(from));
      break;
    }
    out.append(text.substr(from, quote + 1 - from));
    out.push_back('\'');
    from = quote + 1;
  }
  out.push_back('\'');
}

namespace detail {

std::size_t write_quoted_text(char* buf, std::string_view text) noexcept {
  char* p = buf;
  *p++ = '\'';
  for (std::size_t from = 0;;) {
    const std::size_t quote = text.find('\'', from);
    const std::size_t end = quote == std::string_view::npos ? text.size() : quote + 1;
    if (end > from) std::memcpy(p, text.data() + from, end - from);
    p += end - from;
    if (quote == std::string_view::npos) break;
    *p++ = '\'';
    from = end;
  }
  *p++ = '\'';
  return static_cast<std::size_t>(p - buf);
}

}  // namespace detail

void append_valor_sql(std::string& out, std::string_view text) {
  if (text.empty()) {
    out.append("0.00");
    return;
  }
  // Written for Brazilian separators whatever the locale: the decimal comma
  // becomes a point and the grouping points go.
  for (const char c : text) {
    if (c == ',') {
      out.push_back('.');
    } else if (c != '.') {
      out.push_back(c);
    }
  }
}

std::string integer_literal(std::int32_t value) {
  std::string out;
  append_integer_literal(out, value);
  return out;
}

std::string quoted_text(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  append_quoted_text(out, text);
  return out;
}

std::string valor_sql(std::string_view text) {
  std::string out;
  append_valor_sql(out, text);
  return out;
}

}  // namespace kovo
