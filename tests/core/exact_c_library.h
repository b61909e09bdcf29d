// Whether the C library can serve as a reference for decimal text.
#pragma once

#include <cstdio>

namespace tarivox {

// glibc prints and reads decimals exactly (and correctly rounded), which
// makes it a reference; other C runtimes, such as the one the Windows build
// links, are not.
#ifdef __GLIBC__
inline constexpr bool kExactCLibrary = true;
#else
inline constexpr bool kExactCLibrary = false;
#endif

}  // namespace tarivox
