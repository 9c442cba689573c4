# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# The licences and sources of what the Windows and web downloads ship.

# source_of(VAR PACKAGE): "source-package version" of an installed Debian package.
function(source_of var package)
    execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}" ${package}
        OUTPUT_VARIABLE source RESULT_VARIABLE result)
    if(result)
        message(FATAL_ERROR "${package} is not installed")
    endif()
    set(${var} "${source}" PARENT_SCOPE)
endfunction()

# copy_licences(DIR FROM:TO...): copies each licence or copyright file FROM
# into DIR under the name TO.
function(copy_licences dir)
    foreach(pair ${ARGN})
        string(REGEX REPLACE ":[^:]*$" "" from "${pair}")
        string(REGEX REPLACE "^.*:" "" to "${pair}")
        configure_file("${from}" ${dir}/${to} COPYONLY)
    endforeach()
endfunction()

# mit_licence(FILE): writes the game's MIT licence with its real copyright
# notice, taken from data/copyright, where LICENSES/MIT.txt has the template's
# "<year> <copyright holders>": the licence must be shipped with its notice.
function(mit_licence file)
    file(STRINGS ${PROJECT_SOURCE_DIR}/data/copyright notices REGEX "^Copyright: ")
    list(GET notices 0 notice)
    string(REGEX REPLACE "^Copyright: " "" notice "${notice}")
    file(READ ${PROJECT_SOURCE_DIR}/LICENSES/MIT.txt text)
    string(REPLACE "<year> <copyright holders>" "${notice}" text "${text}")
    if(text MATCHES "<year>|<copyright holders>")
        message(FATAL_ERROR "LICENSES/MIT.txt has a placeholder left: ${text}")
    endif()
    file(WRITE ${file} "${text}")
endfunction()
