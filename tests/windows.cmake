# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# The Windows downloads' checks, beside the suite that runs under Wine. All
# of them share one X display for Wine (tools/wine-display.sh: always a
# private Xvfb with a window manager, never the desktop's), so a bare ctest
# works.
set(display_file ${CMAKE_CURRENT_BINARY_DIR}/wine-display/display)
add_test(NAME windows_display_start
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-display.sh start ${display_file})
add_test(NAME windows_display_stop
    COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-display.sh stop ${display_file})
set_tests_properties(windows_display_start PROPERTIES FIXTURES_SETUP windows_display)
set_tests_properties(windows_display_stop PROPERTIES FIXTURES_CLEANUP windows_display)

# What `cmake --install` lays down and what CPack packs, in scratch folders.
set(installed ${CMAKE_CURRENT_BINARY_DIR}/windows-install)
set(packed ${CMAKE_CURRENT_BINARY_DIR}/windows-package)
add_test(NAME windows_install COMMAND sh -c "rm -rf \"$0\" && \"$1\" --install \"$2\" --prefix \"$0\""
    ${installed} ${CMAKE_COMMAND} ${PROJECT_BINARY_DIR})
add_test(NAME windows_package
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${PROJECT_BINARY_DIR}/CPackConfig.cmake -B ${packed})
set_tests_properties(windows_install PROPERTIES FIXTURES_SETUP windows_installed)
set_tests_properties(windows_package PROPERTIES FIXTURES_SETUP windows_packed TIMEOUT 300)
set(zip ${packed}/${RAVELBOX_WINDOWS_PACKAGE}.zip)
set(installer ${packed}/${RAVELBOX_WINDOWS_PACKAGE}-setup.exe)

add_test(NAME windows_imports_ship
    COMMAND ${CMAKE_COMMAND} -DDIR=${installed} -DOBJDUMP=${CMAKE_OBJDUMP}
        -DWINDOWS_DLLS=${CMAKE_CURRENT_SOURCE_DIR}/windows-dlls.txt
        -P ${CMAKE_CURRENT_SOURCE_DIR}/check_windows_imports.cmake)
find_program(WRESTOOL wrestool REQUIRED)
add_test(NAME windows_program_resources
    COMMAND ${CMAKE_COMMAND} -DEXE=${installed}/ravelbox.exe -DVERSION=${PROJECT_VERSION}
        -DOBJDUMP=${CMAKE_OBJDUMP} -DWRESTOOL=${WRESTOOL}
        -P ${CMAKE_CURRENT_SOURCE_DIR}/check_windows_program.cmake)
add_test(NAME windows_licence_notices
    COMMAND ${CMAKE_COMMAND} -DDIR=${installed} -DEXPECT=licenses/Ravelbox-MIT.txt
        -P ${CMAKE_CURRENT_SOURCE_DIR}/check_no_placeholders.cmake)
set_tests_properties(windows_imports_ship windows_program_resources windows_licence_notices
    PROPERTIES FIXTURES_REQUIRED windows_installed)
add_test(NAME windows_zip_contents
    COMMAND ${CMAKE_COMMAND} -DZIP=${zip} -DDIR=${installed}
        -P ${CMAKE_CURRENT_SOURCE_DIR}/check_windows_zip.cmake)
set_tests_properties(windows_zip_contents PROPERTIES
    FIXTURES_REQUIRED "windows_installed;windows_packed")

# Keys go to whichever window is active, so nothing else runs meanwhile.
add_test(NAME windows_play_and_install
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_windows.py
        ${PROJECT_SOURCE_DIR}/tools/wine-run.sh ${zip} ${installer} ${PROJECT_VERSION})
set_tests_properties(windows_play_and_install PROPERTIES
    FIXTURES_REQUIRED "windows_packed;windows_display"
    ENVIRONMENT RAVELBOX_WINE_DISPLAY_FILE=${display_file}
    RUN_SERIAL ON TIMEOUT 900)

# A clean clone of the committed HEAD, built elsewhere, makes the same zip
# and installer as this build.
ravelbox_add_reproducible(windows PACK OWN ${packed} OWN_FIXTURE windows_packed
    FILES ${RAVELBOX_WINDOWS_PACKAGE}.zip ${RAVELBOX_WINDOWS_PACKAGE}-setup.exe)
