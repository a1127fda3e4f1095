#include "cli/json.h"

#include <cstdint>

#include "cli/utf8.h"

namespace kovo::json {

Value::Value() = default;
Value::~Value() = default;
Value::Value(const Value&) = default;
Value::Value(Value&&) noexcept = default;
Value& Value::operator=(const Value&) = default;
Value& Value::operator=(Value&&) noexcept = default;

const Value* Value::find(std::string_view key) const {
  for (const auto& member : members) {
    if (member.first == key) return &member.second;
  }
  return nullptr;
}

std::string describe(const Value& value) {
  switch (value.kind) {
    case Value::Kind::Null: return "null";
    case Value::Kind::Boolean: return value.boolean ? "true" : "false";
    case Value::Kind::Number: return "the number " + value.text;
    case Value::Kind::String: return "a text";
    case Value::Kind::Array: return "an array";
    case Value::Kind::Object: return "an object";
  }
  return "a value";
}

ParseError::ParseError(int line, int column, const std::string& what)
    : std::runtime_error("line " + std::to_string(line) + ", column " + std::to_string(column) +
                         ": " + what),
      line_(line),
      column_(column) {}

namespace {

class Parser {
 public:
  explicit Parser(std::string_view input) : in_(input) {
    if (in_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = line_start_ = 3;
  }

  Value document() {
    skip_space();
    Value value = parse_value(0);
    skip_space();
    if (pos_ < in_.size()) fail("unexpected text after the end of the document");
    return value;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const { throw ParseError(line_, column(), what); }

  int column() const { return static_cast<int>(pos_ - line_start_) + 1; }

  bool at_end() const { return pos_ >= in_.size(); }
  char peek() const { return at_end() ? '\0' : in_[pos_]; }

  void skip_space() {
    while (!at_end()) {
      const char c = in_[pos_];
      if (c == '\n') {
        ++pos_;
        ++line_;
        line_start_ = pos_;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++pos_;
      } else {
        break;
      }
    }
  }

  void expect_word(std::string_view word) {
    if (in_.substr(pos_, word.size()) != word) fail("unexpected character " + shown(peek()));
    pos_ += word.size();
  }

  static std::string shown(char c) {
    if (c == '\0') return "(end of input)";
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x7F) {
      static const char hex[] = "0123456789ABCDEF";
      return std::string("0x") + hex[byte >> 4] + hex[byte & 0xF];
    }
    return std::string("'") + c + "'";
  }

  Value parse_value(int depth) {
    Value value;
    value.line = line_;
    value.column = column();
    switch (peek()) {
      case '{':
        value.kind = Value::Kind::Object;
        parse_object(value, depth + 1);
        break;
      case '[':
        value.kind = Value::Kind::Array;
        parse_array(value, depth + 1);
        break;
      case '"':
        value.kind = Value::Kind::String;
        value.text = parse_string();
        break;
      case 't':
        expect_word("true");
        value.kind = Value::Kind::Boolean;
        value.boolean = true;
        break;
      case 'f':
        expect_word("false");
        value.kind = Value::Kind::Boolean;
        break;
      case 'n':
        expect_word("null");
        break;
      default:
        if (peek() == '-' || (peek() >= '0' && peek() <= '9')) {
          value.kind = Value::Kind::Number;
          value.text = parse_number();
        } else {
          fail("expected a value, found " + shown(peek()));
        }
    }
    return value;
  }

  void enter(int depth) const {
    if (depth > kMaxDepth) fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
  }

  void parse_object(Value& object, int depth) {
    enter(depth);
    ++pos_;  // {
    skip_space();
    if (peek() == '}') {
      ++pos_;
      return;
    }
    for (;;) {
      skip_space();
      if (peek() != '"') fail("expected a key in double quotes, found " + shown(peek()));
      const int key_line = line_;
      const int key_column = column();
      std::string key = parse_string();
      if (object.find(key) != nullptr) throw ParseError(key_line, key_column, "duplicate key \"" + key + "\"");
      skip_space();
      if (peek() != ':') fail("expected ':' after the key, found " + shown(peek()));
      ++pos_;
      skip_space();
      Value member = parse_value(depth);
      object.members.emplace_back(std::move(key), std::move(member));
      skip_space();
      if (peek() == ',') {
        ++pos_;
        continue;
      }
      if (peek() == '}') {
        ++pos_;
        return;
      }
      fail("expected ',' or '}' in an object, found " + shown(peek()));
    }
  }

  void parse_array(Value& array, int depth) {
    enter(depth);
    ++pos_;  // [
    skip_space();
    if (peek() == ']') {
      ++pos_;
      return;
    }
    for (;;) {
      skip_space();
      array.items.push_back(parse_value(depth));
      skip_space();
      if (peek() == ',') {
        ++pos_;
        continue;
      }
      if (peek() == ']') {
        ++pos_;
        return;
      }
      fail("expected ',' or ']' in an array, found " + shown(peek()));
    }
  }

  static bool is_digit(char c) { return c >= '0' && c <= '9'; }

  std::string parse_number() {
    const std::size_t start = pos_;
    if (peek() == '-') ++pos_;
    if (peek() == '0') {
      ++pos_;
      if (is_digit(peek())) fail("a number may not start with 0 followed by digits");
    } else if (is_digit(peek())) {
      while (is_digit(peek())) ++pos_;
    } else {
      fail("expected a digit, found " + shown(peek()));
    }
    if (peek() == '.') {
      ++pos_;
      if (!is_digit(peek())) fail("expected a digit after the decimal point, found " + shown(peek()));
      while (is_digit(peek())) ++pos_;
    }
    if (peek() == 'e' || peek() == 'E') {
      ++pos_;
      if (peek() == '+' || peek() == '-') ++pos_;
      if (!is_digit(peek())) fail("expected a digit in the exponent, found " + shown(peek()));
      while (is_digit(peek())) ++pos_;
    }
    return std::string(in_.substr(start, pos_ - start));
  }

  unsigned hex4() {
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = peek();
      unsigned digit = 0;
      if (c >= '0' && c <= '9') {
        digit = static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        digit = static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        digit = static_cast<unsigned>(c - 'A' + 10);
      } else {
        fail("expected four hexadecimal digits after \\u, found " + shown(c));
      }
      value = value * 16 + digit;
      ++pos_;
    }
    return value;
  }

