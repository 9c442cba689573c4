# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Compiler and linker settings of the web build; included before any target
# exists, so that they reach every one.
if(NOT RAVELBOX_QT_MAJOR STREQUAL "6")
    message(FATAL_ERROR "The web build needs Qt 6: configure with -DRAVELBOX_QT_MAJOR=6")
endif()

# Two builds of the same source in different folders give the same bytes.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
