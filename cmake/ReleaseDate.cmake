# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# The release's version and date come from the newest entry of data/changelog,
# so the package, the metainfo and the manual page agree on them, and every
# build of the same source stamps the same times.
file(STRINGS ${PROJECT_SOURCE_DIR}/data/changelog changelog_lines)
list(GET changelog_lines 0 changelog_title)
if(NOT changelog_title MATCHES "^ravelbox \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "data/changelog does not start with version ${PROJECT_VERSION}")
endif()
foreach(line ${changelog_lines})
    if(line MATCHES "^ -- .*>  (.*)$")
        set(changelog_date "${CMAKE_MATCH_1}")
        break()
    endif()
endforeach()
execute_process(COMMAND date -u -d "${changelog_date}" +%s
    OUTPUT_VARIABLE RAVELBOX_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE result)
if(result OR NOT RAVELBOX_SOURCE_DATE_EPOCH)
    message(FATAL_ERROR "cannot read the date of data/changelog: '${changelog_date}'")
endif()
execute_process(COMMAND date -u -d "@${RAVELBOX_SOURCE_DATE_EPOCH}" +%F
    OUTPUT_VARIABLE RAVELBOX_RELEASE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)

# CPack stamps its packages with the same time (cmake/CPackProjectConfig.cmake).
set(CPACK_RAVELBOX_SOURCE_DATE_EPOCH ${RAVELBOX_SOURCE_DATE_EPOCH})
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/CPackProjectConfig.cmake)
