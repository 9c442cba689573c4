# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Run by CPack on the staged install: writes <package file name>.zip, one
# folder of that name, its entries sorted and stamped with the changelog's
# time, so every build of the same source gives the same bytes. Serves the
# Windows and the web downloads alike.
set(name ${CPACK_PACKAGE_FILE_NAME})
set(staging ${CPACK_TOPLEVEL_DIRECTORY}/zip)
file(REMOVE_RECURSE ${staging})
file(COPY ${CPACK_TEMPORARY_DIRECTORY}/ DESTINATION ${staging}/${name})

file(GLOB_RECURSE entries RELATIVE ${staging} ${staging}/${name}/*)
list(SORT entries)
string(REPLACE ";" "\n" listing "${entries}")
file(WRITE ${staging}/entries.txt "${listing}\n")

# Info-ZIP keeps only what is asked for (-X: no owners or access times, -D:
# no folder entries); the times and modes are made the same first, and zip
# stores local time, so it runs in UTC.
find_program(ZIP zip REQUIRED)
foreach(entry ${entries})
    file(CHMOD ${staging}/${entry} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
set(zip ${CPACK_PACKAGE_DIRECTORY}/${name}.zip)
file(REMOVE ${zip})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${entries}
    COMMAND_ERROR_IS_FATAL ANY
    WORKING_DIRECTORY ${staging})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X -D -9 ${zip} -@
    INPUT_FILE ${staging}/entries.txt
    WORKING_DIRECTORY ${staging}
    RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "could not write ${zip}")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES ${zip})
