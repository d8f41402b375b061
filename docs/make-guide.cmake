# SPDX-License-Identifier: GPL-3.0-or-later
# Turns the user guide (INPUT, Markdown) into a web page (OUTPUT) with MARKDOWN (markdown_py):
# tables, and headings with the anchors the guide's contents link to; TEMPLATE gives the page
# around it. The page carries no date or path, so that every build makes the same file.
execute_process(COMMAND ${MARKDOWN} -x toc -x tables -x fenced_code -o html ${INPUT}
    OUTPUT_VARIABLE body RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${MARKDOWN} failed on ${INPUT}: ${errors}")
endif()
file(READ ${TEMPLATE} page)
string(REPLACE "@BODY@" "${body}" page "${page}")
file(WRITE ${OUTPUT}.new "${page}")
file(RENAME ${OUTPUT}.new ${OUTPUT})
