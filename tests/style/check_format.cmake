# cmake -DSOURCE_ROOT=<tree> -P check_format.cmake: fails, naming the files, when a tracked C++
# source differs from what clang-format makes of it.
cmake_minimum_required(VERSION 3.25)
find_program(CLANG_FORMAT clang-format)
if(NOT CLANG_FORMAT)
  message(FATAL_ERROR "clang-format is not installed: scripts/setup.sh installs it")
endif()

execute_process(COMMAND git ls-files -- "*.cpp" "*.h"
                WORKING_DIRECTORY ${SOURCE_ROOT}
                OUTPUT_VARIABLE files RESULT_VARIABLE status ERROR_QUIET)
if(status EQUAL 0)
  string(REPLACE "\n" ";" files "${files}")
else()
  # Not a git checkout: every source below the tree's own folders.
  file(GLOB_RECURSE files RELATIVE ${SOURCE_ROOT} LIST_DIRECTORIES false
       ${SOURCE_ROOT}/app/*.cpp ${SOURCE_ROOT}/app/*.h ${SOURCE_ROOT}/bench/*.cpp
       ${SOURCE_ROOT}/bench/*.h ${SOURCE_ROOT}/fuzz/*.cpp ${SOURCE_ROOT}/model/*.cpp
       ${SOURCE_ROOT}/model/*.h ${SOURCE_ROOT}/platform/*.cpp ${SOURCE_ROOT}/platform/*.h
       ${SOURCE_ROOT}/proppages/*.cpp ${SOURCE_ROOT}/proppages/*.h ${SOURCE_ROOT}/server/*.cpp
       ${SOURCE_ROOT}/server/*.h ${SOURCE_ROOT}/tests/*.cpp ${SOURCE_ROOT}/tests/*.h)
endif()
list(FILTER files EXCLUDE REGEX "^$")

execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${files}
                WORKING_DIRECTORY ${SOURCE_ROOT}
                ERROR_VARIABLE findings RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  string(REGEX MATCHALL "[^\n]+: error: code should be clang-formatted" lines "${findings}")
  set(unformatted "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ":[0-9]+:[0-9]+: error: .*" "" file "${line}")
    list(APPEND unformatted ${file})
  endforeach()
  list(REMOVE_DUPLICATES unformatted)
  list(JOIN unformatted "\n  " shown)
  message(FATAL_ERROR "Not formatted as .clang-format says (run clang-format -i on them):\n"
                      "  ${shown}")
endif()
list(LENGTH files count)
message(STATUS "${count} sources follow .clang-format")
