# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Read by CPack before each generator runs, with the CPACK_ variables the
# build set (CPACK_RAVELBOX_* are the project's own).

# Every package is stamped with the changelog's time.
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_RAVELBOX_SOURCE_DATE_EPOCH})

# A Debian package lives under /usr; a build for /usr/local (CMake's default)
# would put it there, so it stops and says how to build one.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_RAVELBOX_INSTALL_PREFIX STREQUAL "/usr")
    message(FATAL_ERROR "This build installs into ${CPACK_RAVELBOX_INSTALL_PREFIX}, where no "
        "Debian package may put files. Build the package with: cmake --workflow --preset deb")
endif()

# The Windows installer and zip share a name but for this.
if(CPACK_GENERATOR STREQUAL "NSIS")
    string(APPEND CPACK_PACKAGE_FILE_NAME -setup)
endif()
