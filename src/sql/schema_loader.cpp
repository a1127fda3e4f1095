#include "sql/schema_loader.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "sql/database_error.h"

namespace kovo {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Everything outside quotes and comments, kept to tell an empty statement
// and a SET TERM line apart.
struct Piece {
  std::string text;  // as written
  std::string code;  // comments dropped, quotes kept
};

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// "SET TERM x" (the rest already cut at the old terminator) gives x.
bool set_term(std::string_view code, std::string& terminator) {
  code = trim(code);
  constexpr std::string_view kSet = "SET";
  constexpr std::string_view kTerm = "TERM";
  auto take_word = [&](std::string_view word) {
    if (code.size() <= word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (upper(code[i]) != word[i]) return false;
    }
    if (!is_blank(code[word.size()])) return false;
    code = trim(code.substr(word.size()));
    return true;
  };
  if (!take_word(kSet) || !take_word(kTerm)) return false;
  if (code.empty()) return false;
  std::size_t end = 0;
  while (end < code.size() && !is_blank(code[end])) ++end;
  terminator = std::string(code.substr(0, end));
  return true;
}

}  // namespace

std::vector<std::string> split_statements(std::string_view script) {
  std::vector<std::string> statements;
  std::string terminator = ";";
  Piece piece;

  auto finish = [&] {
    const std::string_view code = trim(piece.code);
    if (!code.empty() && !set_term(code, terminator)) {
      statements.emplace_back(trim(piece.text));
    }
    piece = {};
  };

  std::size_t i = 0;
  while (i < script.size()) {
    const char c = script[i];
    if (c == '\'' || c == '"') {
      // A quote ends at its next unpaired twin; a doubled one stands for itself.
      std::size_t j = i + 1;
      for (;;) {
        j = script.find(c, j);
        if (j == std::string_view::npos) throw DatabaseError("Unterminated quote in the script");
        if (j + 1 < script.size() && script[j + 1] == c) {
          j += 2;
          continue;
        }
        break;
      }
      piece.text.append(script.substr(i, j + 1 - i));
      piece.code.append(script.substr(i, j + 1 - i));
      i = j + 1;
    } else if (script.substr(i, 2) == "--") {
      std::size_t j = script.find('\n', i);
      if (j == std::string_view::npos) j = script.size();
      piece.text.append(script.substr(i, j - i));
      piece.code.push_back(' ');
      i = j;
    } else if (script.substr(i, 2) == "/*") {
      const std::size_t j = script.find("*/", i + 2);
      if (j == std::string_view::npos) throw DatabaseError("Unterminated comment in the script");
      piece.text.append(script.substr(i, j + 2 - i));
      piece.code.push_back(' ');
      i = j + 2;
    } else if (script.substr(i, terminator.size()) == terminator) {
      finish();
      i += terminator.size();
    } else {
      piece.text.push_back(c);
      piece.code.push_back(c);
      ++i;
    }
  }
  finish();
  return statements;
}

void apply_schema(Connection& connection, std::string_view script) {
  const std::vector<std::string> statements = split_statements(script);
  for (std::size_t n = 0; n < statements.size(); ++n) {
    try {
      connection.execute(statements[n]);
    } catch (const DatabaseError& error) {
      throw DatabaseError("Statement " + std::to_string(n + 1) + " of the script failed: " + error.what());
    }
  }
}

void apply_schema_file(Connection& connection, const std::filesystem::path& path) {
  std::error_code error;
  std::ifstream file(path, std::ios::binary);
  if (!std::filesystem::is_regular_file(path, error) || !file) {
    throw DatabaseError("Cannot read the script '" + path.string() + "'");
  }
  const std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  apply_schema(connection, content);
}

}  // namespace kovo
