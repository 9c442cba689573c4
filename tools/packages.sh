# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# The Debian packages each command needs, as arrays for tools/setup.sh, and
# the locales the Windows start-up test runs in. Sourced, not run.

# Debian packages a plain build needs: compiler, CMake, pkg-config (with which
# Qt's CMake files look for fontconfig), Qt Widgets and Test, and a font with
# Chinese glyphs so the window's texts are not drawn as boxes.
RAVELBOX_PACKAGES=(g++ make cmake pkgconf qtbase5-dev qttools5-dev qttools5-dev-tools
    qttranslations5-l10n fonts-wqy-microhei)

# A screen reader with its session bus, and the X server, window manager and
# keys that a blind player's check plays on.
RAVELBOX_SCREEN_READER_PACKAGES=(orca at-spi2-core dbus-daemon dbus-bin xvfb openbox xdotool
    python3)

# What test.sh needs on top: the Qt 6 build, an X server and xrdb for the
# scaling check, Weston and the Wayland plugins for the Wayland check, Python
# and strace for the check that each command's list above is complete, the
# tools that check the menu entry, metainfo, manual page, licences and
# Debian package, faketime and a locale for the rebuild that must make the
# same bytes, ccache for the stages' own builds, and the screen reader for
# the blind player's check.
RAVELBOX_TEST_PACKAGES=(qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    xvfb x11-xserver-utils weston qtwayland5 qt6-wayland python3 strace desktop-file-utils
    appstream appstream-compose man-db reuse dpkg-dev lintian devscripts git xz-utils
    faketime locales ccache "${RAVELBOX_SCREEN_READER_PACKAGES[@]}")

# What the Windows stage of test.sh needs: the MinGW-w64 cross compiler and
# zlib, Debian's Qt source (dpkg-dev unpacks it), the icon and installer
# tools, and Wine on a virtual display with a window manager, keyboard and
# clipboard tools, the fonts Wine draws with and the locales the start-up
# test runs in.
RAVELBOX_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev perl python3
    icoutils nsis python3-pil zip unzip wine wine64 fonts-wine xvfb xauth openbox xdotool xclip locales)
RAVELBOX_WINDOWS_LOCALES=(en_US de_DE zh_CN ja_JP ru_RU)

# What the web version needs (./run.sh --web): CMake, pkg-config, emscripten,
# Debian's Qt 6 source and Qt 6 as the host Qt, Qt's translations, Ninja for
# Qt's build, the font the web version carries with the tools that cut it,
# and nginx with its brotli module to serve it.
RAVELBOX_WEB_PACKAGES=(cmake pkgconf emscripten qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    dpkg-dev ninja-build fonts-wqy-microhei fonts-dejavu-core python3 python3-fonttools
    python3-brotli nginx libnginx-mod-http-brotli-static)
# What the web stage of test.sh needs on top: Chromium with its driver,
# Firefox with websockets for its WebDriver BiDi, WebKit's MiniBrowser with
# its driver, selenium, PIL and tesseract for the browser test, X and its
# clipboard tool for Firefox and WebKit, the screen reader for the blind
# player's check, git and zip.
RAVELBOX_WEB_TEST_PACKAGES=(chromium chromium-driver firefox-esr python3-websockets
    libwebkit2gtk-4.1-0 webkit2gtk-driver python3-selenium python3-pil
    tesseract-ocr tesseract-ocr-chi-sim tesseract-ocr-deu xvfb xclip
    "${RAVELBOX_SCREEN_READER_PACKAGES[@]}" git zip)
