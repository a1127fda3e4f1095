#include "cli/documents.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <system_error>
#include <variant>

#include "cli/day_count.h"
#include "cli/windows1252.h"

namespace kovo {
namespace {

enum class Kind { INT, TEXT, AMOUNT, DATE };

template <typename Args>
struct Field {
  std::string_view name;
  Kind kind;
  std::variant<std::int32_t Args::*, std::string_view Args::*, double Args::*> member;
};

#define KOVO_NOTAS_FIELD(kind, name) Field<NotasArgs>{#name, Kind::kind, &NotasArgs::name},
#define KOVO_ITEM_FIELD(kind, name) Field<ItensNotasArgs>{#name, Kind::kind, &ItensNotasArgs::name},
#define KOVO_PARCELA_FIELD(kind, name) Field<ContasNotasArgs>{#name, Kind::kind, &ContasNotasArgs::name},
#define KOVO_CUPOM_FIELD(kind, name) Field<CupomArgs>{#name, Kind::kind, &CupomArgs::name},

const Field<NotasArgs> kNotasFields[] = {KOVO_NOTAS_ARGS(KOVO_NOTAS_FIELD)};
const Field<ItensNotasArgs> kItemFields[] = {KOVO_ITENSNOTAS_ARGS(KOVO_ITEM_FIELD)};
const Field<ContasNotasArgs> kParcelaFields[] = {KOVO_CONTASNOTAS_ARGS(KOVO_PARCELA_FIELD)};
const Field<CupomArgs> kCupomFields[] = {KOVO_CUPOM_ARGS(KOVO_CUPOM_FIELD)};

#undef KOVO_NOTAS_FIELD
#undef KOVO_ITEM_FIELD
#undef KOVO_PARCELA_FIELD
#undef KOVO_CUPOM_FIELD

bool is_list_key(std::string_view key) { return key == "itens" || key == "parcelas" || key == "cupons"; }

// The invoice id of items, instalments and coupon links comes from the
// header just registered, never from the file.
constexpr std::string_view kLinkedId = "idnota";

using json::Value;

class Reader {
 public:
  explicit Reader(Document& document) : doc_(document) {}

  // `where` is empty for the document itself, else "key \"x\"" or
  // "item 2, key \"x\"".
  [[noreturn]] void fail(const std::string& where, const std::string& what) const {
    throw DocumentError(doc_.position, doc_.line, where.empty() ? what : where + ": " + what);
  }

  // `nested` marks the objects inside a document: they take no idnota.
  template <typename Args, std::size_t N>
  void read_object(const Value& object, const Field<Args> (&fields)[N], Args& args,
                   const std::string& where, bool nested) {
    if (object.kind != Value::Kind::Object) fail(where, "expects an object, got " + json::describe(object));
    for (const auto& [key, value] : object.members) {
      if (!nested && is_list_key(key)) continue;
      const Field<Args>* field = nullptr;
      for (const auto& candidate : fields) {
        if (candidate.name == key && !(nested && candidate.name == kLinkedId)) field = &candidate;
      }
      const std::string at = (where.empty() ? "" : where + ", ") + "key \"" + key + "\"";
      if (field == nullptr) fail(at, "unknown key");
      if (value.kind == Value::Kind::Null) continue;
      // A named reference: clang before 16 cannot capture a structured binding.
      const Value& given = value;
      std::visit([&](auto member) { store(args.*member, field->kind, given, at); }, field->member);
    }
  }

  void read_list(const Value* list, std::string_view key, const std::string& noun,
                 const auto& body) {
    if (list == nullptr || list->kind == Value::Kind::Null) return;
    if (list->kind != Value::Kind::Array) {
      fail("key \"" + std::string(key) + "\"", "expects an array of objects, got " + json::describe(*list));
    }
    int index = 0;
    for (const Value& element : list->items) body(element, noun + " " + std::to_string(++index));
  }

