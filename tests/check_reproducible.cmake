# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Builds the committed HEAD of SOURCE_DIR twice with `cmake --preset PRESET`,
# from two clones of that one commit in different folders under WORK, one
# after the other, and fails unless each of FILES (names in the build folder)
# is made by both and the two are the same bytes. PACK=ON packs with CPack's
# preset of the same name too. The clones stay, for checks of what they made.
# Run with -DSOURCE_DIR=... -DWORK=... -DPRESET=... -DFILES=a;b [-DPACK=ON]
cmake_minimum_required(VERSION 3.21)

# run(DIR COMMAND...): runs COMMAND in DIR and stops with its output if it fails.
function(run dir)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${dir} RESULT_VARIABLE result
        OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(result)
        message(FATAL_ERROR "${ARGN} in ${dir} failed:\n${output}")
    endif()
endfunction()

execute_process(COMMAND git -C ${SOURCE_DIR} rev-parse HEAD OUTPUT_VARIABLE commit
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND git -C ${SOURCE_DIR} status --porcelain OUTPUT_VARIABLE changes
    COMMAND_ERROR_IS_FATAL ANY)
if(changes)
    message(STATUS "checking commit ${commit}, not the uncommitted changes")
endif()

set(clones ${WORK}/a/ravelbox ${WORK}/another/place/ravelbox-copy)
foreach(clone ${clones})
    file(REMOVE_RECURSE ${clone})
    run(${SOURCE_DIR} git clone -q --no-checkout ${SOURCE_DIR} ${clone})
    run(${clone} git checkout -q ${commit})
    run(${clone} ${CMAKE_COMMAND} --preset ${PRESET} -DBUILD_TESTING=OFF)
    run(${clone} ${CMAKE_COMMAND} --build --preset ${PRESET})
    if(PACK)
        run(${clone} ${CMAKE_CPACK_COMMAND} --preset ${PRESET})
    endif()
    # A later build, with later file times in its clone and build folder.
    execute_process(COMMAND sleep 1)
endforeach()

list(GET clones 0 first)
list(GET clones 1 second)
foreach(name ${FILES})
    foreach(clone ${clones})
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
