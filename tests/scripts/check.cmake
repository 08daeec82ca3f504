# Runs one script through the headless host and compares its output with the expected
# transcript beside it (NAME.nts -> NAME.out), or with the file EXPECTED.
# A script runs in well under a second; one that runs on is stopped, not left to the test's
# own timeout (which would leave the script host running).
execute_process(COMMAND ${SCRIPT_HOST} ${SCRIPT} TIMEOUT 30
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "norvtext-script exited ${rc}\n${err}")
endif()
if(DEFINED EXPECTED)
  set(expected_file ${EXPECTED})
else()
  string(REGEX REPLACE "\\.nts$" ".out" expected_file ${SCRIPT})
endif()
file(READ ${expected_file} expected)
if(NOT out STREQUAL expected)
  file(WRITE ${expected_file}.actual "${out}")
  execute_process(COMMAND diff -u ${expected_file} ${expected_file}.actual)
  message(FATAL_ERROR "transcript differs from ${expected_file} (actual output in ${expected_file}.actual)")
endif()
