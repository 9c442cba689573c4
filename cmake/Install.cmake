# Installation and the Debian package.
include(GNUInstallDirs)

set(RAVELBOX_DESKTOP_ID ravelbox)

install(TARGETS ravelbox RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(${PROJECT_SOURCE_DIR}/data/ravelbox.desktop.in
    ${PROJECT_BINARY_DIR}/${RAVELBOX_DESKTOP_ID}.desktop @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/${RAVELBOX_DESKTOP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/ravelbox.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${RAVELBOX_DESKTOP_ID}.svg)

set(CPACK_PACKAGE_NAME ravelbox)
set(CPACK_PACKAGE_VENDOR "Ravelbox")
set(CPACK_PACKAGE_CONTACT "Ravelbox maintainers <maintainers@ravelbox.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ravelbox)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
The window shows the address of a hidden FAIL dialog and a string of digits\n\
that gives away how far away the SUCCESS dialog lies. Type its address to win.")
# The Qt libraries come from the binary's own links; the Chinese texts need a CJK font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk | fonts-wqy-zenhei")
include(CPack)
