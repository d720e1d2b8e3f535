# Writes a program's manual page from its own --help and --version with help2man, gzipped as
# Debian wants it. For `vorax`, every subcommand's --help becomes a subsection of SUBCOMMANDS.
# Run as: cmake -DPROGRAM=... -DNAME=... -DSUMMARY=... -DOUTPUT=....1.gz -P man_page.cmake
get_filename_component(work "${OUTPUT}" DIRECTORY)
set(page "${work}/${NAME}.1")
set(include_file "${work}/${NAME}.h2m")

# roff: a backslash is written \e, and a line may not start with a dot or an apostrophe.
function(roff_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(sections "[SEE ALSO]\n")
if(NAME STREQUAL "vorax")
  string(APPEND sections ".BR vorax-viewer (1)\n")
  execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed")
  endif()
  string(REGEX REPLACE ".*\nSubcommands:\n" "" listing "${help}")
  string(REGEX MATCHALL "(^|\n)  [a-z0-9-]+" subcommands "${listing}")
  string(APPEND sections "[SUBCOMMANDS]\n")
  foreach(line ${subcommands})
    string(STRIP "${line}" subcommand)
    execute_process(COMMAND "${PROGRAM}" ${subcommand} --help OUTPUT_VARIABLE sub_help)
    roff_text("${sub_help}" sub_help)
    string(APPEND sections ".SS \"vorax ${subcommand}\"\n.nf\n${sub_help}.fi\n")
  endforeach()
else()
  string(APPEND sections ".BR vorax (1)\n")
endif()
file(WRITE "${include_file}" "${sections}")

execute_process(
  COMMAND help2man --no-info --no-discard-stderr --section=1 --name=${SUMMARY}
          --include=${include_file} --output=${page} "${PROGRAM}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${PROGRAM}")
endif()
execute_process(COMMAND gzip -9n -f "${page}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${page}")
endif()
