# The core and the report library as a WebAssembly module for the page,
# with Debian's clang and its wasm32-wasi C and C++ libraries. The module
# has no entry point and needs nothing from its host: the page only calls
# its exported functions.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(TARIVOX_WASM ON)

set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# C for libxlsxwriter and zlib, built from their Debian sources.
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_C_STANDARD_INCLUDE_DIRECTORIES /usr/include/wasm32-wasi)
# Debian's sysroot does not put the C++ headers where --sysroot would look;
# CompilerFlags.cmake adds -nostdinc++ to compilations only.
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES /usr/lib/llvm-14/include/wasm32-wasi/c++/v1 /usr/include/wasm32-wasi)
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
# A reactor: no main; the page calls _initialize once, which runs the
# constructors of the module's globals, then the exported functions.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L/usr/lib/wasm32-wasi -mexec-model=reactor")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
