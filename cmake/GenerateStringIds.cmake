# Writes the string-table ids as C++ constants:
#   cmake -DSTRINGS_DIR=<resources/strings> -DOUTPUT=<.../course/StringIds.h> -P GenerateStringIds.cmake
# Each line "<id><TAB><name><TAB><text>" of every *.txt becomes
#   inline constexpr int <name> = <id>;
# in namespace str. Two lines with one id or one name, or a line that does not have that
# form, stop the build: the code names texts through these constants only.

file(GLOB files RELATIVE "${STRINGS_DIR}" "${STRINGS_DIR}/*.txt")
list(SORT files)
set(body "")
set(errors "")
foreach(name_of_file IN LISTS files)
  file(READ "${STRINGS_DIR}/${name_of_file}" content)
  # Semicolons are CMake's list separator; no id or name contains one, so they can go.
  string(REPLACE ";" "," content "${content}")
  string(REPLACE "[" "(" content "${content}")
  string(REPLACE "]" ")" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(line_no 0)
  foreach(line IN LISTS lines)
    math(EXPR line_no "${line_no} + 1")
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([0-9]+)\t(k[A-Za-z0-9_]*)\t")
      string(APPEND errors "${name_of_file}:${line_no}: expected <id><TAB><name><TAB><text>, the name starting with k\n")
      continue()
    endif()
    set(id "${CMAKE_MATCH_1}")
    set(name "${CMAKE_MATCH_2}")
    if(DEFINED _id_${id})
      string(APPEND errors "${name_of_file}:${line_no}: id ${id} is already ${_id_${id}}\n")
    endif()
    if(DEFINED _name_${name})
      string(APPEND errors "${name_of_file}:${line_no}: name ${name} is already ${_name_${name}}\n")
    endif()
    set(_id_${id} "${name} (${name_of_file}:${line_no})")
    set(_name_${name} "id ${id} (${name_of_file}:${line_no})")
    string(APPEND body "inline constexpr int ${name} = ${id};  // ${name_of_file}\n")
  endforeach()
endforeach()
if(NOT errors STREQUAL "")
  message(FATAL_ERROR "String table:\n${errors}")
endif()

set(text "// Generated from resources/strings/*.txt by cmake/GenerateStringIds.cmake: edit those files.
#pragma once

namespace str {

${body}
}  // namespace str
")
# Only a changed table rewrites the header, so an unchanged one rebuilds nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
