# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Fails when a program or DLL that ships imports a DLL that neither ships
# beside the game nor is Windows' own (tests/windows-dlls.txt).
# Run with -DDIR=<installed folder> -DOBJDUMP=... -DWINDOWS_DLLS=<list>
cmake_minimum_required(VERSION 3.21)

file(STRINGS "${WINDOWS_DLLS}" windows_dlls REGEX "^[^#]")
file(GLOB_RECURSE executables "${DIR}/*.exe")
file(GLOB_RECURSE libraries "${DIR}/*.dll")
if(NOT executables)
    message(FATAL_ERROR "nothing is installed in ${DIR}")
endif()
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${OBJDUMP}")
# Only the game's own folder is searched: what is found there ships.
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${executables}
    LIBRARIES ${libraries}
    DIRECTORIES "${DIR}"
    RESOLVED_DEPENDENCIES_VAR shipped
    UNRESOLVED_DEPENDENCIES_VAR elsewhere)
# CMake gives Windows' names in lower case, which a case-sensitive disk may
# not find: those are looked up here again, ignoring case.
file(GLOB top_level RELATIVE "${DIR}" "${DIR}/*")
string(TOLOWER "${top_level}" top_level)
set(missing "")
foreach(dll ${elsewhere})
    string(TOLOWER "${dll}" dll)
    if(dll IN_LIST top_level)
        list(APPEND shipped "${dll}")
    elseif(NOT dll IN_LIST windows_dlls)
        string(APPEND missing " ${dll}")
    endif()
endforeach()
list(LENGTH shipped count)
if(missing)
    message(FATAL_ERROR "imported, but neither shipped nor part of Windows:${missing}")
endif()
message(STATUS "${count} shipped DLLs imported; every other import is Windows' own")
