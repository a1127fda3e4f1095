// The tool's JSON reader and document reader on arbitrary bytes. Properties:
//   - parsing either gives a value or throws ParseError with a position
//     inside the input; nothing else escapes;
//   - a parsed value written out again parses to the same value;
//   - reading its documents either gives argument structs or throws
//     FileError or DocumentError; texts convert to Windows-1252 or are
//     refused with std::invalid_argument.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/documents.h"
#include "cli/json.h"

namespace {

using kovo::json::Value;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

void write_string(std::string& out, const std::string& text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;  // UTF-8 as decoded
    }
  }
  out += '"';
}

void write(std::string& out, const Value& v) {
  switch (v.kind) {
    case Value::Kind::Null: out += "null"; break;
    case Value::Kind::Boolean: out += v.boolean ? "true" : "false"; break;
    case Value::Kind::Number: out += v.text; break;
    case Value::Kind::String: write_string(out, v.text); break;
    case Value::Kind::Array:
      out += '[';
      for (std::size_t i = 0; i < v.items.size(); ++i) {
        if (i > 0) out += ',';
        write(out, v.items[i]);
      }
      out += ']';
      break;
    case Value::Kind::Object:
      out += '{';
      for (std::size_t i = 0; i < v.members.size(); ++i) {
        if (i > 0) out += ',';
        write_string(out, v.members[i].first);
        out += ':';
        write(out, v.members[i].second);
      }
      out += '}';
      break;
  }
}

bool same(const Value& a, const Value& b) {
  if (a.kind != b.kind || a.boolean != b.boolean || a.text != b.text) return false;
  if (a.items.size() != b.items.size() || a.members.size() != b.members.size()) return false;
  for (std::size_t i = 0; i < a.items.size(); ++i) {
    if (!same(a.items[i], b.items[i])) return false;
  }
  for (std::size_t i = 0; i < a.members.size(); ++i) {
    if (a.members[i].first != b.members[i].first || !same(a.members[i].second, b.members[i].second)) return false;
  }
  return true;
}

void convert_texts(const Value& v) {
  if (v.kind == Value::Kind::String) {
    try {
      kovo::to_windows1252(v.text);
    } catch (const std::invalid_argument&) {
    }
  }
  for (const Value& item : v.items) convert_texts(item);
  for (const auto& member : v.members) convert_texts(member.second);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  Value parsed;
  try {
    parsed = kovo::json::parse(input);
  } catch (const kovo::json::ParseError& error) {
    int lines = 1;
    for (const char c : input) lines += c == '\n' ? 1 : 0;
    if (error.line() < 1 || error.line() > lines || error.column() < 1) {
      fail("parse error at line " + std::to_string(error.line()) + ", column " + std::to_string(error.column()) +
           " of a " + std::to_string(lines) + "-line input");
    }
    return 0;
  }

  std::string written;
  write(written, parsed);
  try {
    if (!same(kovo::json::parse(written), parsed)) fail("written out and read again it differs: " + written);
  } catch (const kovo::json::ParseError& error) {
    fail(std::string("written out it no longer parses: ") + error.what() + ": " + written);
  }

  convert_texts(parsed);
  try {
    const auto& documents = kovo::document_list(parsed);
    int position = 0;
    for (const Value& document : documents) {
      try {
        kovo::read_document(document, ++position);
      } catch (const kovo::DocumentError&) {
      }
    }
  } catch (const kovo::FileError&) {
  }
  return 0;
}
