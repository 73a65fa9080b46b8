# A Windows build: the command-line tool and the Qt-free libraries and tests.
# The desktop program and drawing to pictures need Qt, which is not part of
# this build; `quintaro-cli render` says so.
set(QUINTARO_GUI OFF CACHE BOOL "" FORCE)
set(QUINTARO_BENCH OFF CACHE BOOL "" FORCE)
set(QUINTARO_FUZZ OFF CACHE BOOL "" FORCE)

# Wide-character Windows API throughout; nothing of <windows.h> we do not use.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# CLI11 is header-only: its headers from the build machine, copied apart so
# that none of the build machine's other headers can reach the cross build.
if(NOT TARGET CLI11::CLI11)
  set(_cli11 ${CMAKE_BINARY_DIR}/third_party/cli11)
  if(NOT EXISTS ${_cli11}/CLI/CLI.hpp)
    file(COPY /usr/include/CLI DESTINATION ${_cli11})
  endif()
  add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
  set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${_cli11})
endif()

# GoogleTest from the sources Debian ships in /usr/src/googletest (which
# name their targets GTest::gtest and GTest::gtest_main).
if(QUINTARO_TESTS AND NOT TARGET GTest::gtest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(QUINTARO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  add_subdirectory(${QUINTARO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/third_party/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
  # Listing the tests would run every program under Wine while building.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()
