# SPDX-License-Identifier: GPL-3.0-or-later
# Which shared libraries a program links, read from its ELF dynamic section: every library that
# matches REQUIRED must be there, none that matches FORBIDDEN, and WHY says what the rule keeps.
#   cmake -DREADELF=<readelf> -DPROGRAM=<program> [-DREQUIRED=<regex>] -DFORBIDDEN=<regex>
#         -DWHY=<text> -P check-links.cmake
execute_process(COMMAND ${READELF} --dynamic ${PROGRAM}
    OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "readelf could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "Shared library: \\[[^]]*\\]" needed "${dynamic}")
if(NOT needed)
    message(FATAL_ERROR "no shared library found among the libraries of ${PROGRAM}")
endif()
if(REQUIRED AND NOT needed MATCHES "${REQUIRED}")
    message(FATAL_ERROR "${PROGRAM} does not link ${REQUIRED}: ${needed}")
endif()
if(needed MATCHES "${FORBIDDEN}")
    message(FATAL_ERROR "${PROGRAM} links ${CMAKE_MATCH_0}, but ${WHY}: ${needed}")
endif()
