# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

cmake_minimum_required(VERSION 3.16)

# Installs the build into PREFIX and checks what a desktop needs is there and
# valid, in the folders the build was configured with. Run with
# -DBUILD_DIR=... -DPREFIX=... -DID=... -DICON_DIR=... -DBINDIR=... -DDATADIR=...
# -DDATAROOTDIR=... -DMANDIR=... and, where installed,
# -DDESKTOP_FILE_VALIDATE=... -DAPPSTREAMCLI=... -DMAN=...

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    OUTPUT_QUIET RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(desktop "${PREFIX}/${DATADIR}/applications/${ID}.desktop")
set(metainfo "${PREFIX}/${DATAROOTDIR}/metainfo/${ID}.metainfo.xml")
set(manpage "${PREFIX}/${MANDIR}/man6/ravelbox.6.gz")
set(expected ${BINDIR}/ravelbox ${DATAROOTDIR}/icons/hicolor/scalable/apps/ravelbox.svg
    ${DATAROOTDIR}/doc/ravelbox/copyright ${DATAROOTDIR}/doc/ravelbox/changelog.gz)
file(GLOB icons "${ICON_DIR}/ravelbox-*.png")
foreach(icon ${icons})
    string(REGEX REPLACE ".*ravelbox-([0-9]+)\\.png$" "\\1" size "${icon}")
    list(APPEND expected ${DATAROOTDIR}/icons/hicolor/${size}x${size}/apps/ravelbox.png)
endforeach()
if(NOT icons)
    message(FATAL_ERROR "no icons in ${ICON_DIR}")
endif()
foreach(path ${expected} "${desktop}" "${metainfo}" "${manpage}")
    if(NOT IS_ABSOLUTE "${path}")
        set(path "${PREFIX}/${path}")
    endif()
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endforeach()

# The menu starts the installed program by its full path, not through PATH.
file(STRINGS "${desktop}" lines)
foreach(line "Exec=${PREFIX}/${BINDIR}/ravelbox" "Icon=ravelbox" "StartupWMClass=ravelbox")
    if(NOT line IN_LIST lines)
        message(FATAL_ERROR "${ID}.desktop lacks '${line}'")
    endif()
endforeach()

function(check_quiet what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(result OR err)
        message(FATAL_ERROR "${what}: ${out}${err}")
    endif()
endfunction()

if(DESKTOP_FILE_VALIDATE)
    check_quiet("desktop-file-validate" "${DESKTOP_FILE_VALIDATE}" "${desktop}")
else()
    message(STATUS "desktop-file-validate is not installed; the menu entry was not validated")
endif()
if(APPSTREAMCLI)
    # Infos are allowed (the .invalid id is not a known domain); warnings and errors are not.
    execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${metainfo}"
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(result OR out MATCHES "(^|\n)[WE]: ")
        message(FATAL_ERROR "appstreamcli validate: ${out}")
    endif()
else()
    message(STATUS "appstreamcli is not installed; the metainfo was not validated")
endif()
if(MAN)
    check_quiet("man --warnings" "${CMAKE_COMMAND}" -E env MANWIDTH=80
        "${MAN}" --warnings -l "${manpage}")
else()
    message(STATUS "man is not installed; the manual page was not checked")
endif()

set(DIR "${PREFIX}")
set(EXPECT "${DATAROOTDIR}/doc/ravelbox/copyright")
include("${CMAKE_CURRENT_LIST_DIR}/check_no_placeholders.cmake")
