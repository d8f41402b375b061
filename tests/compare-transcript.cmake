# Runs the scripted driver on SCRIPT (with DRIVER_OPTIONS, if given) and compares its transcript
# with EXPECTED.
# The actual transcript is kept in ACTUAL; to accept it as the new golden file, copy it over.
get_filename_component(actual_dir ${ACTUAL} DIRECTORY)
file(MAKE_DIRECTORY ${actual_dir})
execute_process(COMMAND ${DRIVER} ${DRIVER_OPTIONS} ${SCRIPT}
    OUTPUT_FILE ${ACTUAL}
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "kestrune-script exited with ${status}\n${errors}")
endif()
file(READ ${ACTUAL} actual_text)
# Files the build made (the user guide) are named from the build tree, which differs from one
# checkout to the next: the transcript writes that folder as <build>.
if(BUILD_DIR)
    string(REPLACE "${BUILD_DIR}/" "<build>/" actual_text "${actual_text}")
    file(WRITE ${ACTUAL} "${actual_text}")
endif()
file(READ ${EXPECTED} expected_text)
if(NOT expected_text STREQUAL actual_text)
    execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL} OUTPUT_VARIABLE difference)
    message(FATAL_ERROR "transcript differs from ${EXPECTED}:\n${difference}")
endif()
