# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Shared by run.sh and test.sh: installs missing Debian packages and builds.
# Sourced, not run; expects to be in the project root.

source tools/progress.sh

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

# ravelbox_as_root COMMAND...: runs it as root, through sudo unless this is root.
ravelbox_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Needs root: run as root or install sudo ($*)." >&2
        return 1
    fi
}

ravelbox_install() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    ravelbox_as_root apt-get update -qq
    # While apt works, policy-rc.d refuses every service start (nginx's
    # among them), unless the machine has its own.
    # shellcheck disable=SC2016 # expanded by the inner shell
    ravelbox_as_root sh -c 'p=/usr/sbin/policy-rc.d; [ -e $p ] || { trap "rm -f $p" EXIT
        printf "#!/bin/sh\nexit 101\n" >$p && chmod 755 $p; }
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null' sh "${missing[@]}"
}

# ravelbox_locales NAME...: generates the UTF-8 locales that are missing.
ravelbox_locales() {
    local name have
    have=$(locale -a 2>/dev/null)
    for name in "$@"; do
        grep -qix "$name.utf8" <<<"$have" || ravelbox_as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
    done
}

# ravelbox_has_display [PROGRAM ARGUMENTS...]: true when Qt has somewhere to
# show a window: an X11 or Wayland display, or a platform chosen by hand.
ravelbox_has_display() {
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ] && return 0
    local arg
    for arg in "$@"; do
        [ "$arg" = -platform ] && return 0
    done
    return 1
}

# ravelbox_build DIR [cmake options...]: configures and builds in DIR, saying
# how far it has got; the whole output goes to DIR/build.log, and its end is
# shown when something fails.
ravelbox_build() {
    local dir=$1
    shift
    mkdir -p "$dir"
    : >"$dir/build.log"
    [ -f "$dir/CMakeCache.txt" ] ||
        echo "Building in $dir: a few minutes the first time, seconds after that (log: $dir/build.log)" >&2
    # shellcheck disable=SC2016 # expanded by the inner shell
    if ! ravelbox_logged "$dir/build.log" "Building in $dir" sh -c \
        'cmake -S . -B "$0" "$@" && cmake --build "$0" --parallel "$(nproc)"' "$dir" "$@"; then
        tail -n 80 "$dir/build.log" >&2
        echo "Build failed in $dir (whole log: $dir/build.log)." >&2
        return 1
    fi
}
