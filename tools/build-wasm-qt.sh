#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Builds the Qt 6 that the web build links against, from Debian's own source
# of Qt 6 with Debian's emscripten and with Debian's Qt 6 as the host Qt for
# moc, uic and rcc, and installs it into a cache folder outside the tree (see
# tools/qt-cache.sh). Applies the patches that tools/patches/series lists, in
# its order, and fails on any hunk that does not apply exactly. Prints the
# folder's path.
# Usage: tools/build-wasm-qt.sh [--print-prefix]
#   --print-prefix: print where the Qt goes, installing and building nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/qt-cache.sh
# What the web build needs, so that `cmake --workflow --preset web` works next
# on a fresh machine too (its browser test needs the test packages as well).
if [ "${1:-}" != --print-prefix ]; then
    source tools/setup.sh
    ravelbox_install "${RAVELBOX_WEB_PACKAGES[@]}" "${RAVELBOX_WEB_TEST_PACKAGES[@]}" >&2
fi

qt_version=6.4.2
source_package=qt6-base
# Only what the game and its widget-free tests use: Core, Gui, Widgets and
# Test, one thread, and asyncify so that QDialog::exec() can wait for the
# player. Built for size, without what no program here draws or reads: each
# feature off is code that every visitor would otherwise download.
configure_options=(
    -platform wasm-emscripten -device-option QT_EMSCRIPTEN_ASYNCIFY=1
    -static -release -optimize-size -no-feature-thread
    -nomake examples -nomake tests
    -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-xml
    -no-feature-dbus -no-feature-concurrent -no-feature-imageformat_jpeg
    # Core: settings, XML, calendars.
    -no-feature-settings -no-feature-xmlstream -no-feature-filesystemwatcher
    -no-feature-hijricalendar -no-feature-islamiccivilcalendar -no-feature-jalalicalendar
    -no-feature-sha3-fast
    # Gui: image formats, documents and movies the game never opens.
    -no-feature-movie -no-feature-pdf -no-feature-gif -no-feature-ico -no-feature-jpeg
    -no-feature-imageformat_bmp -no-feature-imageformat_ppm -no-feature-imageformat_xbm
    -no-feature-textodfwriter -no-feature-textmarkdownreader -no-feature-textmarkdownwriter
    -no-feature-sessionmanager -no-feature-undocommand
    # Widgets: only Fusion, and none of the widgets and dialogs the game has not.
    -no-feature-style-stylesheet -no-feature-style-windows
    -no-feature-graphicsview -no-feature-graphicseffect -no-feature-effects
    -no-feature-mdiarea -no-feature-dockwidget -no-feature-calendarwidget
    -no-feature-datetimeedit -no-feature-spinbox -no-feature-dial
    -no-feature-lcdnumber -no-feature-keysequenceedit -no-feature-syntaxhighlighter
    -no-feature-textbrowser -no-feature-toolbox -no-feature-tabwidget -no-feature-splitter
    -no-feature-wizard -no-feature-filedialog -no-feature-fontdialog -no-feature-colordialog
    -no-feature-inputdialog -no-feature-errormessage -no-feature-progressdialog
    -no-feature-splashscreen -no-feature-systemtrayicon -no-feature-commandlinkbutton
    -no-feature-whatsthis -no-feature-gestures -no-feature-scroller
)
mapfile -t patches < <(grep -Ev '^(#|$)' tools/patches/series | sed "s|^|$PWD/tools/patches/|")
[ ${#patches[@]} -gt 0 ] || { echo "tools/patches/series lists no patch" >&2; exit 1; }
# Debian's Qt 6 at the version of the host Qt, and the emscripten that builds it.
description=$(ravelbox_qt_describe "$source_package" qt6-base-dev emscripten binaryen clang-14 \
    lld-14 llvm-14)
prefix=$(ravelbox_qt_prefix "$qt_version-wasm" "$description" "${configure_options[*]}" \
    "$(cat "${patches[@]}")")

if [ "${1:-}" = --print-prefix ]; then
    echo "$prefix"
    exit 0
fi

# Qt, when it is built and when it builds a program, looks for an emsdk: a
# folder whose .emscripten names where emcc lives. PREFIX/emsdk lays Debian's
# emscripten out that way, with links.
make_emsdk() {
    local emsdk=$prefix/emsdk entry tool
    [ -f "$emsdk/.emscripten" ] && return 0
    mkdir -p "$emsdk/upstream/emscripten"
    for entry in /usr/share/emscripten/*; do
        ln -sfn "$entry" "$emsdk/upstream/emscripten/"
    done
    for tool in emcc em++ emar emranlib em-config; do
        ln -sfn /usr/share/emscripten/wrapper "$emsdk/upstream/emscripten/$tool"
    done
    echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$emsdk/.emscripten"
}

# In the build folder, with Debian's patched source in $1.
build() {
    local source_dir=$1 patch
    for patch in "${patches[@]}"; do
        echo "Applying ${patch##*/}"
        patch -d "$source_dir" -p1 --forward --fuzz=0 --no-backup-if-mismatch <"$patch" || {
            echo "${patch##*/} does not apply to Debian's $source_package; refresh the series (HACKING)" >&2
            return 1
        }
    done
    # NODE_PATH lets emscripten's JavaScript find Debian's acorn whichever node runs it.
    export EMSDK=$prefix/emsdk NODE_PATH=/usr/share/nodejs
    "$source_dir/configure" -prefix "$prefix" "${configure_options[@]}" \
        -qt-host-path /usr -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake &&
        cmake --build . --parallel "$(($(nproc) + 1))" && cmake --install .
}

make_emsdk
ravelbox_qt_cached "$prefix" "$description" "the web" build 20
