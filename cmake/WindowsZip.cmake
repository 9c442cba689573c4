# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Run by CPack on the staged install: writes Ravelbox-<version>-win64.zip,
# one folder of that name, its entries sorted and stamped with the
# changelog's time, so every build of the same source gives the same bytes.
set(name ${CPACK_PACKAGE_FILE_NAME})
set(staging ${CPACK_TOPLEVEL_DIRECTORY}/zip)
file(REMOVE_RECURSE ${staging})
file(COPY ${CPACK_TEMPORARY_DIRECTORY}/ DESTINATION ${staging}/${name})

file(GLOB_RECURSE entries RELATIVE ${staging} ${staging}/${name}/*)
list(SORT entries)
string(REPLACE ";" "\n" listing "${entries}")
file(WRITE ${staging}/entries.txt "${listing}\n")

execute_process(COMMAND date -u -d @${RAVELBOX_SOURCE_DATE_EPOCH} "+%Y-%m-%d %H:%M:%S UTC"
    OUTPUT_VARIABLE time OUTPUT_STRIP_TRAILING_WHITESPACE)
set(zip ${CPACK_PACKAGE_DIRECTORY}/${name}.zip)
# Zip keeps local times: in UTC they read the same everywhere.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
        ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip "--mtime=${time}" --files-from=entries.txt
    WORKING_DIRECTORY ${staging}
    RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "could not write ${zip}")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES ${zip})
