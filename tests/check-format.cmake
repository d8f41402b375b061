# Checks that SOURCES ("|"-separated) keep the format CLANG_FORMAT writes, when CLANG_FORMAT is
# the major VERSION the sources are formatted with; with another version the check is skipped.
execute_process(COMMAND ${CLANG_FORMAT} --version
    OUTPUT_VARIABLE version_text OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT version_text MATCHES "version ([0-9]+)\\.")
    message(FATAL_ERROR "cannot tell the version of ${CLANG_FORMAT}: ${version_text}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message("SKIPPED: the sources are formatted with clang-format ${VERSION}; "
        "${CLANG_FORMAT} is version ${CMAKE_MATCH_1} (install clang-format-${VERSION})")
    return()
endif()
string(REPLACE "|" ";" sources "${SOURCES}")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run -Werror ${sources} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "some sources are not in clang-format ${VERSION}'s format (see above)")
endif()
message("PASSED: ${CLANG_FORMAT} (version ${CMAKE_MATCH_1})")
