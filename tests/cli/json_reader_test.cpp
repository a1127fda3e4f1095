// The document reader: JSON syntax, UTF-8 to Windows-1252, ISO 8601 dates,
// and documents read into the argument structs with errors that name the
// document and the key.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

#include "cli/day_count.h"
#include "cli/documents.h"
#include "cli/json.h"
#include "cli/windows1252.h"

namespace kovo {
namespace {

TEST(Json, ReadsEveryKindOfValue) {
  const json::Value v = json::parse(
      "\xEF\xBB\xBF{\"a\": [1, -2.5e3, true, false, null],\n \"b\": \"x\\u00e7\\\"\\\\\\/\\n\\uD83D\\uDE00\", \"c\": {}}");
  ASSERT_EQ(v.kind, json::Value::Kind::Object);
  const json::Value& a = *v.find("a");
  ASSERT_EQ(a.items.size(), 5u);
  EXPECT_EQ(a.items[0].text, "1");
  EXPECT_EQ(a.items[1].text, "-2.5e3");
  EXPECT_TRUE(a.items[2].boolean);
  EXPECT_EQ(a.items[3].kind, json::Value::Kind::Boolean);
  EXPECT_EQ(a.items[4].kind, json::Value::Kind::Null);
  EXPECT_EQ(v.find("b")->text, "x\xC3\xA7\"\\/\n\xF0\x9F\x98\x80");
  EXPECT_EQ(v.find("b")->line, 2);
  EXPECT_EQ(v.find("c")->kind, json::Value::Kind::Object);
  EXPECT_EQ(v.find("missing"), nullptr);
}

struct SyntaxCase {
  const char* input;
  int line;
  int column;
  const char* message;
};

TEST(Json, SyntaxErrorsGiveLineColumnAndReason) {
  const SyntaxCase cases[] = {
      {"", 1, 1, "expected a value, found (end of input)"},
      {"[1, 2", 1, 6, "expected ',' or ']' in an array"},
      {"[1,]", 1, 4, "expected a value, found ']'"},
      {"{\"a\": 1,\n \"a\": 2}", 2, 2, "duplicate key \"a\""},
      {"{a: 1}", 1, 2, "expected a key in double quotes"},
      {"[01]", 1, 3, "may not start with 0"},
      {"[1.]", 1, 4, "expected a digit after the decimal point"},
      {"[\"tab\there\"]", 1, 6, "control character 0x09 inside a text"},
      {"[\"\\x\"]", 1, 4, "unknown escape \\x"},
      {"[\"\\uD800\"]", 1, 9, "without its low half"},
      {"[\"\xC3\"]", 1, 3, "invalid UTF-8 sequence"},
      {"[\"\xC0\xAF\"]", 1, 3, "invalid UTF-8 byte 0xC0"},
      {"[\"\xE2\x82", 1, 3, "truncated UTF-8 character"},
      {"[\"\xE0\x80\xAF\"]", 1, 3, "invalid UTF-8 sequence"},      // overlong
      {"[\"\xED\xA0\x80\"]", 1, 3, "invalid UTF-8 sequence"},      // a surrogate
      {"[\"\xF4\x90\x80\x80\"]", 1, 3, "invalid UTF-8 sequence"},  // past U+10FFFF
      {"[\"open", 1, 7, "unterminated text"},
      {"[tru]", 1, 2, "unexpected character 't'"},
      {"[1] [2]", 1, 5, "unexpected text after the end of the document"},
  };
  for (const SyntaxCase& c : cases) {
    SCOPED_TRACE(c.input);
    try {
      json::parse(c.input);
      ADD_FAILURE() << "parsed";
    } catch (const json::ParseError& error) {
      EXPECT_EQ(error.line(), c.line);
      EXPECT_EQ(error.column(), c.column);
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
}

TEST(Json, RefusesNestingDeeperThanTheLimit) {
  const std::string deep(json::kMaxDepth + 1, '[');
  EXPECT_THROW(json::parse(deep + std::string(json::kMaxDepth + 1, ']')), json::ParseError);
  const std::string fits(json::kMaxDepth, '[');
  EXPECT_NO_THROW(json::parse(fits + std::string(json::kMaxDepth, ']')));
}

TEST(Windows1252, ConvertsEveryCharacterItHolds) {
  const struct {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"CAIXA D'AGUA", "CAIXA D'AGUA"},
      {"A\xC3\x87\xC3\x83O", "A\xC7\xC3O"},                  // AÇÃO
      {"\xE2\x82\xAC \xE2\x80\x94 \xE2\x84\xA2", "\x80 \x97 \x99"},  // € — ™
      {"\xC5\xB8\xC3\xBF", "\x9F\xFF"},                      // Ÿ ÿ
      {"\xC2\x81\xC2\x9D", "\x81\x9D"},                      // the undefined bytes as C1 controls
      {"\xC2\xA0\xC2\xBA", "\xA0\xBA"},                      // no-break space, º
  };
  for (const auto& c : cases) {
    std::string out;
    EXPECT_FALSE(utf8_to_windows1252(c.utf8, out).has_value()) << c.utf8;
    EXPECT_EQ(out, c.bytes);
    EXPECT_EQ(windows1252_to_utf8(out), c.utf8);
  }
}

TEST(Windows1252, NamesTheFirstCharacterItCannotHold) {
  const struct {
    const char* utf8;
    char32_t bad;
  } cases[] = {
      {"ok \xE4\xB8\xAD", 0x4E2D},             // 中
      {"\xC4\x80", 0x0100},                    // Ā
      {"\xF0\x9F\x98\x80", 0x1F600},           // emoji
      {"\xE2\x80\x8B", 0x200B},                // zero-width space
      {"bad \xFF byte", 0xFFFD},               // not UTF-8 at all
  };
  for (const auto& c : cases) {
    std::string out;
    const auto bad = utf8_to_windows1252(c.utf8, out);
    ASSERT_TRUE(bad.has_value()) << c.utf8;
    EXPECT_EQ(*bad, c.bad);
  }
  EXPECT_EQ(code_point_name(0x4E2D), "U+4E2D");
  EXPECT_EQ(code_point_name(0x1F600), "U+1F600");
  EXPECT_EQ(code_point_name(0xE7), "U+00E7");
}

TEST(DayCount, ReadsIso8601DatesAndTimes) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"1899-12-30", 0},
      {"2024-03-07", 45358},
      {"2024-03-07T18:00:00", 45358.75},
      {"2024-03-07 18:00", 45358.75},
      {"2024-03-07T18:00:00.250", 45358 + (18 * 3600 + 0.25) / 86400},
      {"2024-03-07T18:00:00,5", 45358 + (18 * 3600 + 0.5) / 86400},
      {"18:00:00", 0.75},
      {"06:00", 0.25},
      {"2000-02-29", 36585},
      {"1900-03-01", 61},
      {"1899-12-29T06:00", -1.25},  // before day 0 the time counts away from zero
      {"0001-01-01", -693593},
      {"9999-12-31", 2958465},
  };
  for (const auto& c : cases) {
    const auto parsed = parse_iso_datetime(c.text);
    ASSERT_TRUE(std::holds_alternative<double>(parsed)) << c.text << ": " << std::get<std::string>(parsed);
    EXPECT_EQ(std::get<double>(parsed), c.expected) << c.text;
  }
}

