# Runs one script through the headless host and compares its output with the expected
# transcript beside it (NAME.nts -> NAME.out). With RUN_ONLY the script only has to succeed.
execute_process(COMMAND ${SCRIPT_HOST} ${SCRIPT}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "norvtext-script exited ${rc}\n${err}")
endif()
if(RUN_ONLY)
  return()
endif()
string(REGEX REPLACE "\\.nts$" ".out" expected_file ${SCRIPT})
file(READ ${expected_file} expected)
if(NOT out STREQUAL expected)
  file(WRITE ${SCRIPT}.actual "${out}")
  execute_process(COMMAND diff -u ${expected_file} ${SCRIPT}.actual)
  message(FATAL_ERROR "transcript differs from ${expected_file} (actual output in ${SCRIPT}.actual)")
endif()
