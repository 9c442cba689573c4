# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Cross-builds the game for 64-bit Windows with Debian's MinGW-w64 (posix
# threads) against the Qt that tools/build-windows-qt.sh built, whose folder
# RAVELBOX_WINDOWS_QT names, and runs what it builds, tests included, under
# Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
foreach(tool ar ranlib strip objdump)
    string(TOUPPER ${tool} name)
    set(CMAKE_${name} /usr/bin/${triplet}-${tool})
endforeach()

get_filename_component(source_dir "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
include(${CMAKE_CURRENT_LIST_DIR}/CachedQt.cmake)
cached_qt(RAVELBOX_WINDOWS_QT build-windows-qt.sh Windows 20)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet} "${RAVELBOX_WINDOWS_QT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# lrelease and lupdate run on the build machine: Debian's own serve.
set(Qt5LinguistTools_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools CACHE PATH "")

set(CMAKE_CROSSCOMPILING_EMULATOR "${source_dir}/tools/wine-run.sh")
