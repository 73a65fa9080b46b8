# A Windows build. With the static Qt of scripts/build-qt-windows (found
# through its qt.toolchain.cmake) it has the desktop program, drawing and
# their Qt tests; without Qt only the command-line tool and the Qt-free
# libraries and tests, and `quintaro-cli render` says it cannot draw.
find_package(Qt6 QUIET COMPONENTS Widgets)
if(NOT TARGET Qt6::Widgets)
  set(QUINTARO_GUI OFF CACHE BOOL "" FORCE)
endif()
set(QUINTARO_BENCH OFF CACHE BOOL "" FORCE)
set(QUINTARO_FUZZ OFF CACHE BOOL "" FORCE)

# Wide-character Windows API throughout, Windows 10 and later; nothing of
# <windows.h> we do not use; the thread-safe time functions of POSIX
# (localtime_r), which MinGW-w64 maps onto the system's own.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00
                        WINVER=0x0A00 _POSIX_THREAD_SAFE_FUNCTIONS)

# quintaro_windows_program(TARGET DESCRIPTION): the manifest, the version
# information and (for the desktop program) the icon, compiled by windres;
# with a static Qt, the plugins a Qt program loads linked in: the Windows
# platform and its native style, and the offscreen platform of the tests
# and of drawing without a screen.
function(quintaro_windows_program target description)
  get_target_property(_name ${target} OUTPUT_NAME)
  if(NOT _name)
    set(_name ${target})
  endif()
  set(QUINTARO_FILE_NAME ${_name}.exe)
  set(QUINTARO_DESCRIPTION ${description})
  string(REPLACE "." "," QUINTARO_VERSION_COMMAS "${PROJECT_VERSION}.0")
  set(QUINTARO_VERSION_4 "${PROJECT_VERSION}.0")
  set(_dir ${CMAKE_BINARY_DIR}/windows-resources)
  set(QUINTARO_MANIFEST ${_dir}/quintaro.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/quintaro.manifest ${QUINTARO_MANIFEST} @ONLY)
  set(QUINTARO_ICON_LINE "")
  set(_depends ${QUINTARO_MANIFEST})
  if(TARGET quintaro_icon AND ARGN STREQUAL "ICON")
    set(QUINTARO_ICON_LINE "1 ICON \"${_dir}/quintaro.ico\"")
    list(APPEND _depends ${_dir}/quintaro.ico)
    add_dependencies(${target} quintaro_icon)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/quintaro.rc.in ${_dir}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${_dir}/${target}.rc)
  set_source_files_properties(${_dir}/${target}.rc PROPERTIES OBJECT_DEPENDS "${_depends}")
  quintaro_windows_qt_plugins(${target})
endfunction()

# quintaro_windows_qt_plugins(TARGET): the plugins above alone (test programs).
function(quintaro_windows_qt_plugins target)
  if(TARGET Qt6::QWindowsIntegrationPlugin)
    qt_import_plugins(${target}
      INCLUDE_BY_TYPE platforms Qt6::QWindowsIntegrationPlugin Qt6::QOffscreenIntegrationPlugin
      INCLUDE_BY_TYPE styles Qt6::QWindowsVistaStylePlugin
      EXCLUDE_BY_TYPE imageformats)
  endif()
endfunction()

# The program's icon: the SVG drawn at the sizes Windows shows.
find_program(QUINTARO_RSVG rsvg-convert)
find_program(QUINTARO_ICOTOOL icotool)
if(QUINTARO_RSVG AND QUINTARO_ICOTOOL)
  set(_dir ${CMAKE_BINARY_DIR}/windows-resources)
  set(_pngs)
  foreach(_size 16 24 32 48 64 256)
    list(APPEND _pngs ${_dir}/icon-${_size}.png)
    add_custom_command(OUTPUT ${_dir}/icon-${_size}.png
      COMMAND ${QUINTARO_RSVG} -w ${_size} -h ${_size} -o ${_dir}/icon-${_size}.png
              ${PROJECT_SOURCE_DIR}/packaging/quintaro.svg
      DEPENDS ${PROJECT_SOURCE_DIR}/packaging/quintaro.svg VERBATIM)
  endforeach()
  add_custom_command(OUTPUT ${_dir}/quintaro.ico
    COMMAND ${QUINTARO_ICOTOOL} -c -o ${_dir}/quintaro.ico ${_pngs}
    DEPENDS ${_pngs} VERBATIM)
  add_custom_target(quintaro_icon DEPENDS ${_dir}/quintaro.ico)
endif()

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
