// kovo_retorna_cfop_vendas through the register convention: arguments in
// their places, the texts borrowed and given back, the result text handed
// over and the one it replaces released.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "boundary_checks.h"
#include "host_library.h"
#include "host_texts.h"

namespace {

constexpr std::uint32_t kCfopStackBytes = 24;

struct CfopCall {
  const char* tipoempresa;
  std::uint32_t ignored;
  const char* uforigem;
  const char* ufdestino;
  const char* sittrib;
  const char* naocontribuinte;
  const char* sufixo1;
  const char* sufixo2;
  char** cfop;
};

HostArguments cfop_arguments(const CfopCall& c) {
  HostArguments a;
  a.text(c.tipoempresa).word(c.ignored).text(c.uforigem).text(c.ufdestino).text(c.sittrib);
  a.text(c.naocontribuinte).text(c.sufixo1).text(c.sufixo2).word(pointer_word(c.cfop));
  return a;
}

bool was_freed(const void* block) {
  const auto& freed = freed_blocks();
  return std::find(freed.begin(), freed.end(), block) != freed.end();
}

bool was_allocated(const void* block) {
  const auto& made = allocated_blocks();
  return std::find(made.begin(), made.end(), block) != made.end();
}

// Each case moves one argument so that a misplaced one changes the result.
struct PlacementCase {
  const char* tipoempresa;
  const char* uforigem;
  const char* ufdestino;
  const char* sittrib;
  const char* naocontribuinte;
  const char* sufixo1;
  const char* sufixo2;
  const char* expected;
};

const PlacementCase kPlacement[] = {
    {"S", "SP", "SP", "102", "", "", "", "5102"},
    {"S", "SP", "RJ", "102", "S", "", "", "6108"},
    {"S", "SP", "RJ", "102", "N", "", "", "6102"},
    {"S", "SP", "EX", "500", "", "", "", "7405"},
    {"P", "SP", "RJ", "60", "N", "", "", "6108"},
    {"X", "SP", "SP", "102", "", "949", "", "5949"},
    {"S", "SP", "SP", "102", "", "949", "910", "5910"},
    {"S", "RJ", "RJ", "201", "", "", "", "9999"},
};

TEST(CfopBoundary, EveryArgumentIsReadFromItsPlace) {
  HostTexts texts;
  for (const PlacementCase& c : kPlacement) {
    auto text = [&](const char* s) { return *s ? texts.make(s) : nullptr; };
    char* cfop = nullptr;
    const HostCallFrame frame = call_export(
        "kovo_retorna_cfop_vendas",
        cfop_arguments({text(c.tipoempresa), 0xDEADBEEF, text(c.uforigem), text(c.ufdestino),
                        text(c.sittrib), text(c.naocontribuinte), text(c.sufixo1),
                        text(c.sufixo2), &cfop}));
    SCOPED_TRACE(c.expected);
    expect_clean_return(frame, kCfopStackBytes);
    ASSERT_NE(cfop, nullptr);
    EXPECT_EQ(HostTexts::characters(cfop), c.expected);
    EXPECT_EQ(HostTexts::count(cfop), 1);
    call_extra("kovo_liberar_texto", pointer_word(cfop));
  }
}

HostArguments sale_within_the_state(HostTexts& texts, char** cfop) {
  return cfop_arguments({texts.make("S"), 0, texts.make("SP"), texts.make("SP"),
                         texts.make("102"), nullptr, nullptr, nullptr, cfop});
}

TEST(CfopBoundary, HandsBackANewTextWithCountOne) {
  HostTexts texts;
  char* cfop = nullptr;
  expect_clean_return(call_export("kovo_retorna_cfop_vendas", sale_within_the_state(texts, &cfop)),
                      kCfopStackBytes);
  // Count 1, length 4, the characters and a zero byte, in a block that the
  // host's allocator gave, the header 8 bytes before the characters.
  ASSERT_NE(cfop, nullptr);
  EXPECT_TRUE(was_allocated(cfop - 8));
  EXPECT_EQ(HostTexts::count(cfop), 1);
  EXPECT_EQ(HostTexts::characters(cfop), "5102");
  call_extra("kovo_liberar_texto", pointer_word(cfop));
  EXPECT_TRUE(was_freed(cfop - 8));
}

// The variable's old text loses the variable's reference: freed when that
// was the last, still alive when shared, untouched when constant.
TEST(CfopBoundary, ReleasesTheTextTheVariableHeld) {
  struct Case {
    std::int32_t count;
    bool freed;
  };
  for (const Case c : {Case{1, true}, Case{2, false}, Case{-1, false}}) {
    SCOPED_TRACE(c.count);
    freed_blocks().clear();
    HostTexts texts;
    char* old = c.count < 0
                    ? const_cast<char*>(texts.constant("1234"))
                    : lay_out_host_text(recording_allocate(8 + 4 + 1), "1234", c.count);
    char* cfop = old;
    expect_clean_return(
        call_export("kovo_retorna_cfop_vendas", sale_within_the_state(texts, &cfop)),
        kCfopStackBytes);
    EXPECT_EQ(HostTexts::characters(cfop), "5102");
    EXPECT_NE(cfop, old);
    EXPECT_EQ(was_freed(old - 8), c.freed);
    if (!c.freed) {
      EXPECT_EQ(HostTexts::count(old), c.count < 0 ? -1 : c.count - 1);
      EXPECT_EQ(HostTexts::characters(old), "1234");
    }
    if (c.count > 1) call_extra("kovo_liberar_texto", pointer_word(old));
    call_extra("kovo_liberar_texto", pointer_word(cfop));
  }
}

TEST(CfopBoundary, ArgumentTextsKeepTheirCountsAndCharacters) {
  HostTexts texts;
  const char* constant = texts.constant("S");  // read-only: a write would fault
  const char* shared = texts.make("SP", 3);
  const char* single = texts.make("RJ", 1);
  char* cfop = nullptr;
  const HostCallFrame frame = call_export(
      "kovo_retorna_cfop_vendas",
      cfop_arguments({constant, 0, shared, single, texts.constant("102"), nullptr, nullptr,
                      nullptr, &cfop}));
  expect_clean_return(frame, kCfopStackBytes);
  EXPECT_EQ(HostTexts::characters(cfop), "6102");  // nil naocontribuinte reads as empty
  EXPECT_EQ(HostTexts::count(constant), -1);
  EXPECT_EQ(HostTexts::count(shared), 3);
  EXPECT_EQ(HostTexts::count(single), 1);
  EXPECT_EQ(HostTexts::characters(shared), "SP");
  EXPECT_EQ(HostTexts::characters(single), "RJ");
  call_extra("kovo_liberar_texto", pointer_word(cfop));
}

// The variable's old text may also be an argument: it is read before it is
// released, and freed once the call gives its borrow back.
TEST(CfopBoundary, OldResultPassedAsAnArgumentIsReadThenReleased) {
  HostTexts texts;
  char* cfop = lay_out_host_text(recording_allocate(8 + 3 + 1), "949", 1);
  void* old_block = cfop - 8;
  const HostCallFrame frame = call_export(
      "kovo_retorna_cfop_vendas",
      cfop_arguments({texts.make("S"), 0, texts.make("SP"), texts.make("SP"), texts.make("102"),
                      nullptr, cfop, nullptr, &cfop}));
  expect_clean_return(frame, kCfopStackBytes);
  EXPECT_EQ(HostTexts::characters(cfop), "5949");
  EXPECT_TRUE(was_freed(old_block));
  call_extra("kovo_liberar_texto", pointer_word(cfop));
}

TEST(CfopBoundary, NilResultVariableRaisesAfterGivingTheTextsBack) {
  HostTexts texts;
  const char* shared = texts.make("SP", 2);
  RaisedFailure failure;
  ASSERT_TRUE(call_export_expecting_failure(
      "kovo_retorna_cfop_vendas",
      cfop_arguments({texts.make("S"), 0, shared, shared, texts.make("102"), nullptr, nullptr,
                      nullptr, nullptr}),
      failure));
  EXPECT_EQ(failure.code, 0xE04B4F56u);
  EXPECT_NE(failure.message.find("nil result variable"), std::string::npos) << failure.message;
  EXPECT_EQ(failure.x87_control, kDelphiControlWord);
  EXPECT_EQ(HostTexts::count(shared), 2);
}

}  // namespace
