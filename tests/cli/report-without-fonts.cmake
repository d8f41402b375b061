# SPDX-License-Identifier: GPL-3.0-or-later
# kestrune-calc report on a system without any font: the page's text could not be drawn, so the
# command must fail (status 2, saying why) and write no file, rather than write blank pages.
#   cmake -DCALC=<kestrune-calc> -DWORKDIR=<folder> -P report-without-fonts.cmake
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
file(WRITE ${WORKDIR}/no-fonts.conf
    "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>${WORKDIR}/cache</cachedir></fontconfig>\n")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env FONTCONFIG_FILE=${WORKDIR}/no-fonts.conf
        ${CALC} report --pdf ${WORKDIR}/report.pdf --projection 10 --rise 5 --width 24 --degrees 30
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT errors MATCHES "no font is installed to draw the report's text")
    message(FATAL_ERROR "expected status 2 and the missing font named, got ${status}: ${errors}")
endif()
if(EXISTS ${WORKDIR}/report.pdf)
    message(FATAL_ERROR "a report was written without any font to draw its text")
endif()
message("PASSED: ${errors}")
