# SPDX-License-Identifier: GPL-3.0-or-later
# What the programs carry on Windows: the icon and a version resource, and the hardening MinGW-w64
# offers (the Windows counterpart of the Debian flags in the top-level CMakeLists.txt).
set(KESTRUNE_PUBLISHER "Kestrune developers")

# kestrune_windows_resources(TARGET DESCRIPTION): the icon and version information of a program.
function(kestrune_windows_resources target description)
    if(NOT WIN32)
        return()
    endif()
    set(KESTRUNE_RC_NAME ${target})
    set(KESTRUNE_RC_FILE ${target}.exe)
    set(KESTRUNE_RC_DESCRIPTION "${description}")
    set(KESTRUNE_RC_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/kestrune.ico)
    set(KESTRUNE_RC_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/kestrune.manifest)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
        ${KESTRUNE_RC_ICON} ${KESTRUNE_RC_MANIFEST})
endfunction()

# Stack protector (its checks come from GCC's libssp, linked with the flag), checked libc calls
# (MinGW-w64's _FORTIFY_SOURCE, also through libssp), and the loader's protections: the program
# and its libraries at random addresses (ASLR, with 64-bit high entropy) and no code run from
# data pages (DEP). Stack clash and control-flow protection have no MinGW counterpart.
if(KESTRUNE_HARDENING AND MINGW)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
    add_link_options(-fstack-protector-strong)
    link_libraries(ssp)
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    add_link_options(LINKER:--dynamicbase LINKER:--nxcompat LINKER:--high-entropy-va)
endif()
