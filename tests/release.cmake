# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# The Debian package and the source release, checked the way a distribution
# would (the release preset): each built twice from clean clones of the
# committed HEAD in different folders, the same bytes both times; the
# package clean for lintian, hardened, found by AppStream, and its Qt 6 twin
# recommending Qt 6's plugins; the tarball building and passing its tests
# without git; this plain build refusing to make a /usr/local package; and
# every file's licence known to REUSE.
find_program(DPKG dpkg REQUIRED)
find_program(DPKG_DEB dpkg-deb REQUIRED)
find_program(LINTIAN lintian REQUIRED)
find_program(HARDENING_CHECK hardening-check REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
find_program(REUSE reuse REQUIRED)
execute_process(COMMAND ${DPKG} --print-architecture OUTPUT_VARIABLE arch
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
ravelbox_add_reproducible(deb PACK FILES ravelbox_${PROJECT_VERSION}_${arch}.deb)
ravelbox_add_reproducible(source FILES ravelbox-${PROJECT_VERSION}.tar.xz)
set(work ${CMAKE_CURRENT_BINARY_DIR}/release)
set(deb ${deb_clone}/build-deb/ravelbox_${PROJECT_VERSION}_${arch}.deb)
set(deb6 ${deb_clone}/build-deb-qt6/ravelbox_${PROJECT_VERSION}_${arch}.deb)
set(tarball ${source_clone}/build-source/ravelbox-${PROJECT_VERSION}.tar.xz)

add_test(NAME deb_qt6_package COMMAND ${CMAKE_COMMAND} --workflow --preset deb-qt6)
set_tests_properties(deb_qt6_package PROPERTIES WORKING_DIRECTORY ${deb_clone}
    FIXTURES_REQUIRED deb_clone_built FIXTURES_SETUP deb_qt6_built TIMEOUT 1200)
add_test(NAME deb_qt6_recommends_qt6_plugins
    COMMAND sh -c "test \"$(\"$0\" -f \"$1\" Recommends)\" = \"$2\""
        ${DPKG_DEB} ${deb6} "qt6-wayland, qt6-translations-l10n")
set_tests_properties(deb_qt6_recommends_qt6_plugins PROPERTIES FIXTURES_REQUIRED deb_qt6_built)

add_test(NAME deb_lintian_clean COMMAND ${LINTIAN} --fail-on error,warning ${deb})
# Both unpack the package into a folder of their own first.
set(unpack "rm -rf \"$2\" && mkdir -p \"$2\" && \"$0\" -x \"$1\" \"$2/root\"")
add_test(NAME deb_hardened
    COMMAND sh -c "${unpack} && \"$3\" --nocfprotection \"$2/root/usr/games/ravelbox\""
        ${DPKG_DEB} ${deb} ${work}/hardened ${HARDENING_CHECK})
add_test(NAME deb_appstream_compose
    COMMAND sh -c "${unpack} && \"$3\" compose --no-net --origin=ravelbox --result-root=\"$2/out\" \"$2/root\" && zgrep -q \"<id>$4</id>\" \"$2/out/usr/share/swcatalog/xml/ravelbox.xml.gz\""
        ${DPKG_DEB} ${deb} ${work}/compose ${APPSTREAMCLI} ${RAVELBOX_ID})
set_tests_properties(deb_lintian_clean deb_hardened deb_appstream_compose PROPERTIES
    FIXTURES_REQUIRED deb_clone_built TIMEOUT 300)

add_test(NAME source_builds_without_git
    COMMAND ${CMAKE_COMMAND} -DTARBALL=${tarball} -DWORK=${work}/no-git
        -P ${CMAKE_CURRENT_SOURCE_DIR}/check_source_release.cmake)
set_tests_properties(source_builds_without_git PROPERTIES
    FIXTURES_REQUIRED source_clone_built TIMEOUT 1200)

# This build is for /usr/local, CMake's default: CPack must say why it makes
# no Debian package of it, and make none.
add_test(NAME deb_refused_for_usr_local
    COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1\" && ! \"$0\" -G DEB --config \"$2\" -B \"$1\" >\"$1.log\" 2>&1 && grep -q \"where no Debian package may put files\" \"$1.log\" && ! find \"$1\" -name \"*.deb\" | grep . || { cat \"$1.log\"; exit 1; }"
        ${CMAKE_CPACK_COMMAND} ${work}/usr-local ${PROJECT_BINARY_DIR}/CPackConfig.cmake)

add_test(NAME licences_reuse COMMAND ${REUSE} --root ${PROJECT_SOURCE_DIR} lint)
