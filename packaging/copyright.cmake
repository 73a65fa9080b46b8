# quintaro_debian_copyright(OUT): the package's machine-readable copyright
# file, made from the project's LICENSE so that the two never disagree.
function(quintaro_debian_copyright out)
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE _lines)
  set(_holder "")
  set(_body "")
  set(_in_body FALSE)
  foreach(_line IN LISTS _lines)
    if(_line MATCHES "^Copyright \\(c\\) (.*)$")
      set(_holder "${CMAKE_MATCH_1}")
      set(_in_body TRUE)
    elseif(_in_body)
      # Continuation lines are indented by one space; empty lines become " .".
      if(_line STREQUAL "")
        string(APPEND _body " .\n")
      else()
        string(APPEND _body " ${_line}\n")
      endif()
    endif()
  endforeach()
  if(_holder STREQUAL "")
    message(FATAL_ERROR "LICENSE has no copyright line")
  endif()
  string(REGEX REPLACE "^ \\.\n" "" _body "${_body}")
  file(WRITE ${out}
       "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
       "Upstream-Name: Quintaro\n"
       "\n"
       "Files: *\n"
       "Copyright: ${_holder}\n"
       "License: Expat\n"
       "${_body}"
       "Comment: The programs use Qt 6 under the GNU Lesser General Public License,\n"
       " version 3, through Debian's shared Qt libraries, which are installed as\n"
       " separate packages and can be replaced; see /usr/share/common-licenses/LGPL-3.\n")
endfunction()
