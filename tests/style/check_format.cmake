# Fails when a C or C++ source of the tree differs from what the repository's .clang-format
# makes of it. Run as: cmake -DSOURCE_DIR=... -DCLANG_FORMAT=... -P check_format.cmake
file(GLOB_RECURSE sources
  ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp ${SOURCE_DIR}/src/*.c
  ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.c
  ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/bench/*.cpp
  ${SOURCE_DIR}/fuzz/*.h ${SOURCE_DIR}/fuzz/*.cpp
  ${SOURCE_DIR}/include/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  RESULT_VARIABLE result ERROR_VARIABLE findings)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Formatting differs from .clang-format (run clang-format -i on these):\n${findings}")
endif()
