# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# cached_qt(VARIABLE SCRIPT WHAT MINUTES): for a toolchain file, the folder
# of the Qt that tools/SCRIPT built, as the cache variable VARIABLE. The
# presets take it from the environment variable of the same name, which
# `VARIABLE=$(tools/SCRIPT)` sets; without a built Qt, configuring stops and
# says so.
function(cached_qt variable script what minutes)
    set(${variable} "$ENV{${variable}}" CACHE PATH "Qt for ${what}")
    if(NOT EXISTS "${${variable}}/ravelbox-qt-source")
        message(FATAL_ERROR "Qt for ${what} is not built yet: run ${variable}=$(tools/${script}) "
            "(about ${minutes} minutes, once per machine) and configure again")
    endif()
endfunction()
