# Writes a C++ source that holds a file's bytes, so that the program carries
# the file and needs none at run time.
#   cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P EmbedFile.cmake
cmake_policy(VERSION 3.25)
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}.new "// Made by the build from ${INPUT}; not edited by hand.
#include <cstddef>

namespace tarivox {
extern const char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;
const char ${SYMBOL}[] = {
${bytes}'\\0'};
const std::size_t ${SYMBOL}Size = ${size};
}  // namespace tarivox
")
# Only a changed file makes what includes it compile again.
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
