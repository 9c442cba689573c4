# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# source_of(VAR PACKAGE): "source-package version" of an installed Debian package.
function(source_of var package)
    execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}" ${package}
        OUTPUT_VARIABLE source RESULT_VARIABLE result)
    if(result)
        message(FATAL_ERROR "${package} is not installed")
    endif()
    set(${var} "${source}" PARENT_SCOPE)
endfunction()
