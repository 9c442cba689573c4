# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Installation and the Debian package.
include(GNUInstallDirs)

# Folders get the same permissions whatever the installer's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(${PROJECT_SOURCE_DIR}/cmake/ReleaseDate.cmake)

set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/ravelbox)
set(icondir ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor)

install(TARGETS ravelbox RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry names the program by its absolute path, known only when the
# install prefix is: a ~/.local or /usr/local install then starts from the
# menu at once, whether or not its bin folder is on PATH.
set(RAVELBOX_EXEC @RAVELBOX_EXEC@)
configure_file(${PROJECT_SOURCE_DIR}/data/ravelbox.desktop.in
    ${PROJECT_BINARY_DIR}/ravelbox.desktop.in @ONLY)
install(CODE "
    set(bindir \"${CMAKE_INSTALL_BINDIR}\")
    if(NOT IS_ABSOLUTE \"\${bindir}\")
        set(bindir \"\${CMAKE_INSTALL_PREFIX}/\${bindir}\")
    endif()
    set(RAVELBOX_EXEC \"\${bindir}/ravelbox\")
    configure_file(\"${PROJECT_BINARY_DIR}/ravelbox.desktop.in\"
        \"${PROJECT_BINARY_DIR}/install/${RAVELBOX_ID}.desktop\" @ONLY)
    file(INSTALL \"${PROJECT_BINARY_DIR}/install/${RAVELBOX_ID}.desktop\"
        DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
")

configure_file(${PROJECT_SOURCE_DIR}/data/ravelbox.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/${RAVELBOX_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${RAVELBOX_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

install(FILES ${PROJECT_SOURCE_DIR}/data/ravelbox.svg
    DESTINATION ${icondir}/scalable/apps)
file(GLOB icons ${PROJECT_SOURCE_DIR}/data/icons/ravelbox-*.png)
foreach(icon ${icons})
    string(REGEX REPLACE ".*ravelbox-([0-9]+)\\.png$" "\\1" size ${icon})
    install(FILES ${icon} DESTINATION ${icondir}/${size}x${size}/apps RENAME ravelbox.png)
endforeach()

# Compressed as Debian expects, without a name or time in the gzip header.
configure_file(${PROJECT_SOURCE_DIR}/data/ravelbox.6.in ${PROJECT_BINARY_DIR}/ravelbox.6 @ONLY)
find_program(GZIP gzip REQUIRED)
set(compressed "")
foreach(source ${PROJECT_BINARY_DIR}/ravelbox.6 ${PROJECT_SOURCE_DIR}/data/changelog)
    get_filename_component(name ${source} NAME)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${name}.gz
        COMMAND ${GZIP} -9nc ${source} > ${PROJECT_BINARY_DIR}/${name}.gz
        DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${PROJECT_BINARY_DIR}/${name}.gz)
endforeach()
add_custom_target(ravelbox_docs ALL DEPENDS ${compressed})
install(FILES ${PROJECT_BINARY_DIR}/ravelbox.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_BINARY_DIR}/changelog.gz ${PROJECT_SOURCE_DIR}/data/copyright
    DESTINATION ${docdir})

# A manual install into a live system refreshes the icon cache, if it has one.
install(CODE "
    set(cache \"\${CMAKE_INSTALL_PREFIX}/${icondir}\")
    find_program(GTK_UPDATE_ICON_CACHE gtk-update-icon-cache)
    if(\"\$ENV{DESTDIR}\" STREQUAL \"\" AND EXISTS \"\${cache}/icon-theme.cache\"
       AND GTK_UPDATE_ICON_CACHE)
        execute_process(COMMAND \"\${GTK_UPDATE_ICON_CACHE}\" -q -t -f \"\${cache}\")
    endif()
")

set(CPACK_PACKAGE_NAME ravelbox)
set(CPACK_PACKAGE_VENDOR "The Ravelbox authors")
set(CPACK_PACKAGE_CONTACT "Ravelbox maintainers <maintainers@ravelbox.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ravelbox)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# What the build was configured for, which a package must agree with.
set(CPACK_RAVELBOX_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
The window shows the address of a hidden FAIL dialog and a string of digits\n\
that gives away how far away the SUCCESS dialog lies. Type its address in\n\
hexadecimal to win. Playable by keyboard alone, in Chinese or English.")
# The Qt libraries come from the binary's own links; the Chinese texts need a CJK font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei")
# Wayland sessions and Qt's own translations of the standard buttons.
if(RAVELBOX_QT_MAJOR STREQUAL "6")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
else()
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qtwayland5, qttranslations5-l10n")
endif()
include(CPack)

# The source release: `cmake --workflow --preset source`.
add_custom_target(source_release
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
        -DOUTPUT=${PROJECT_BINARY_DIR}/ravelbox-${PROJECT_VERSION}.tar.xz
        -DVERSION=${PROJECT_VERSION} -DEPOCH=${RAVELBOX_SOURCE_DATE_EPOCH}
        -P ${PROJECT_SOURCE_DIR}/cmake/SourceRelease.cmake
    VERBATIM)
