# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# The Windows folder: ravelbox.exe with exactly what it loads, Qt's own
# translations of the standard buttons and the licences of everything that
# ships. Laid out in the build folder for the tests, installed for the zip
# and the installer.
include(${PROJECT_SOURCE_DIR}/cmake/ReleaseDate.cmake)

include(${PROJECT_SOURCE_DIR}/cmake/Licences.cmake)

# The C++ runtime and the posix threads of the MinGW compiler, and zlib.
set(runtime_dlls "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll zlib1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
        find_file(path_${dll} ${dll} PATHS /usr/x86_64-w64-mingw32/lib NO_DEFAULT_PATH REQUIRED)
        set(path ${path_${dll}})
    endif()
    get_filename_component(path "${path}" REALPATH)
    list(APPEND runtime_dlls "${path}")
endforeach()

file(GLOB qt_translations /usr/share/qt5/translations/qtbase_*.qm)
if(NOT qt_translations)
    message(FATAL_ERROR "Qt's translations are missing: install qttranslations5-l10n")
endif()

# The parts of Qt that ship. The tests also load Qt Test and the offscreen
# platform, which do not.
set(qt_dlls Qt5::Core Qt5::Gui Qt5::Widgets)
set(qt_plugins Qt5::QWindowsIntegrationPlugin Qt5::QWindowsVistaStylePlugin)
set(test_dlls "")
set(test_plugins "")
if(BUILD_TESTING)
    find_package(Qt5 REQUIRED COMPONENTS Test)
    set(test_dlls Qt5::Test)
    set(test_plugins Qt5::QOffscreenIntegrationPlugin)
endif()

# plugin_folder(VAR PLUGIN): the folder Qt loads the plugin from, such as
# "platforms", beside the program as in Qt's own tree.
function(plugin_folder var plugin)
    get_target_property(location ${plugin} LOCATION)
    get_filename_component(folder "${location}" DIRECTORY)
    get_filename_component(folder "${folder}" NAME)
    set(${var} ${folder} PARENT_SCOPE)
endfunction()

# In the build folder, beside the game and the tests.
set(deploy "")
foreach(file ${runtime_dlls} ${qt_dlls} ${test_dlls})
    if(TARGET ${file})
        set(file $<TARGET_FILE:${file}>)
    endif()
    list(APPEND deploy COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${PROJECT_BINARY_DIR})
endforeach()
foreach(plugin ${qt_plugins} ${test_plugins})
    plugin_folder(folder ${plugin})
    list(APPEND deploy
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/${folder}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}>
            ${PROJECT_BINARY_DIR}/${folder})
endforeach()
add_custom_target(ravelbox_windows_runtime ALL ${deploy}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/translations
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${qt_translations}
        ${PROJECT_BINARY_DIR}/translations
    VERBATIM)

# What ships.
install(TARGETS ravelbox RUNTIME DESTINATION .)
foreach(target ${qt_dlls})
    install(FILES $<TARGET_FILE:${target}> DESTINATION .)
endforeach()
foreach(plugin ${qt_plugins})
    plugin_folder(folder ${plugin})
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
endforeach()
install(FILES ${runtime_dlls} DESTINATION .)
install(FILES ${qt_translations} DESTINATION translations)
install(CODE "
    file(GLOB_RECURSE binaries \"\${CMAKE_INSTALL_PREFIX}/*.exe\" \"\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(binary \${binaries})
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\"
            RESULT_VARIABLE result)
        if(result)
            message(FATAL_ERROR \"cannot strip \${binary}\")
        endif()
    endforeach()
")

# The licences, and where the exact source of every part comes from.
# The first line names the Debian source package and version.
file(STRINGS ${RAVELBOX_WINDOWS_QT}/ravelbox-qt-source qt_source LIMIT_COUNT 1)
source_of(runtime_source gcc-mingw-w64-x86-64-posix-runtime)
source_of(threads_source mingw-w64-x86-64-dev)
source_of(zlib_source libz-mingw-w64)
source_of(translations_source qttranslations5-l10n)
set(licenses ${PROJECT_BINARY_DIR}/licenses)
copy_licences(${licenses}
        "/usr/share/common-licenses/LGPL-3:LGPL-3.0.txt"
        "/usr/share/common-licenses/GPL-3:GPL-3.0.txt"
        "/usr/share/doc/libqt5core5a/copyright:Qt-copyright.txt"
        "/usr/share/doc/qttranslations5-l10n/copyright:Qt-translations-copyright.txt"
        "/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright:GCC-runtime-copyright.txt"
        "/usr/share/doc/mingw-w64-x86-64-dev/copyright:MinGW-w64-copyright.txt"
        "/usr/share/doc/libz-mingw-w64/copyright:zlib-copyright.txt")
mit_licence(${licenses}/Ravelbox-MIT.txt)
configure_file(${PROJECT_SOURCE_DIR}/data/windows-licenses.txt.in ${licenses}/README.txt @ONLY
    NEWLINE_STYLE CRLF)
install(DIRECTORY ${licenses}/ DESTINATION licenses)
# What the game is, how to play it and how to remove it, beside ravelbox.exe.
configure_file(${PROJECT_SOURCE_DIR}/data/windows-readme.txt.in ${PROJECT_BINARY_DIR}/README.txt
    @ONLY NEWLINE_STYLE CRLF)
install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_PACKAGE_NAME Ravelbox)
set(CPACK_PACKAGE_VENDOR "The Ravelbox authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_FILE_NAME ${RAVELBOX_WINDOWS_PACKAGE})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Ravelbox)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Ravelbox)
set(CPACK_RESOURCE_FILE_LICENSE ${licenses}/Ravelbox-MIT.txt)
set(CPACK_PACKAGE_EXECUTABLES ravelbox Ravelbox)

# The zip: one folder, entries in a fixed order with the changelog's time.
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${PROJECT_SOURCE_DIR}/cmake/ReproducibleZip.cmake)

# The installer: 64-bit, into Program Files, with a Start-menu entry and an
# uninstaller that Windows lists with the game's name, version and icon.
set(CPACK_NSIS_PACKAGE_NAME Ravelbox)
set(CPACK_NSIS_DISPLAY_NAME Ravelbox)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME ravelbox.exe)
set(CPACK_NSIS_MUI_ICON ${RAVELBOX_ICO})
set(CPACK_NSIS_MUI_UNIICON ${RAVELBOX_ICO})
# The game's name and icon on every page, not NSIS's own.
set(header ${PROJECT_BINARY_DIR}/nsis-header.bmp)
set(side ${PROJECT_BINARY_DIR}/nsis-side.bmp)
execute_process(COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tools/nsis-bitmaps.py
    ${PROJECT_SOURCE_DIR}/data/icons/ravelbox-256.png ${header} ${side} COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_PACKAGE_ICON ${header})
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${side})
set(CPACK_NSIS_MUI_UNWELCOMEFINISHPAGE_BITMAP ${side})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# Debian's NSIS builds 32-bit installers unless told otherwise; file times
# are left out so that every build gives the same bytes; the game's name
# stands where NSIS would name itself.
set(CPACK_NSIS_DEFINES "  Target amd64-unicode\n  SetDateSave off\n  BrandingText Ravelbox")

set(CPACK_GENERATOR External NSIS)
include(CPack)
