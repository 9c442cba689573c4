# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Compiler and linker settings of the Windows build; included before any
# target exists, so that they reach every one.
enable_language(RC)

# The program's icon, made from data/icons; the installer shows it too.
set(RAVELBOX_ICO ${PROJECT_BINARY_DIR}/app/ravelbox.ico)
# The zip's name and folder; the installer adds -setup.
set(RAVELBOX_WINDOWS_PACKAGE Ravelbox-${PROJECT_VERSION}-win64)

# Every program sits beside the DLLs, plugins and translations it loads, so
# the build folder runs the way the shipped folder does.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

# Two builds of the same source in different folders give the same bytes: no
# link time stamp and no build paths.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
add_link_options(-Wl,--no-insert-timestamp)
