# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Fails when a file under DIR, which holds what ships, still has the MIT
# licence template's "Copyright (c) <year> <copyright holders>", or either
# placeholder of it: the licence must travel with its real copyright notice.
# (The GPL's own "Copyright (C) <year>  <name of author>" is its instructions.)
# EXPECT names the files, relative to DIR, that hold the notice: each must be
# there and hold it, so that an empty or wrong folder cannot pass.
# Run with -DDIR=... -DEXPECT=a;b, or include with both set.
cmake_minimum_required(VERSION 3.21)

if(NOT EXPECT)
    message(FATAL_ERROR "check_no_placeholders: EXPECT names no file to find under ${DIR}")
endif()
foreach(name ${EXPECT})
    if(NOT EXISTS "${DIR}/${name}")
        message(FATAL_ERROR "${DIR} holds no ${name}")
    endif()
    file(STRINGS "${DIR}/${name}" notice REGEX "^Copyright(:| \\(c\\)) [0-9]")
    if(NOT notice)
        message(FATAL_ERROR "${DIR}/${name} has no copyright notice")
    endif()
endforeach()

file(GLOB_RECURSE shipped "${DIR}/*")
set(found "")
foreach(file ${shipped})
    file(STRINGS "${file}" lines REGEX "\\(c\\) <year>|<copyright holders>")
    if(lines)
        string(APPEND found "  ${file}: ${lines}\n")
    endif()
endforeach()
if(found)
    message(FATAL_ERROR "licence placeholders in what ships:\n${found}")
endif()
list(LENGTH shipped count)
message(STATUS "read ${count} files under ${DIR}, with the notice in ${EXPECT}")
