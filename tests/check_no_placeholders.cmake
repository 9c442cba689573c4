# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Fails when a file under DIR, which holds what ships, still has the MIT
# licence template's "Copyright (c) <year> <copyright holders>", or either
# placeholder of it: the licence must travel with its real copyright notice.
# (The GPL's own "Copyright (C) <year>  <name of author>" is its instructions.)
# Run with -DDIR=..., or include with DIR set.
cmake_minimum_required(VERSION 3.21)

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
