# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Fails unless ravelbox.exe is a windowed program, so no console opens beside
# it, with its icon (Explorer, Start menu, task bar), its version (the file's
# properties) and a manifest that asks for per-monitor DPI awareness, as Qt
# does. Run with -DEXE=... -DVERSION=... -DOBJDUMP=... -DWRESTOOL=...
cmake_minimum_required(VERSION 3.21)

# expect(PROBLEM REGEX COMMAND...): notes PROBLEM unless what the command
# prints matches REGEX.
set(problems "")
function(expect problem regex)
    execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE printed COMMAND_ERROR_IS_FATAL ANY)
    if(NOT printed MATCHES "${regex}")
        set(problems "${problems}  ${problem}\n" PARENT_SCOPE)
    endif()
endfunction()

expect("a console program" "Subsystem[^\n]*\\(Windows GUI\\)" "${OBJDUMP}" -p "${EXE}")
expect("no icon" "type=group_icon" "${WRESTOOL}" -l "${EXE}")
expect("no version ${VERSION}" "(^|\n)${VERSION}(\n|$)"
    "${WRESTOOL}" -x --raw --type=16 "${EXE}" COMMAND strings -el)
expect("no per-monitor DPI awareness in the manifest" "<dpiAwareness[^>]*>PerMonitor<"
    "${WRESTOOL}" -x --raw --type=24 "${EXE}")
if(problems)
    message(FATAL_ERROR "${EXE}:\n${problems}")
endif()
