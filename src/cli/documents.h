// The tool's document file: JSON documents read into the operations'
// argument structs.
//
// A file is an array of documents, or an object whose one key `notas` holds
// that array. A document is an object keyed by the header's argument names,
// plus `itens`, `parcelas` and `cupons`: arrays of objects keyed by the
// item's, the instalment's and the coupon link's argument names, without
// `idnota` (the header's new id fills it). A missing key, or null, is the
// empty text or zero.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "args.h"
#include "cli/json.h"

namespace kovo {

struct Document {
  Document() = default;
  Document(Document&&) = default;
  Document& operator=(Document&&) = default;
  // A copy would view the original's texts.
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  int position = 0;  // from 1, in file order
  int line = 0;      // where the document starts in the file
  NotasArgs nota;
  std::vector<ItensNotasArgs> itens;
  std::vector<ContasNotasArgs> parcelas;
  std::vector<CupomArgs> cupons;
  // Owns the Windows-1252 texts that the argument structs view; a deque
  // keeps them in place as it grows and when the document is moved.
  std::deque<std::string> texts;
};

// What is wrong with one document: "document 3 (line 57): item 2, key
// \"quantid\": expects a number, got a text". detail() is the part after
// the document's name.
class DocumentError : public std::runtime_error {
 public:
  DocumentError(int position, int line, const std::string& detail)
      : std::runtime_error("document " + std::to_string(position) + " (line " + std::to_string(line) +
                           "): " + detail),
        detail_(detail) {}
  const std::string& detail() const { return detail_; }

 private:
  std::string detail_;
};

// What is wrong with the file as a whole (nothing of it is registered).
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The documents of a parsed file, still as JSON. Throws FileError when the
// top level is neither an array nor an object with a `notas` array.
const std::vector<json::Value>& document_list(const json::Value& file);

// Reads one document (`position` counts from 1). Throws DocumentError.
Document read_document(const json::Value& value, int position);

// Converts a UTF-8 text to the library's Windows-1252 bytes; throws
// std::invalid_argument naming the first character that has no byte.
std::string to_windows1252(std::string_view utf8);

}  // namespace kovo
