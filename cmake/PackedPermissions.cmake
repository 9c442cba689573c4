# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Run by CPack once it has written its packages. A Debian package is an ar
# archive whose members carry the modes of the files CPack wrote them from,
# which follow the packer's umask; each gets rw-r--r--, as dpkg-deb gives
# them, so that the package's bytes do not depend on the umask.
foreach(package ${CPACK_PACKAGE_FILES})
    if(NOT package MATCHES "\\.deb$")
        continue()
    endif()
    file(SIZE "${package}" size)
    set(offset 8) # past "!<arch>\n"
    while(offset LESS size)
        # Each member's 60-byte header: name, date, owner, group, mode and size.
        file(READ "${package}" header OFFSET ${offset} LIMIT 60)
        string(SUBSTRING "${header}" 48 10 length)
        string(STRIP "${length}" length)
        if(NOT length MATCHES "^[0-9]+$")
            message(FATAL_ERROR "${package}: no ar member header at ${offset}")
        endif()
        math(EXPR mode_offset "${offset} + 40")
        execute_process(COMMAND sh -c "printf '100644  ' | dd of=\"$0\" bs=1 seek=$1 conv=notrunc status=none"
            "${package}" ${mode_offset} COMMAND_ERROR_IS_FATAL ANY)
        math(EXPR offset "${offset} + 60 + ${length} + ${length} % 2")
    endwhile()
endforeach()
