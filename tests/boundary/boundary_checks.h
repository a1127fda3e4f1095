// What every call through the boundary must leave behind, whatever it did.
#pragma once

#include <gtest/gtest.h>

#include "host_call.h"

// The callee removed `bytes` of stack arguments, kept EBX, ESI, EDI and EBP,
// gave back the host's x87 control word with no exception flag raised, and
// left the direction flag clear.
inline void expect_clean_return(const HostCallFrame& frame, std::uint32_t bytes) {
  EXPECT_EQ(frame.bytes_removed, bytes);
  EXPECT_EQ(frame.ebx, HC_SENTINEL_EBX);
  EXPECT_EQ(frame.esi, HC_SENTINEL_ESI);
  EXPECT_EQ(frame.edi, HC_SENTINEL_EDI);
  EXPECT_EQ(frame.ebp, HC_SENTINEL_EBP);
  EXPECT_EQ(frame.x87_control_out, frame.x87_control_in);
  EXPECT_EQ(frame.x87_status_out & 0x3F, 0) << "x87 exception flags left raised";
  EXPECT_EQ(frame.eflags_out & 0x400, 0u) << "direction flag set";
}

// A Boolean comes back in AL; the rest of EAX means nothing.
inline bool boolean_result(const HostCallFrame& frame) {
  return (frame.result & 0xFF) != 0;
}
