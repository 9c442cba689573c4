# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# The web folder: the game's page, the program, Qt's loader, the icon and the
# licences, laid out in site/ of the build folder for the browser test and
# installed for Ravelbox-<version>-web.zip, which any static web server serves.
include(${PROJECT_SOURCE_DIR}/cmake/ReleaseDate.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/Licences.cmake)

set(site ${PROJECT_BINARY_DIR}/site)
set(staging ${PROJECT_BINARY_DIR}/web)
configure_file(${PROJECT_SOURCE_DIR}/data/web/index.html.in ${staging}/index.html @ONLY)
foreach(file texts.js page.js page.css)
    configure_file(${PROJECT_SOURCE_DIR}/data/web/${file} ${staging}/${file} COPYONLY)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/data/web/manifest.webmanifest ${site}/manifest.webmanifest
    COPYONLY)
foreach(size 32 256)
    configure_file(${PROJECT_SOURCE_DIR}/data/icons/ravelbox-${size}.png ${site}/favicon-${size}.png
        COPYONLY)
endforeach()
# How to serve it: the server block ./run.sh --web runs, and a note for other servers.
configure_file(${PROJECT_SOURCE_DIR}/data/web/nginx.conf ${site}/hosting/nginx.conf COPYONLY)
configure_file(${PROJECT_SOURCE_DIR}/data/web/hosting.txt ${site}/hosting/README.txt @ONLY)
foreach(size 192 512)
    configure_file(${PROJECT_SOURCE_DIR}/data/web/icon-${size}.png ${site}/icon-${size}.png COPYONLY)
endforeach()
# The page, its scripts and the program under names that carry their
# content's hash, the service worker that keeps them, and precompressed copies.
set(site_inputs ${staging}/index.html ${staging}/texts.js $<TARGET_FILE_DIR:ravelbox>/qtloader.js
    ${staging}/page.js ${staging}/page.css
    $<TARGET_FILE_DIR:ravelbox>/ravelbox.js $<TARGET_FILE_DIR:ravelbox>/ravelbox.wasm)
add_custom_command(OUTPUT ${staging}/site.stamp
    COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tools/web-site.py ${site} ${site_inputs}
    COMMAND ${CMAKE_COMMAND} -E touch ${staging}/site.stamp
    DEPENDS ravelbox ${site_inputs} ${PROJECT_SOURCE_DIR}/tools/web-site.py
        ${site}/manifest.webmanifest VERBATIM)
add_custom_target(ravelbox_site ALL DEPENDS ${staging}/site.stamp)

# The first line names the Debian source package and version.
file(STRINGS ${RAVELBOX_WASM_QT}/ravelbox-qt-source qt_source LIMIT_COUNT 1)
source_of(emscripten_source emscripten)
source_of(font_source fonts-wqy-microhei)
source_of(sans_font_source fonts-dejavu-core)
file(STRINGS ${PROJECT_SOURCE_DIR}/tools/patches/series qt_patches REGEX "^[^#]")
list(JOIN qt_patches ", " qt_patches)
source_of(translations_source qt6-translations-l10n)
set(licenses ${site}/licenses)
copy_licences(${licenses}
        "${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-only.txt:GPL-3.0.txt"
        "${PROJECT_SOURCE_DIR}/LICENSES/LGPL-3.0-only.txt:LGPL-3.0.txt"
        "/usr/share/doc/libqt6core6/copyright:Qt-copyright.txt"
        "/usr/share/doc/qt6-translations-l10n/copyright:Qt-translations-copyright.txt"
        "/usr/share/doc/emscripten/copyright:emscripten-copyright.txt"
        "/usr/share/doc/fonts-wqy-microhei/copyright:wqy-microhei-copyright.txt"
        "/usr/share/doc/fonts-dejavu-core/copyright:dejavu-copyright.txt")
mit_licence(${licenses}/Ravelbox-MIT.txt)
configure_file(${PROJECT_SOURCE_DIR}/data/web-licenses.txt.in ${licenses}/README.txt @ONLY)
install(DIRECTORY ${site}/ DESTINATION .)

set(CPACK_PACKAGE_NAME Ravelbox)
set(CPACK_PACKAGE_VENDOR "The Ravelbox authors")
set(CPACK_PACKAGE_FILE_NAME Ravelbox-${PROJECT_VERSION}-web)
set(CPACK_GENERATOR External)
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${PROJECT_SOURCE_DIR}/cmake/ReproducibleZip.cmake)
include(CPack)
