# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads, which Qt needs).
# Used by scripts/build-windows.sh for Qt, the third-party libraries and Kestrune itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTRUNE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTRUNE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRUNE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRUNE_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRUNE_MINGW_TRIPLET})
# The folders where the build script installed what it cross-built (Qt, libcsv, GoogleTest...), as
# a colon-separated list in the environment, which compiler checks inherit too.
if(DEFINED ENV{KESTRUNE_WINDOWS_PREFIXES})
    string(REPLACE ":" ";" kestrune_prefixes "$ENV{KESTRUNE_WINDOWS_PREFIXES}")
    list(APPEND CMAKE_FIND_ROOT_PATH ${kestrune_prefixes})
    list(APPEND CMAKE_PREFIX_PATH ${kestrune_prefixes})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
