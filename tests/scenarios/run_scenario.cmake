# Runs one scenario: cmake -DRUNNER=<scenario> -DSCENARIO=<file.scn> [-DEXPECTED=<file.out>] -P
# The scenario must pass; with EXPECTED, what it printed (frames, messages, images) must also be
# exactly that file.
execute_process(COMMAND ${RUNNER} ${SCENARIO} OUTPUT_VARIABLE printed RESULT_VARIABLE result)
message("${printed}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${SCENARIO} failed")
endif()
if(EXPECTED)
    file(READ ${EXPECTED} wanted)
    if(NOT printed STREQUAL wanted)
        message(FATAL_ERROR "${SCENARIO} printed something else than ${EXPECTED}")
    endif()
endif()
