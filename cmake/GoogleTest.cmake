# GoogleTest for the test programs. Native builds use the system's packaged
# library; cross builds for Windows compile Debian's googletest sources with
# the cross compiler, since no prebuilt Windows library exists.
if(TARGET GTest::gtest_main)
  return()
endif()
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # googletest's own build names them GTest::... from 1.11 on.
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
# CMake's own module by its path: this file shadows the name on the module path.
include(${CMAKE_ROOT}/Modules/GoogleTest.cmake)
