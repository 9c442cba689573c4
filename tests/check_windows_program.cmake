# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Fails unless ravelbox.exe is a windowed program, so no console opens beside
# it, with its icon (Explorer, Start menu, task bar), its version (the file's
# properties) and a manifest that asks for per-monitor DPI awareness, as Qt
# does. Run with -DEXE=... -DVERSION=... -DOBJDUMP=... -DWRESTOOL=...
cmake_minimum_required(VERSION 3.21)

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${WRESTOOL}" -l "${EXE}" OUTPUT_VARIABLE resources
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${WRESTOOL}" -x --raw --type=16 "${EXE}" COMMAND strings -el
    OUTPUT_VARIABLE version_info COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${WRESTOOL}" -x --raw --type=24 "${EXE}" OUTPUT_VARIABLE manifest
    COMMAND_ERROR_IS_FATAL ANY)

set(problems "")
if(NOT headers MATCHES "Subsystem[^\n]*\\(Windows GUI\\)")
    string(APPEND problems "  a console program\n")
endif()
if(NOT resources MATCHES "type=group_icon")
    string(APPEND problems "  no icon\n")
endif()
if(NOT version_info MATCHES "(^|\n)${VERSION}(\n|$)")
    string(APPEND problems "  no version ${VERSION}\n")
endif()
if(NOT manifest MATCHES "<dpiAwareness[^>]*>PerMonitor<")
    string(APPEND problems "  no per-monitor DPI awareness in the manifest\n")
endif()
if(problems)
    message(FATAL_ERROR "${EXE}:\n${problems}")
endif()
