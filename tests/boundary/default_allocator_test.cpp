// Without a registered allocator the library makes texts on the C runtime
// heap, and from then on refuses a host's routines, which could not free
// what it already handed out. (No allocator environment in this program.)
#include <gtest/gtest.h>

#include <cstdlib>

#include "boundary_checks.h"
#include "host_library.h"
#include "host_texts.h"

namespace {

TEST(DefaultAllocator, RuntimeHeapUntilAHostRegistersAndNotAfterATextWasMade) {
  // A routine missing: refused, and nothing is settled by it.
  EXPECT_FALSE(boolean_result(
      call_extra("kovo_definir_alocador", function_word(&recording_allocate), 0)));

  HostTexts texts;
  char* cfop = nullptr;
  HostArguments arguments;
  arguments.text(texts.make("S")).word(0).text(texts.make("SP")).text(texts.make("SP"));
  arguments.text(texts.make("102")).text(nullptr).text(nullptr).text(nullptr).word(pointer_word(&cfop));
  expect_clean_return(call_export("kovo_retorna_cfop_vendas", arguments), 24);
  ASSERT_NE(cfop, nullptr);
  EXPECT_EQ(HostTexts::characters(cfop), "5102");
  EXPECT_EQ(HostTexts::count(cfop), 1);
  EXPECT_TRUE(allocated_blocks().empty());

  EXPECT_FALSE(boolean_result(call_extra("kovo_definir_alocador",
                                         function_word(&recording_allocate),
                                         function_word(&recording_free))));
  // The C runtime's free takes the block: the header starts 8 bytes before.
  std::free(cfop - 8);
}

}  // namespace
