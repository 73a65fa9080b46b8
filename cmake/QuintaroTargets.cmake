# quintaro_platform_sources(VAR): keeps the sources of this platform in VAR.
# NAME_posix.cpp is built everywhere but Windows, NAME_win.cpp only on
# Windows. Without a NAME_posix.cpp, NAME_win.cpp stands in for the whole of
# NAME.cpp; with one, NAME.cpp is the part both share.
function(quintaro_platform_sources var)
  set(_kept)
  foreach(_f IN LISTS ${var})
    string(REGEX REPLACE "\\.cpp$" "_win.cpp" _win ${_f})
    string(REGEX REPLACE "\\.cpp$" "_posix.cpp" _posix ${_f})
    if(WIN32 AND (_f MATCHES "_posix(_test)?\\.cpp$" OR (EXISTS ${_win} AND NOT EXISTS ${_posix})))
      continue()
    endif()
    if(NOT WIN32 AND _f MATCHES "_win(_test)?\\.cpp$")
      continue()
    endif()
    list(APPEND _kept ${_f})
  endforeach()
  set(${var} ${_kept} PARENT_SCOPE)
endfunction()

# quintaro_library(NAME DIR [DEPS ...]): a static library of every source in DIR.
function(quintaro_library name dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  quintaro_platform_sources(_src)
  if(NOT _src)
    # Nothing built here yet: headers only.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${_src})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# quintaro_test(NAME DIR [DEPS ...]): one GoogleTest program of every source in DIR.
function(quintaro_test name dir)
  file(GLOB _src CONFIGURE_DEPENDS ${dir}/*.cpp)
  quintaro_platform_sources(_src)
  if(NOT _src)
    return()
  endif()
  add_executable(${name} ${_src})
  target_link_libraries(${name} PRIVATE ${ARGN} quintaro_testsupport GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
