# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Fails when the web version's first visit would transfer more than BUDGET
# bytes: the gzip copies of the page, its scripts and style sheet and the
# program in DIR.
file(GLOB files ${DIR}/*.html.gz ${DIR}/*.js.gz ${DIR}/*.css.gz ${DIR}/*.wasm.gz)
set(total 0)
set(sizes "")
foreach(file ${files})
    file(SIZE ${file} size)
    math(EXPR total "${total} + ${size}")
    get_filename_component(name ${file} NAME)
    string(APPEND sizes "\n  ${size} ${name}")
endforeach()
# Without these the sum would say nothing.
foreach(kind html js css wasm)
    if(NOT files MATCHES "\\.${kind}\\.gz")
        message(FATAL_ERROR "no .${kind}.gz in ${DIR}: build the web version first")
    endif()
endforeach()
if(total GREATER BUDGET)
    message(FATAL_ERROR "the first visit transfers ${total} bytes, over the budget of ${BUDGET}:${sizes}")
endif()
message(STATUS "the first visit transfers ${total} bytes of ${BUDGET}:${sizes}")