  char32_t escaped_code_point() {
    char32_t cp = hex4();
    if (cp >= 0xDC00 && cp <= 0xDFFF) fail("lone low surrogate \\u" + hex_of(cp));
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      if (in_.substr(pos_, 2) != "\\u") fail("high surrogate \\u" + hex_of(cp) + " without its low half");
      pos_ += 2;
      const char32_t low = hex4();
      if (low < 0xDC00 || low > 0xDFFF) fail("high surrogate \\u" + hex_of(cp) + " without its low half");
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    }
    return cp;
  }

  static std::string hex_of(char32_t cp) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (int shift = 12; shift >= 0; shift -= 4) out += hex[(cp >> shift) & 0xF];
    return out;
  }

  // Copies one raw UTF-8 character, refusing malformed, overlong and
  // surrogate encodings.
  void copy_utf8(std::string& out) {
    const Utf8Char c = decode_utf8(in_, pos_);
    switch (c.fault) {
      case Utf8Char::Fault::none: break;
      case Utf8Char::Fault::bad_lead: fail("invalid UTF-8 byte " + shown(in_[pos_]));
      case Utf8Char::Fault::truncated: fail("truncated UTF-8 character");
      case Utf8Char::Fault::bad_sequence: fail("invalid UTF-8 sequence");
    }
    out.append(in_.substr(pos_, c.length));
    pos_ += c.length;
  }

  std::string parse_string() {
    ++pos_;  // opening quote
    std::string out;
    for (;;) {
      if (at_end()) fail("unterminated text");
      const char c = in_[pos_];
      const auto byte = static_cast<unsigned char>(c);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (byte < 0x20) fail("control character " + shown(c) + " inside a text (write it as an escape)");
      if (byte >= 0x80) {
        copy_utf8(out);
        continue;
      }
      ++pos_;
      if (c != '\\') {
        out += c;
        continue;
      }
      const char e = peek();
      ++pos_;
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': append_utf8(out, escaped_code_point()); break;
        default:
          --pos_;
          fail("unknown escape \\" + std::string(1, e == '\0' ? ' ' : e));
      }
    }
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::size_t line_start_ = 0;
};

}  // namespace

Value parse(std::string_view input) { return Parser(input).document(); }

}  // namespace kovo::json