 private:
  void store(std::int32_t& out, Kind, const Value& value, const std::string& at) const {
    if (value.kind != Value::Kind::Number) fail(at, "expects an integer, got " + json::describe(value));
    const std::string& t = value.text;
    if (t.find_first_of(".eE") != std::string::npos) fail(at, "expects an integer, got " + t);
    std::int32_t parsed = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), parsed);
    if (error == std::errc::result_out_of_range) {
      fail(at, "integer " + t + " out of the 32-bit range (-2147483648 to 2147483647)");
    }
    if (error != std::errc{} || end != t.data() + t.size()) fail(at, "expects an integer, got " + t);
    out = parsed;
  }

  void store(std::string_view& out, Kind, const Value& value, const std::string& at) const {
    if (value.kind != Value::Kind::String) fail(at, "expects a text, got " + json::describe(value));
    std::string converted;
    if (const auto bad = utf8_to_windows1252(value.text, converted)) {
      fail(at, "character " + code_point_name(*bad) + " cannot be written in Windows-1252");
    }
    if (converted.find('\0') != std::string::npos) fail(at, "a text may not hold the character U+0000");
    out = doc_.texts.emplace_back(std::move(converted));
  }

  void store(double& out, Kind kind, const Value& value, const std::string& at) const {
    if (kind == Kind::DATE && value.kind == Value::Kind::String) {
      auto parsed = parse_iso_datetime(value.text);
      if (auto* why = std::get_if<std::string>(&parsed)) {
        fail(at, "\"" + value.text + "\" is not an ISO 8601 date or time: " + *why);
      }
      out = std::get<double>(parsed);
      return;
    }
    if (value.kind != Value::Kind::Number) {
      fail(at, kind == Kind::DATE ? "expects an ISO 8601 date text or a day-count number, got " + json::describe(value)
                                  : "expects a number, got " + json::describe(value));
    }
    const std::string& t = value.text;
    double parsed = 0.0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), parsed);
    if (error == std::errc::result_out_of_range) {
      // Overflow only: an underflow is as near to zero as a double gets.
      if (!underflows(t)) fail(at, "number " + t + " out of the range of a double");
      parsed = 0.0;
    } else if (error != std::errc{} || end != t.data() + t.size()) {
      fail(at, "expects a number, got " + t);
    }
    out = parsed;
  }

  // Whether an out-of-range number is tiny rather than huge: its exponent
  // is negative.
  static bool underflows(const std::string& t) {
    const auto e = t.find_first_of("eE");
    return e != std::string::npos && e + 1 < t.size() && t[e + 1] == '-';
  }

  Document& doc_;
};

}  // namespace

const std::vector<json::Value>& document_list(const json::Value& file) {
  if (file.kind == Value::Kind::Array) return file.items;
  if (file.kind == Value::Kind::Object) {
    for (const auto& [key, value] : file.members) {
      if (key != "notas") throw FileError("unknown key \"" + key + "\" at the top level (only \"notas\")");
    }
    const Value* notas = file.find("notas");
    if (notas == nullptr) throw FileError("the top-level object has no \"notas\" array");
    if (notas->kind != Value::Kind::Array) {
      throw FileError("\"notas\" expects an array of documents, got " + json::describe(*notas));
    }
    return notas->items;
  }
  throw FileError("expects an array of documents or an object with a \"notas\" array, got " +
                  json::describe(file));
}

Document read_document(const json::Value& value, int position) {
  Document doc;
  doc.position = position;
  doc.line = value.line;
  Reader reader(doc);

  reader.read_object(value, kNotasFields, doc.nota, "", false);
  reader.read_list(value.find("itens"), "itens", "item", [&](const Value& element, const std::string& where) {
    reader.read_object(element, kItemFields, doc.itens.emplace_back(), where, true);
  });
  reader.read_list(value.find("parcelas"), "parcelas", "parcela", [&](const Value& element, const std::string& where) {
    reader.read_object(element, kParcelaFields, doc.parcelas.emplace_back(), where, true);
  });
  reader.read_list(value.find("cupons"), "cupons", "cupom", [&](const Value& element, const std::string& where) {
    reader.read_object(element, kCupomFields, doc.cupons.emplace_back(), where, true);
  });
  return doc;
}

std::string to_windows1252(std::string_view utf8) {
  std::string out;
  if (const auto bad = utf8_to_windows1252(utf8, out)) {
    throw std::invalid_argument("character " + code_point_name(*bad) + " cannot be written in Windows-1252");
  }
  return out;
}

}  // namespace kovo
