# Turns a file into a C++ source that returns its bytes from a function:
#   cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DFUNCTION=<name> -P embed_file.cmake
# The program keeps its own copy of a data file this way, without any toolkit.
file(READ "${INPUT}" _hex HEX)
string(LENGTH "${_hex}" _hex_length)
math(EXPR _size "${_hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," _bytes "${_hex}")
file(WRITE "${OUTPUT}.tmp" "// Generated from ${INPUT} at build time; do not edit.
#include <string_view>

namespace dawn {
namespace {
const char kBytes[] = {
  ${_bytes}'\\0'};
}  // namespace

std::string_view ${FUNCTION}() { return std::string_view(kBytes, ${_size}); }

}  // namespace dawn
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
