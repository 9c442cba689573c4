#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Builds the Qt 6 that the web build links against, from Debian's own source
# of Qt 6 with Debian's emscripten and with Debian's Qt 6 as the host Qt for
# moc, uic and rcc, and installs it into a cache folder outside the tree (see
# tools/qt-cache.sh). Applies tools/patches/qt6-base-*.patch. Prints the
# folder's path.
# Usage: tools/build-wasm-qt.sh [--print-prefix]
#   --print-prefix: print where the Qt goes without building it.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/qt-cache.sh

qt_version=6.4.2
source_package=qt6-base
# Only what the game and its widget-free tests use: Core, Gui, Widgets and
# Test, one thread, and asyncify so that QDialog::exec() can wait for the
# player.
configure_options=(
    -platform wasm-emscripten -device-option QT_EMSCRIPTEN_ASYNCIFY=1
    -static -release -no-feature-thread
    -nomake examples -nomake tests
    -no-feature-network -no-feature-sql -no-feature-printsupport -no-feature-xml
    -no-feature-dbus -no-feature-concurrent -no-feature-imageformat_jpeg
)
patches=(tools/patches/qt6-base-*.patch)
prefix=$(ravelbox_qt_prefix "$qt_version-wasm" "${configure_options[*]}" "$(cat "${patches[@]}")")

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

build() {
    local work log=$prefix.log
    work=$(mktemp -d "${TMPDIR:-/tmp}/ravelbox-qt.XXXXXX")
    # Expanded now: the folder's variable is gone by the time the trap runs.
    trap "rm -rf -- '$work'" EXIT
    echo "Building Qt $qt_version for the web into $prefix (once per machine; log: $log)" >&2

    local source_dir
    source_dir=$(ravelbox_debian_source "$source_package" "$work" 2>"$log")
    local patch
    for patch in "${patches[@]}"; do
        patch -d "$source_dir" -p1 --forward <"$patch" >>"$log"
    done

    make_emsdk
    mkdir -p "$work/build"
    # NODE_PATH lets emscripten's JavaScript find Debian's acorn whichever node runs it.
    if ! (cd "$work/build" && export EMSDK=$prefix/emsdk NODE_PATH=/usr/share/nodejs &&
        "$source_dir/configure" -prefix "$prefix" "${configure_options[@]}" \
            -qt-host-path /usr -- -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake &&
        cmake --build . --parallel "$(($(nproc) + 1))" && cmake --install .) >>"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "Building Qt for the web failed; the whole log is $log" >&2
        return 1
    fi
    # Written last: its presence means the folder is complete. It names the
    # exact Debian source, which the web build's licence notice points to.
    echo "$source_package $(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)" \
        >"$prefix/ravelbox-qt-source"
}

ravelbox_qt_cached "$prefix" build >/dev/null
# Made again where a Qt built before it lacks it.
make_emsdk
echo "$prefix"
