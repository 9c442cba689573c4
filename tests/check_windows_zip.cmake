# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Fails unless the zip holds one folder with exactly the files the build
# installs, nothing left out and nothing extra.
# Run with -DZIP=... -DDIR=<installed folder>
cmake_minimum_required(VERSION 3.21)

execute_process(COMMAND unzip -Z1 "${ZIP}" OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" zipped "${listing}")
get_filename_component(folder "${ZIP}" NAME_WLE)
list(TRANSFORM zipped REPLACE "^${folder}/" "")
file(GLOB_RECURSE installed RELATIVE "${DIR}" "${DIR}/*")

set(extra ${zipped})
list(REMOVE_ITEM extra ${installed})
set(missing ${installed})
list(REMOVE_ITEM missing ${zipped})
if(extra OR missing)
    message(FATAL_ERROR "the zip differs from the installed files:\n"
        "  not installed: ${extra}\n  not in the zip: ${missing}")
endif()
list(LENGTH installed count)
message(STATUS "${count} files, the same in the zip as installed")
