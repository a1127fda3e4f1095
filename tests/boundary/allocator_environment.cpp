// Registers the recording allocator before anything else runs, as a host
// does at start-up, so that the tests can see which blocks the library
// makes and frees.
#include <gtest/gtest.h>

#include "boundary_checks.h"
#include "host_library.h"

namespace {

class RegisterAllocator : public ::testing::Environment {
 public:
  void SetUp() override {
    const HostCallFrame first = call_extra("kovo_definir_alocador", function_word(&recording_allocate),
                                           function_word(&recording_free));
    ASSERT_TRUE(boolean_result(first));
    expect_clean_return(first, 0);
    // Once only.
    EXPECT_FALSE(boolean_result(call_extra("kovo_definir_alocador",
                                           function_word(&recording_allocate),
                                           function_word(&recording_free))));
  }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new RegisterAllocator);

}  // namespace
