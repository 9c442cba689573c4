# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Unpacks the source release TARBALL under WORK, where there is no git, and
# fails unless it holds one folder, without .git, that configures, builds and
# passes its tests.
# Run with -DTARBALL=... -DWORK=...
cmake_minimum_required(VERSION 3.21)

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(ARCHIVE_EXTRACT INPUT ${TARBALL} DESTINATION ${WORK})
file(GLOB top ${WORK}/*)
list(LENGTH top count)
if(NOT count EQUAL 1 OR EXISTS ${top}/.git)
    message(FATAL_ERROR "the source release should hold one folder without .git: ${top}")
endif()
cmake_host_system_information(RESULT cores QUERY NUMBER_OF_LOGICAL_CORES)
foreach(step "-S;${top};-B;${top}/build" "--build;${top}/build;--parallel;${cores}")
    execute_process(COMMAND ${CMAKE_COMMAND} ${step} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# The plain ctest a packager runs; the slow checks, which the qt5 stage runs
# on the same files, would only repeat themselves here.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=RAVELBOX_SLOW_CHECKS
        ${CMAKE_CTEST_COMMAND} --output-on-failure --parallel ${cores}
    WORKING_DIRECTORY ${top}/build COMMAND_ERROR_IS_FATAL ANY)
