# Fails when clang-tidy, with the checks the repository's .clang-tidy agrees on, finds anything
# in the core sources (the Qt-free folders; windows and tests are left to the compiler's warnings).
# Run as: cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DRUN_CLANG_TIDY=... -DJOBS=... -P check_tidy.cmake
file(GLOB_RECURSE sources ${SOURCE_DIR}/src/*.cpp)
list(FILTER sources EXCLUDE REGEX "/ui/|/python/")
string(REPLACE "." "\\." patterns "${sources}")
execute_process(COMMAND ${RUN_CLANG_TIDY} -quiet -j ${JOBS} -p ${BUILD_DIR} ${patterns}
  RESULT_VARIABLE result OUTPUT_VARIABLE findings ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  string(ASCII 27 escape)
  string(REGEX REPLACE "${escape}\\[[0-9;]*m" "" findings "${findings}")
  string(REGEX MATCHALL "[^\n]*(warning|error):[^\n]*" lines "${findings}")
  list(REMOVE_DUPLICATES lines)
  list(JOIN lines "\n" report)
  message(FATAL_ERROR "clang-tidy findings:\n${report}\n${errors}")
endif()
