// The arguments of the four database exports in declared order, as a host
// passes them, each with the column it lands in: written here from the
// exports' published argument tables, not from the library's own lists.
// Every argument gets a value of its own, derived from its position, so that
// an argument read from another's place shows up in the row.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host_library.h"
#include "host_texts.h"

enum class Kind { Connection, Int, Text, Amount, Date, Time };

struct ArgumentColumn {
  Kind kind;
  const char* column;  // "" when the argument fills no column of the row
};

extern const std::vector<ArgumentColumn> kCupomArguments;        // 4
extern const std::vector<ArgumentColumn> kContasNotasArguments;  // 5
extern const std::vector<ArgumentColumn> kItensNotasArguments;   // 55
extern const std::vector<ArgumentColumn> kNotasArguments;        // 85

// A call's arguments and the column values they should produce.
struct PreparedCall {
  HostArguments arguments;
  struct Column {
    std::string name;
    std::string value;
    bool amount;  // compared as numbers: the engine has its own number texts
  };
  std::vector<Column> expected_columns;
  struct PassedText {
    const char* text;     // nil included
    std::int32_t count;   // its count before the call
  };
  std::vector<PassedText> texts;
};

// Position k (1-based) gets: integer 1000 + k, text "v<k>", amount k + 0.25;
// dates and times get fixed day counts. Texts rotate between a counted one,
// a shared one (count 3) and a constant; `nil_column` is passed nil.
// `overrides` replace the value of the named arguments (by position).
struct Override {
  int position;
  std::string text;  // for texts
  double real = 0;   // for amounts
};

PreparedCall prepare_call(const std::vector<ArgumentColumn>& arguments, std::uint32_t connection,
                          HostTexts& texts, const char* nil_column = "",
                          const std::vector<Override>& overrides = {});
