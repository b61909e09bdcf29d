# Flags every target of the project gets.
#
# Money is binary64 with one rounding per operation, so contraction into
# fused multiply-add is off everywhere and fast-math is never used. On
# 32-bit x86 the x87 unit would keep 80-bit intermediates, which can move a
# cent; SSE2 arithmetic rounds every operation to a double.

option(TARIVOX_WERROR "Treat compiler warnings as errors" OFF)
option(TARIVOX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

add_library(tarivox_flags INTERFACE)
target_compile_features(tarivox_flags INTERFACE cxx_std_20)
target_compile_options(tarivox_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wshadow
  -ffp-contract=off -fno-fast-math)
# GCC 12 reports -Wrestrict inside libstdc++'s own std::string when it
# inlines string concatenation at -O2 and above (a false positive fixed in
# GCC 13); it says nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(tarivox_flags INTERFACE -Wno-restrict)
endif()
if(TARIVOX_WERROR)
  target_compile_options(tarivox_flags INTERFACE -Werror)
endif()

if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  target_compile_options(tarivox_flags INTERFACE -msse2 -mfpmath=sse)
endif()

if(TARIVOX_WASM)
  target_compile_options(tarivox_flags INTERFACE -nostdinc++)
endif()

if(TARIVOX_SANITIZE)
  target_compile_options(tarivox_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(tarivox_flags INTERFACE -fsanitize=address,undefined)
endif()

# The fuzzers steer by coverage, so the code under test needs the same
# instrumentation as the harness (the harness alone adds libFuzzer's main).
if(TARIVOX_BUILD_FUZZ)
  target_compile_options(tarivox_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
