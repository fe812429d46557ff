# Runs survey2csv on real files: the example to a file and to standard output (CR LF, byte
# for byte the committed CSV), an empty file (refused, no output file), a missing file.
# -DTOOL -DMAKER -DEMULATOR (empty natively) -DEXAMPLES -DWORK
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(expect what)
  if(${ARGN})
    message(STATUS "ok: ${what}")
  else()
    message(SEND_ERROR "FAILED: ${what}")
  endif()
endfunction()

function(run_tool result_var stdout_file stderr_var)
  execute_process(COMMAND ${EMULATOR} ${TOOL} ${ARGN}
    RESULT_VARIABLE rc OUTPUT_FILE ${stdout_file} ERROR_VARIABLE err)
  set(${result_var} ${rc} PARENT_SCOPE)
  set(${stderr_var} "${err}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${EMULATOR} ${MAKER} ${WORK}/made.svy RESULT_VARIABLE rc)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/made.svy ${EXAMPLES}/garden.svy
  RESULT_VARIABLE differs)
expect("the committed example is what its generator makes" rc EQUAL 0 AND differs EQUAL 0)

run_tool(rc ${WORK}/stdout1.txt err ${EXAMPLES}/garden.svy ${WORK}/garden.csv)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/garden.csv ${EXAMPLES}/garden.csv
  RESULT_VARIABLE differs)
expect("FILE OUT writes the example's CSV and exits 0" rc EQUAL 0 AND differs EQUAL 0)

run_tool(rc ${WORK}/stdout2.csv err ${EXAMPLES}/garden.svy)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/stdout2.csv ${EXAMPLES}/garden.csv
  RESULT_VARIABLE differs)
expect("FILE alone writes the same bytes to standard output" rc EQUAL 0 AND differs EQUAL 0)

file(READ ${EXAMPLES}/garden.csv csv HEX)
string(REGEX MATCHALL "0d0a" crlf "${csv}")
string(REGEX MATCHALL "0a" lf "${csv}")
list(LENGTH crlf crlf_count)
list(LENGTH lf lf_count)
expect("every one of the 7 lines ends with CR LF" crlf_count EQUAL 7 AND lf_count EQUAL 7)

file(WRITE ${WORK}/empty.svy "")
run_tool(rc ${WORK}/stdout3.txt err ${WORK}/empty.svy ${WORK}/empty.csv)
expect("an empty file is refused with a non-zero exit" NOT rc EQUAL 0)
expect("the refusal says why" err MATCHES "refused: the file ends before its category and title")
expect("a refused file leaves no CSV file" NOT EXISTS ${WORK}/empty.csv)

run_tool(rc ${WORK}/stdout4.txt err ${WORK}/missing.svy)
expect("a missing file exits non-zero and says it cannot be read" NOT rc EQUAL 0 AND err MATCHES "cannot read")
