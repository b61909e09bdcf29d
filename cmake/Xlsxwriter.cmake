# libxlsxwriter, which writes the xlsx workbooks, as the target
# tarivox_xlsxwriter. The native build takes Debian's packaged library
# (libxlsxwriter-dev). The Windows builds and the page compile the same
# library from Debian's source package with their own toolchains, and the
# page also zlib from its source package; scripts/install-deps.sh unpacks
# both into TARIVOX_DEBIAN_SOURCES. The Windows builds take zlib from
# Debian's libz-mingw-w64-dev, linked statically.
if(TARGET tarivox_xlsxwriter)
  return()
endif()
set(TARIVOX_DEBIAN_SOURCES /usr/local/src/debian-sources CACHE PATH
    "Where scripts/install-deps.sh unpacks the Debian source packages of libxlsxwriter and zlib")

add_library(tarivox_xlsxwriter INTERFACE)

if(NOT CMAKE_CROSSCOMPILING)
  find_path(XLSXWRITER_INCLUDE_DIR xlsxwriter.h)
  find_library(XLSXWRITER_LIBRARY xlsxwriter)
  if(NOT XLSXWRITER_INCLUDE_DIR OR NOT XLSXWRITER_LIBRARY)
    message(FATAL_ERROR "libxlsxwriter not found: run scripts/install-deps.sh (package libxlsxwriter-dev)")
  endif()
  target_include_directories(tarivox_xlsxwriter SYSTEM INTERFACE ${XLSXWRITER_INCLUDE_DIR})
  target_link_libraries(tarivox_xlsxwriter INTERFACE ${XLSXWRITER_LIBRARY})
  return()
endif()

enable_language(C)
set(xlsxwriter_source ${TARIVOX_DEBIAN_SOURCES}/libxlsxwriter)
if(NOT EXISTS ${xlsxwriter_source}/CMakeLists.txt)
  message(FATAL_ERROR "no libxlsxwriter sources in ${xlsxwriter_source}: run scripts/install-deps.sh")
endif()

if(TARIVOX_WASM)
  set(zlib_source ${TARIVOX_DEBIAN_SOURCES}/zlib)
  if(NOT EXISTS ${zlib_source}/zlib.h)
    message(FATAL_ERROR "no zlib sources in ${zlib_source}: run scripts/install-deps.sh")
  endif()
  # What writing a zip needs: deflate and the checksums. zlib's own build
  # would also make its shared library and example programs.
  add_library(tarivox_zlib STATIC
    ${zlib_source}/adler32.c ${zlib_source}/crc32.c ${zlib_source}/deflate.c ${zlib_source}/trees.c
    ${zlib_source}/zutil.c)
  target_include_directories(tarivox_zlib SYSTEM PUBLIC ${zlib_source})
  # libxlsxwriter asks for zlib with find_package: it finds this one.
  set(ZLIB_INCLUDE_DIR ${zlib_source} CACHE PATH "" FORCE)
  set(ZLIB_LIBRARY tarivox_zlib CACHE STRING "" FORCE)
  # No file system in the page: the module's memory files stand in for the
  # temporary files (tmpfile()), and plain fopen, ftello and fseeko for the
  # 64-bit names WASI's C library lacks.
  set(USE_STANDARD_TMPFILE ON CACHE BOOL "" FORCE)
  set(IOAPI_NO_64 ON CACHE BOOL "" FORCE)
else()
  set(ZLIB_USE_STATIC_LIBS ON)
endif()

set(BUILD_SHARED_LIBS OFF)
set(BUILD_TESTS OFF CACHE BOOL "" FORCE)
set(BUILD_EXAMPLES OFF CACHE BOOL "" FORCE)
add_subdirectory(${xlsxwriter_source} ${CMAKE_BINARY_DIR}/libxlsxwriter EXCLUDE_FROM_ALL)
# Its headers are not ours to keep free of warnings.
get_target_property(xlsxwriter_includes xlsxwriter INTERFACE_INCLUDE_DIRECTORIES)
set_target_properties(xlsxwriter PROPERTIES INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${xlsxwriter_includes}")
target_link_libraries(tarivox_xlsxwriter INTERFACE xlsxwriter)
