# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Writes OUTPUT, ravelbox-VERSION.tar.xz: the files git tracks under
# SOURCE_DIR, in one folder ravelbox-VERSION/, sorted, owned by root and
# stamped with EPOCH (the changelog's time), so that every clone of the same
# commit gives the same bytes.
# Run with -DSOURCE_DIR=... -DOUTPUT=... -DVERSION=... -DEPOCH=... -P
find_program(GIT git REQUIRED)
find_program(TAR tar REQUIRED)
find_program(XZ xz REQUIRED)
execute_process(
    COMMAND ${GIT} -C ${SOURCE_DIR} ls-files -z
    COMMAND ${TAR} --create --file=- --directory=${SOURCE_DIR} --null --files-from=-
        --sort=name --format=gnu --owner=0 --group=0 --numeric-owner
        --mode=u=rwX,go=rX --mtime=@${EPOCH} --transform=s,^,ravelbox-${VERSION}/,
    COMMAND ${XZ} -9 --threads=1 --stdout
    OUTPUT_FILE ${OUTPUT}
    RESULTS_VARIABLE results)
foreach(result ${results})
    if(NOT result EQUAL 0)
        file(REMOVE ${OUTPUT})
        message(FATAL_ERROR "could not write ${OUTPUT}: ${results}")
    endif()
endforeach()
message(STATUS "Wrote ${OUTPUT}")
