cmake_minimum_required(VERSION 3.16)

# Installs the build into PREFIX and checks what a desktop needs is there.
# Run with -DBUILD_DIR=... -DPREFIX=... [-DVALIDATE=desktop-file-validate].

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    OUTPUT_QUIET RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(desktop "${PREFIX}/share/applications/ravelbox.desktop")
foreach(path bin/ravelbox share/applications/ravelbox.desktop
        share/icons/hicolor/scalable/apps/ravelbox.svg)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endforeach()

file(STRINGS "${desktop}" lines)
foreach(expected "Name=Ravelbox" "Exec=ravelbox" "Icon=ravelbox"
        "Categories=Game;LogicGame;" "StartupWMClass=ravelbox")
    if(NOT expected IN_LIST lines)
        message(FATAL_ERROR "ravelbox.desktop lacks '${expected}'")
    endif()
endforeach()

if(VALIDATE)
    execute_process(COMMAND "${VALIDATE}" "${desktop}"
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(result OR out)
        message(FATAL_ERROR "desktop-file-validate: ${out}")
    endif()
else()
    message(STATUS "desktop-file-validate is not installed; the entry was not validated")
endif()
