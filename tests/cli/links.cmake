# kestrune-calc runs on servers without a desktop: it may link Qt's GUI module (for the report's
# fonts and PDF), never the widgets or the print support that pulls them in.
# Inputs: READELF, PROGRAM.
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "readelf could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "Shared library: \\[[^]]*\\]" needed "${dynamic}")
if(NOT needed MATCHES "libQt6Gui")
    message(FATAL_ERROR "no Qt GUI library among the libraries of ${PROGRAM}: ${needed}")
endif()
if(needed MATCHES "libQt6(Widgets|PrintSupport)")
    message(FATAL_ERROR "${PROGRAM} links Qt's widgets: ${needed}")
endif()
