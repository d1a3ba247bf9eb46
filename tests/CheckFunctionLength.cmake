# No function in src/ is longer than 80 lines (scripts/check-function-length).
# The checker first reads a sample whose long functions are known, so a
# checker that stops seeing functions fails here instead of passing.
#   cmake -DSOURCE_ROOT=<repository> -P CheckFunctionLength.cmake
find_program(PYTHON3 python3)
if(NOT PYTHON3)
  message("SKIPPED: python3 is not installed (scripts/deps test installs it)")
  return()
endif()
set(checker ${SOURCE_ROOT}/scripts/check-function-length)
set(sample ${SOURCE_ROOT}/tests/fixtures/function-length)

execute_process(COMMAND ${PYTHON3} ${checker} --max 5 sample.cpp WORKING_DIRECTORY ${sample}
                OUTPUT_VARIABLE listed RESULT_VARIABLE result)
file(READ ${sample}/expected.txt expected)
if(NOT result EQUAL 1 OR NOT listed STREQUAL expected)
  message(FATAL_ERROR "The checker misreads its sample (exit ${result}):\n${listed}\nexpected:\n${expected}")
endif()

execute_process(COMMAND ${PYTHON3} ${checker} ${SOURCE_ROOT}/src RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Functions over 80 lines in src/ (listed above): split them")
endif()
