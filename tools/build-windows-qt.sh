#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Builds the Qt 5 that the Windows build links against, from Debian's own
# source of Qt 5, with Debian's MinGW-w64 cross compiler and MinGW zlib, and
# installs it into a cache folder outside the tree (see tools/qt-cache.sh).
# First installs what the Windows build and its tests need, so that
# `cmake --workflow --preset windows` works next on a fresh machine too.
# Prints the folder's path.
# Usage: tools/build-windows-qt.sh [--print-prefix]
#   --print-prefix: print where the Qt goes, installing and building nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/qt-cache.sh
if [ "${1:-}" != --print-prefix ]; then
    source tools/setup.sh
    ravelbox_install "${RAVELBOX_PACKAGES[@]}" "${RAVELBOX_WINDOWS_PACKAGES[@]}" >&2
    ravelbox_locales "${RAVELBOX_WINDOWS_LOCALES[@]}" >&2
fi

qt_version=5.15.8
source_package=qtbase-opensource-src
# Only what the game and its tests use: Core, Gui, Widgets and Test, the
# windows and offscreen platforms and the windowsvista style.
configure_options=(
    -xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32-
    -opensource -confirm-license -release -shared -optimize-size
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-fontconfig -no-libjpeg
    -system-zlib -qt-pcre -qt-libpng -qt-harfbuzz -qt-freetype
    # Debian's source lacks wintab.h, which tablet events need.
    -no-feature-tabletevent
    -no-feature-network -no-feature-sql -no-feature-concurrent -no-feature-xml
    -no-feature-direct2d
)
# Debian's Qt 5 at the version of the machine's own, and the cross toolchain.
description=$(ravelbox_qt_describe "$source_package" qtbase5-dev g++-mingw-w64-x86-64-posix \
    mingw-w64-x86-64-dev libz-mingw-w64-dev)
prefix=$(ravelbox_qt_prefix "$qt_version-win64" "$description" "${configure_options[*]}")

if [ "${1:-}" = --print-prefix ]; then
    echo "$prefix"
    exit 0
fi

# In the build folder, with Debian's patched source in $1 and scratch room in $2.
build() {
    local source_dir=$1 work=$2 tool
    # The posix-threads flavour of the cross compiler, whatever the alternatives say.
    mkdir -p "$work/bin"
    for tool in gcc g++; do
        ln -s "/usr/bin/x86_64-w64-mingw32-$tool-posix" "$work/bin/x86_64-w64-mingw32-$tool"
    done
    export PATH="$work/bin:$PATH"
    "$source_dir/configure" -prefix "$prefix" "${configure_options[@]}" &&
        make -j"$(($(nproc) + 1))" && make install
}

ravelbox_qt_cached "$prefix" "$description" Windows build 20
