# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Two builds of one commit must make the same bytes. Run once per copy to
# build it, then once to compare:
#   -DSOURCE_DIR=... -DCLONE=DIR -DPRESET=... [-DPACK=ON] [-DELSEWHERE=ON]
#       [-DTRACE=LIST -DTRACE_RAN=a,b]
#     clones the committed HEAD of SOURCE_DIR into DIR and builds it with
#     `cmake --preset PRESET` without tests, packing it with CPack's preset of
#     the same name too with PACK. ELSEWHERE dates every file of the clone
#     back to 2001 first and builds in another time zone, locale and umask,
#     400 days from now (faketime), so that what a build takes from its
#     files' times, the clock, the calendar, the locale's collation or the
#     umask shows. TRACE checks that every program the build runs comes from
#     the packages of the array LIST in tools/setup.sh, and that the trace
#     holds the programs TRACE_RAN.
#   -DCLONES=DIR;DIR -DPRESET=... -DFILES=a;b
#     fails unless both clones are of the same commit, each of FILES (names
#     in the build folder) was made by both, and the two are the same bytes.
cmake_minimum_required(VERSION 3.21)

# run(DIR COMMAND...): runs COMMAND in DIR and stops with its output if it fails.
function(run dir)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${dir} RESULT_VARIABLE result
        OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(result)
        message(FATAL_ERROR "${ARGN} in ${dir} failed:\n${output}")
    endif()
endfunction()

function(commit_of dir variable)
    execute_process(COMMAND git -C ${dir} rev-parse HEAD OUTPUT_VARIABLE commit
        OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(${variable} ${commit} PARENT_SCOPE)
endfunction()

if(CLONE)
    commit_of(${SOURCE_DIR} commit)
    execute_process(COMMAND git -C ${SOURCE_DIR} status --porcelain OUTPUT_VARIABLE changes
        COMMAND_ERROR_IS_FATAL ANY)
    if(changes)
        message(STATUS "building commit ${commit}, not the uncommitted changes")
    endif()
    file(REMOVE_RECURSE ${CLONE})
    run(${SOURCE_DIR} git clone -q --no-checkout ${SOURCE_DIR} ${CLONE})
    run(${CLONE} git checkout -q ${commit})
    set(build "${CMAKE_COMMAND} --preset ${PRESET} -DBUILD_TESTING=OFF && ${CMAKE_COMMAND} --build --preset ${PRESET}")
    if(PACK)
        string(APPEND build " && ${CMAKE_CPACK_COMMAND} --preset ${PRESET}")
    endif()
    if(ELSEWHERE)
        find_program(FAKETIME faketime REQUIRED)
        execute_process(COMMAND locale -a OUTPUT_VARIABLE locales COMMAND_ERROR_IS_FATAL ANY)
        if(NOT locales MATCHES "(^|\n)en_US\.utf8\n")
            message(FATAL_ERROR "the rebuild needs the locale en_US.UTF-8: "
                "localedef -i en_US -f UTF-8 en_US.UTF-8")
        endif()
        run(${CLONE} find . -exec touch -h -d 2001-01-01T00:00:00 {} +)
        # Kiritimati is 14 hours ahead of UTC: most of the day it is another date there.
        set(build "umask 0027 && TZ=Pacific/Kiritimati LC_ALL=en_US.UTF-8 ${FAKETIME} -f +400d sh -c '${build}'")
    endif()
    if(TRACE)
        find_program(PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
        run(${CLONE} ${CMAKE_COMMAND} -E env RAVELBOX_SLOW_CHECKS=1
            ${PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_command_packages.py ${CLONE}
            ${CLONE} ${TRACE} ${TRACE_RAN} -- sh -c "${build}")
    else()
        run(${CLONE} sh -c "${build}")
    endif()
    return()
endif()

list(GET CLONES 0 first)
list(GET CLONES 1 second)
commit_of(${first} commit)
commit_of(${second} other)
if(NOT commit STREQUAL other)
    message(FATAL_ERROR "the two builds are of different commits, ${commit} and ${other}")
endif()
if(NOT FILES)
    message(FATAL_ERROR "FILES names nothing to compare")
endif()
foreach(name ${FILES})
    foreach(clone ${CLONES})
        if(NOT EXISTS ${clone}/build-${PRESET}/${name})
            message(FATAL_ERROR "${clone}/build-${PRESET} holds no ${name}")
        endif()
    endforeach()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
        ${first}/build-${PRESET}/${name} ${second}/build-${PRESET}/${name} RESULT_VARIABLE result)
    if(result)
        message(FATAL_ERROR "two builds of ${commit} made different ${name}")
    endif()
    message(STATUS "the same bytes from both builds: ${name}")
endforeach()
