# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Run at build time: cuts Qt's translation QM of one language down to the
# standard buttons the game shows, OK and Cancel, and writes them as TS.
# Qt's whole file is a hundred times larger than the two words.
# Usage: cmake -DLCONVERT=... -DQM=qtbase_de.qm -DTS=out.ts -P QtButtonTranslations.cmake
execute_process(COMMAND ${LCONVERT} -i ${QM} -o ${TS}.full COMMAND_ERROR_IS_FATAL ANY)
file(READ ${TS}.full full)
file(REMOVE ${TS}.full)
# Entities such as &apos; hold semicolons, which CMake's lists would split on.
string(REPLACE ";" "@semicolon@" full "${full}")
string(REGEX MATCH "<TS [^>]*>" header "${full}")
string(FIND "${full}" "<name>QPlatformTheme</name>" start)
set(messages "")
if(start GREATER -1)
    string(SUBSTRING "${full}" ${start} -1 context)
    string(FIND "${context}" "</context>" end)
    string(SUBSTRING "${context}" 0 ${end} context)
    string(REGEX MATCHALL
        "<message>[ \n]*<source>(OK|Cancel)</source>[ \n]*<translation>[^<]*</translation>[ \n]*</message>"
        messages "${context}")
endif()
string(REPLACE ";" "\n" messages "${messages}")
string(REPLACE "@semicolon@" ";" messages "${messages}")
file(WRITE ${TS} "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n${header}\n"
    "<context>\n<name>QPlatformTheme</name>\n${messages}\n</context>\n</TS>\n")