TEST(DayCount, SaysWhatIsWrongWithABadDate) {
  const struct {
    const char* text;
    const char* reason;
  } cases[] = {
      {"07/03/2024", "expected a date as YYYY-MM-DD"},
      {"2024-3-7", "expected a date as YYYY-MM-DD"},
      {"2024-13-01", "month 13 out of range"},
      {"2023-02-29", "day 29 out of range for 2023-02"},
      {"2024-04-31", "day 31 out of range"},
      {"0000-01-01", "year 0000 out of range"},
      {"2024-03-07T24:00", "hour 24 out of range"},
      {"2024-03-07T12:60", "minute 60 out of range"},
      {"2024-03-07T12:00:60", "second 60 out of range"},
      {"2024-03-07T12:00:00Z", "time zones are not supported"},
      {"2024-03-07T12:00:00-03:00", "time zones are not supported"},
      {"2024-03-07T12", "expected the time as hh:mm"},
      {"2024-03-07x", "expected 'T' and a time after the date"},
      {"12:00:00.", "expected the decimals of a second"},
      {"12:00:00.1234567891", "more than 9 decimals"},
      {"", "expected a date as YYYY-MM-DD"},
  };
  for (const auto& c : cases) {
    const auto parsed = parse_iso_datetime(c.text);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << c.text;
    EXPECT_NE(std::get<std::string>(parsed).find(c.reason), std::string::npos)
        << c.text << ": " << std::get<std::string>(parsed);
  }
}

Document read(const std::string& text) { return read_document(json::parse(text), 1); }

