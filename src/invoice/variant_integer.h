// A column value read as a variant, turned into a 32-bit integer the way the
// host platform converts variants.
#pragma once

#include <cstdint>

#include "sql/value.h"

namespace kovo {

// Integers in range pass; floats round half to even; integer texts are read.
// Throws ConversionError otherwise, for a null first of all ("Could not
// convert variant of type (Null) into type (Integer)").
std::int32_t variant_to_integer(const Value& value);

}  // namespace kovo
