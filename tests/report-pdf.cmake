# Prints the results report and the window image to PDF files through the real print path and
# checks the report's page as text: one page, and every value starting in character column 46
# (the identification in column 36), counted from the first column of the report.
# Needs pdftotext; without it the test reports itself skipped.
# Inputs: DRIVER (kestrune-script), PDFTOTEXT (path or a -NOTFOUND value), WORKDIR.
if(NOT PDFTOTEXT)
    message("SKIPPED: pdftotext is not installed (package poppler-utils)")
    return()
endif()

file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
set(report ${WORKDIR}/report.pdf)
set(window ${WORKDIR}/window.pdf)
file(WRITE ${WORKDIR}/print.ks "today 2026-03-14
type txtID Escalator 7
type txtProjImp 100
type txtRiseImp 50
type txtWidthImp 40
key Enter
printer pdf ${report}
menu mnuPrintData
printer pdf ${window}
menu mnuPrintForm
")
execute_process(COMMAND ${DRIVER} ${WORKDIR}/print.ks
    OUTPUT_VARIABLE transcript ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "kestrune-script exited with ${status}\n${errors}")
endif()
if(transcript MATCHES "\nmessage ")
    message(FATAL_ERROR "printing to PDF showed a message:\n${transcript}")
endif()
foreach(file IN ITEMS ${report} ${window})
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "no PDF was written to ${file}\n${transcript}")
    endif()
    file(READ ${file} head LIMIT 8)
    if(NOT head MATCHES "^%PDF-")
        message(FATAL_ERROR "${file} is not a PDF file")
    endif()
endforeach()

# Physical layout at the pitch of 14-point fixed-pitch text (0.6 em = 8.4 points per character),
# so that each character cell of the page is one column of the text.
execute_process(COMMAND ${PDFTOTEXT} -fixed 8.4 ${report} ${WORKDIR}/report.txt
    RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "pdftotext failed on ${report}: ${errors}")
endif()
file(READ ${WORKDIR}/report.txt page)
string(ASCII 12 form_feed)
string(REGEX MATCHALL "${form_feed}" page_breaks "${page}")
list(LENGTH page_breaks pages)
if(NOT pages EQUAL 1)
    message(FATAL_ERROR "the report took ${pages} pages:\n${page}")
endif()
file(STRINGS ${WORKDIR}/report.txt lines)

# The report's first column: where the labels start, four blanks in.
set(indent -1)
foreach(line IN LISTS lines)
    string(FIND "${line}" "Date:" at)
    if(at GREATER_EQUAL 0)
        math(EXPR indent "${at} - 4")
        break()
    endif()
endforeach()
if(indent LESS 0)
    message(FATAL_ERROR "no date line in the report:\n${page}")
endif()

# Checks every line that holds `label`: the label starts in report column `label_column` and,
# after the blanks that follow it, the value in `value_column`; `expected` lines must hold it.
set(failures "")
function(check_line label expected label_column value_column)
    set(seen 0)
    foreach(line IN LISTS lines)
        string(FIND "${line}" "${label}" at)
        if(at LESS 0)
            continue()
        endif()
        math(EXPR seen "${seen} + 1")
        string(LENGTH "${label}" length)
        math(EXPR after "${at} + ${length}")
        string(SUBSTRING "${line}" ${after} -1 rest)
        string(REGEX MATCH "^ *" gap "${rest}")
        string(LENGTH "${gap}" blanks)
        math(EXPR found_label "${at} - ${indent} + 1")
        math(EXPR found_value "${after} + ${blanks} - ${indent} + 1")
        if(NOT found_label EQUAL label_column OR NOT found_value EQUAL value_column)
            string(APPEND failures "  \"${label}\" in column ${found_label} (not ${label_column}),"
                " its value in column ${found_value} (not ${value_column})\n")
        endif()
    endforeach()
    if(NOT seen EQUAL expected)
        string(APPEND failures "  \"${label}\" on ${seen} lines, not ${expected}\n")
    endif()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

check_line("Escalator Identification:" 1 5 36)
foreach(label IN ITEMS "Date:" "Angle of inclination:" "Cotangent of the angle of inclination:")
    check_line("${label}" 1 5 46)
endforeach()
# The measurement and load lines appear once for each unit system.
foreach(label IN ITEMS "Length of the horizontal projection:" "Total rise:"
        "Width of the escalator step:" "Structural rated load:" "Machinery rated load:"
        "Brake rated load - static:" "Brake rated load - running:")
    check_line("${label}" 2 5 46)
endforeach()
# The title and the two headings, in their columns.
foreach(heading IN ITEMS "Escalator Rated Load Results=22" "Imperial=30"
        "Metric (Converted from Imperial)=30")
    string(REGEX REPLACE "=.*" "" text "${heading}")
    string(REGEX REPLACE ".*=" "" expected "${heading}")
    set(column 0)
    foreach(line IN LISTS lines)
        string(FIND "${line}" "${text}" at)
        if(at GREATER_EQUAL 0)
            math(EXPR column "${at} - ${indent} + 1")
            break()
        endif()
    endforeach()
    if(NOT column EQUAL expected)
        string(APPEND failures "  \"${text}\" in column ${column} (not ${expected})\n")
    endif()
endforeach()
string(FIND "${page}" "Another timesaving program from" at)
if(at LESS 0)
    string(APPEND failures "  no last line\n")
endif()
if(failures)
    message(FATAL_ERROR "the printed report is out of line:\n${failures}\n${page}")
endif()
