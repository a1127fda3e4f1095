// The general number text, the amount literal and the money text.
#include "talpa_funcs/number_text.h"
#include "talpa_funcs/talpa_funcs.h"

namespace kovo {
namespace {

// valor_sql of a Brazilian general number text turns its decimal comma into
// a point and drops thousands separators, of which that text has none: the
// writer gives the same text at once when told the decimal separator is a
// point, without a second pass over it.
constexpr Separators kAmountLiteral{'.', kBrazilian.thousands, kBrazilian.date, kBrazilian.time};

template <typename Float>
std::size_t write_amount(char* buf, Float amount) noexcept {
  // Most amounts of a row are zero (of either sign): "0".
  if (amount == 0) {
    *buf = '0';
    return 1;
  }
  return detail::write_general_number(buf, amount, kAmountLiteral);
}

template <typename Float>
void append_amount(std::string& out, Float amount) {
  char buf[detail::kNumberTextCapacity];
  out.append(buf, write_amount(buf, amount));
}

}  // namespace

namespace detail {

std::size_t write_amount_literal(char* buf, double amount) noexcept { return write_amount(buf, amount); }

std::size_t write_amount_literal(char* buf, Extended amount) noexcept { return write_amount(buf, amount); }

}  // namespace detail

void append_general_number_text(std::string& out, Extended value, const Separators& seps) {
  char buf[detail::kNumberTextCapacity];
  out.append(buf, detail::write_general_number(buf, value, seps));
}

void append_general_number_text(std::string& out, double value, const Separators& seps) {
  char buf[detail::kNumberTextCapacity];
  out.append(buf, detail::write_general_number(buf, value, seps));
}

void append_amount_literal(std::string& out, double amount) { append_amount(out, amount); }

void append_amount_literal(std::string& out, Extended amount) { append_amount(out, amount); }

void append_money_text(std::string& out, Extended value, const Separators& seps) {
  char buf[detail::kNumberTextCapacity];
  out.append(buf, detail::write_money(buf, value, seps));
}

std::string general_number_text(Extended value, const Separators& seps) {
  std::string out;
  append_general_number_text(out, value, seps);
  return out;
}

std::string general_number_text(double value, const Separators& seps) {
  std::string out;
  append_general_number_text(out, value, seps);
  return out;
}

std::string amount_literal(double amount) {
  std::string out;
  append_amount_literal(out, amount);
  return out;
}

std::string amount_literal(Extended amount) {
  std::string out;
  append_amount_literal(out, amount);
  return out;
}

std::string money_text(Extended value, const Separators& seps) {
  std::string out;
  append_money_text(out, value, seps);
  return out;
}

}  // namespace kovo
