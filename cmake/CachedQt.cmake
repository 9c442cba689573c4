# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# cached_qt(VARIABLE SCRIPT WHAT MINUTES): for a toolchain file, the folder
# of the Qt that tools/SCRIPT built, as the cache variable VARIABLE. Given
# neither on the command line (-DVARIABLE=...) nor in the environment, it is
# the folder the script builds into for this machine's packages, asked for
# again on every configure: a changed Qt patch or package makes a new folder,
# and what the build had found in the old one is forgotten, so that it never
# tests against a stale Qt. Configuring stops, saying what to run, while that
# folder holds no complete Qt.
function(cached_qt variable script what minutes)
    set(found RAVELBOX_FOUND_${variable})
    if(NOT ${variable} OR ${variable} STREQUAL "${${found}}")
        set(folder "$ENV{${variable}}")
        if(NOT folder)
            execute_process(COMMAND ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tools/${script}
                    --print-prefix
                OUTPUT_VARIABLE folder ERROR_VARIABLE error RESULT_VARIABLE result
                OUTPUT_STRIP_TRAILING_WHITESPACE)
            if(result)
                message(FATAL_ERROR "Cannot tell where Qt for ${what} belongs: ${error}")
            endif()
        endif()
        if(${variable} AND NOT folder STREQUAL ${variable})
            get_property(entries DIRECTORY PROPERTY CACHE_VARIABLES)
            foreach(entry IN LISTS entries)
                get_property(value CACHE ${entry} PROPERTY VALUE)
                string(FIND "${value}" "${${variable}}/" at)
                if(at EQUAL 0)
                    unset(${entry} CACHE)
                endif()
            endforeach()
        endif()
        set(${variable} "${folder}" CACHE PATH "Qt for ${what}" FORCE)
        set(${found} "${folder}" CACHE INTERNAL "")
    endif()
    if(NOT EXISTS "${${variable}}/ravelbox-qt-source")
        message(FATAL_ERROR "No complete Qt for ${what} in ${${variable}}: run tools/${script} "
            "(about ${minutes} minutes, once per machine) and configure again")
    endif()
endfunction()
