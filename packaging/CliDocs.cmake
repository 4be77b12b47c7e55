# Writes the parts of the documentation that tarvex-cli makes from its own
# table of commands and options: the manual page's option and command
# sections into the page, and the bash completion.
#   cmake -DCLI=tarvex-cli -DPAGE_IN=in -DPAGE=out -DCOMPLETION=out -P CliDocs.cmake
set(ENV{ASAN_OPTIONS} detect_leaks=0) # a sanitized build runs it too

foreach(what manual-sections bash-completion)
  execute_process(COMMAND ${CLI} --${what}
    OUTPUT_VARIABLE ${what} ERROR_VARIABLE error RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT error STREQUAL "")
    message(FATAL_ERROR "${CLI} --${what} failed (${result}): ${error}")
  endif()
endforeach()

file(READ ${PAGE_IN} page)
set(marker ".\\\" tarvex-cli --manual-sections\n")
string(FIND "${page}" "${marker}" at)
if(at LESS 0)
  message(FATAL_ERROR "${PAGE_IN} has no line '${marker}'")
endif()
string(REPLACE "${marker}" "${manual-sections}" page "${page}")
file(WRITE ${PAGE} "${page}")
file(WRITE ${COMPLETION} "${bash-completion}")
