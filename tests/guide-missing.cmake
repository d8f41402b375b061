# A copy of the scripted driver in a folder with no documentation beside it: the User Guide item
# must say that the guide is not installed, name where it looked, and open no browser.
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR}/bin)
file(COPY ${DRIVER} DESTINATION ${WORKDIR}/bin)
get_filename_component(driver_name ${DRIVER} NAME)
file(WRITE ${WORKDIR}/script.ks "menu mnuGuide\n")
execute_process(COMMAND ${WORKDIR}/bin/${driver_name} ${WORKDIR}/script.ks
    OUTPUT_VARIABLE transcript ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the driver exited with ${status}: ${errors}")
endif()
set(expected "message 16 \"User Guide\" \"The user guide is not installed: user-guide.html was not found in ${WORKDIR}/share/doc/kestrune")
string(FIND "${transcript}" "${expected}" found)
if(found EQUAL -1 OR transcript MATCHES "browser ")
    message(FATAL_ERROR "expected the line\n${expected}...\nand no browser, got:\n${transcript}")
endif()
message("PASSED:\n${transcript}")
