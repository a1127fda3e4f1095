// Takes the primary key off NOTAS, so that a suite can show that invoice ids
// stay unique through the registration itself, whatever constraints the
// issuer's schema has.
#pragma once

#include "test_engines.h"

namespace kovo::test {

void drop_notas_primary_key(TestDatabase& database);

}  // namespace kovo::test
