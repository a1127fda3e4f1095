# Writes a C++ source that holds the bytes of INPUT as the string_view
# kovo::cli::embedded::SYMBOL (empty when INPUT does not exist).
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P embed.cmake
if(EXISTS "${INPUT}")
  file(READ "${INPUT}" hex HEX)
else()
  set(hex "")
endif()
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT}; do not edit.
#include \"cli/embedded.h\"

namespace {
const unsigned char kBytes[] = {
${bytes}0};
}  // namespace

const std::string_view kovo::cli::embedded::${SYMBOL}(reinterpret_cast<const char*>(kBytes), ${size});
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
