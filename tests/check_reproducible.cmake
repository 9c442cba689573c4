# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Two builds of one commit must make the same bytes. Run once to build a
# clean clone, then once to compare:
#   -DSOURCE_DIR=... -DCLONE=DIR -DPRESET=... [-DPACK=ON] [-DELSEWHERE=ON]
#       [-DTRACE=LIST -DTRACE_RAN=a,b]
#     clones the committed HEAD of SOURCE_DIR into DIR and builds it with
#     `cmake --preset PRESET` without tests, packing it with CPack's preset of
#     the same name too with PACK. ELSEWHERE dates every file of the clone
#     back to 2001 first and builds in another time zone, locale and umask,
#     400 days from now (faketime), so that what a build takes from its
#     files' times, the clock, the calendar, the locale's collation or the
#     umask shows. TRACE checks that every program the build runs comes from
#     the packages of the array LIST in tools/packages.sh, and that the trace
#     holds the programs TRACE_RAN.
#   -DSOURCE_DIR=... -DPRESET=... -DFILES=a;b -DCOMPARE=DIR -DFALLBACK=DIR
#       [-DPACK=ON] [-DOWN=DIR [-DPACK_OWN=ON]]
#     fails unless each of FILES (names in the build folder) was made by the
#     clone in COMPARE and by the other build, as the same bytes. The other
#     build is the source tree's own, whose FILES are in OWN (packed there
#     first with PACK_OWN), when the tree is exactly the clone's commit;
#     otherwise, or without OWN, a clone built as usual in FALLBACK.
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

# build_clone(DIR ELSEWHERE TRACE): the build described above.
function(build_clone clone elsewhere trace)
    commit_of(${SOURCE_DIR} commit)
    execute_process(COMMAND git -C ${SOURCE_DIR} status --porcelain OUTPUT_VARIABLE changes
        COMMAND_ERROR_IS_FATAL ANY)
    if(changes)
        message(STATUS "building commit ${commit}, not the uncommitted changes")
    endif()
    file(REMOVE_RECURSE ${clone})
    run(${SOURCE_DIR} git clone -q --no-checkout ${SOURCE_DIR} ${clone})
    run(${clone} git checkout -q ${commit})
    set(command sh -c "${CMAKE_COMMAND} --preset ${PRESET} -DBUILD_TESTING=OFF && ${CMAKE_COMMAND} --build --preset ${PRESET}")
    if(trace)
        # The build alone, as ./run.sh builds: packing is the packager's.
        find_program(PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
        set(command ${CMAKE_COMMAND} -E env RAVELBOX_SLOW_CHECKS=1
            ${PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_command_packages.py ${clone}
            ${clone} ${trace} ${TRACE_RAN} -- ${command})
    endif()
    if(PACK)
        set(command sh -c "\"$@\" && ${CMAKE_CPACK_COMMAND} --preset ${PRESET}" sh ${command})
    endif()
    if(elsewhere)
        find_program(FAKETIME faketime REQUIRED)
        execute_process(COMMAND locale -a OUTPUT_VARIABLE locales COMMAND_ERROR_IS_FATAL ANY)
        if(NOT locales MATCHES "(^|\n)en_US\\.utf8\n")
            message(FATAL_ERROR "the build elsewhere needs the locale en_US.UTF-8: "
                "localedef -i en_US -f UTF-8 en_US.UTF-8")
        endif()
        run(${clone} find . -exec touch -h -d 2001-01-01T00:00:00 {} +)
        # Kiritimati is 14 hours ahead of UTC: most of the day it is another
        # date there. The trace, if any, runs inside: faketime is the test's.
        set(command sh -c "umask 0027 && exec env TZ=Pacific/Kiritimati LC_ALL=en_US.UTF-8 \"$0\" -f +400d \"$@\""
            ${FAKETIME} ${command})
    endif()
    # Compiled afresh: objects from a cache would hide a build that differs.
    run(${clone} ${CMAKE_COMMAND} -E env --unset=CMAKE_C_COMPILER_LAUNCHER
        --unset=CMAKE_CXX_COMPILER_LAUNCHER ${command})
endfunction()

if(CLONE)
    build_clone(${CLONE} "${ELSEWHERE}" "${TRACE}")
    return()
endif()

commit_of(${COMPARE} commit)
set(compared ${COMPARE}/build-${PRESET})
# The source tree's own build stands for a second clone when the tree is that
# commit, untracked files and all.
commit_of(${SOURCE_DIR} other_commit)
execute_process(COMMAND git -C ${SOURCE_DIR} status --porcelain OUTPUT_VARIABLE changes
    COMMAND_ERROR_IS_FATAL ANY)
if(OWN AND NOT changes AND other_commit STREQUAL commit)
    set(other ${OWN})
    if(PACK_OWN)
        run(${SOURCE_DIR} ${CMAKE_CPACK_COMMAND} --preset ${PRESET})
    endif()
else()
    build_clone(${FALLBACK} "" "")
    set(other ${FALLBACK}/build-${PRESET})
    commit_of(${FALLBACK} other_commit)
endif()
if(NOT commit STREQUAL other_commit)
    message(FATAL_ERROR "the two builds are of different commits, ${commit} and ${other_commit}")
endif()
if(NOT FILES)
    message(FATAL_ERROR "FILES names nothing to compare")
endif()
foreach(name ${FILES})
    foreach(folder ${compared} ${other})
        if(NOT EXISTS ${folder}/${name})
            message(FATAL_ERROR "${folder} holds no ${name}")
        endif()
    endforeach()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
        ${compared}/${name} ${other}/${name} RESULT_VARIABLE result)
    if(result)
        message(FATAL_ERROR "two builds of ${commit} made different ${name}: "
            "${compared} and ${other}")
    endif()
    message(STATUS "the same bytes from ${compared} and ${other}: ${name}")
endforeach()
