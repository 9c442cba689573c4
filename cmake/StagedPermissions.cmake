# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Run by CPack once it has installed what it packs into its staging folder.
# The folders that installing made carry the packer's umask (CMake creates
# them through mkdir), so a packer with umask 027 would ship folders that no
# other user may enter, and the package's bytes would depend on the umask.
# Every staged folder gets rwxr-xr-x.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(path ${staged})
    if(IS_DIRECTORY "${path}" AND NOT IS_SYMLINK "${path}")
        file(CHMOD "${path}" PERMISSIONS
            OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endif()
endforeach()