TEST(Documents, FillsTheArgumentStructsAndLeavesTheRestEmpty) {
  Document d = read(R"({
    "numero": 1001, "modelo": "55", "obs1": "A\u00c7\u00c3O", "dataemissao": "2024-03-07",
    "horasaida": 0.75, "totalnota": 608.4, "coo": -7, "basecreditoicms": 1e-400, "obs2": null,
    "itens": [{"refvenda": "PAR-14-2", "quantid": 4, "tanque_desc": 2147483647}, {}],
    "parcelas": [{"parcela": 1, "datavc": "2024-04-06T23:59:59.999", "valor": 304.2}],
    "cupons": [{"coo": 4513, "idimpressora": 2}]
  })");
  EXPECT_EQ(d.nota.numero, 1001);
  EXPECT_EQ(d.nota.modelo, "55");
  EXPECT_EQ(d.nota.obs1, "A\xC7\xC3O");
  EXPECT_EQ(d.nota.obs2, "");
  EXPECT_EQ(d.nota.serie, "");
  EXPECT_EQ(d.nota.dataemissao, 45358);
  EXPECT_EQ(d.nota.horasaida, 0.75);
  EXPECT_EQ(d.nota.datasaida, 0);
  EXPECT_EQ(d.nota.totalnota, 608.4);
  EXPECT_EQ(d.nota.coo, -7);
  EXPECT_EQ(d.nota.basecreditoicms, 0);  // an underflow is zero, not an error
  ASSERT_EQ(d.itens.size(), 2u);
  EXPECT_EQ(d.itens[0].refvenda, "PAR-14-2");
  EXPECT_EQ(d.itens[0].quantid, 4);
  EXPECT_EQ(d.itens[0].tanque_desc, 2147483647);
  EXPECT_EQ(d.itens[1].refvenda, "");
  ASSERT_EQ(d.parcelas.size(), 1u);
  EXPECT_EQ(d.parcelas[0].parcela, 1);
  EXPECT_NEAR(d.parcelas[0].datavc, 45388.99999998843, 1e-9);
  EXPECT_EQ(d.parcelas[0].valor, 304.2);
  ASSERT_EQ(d.cupons.size(), 1u);
  EXPECT_EQ(d.cupons[0].coo, 4513);
  EXPECT_EQ(d.cupons[0].idimpressora, 2);

  // The texts stay valid when the document moves.
  Document moved = std::move(d);
  EXPECT_EQ(moved.nota.obs1, "A\xC7\xC3O");
  EXPECT_EQ(moved.itens[0].refvenda, "PAR-14-2");
}

TEST(Documents, ErrorsNameTheDocumentAndTheKey) {
  const struct {
    const char* document;
    const char* message;
  } cases[] = {
      {R"({"numro": 1})", R"(document 1 (line 1): key "numro": unknown key)"},
      {R"({"numero": "1001"})", R"(key "numero": expects an integer, got a text)"},
      {R"({"numero": 1001.5})", R"(key "numero": expects an integer, got 1001.5)"},
      {R"({"numero": 2147483648})", R"(key "numero": integer 2147483648 out of the 32-bit range)"},
      {R"({"numero": -2147483649})", R"(key "numero": integer -2147483649 out of the 32-bit range)"},
      {R"({"modelo": 55})", R"(key "modelo": expects a text, got the number 55)"},
      {R"({"obs1": "\u4e2d"})", R"(key "obs1": character U+4E2D cannot be written in Windows-1252)"},
      {R"({"obs1": "a\u0000b"})", R"(key "obs1": a text may not hold the character U+0000)"},
      {R"({"totalnota": "608.40"})", R"(key "totalnota": expects a number, got a text)"},
      {R"({"totalnota": 1e400})", R"(key "totalnota": number 1e400 out of the range of a double)"},
      {R"({"dataemissao": "07/03/2024"})", R"(key "dataemissao": "07/03/2024" is not an ISO 8601 date)"},
      {R"({"dataemissao": true})", R"(key "dataemissao": expects an ISO 8601 date text or a day-count number, got true)"},
      {R"({"itens": {}})", R"(key "itens": expects an array of objects, got an object)"},
      {R"({"itens": [{}, 3]})", R"(document 1 (line 1): item 2: expects an object, got the number 3)"},
      {R"({"itens": [{"idnota": 5}]})", R"(item 1, key "idnota": unknown key)"},
      {R"({"itens": [{"quantid": "2"}]})", R"(item 1, key "quantid": expects a number, got a text)"},
      {R"({"parcelas": [{"datavc": "2024-02-30"}]})", R"(parcela 1, key "datavc": "2024-02-30" is not an ISO 8601 date or time: day 30)"},
      {R"({"cupons": [{"coo": 1, "impressora": 2}]})", R"(cupom 1, key "impressora": unknown key)"},
      {R"([1])", R"(document 1 (line 1): expects an object, got an array)"},
  };
  for (const auto& c : cases) {
    try {
      read(c.document);
      ADD_FAILURE() << c.document << " was accepted";
    } catch (const DocumentError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
          << c.document << "\n  gave: " << error.what();
    }
  }
}

TEST(Documents, TheFileIsAnArrayOrAnObjectWithNotas) {
  EXPECT_EQ(document_list(json::parse("[{}, {}]")).size(), 2u);
  EXPECT_EQ(document_list(json::parse(R"({"notas": [{}]})")).size(), 1u);
  const struct {
    const char* file;
    const char* message;
  } bad[] = {
      {"3", "expects an array of documents or an object with a \"notas\" array, got the number 3"},
      {"{}", "the top-level object has no \"notas\" array"},
      {R"({"notas": {}})", "\"notas\" expects an array of documents, got an object"},
      {R"({"notas": [], "extra": 1})", "unknown key \"extra\" at the top level"},
  };
  for (const auto& c : bad) {
    const json::Value file = json::parse(c.file);
    try {
      document_list(file);
      ADD_FAILURE() << c.file;
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace kovo
