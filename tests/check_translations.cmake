# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

cmake_minimum_required(VERSION 3.16)

# Updates a copy of each translation file from the sources, as a translator
# would, and fails on any text lupdate finds new, unfinished, empty or gone,
# and on a language of the game that the menu entry or the AppStream
# metainfo does not speak.
# Run with -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... -DTS_FILES=a.ts;b.ts

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(problems "")
file(READ "${SOURCE_DIR}/data/ravelbox.desktop.in" desktop)
file(READ "${SOURCE_DIR}/data/ravelbox.metainfo.xml.in" metainfo)
foreach(ts ${TS_FILES})
    get_filename_component(name "${ts}" NAME)
    string(REGEX REPLACE "^ravelbox_(.*)\\.ts$" "\\1" language "${name}")
    string(REPLACE "_" "-" tag "${language}")
    if(NOT language STREQUAL "en")
        foreach(key GenericName Comment)
            if(NOT desktop MATCHES "\n${key}\\[${language}\\]=[^\n]")
                string(APPEND problems "  ravelbox.desktop.in: no ${key}[${language}]\n")
            endif()
        endforeach()
        if(NOT metainfo MATCHES "<summary xml:lang=\"${tag}\">[^<]")
            string(APPEND problems "  ravelbox.metainfo.xml.in: no summary in ${tag}\n")
        endif()
    endif()
    set(copy "${WORK_DIR}/${name}")
    configure_file("${ts}" "${copy}" COPYONLY)
    execute_process(
        COMMAND "${LUPDATE}" -silent -locations none app puzzle mainwindow dialogs -ts "${copy}"
        WORKING_DIRECTORY "${SOURCE_DIR}"
        RESULT_VARIABLE result)
    if(result)
        message(FATAL_ERROR "lupdate failed on ${name}: ${result}")
    endif()
    file(READ "${copy}" content)
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation( type=\"[a-z]+\")?>(</translation>)?"
        messages "${content}")
    foreach(message ${messages})
        if(message MATCHES "type=\"(unfinished|vanished|obsolete)\"|<translation></translation>")
            string(REGEX REPLACE "[ \n]+" " " message "${message}")
            string(APPEND problems "  ${name}: ${message}\n")
        endif()
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "translations to finish (edit the .ts files with Qt Linguist):\n${problems}")
endif()
