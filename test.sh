#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Installs what is missing, then runs every stage as a CMake workflow, each
# of which `cmake --workflow --preset NAME` also runs on its own: qt5, asan
# (Qt 5 under AddressSanitizer and UBSan, laid out as Debian builds it), qt6,
# release (the Debian package and the source release), windows (built, then
# tested under Wine) and web (tested under node and in Chromium). Exits
# non-zero on any failure, warnings included.
# RAVELBOX_SKIP_WINDOWS=1 and RAVELBOX_SKIP_WEB=1 leave those stages out, for
# quick loops.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

windows=${RAVELBOX_SKIP_WINDOWS:-0}
web=${RAVELBOX_SKIP_WEB:-0}
packages=("${RAVELBOX_PACKAGES[@]}" "${RAVELBOX_TEST_PACKAGES[@]}")
[ "$windows" = 1 ] || packages+=("${RAVELBOX_WINDOWS_PACKAGES[@]}")
[ "$web" = 1 ] || packages+=("${RAVELBOX_WEB_PACKAGES[@]}" "${RAVELBOX_WEB_TEST_PACKAGES[@]}")
ravelbox_install "${packages[@]}"
# The reproducible builds' second copy is built in this locale.
ravelbox_locales en_US

# The stages' own builds keep what they compile between runs (ccache, in
# ~/.cache/ccache), keyed by the compilers' Debian versions and relative to
# this folder, so that a fresh clone's run finds it too; builds with debug
# information are keyed without their folder (CCACHE_NOHASHDIR), which no
# other clone shares, so their objects may name the folder that first
# compiled them. What proves a build reproducible or a package list complete compiles afresh:
# those checks drop the launchers.
export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$PWD
export CCACHE_NOHASHDIR=1
CCACHE_COMPILERCHECK="string:$(dpkg-query -W -f='${Package}=${Version} ' gcc-12 g++-12 \
    g++-mingw-w64-x86-64-posix emscripten clang-14 2>/dev/null || true)"
export CCACHE_COMPILERCHECK

# stage PRESET: runs one workflow, quietly unless it fails.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
log=$(mktemp)
trap 'rm -f -- "$log"' EXIT
stage() {
    echo "== $1"
    if ! cmake --workflow --preset "$1" >"$log" 2>&1; then
        cat "$log"
        echo "The $1 stage failed; cmake --workflow --preset $1 runs it alone." >&2
        exit 1
    fi
    grep -E '^[0-9]+% tests passed|^Total Test time' "$log"
}

stage qt5
stage asan
stage qt6
stage release
if [ "$windows" = 1 ]; then
    echo "== windows: skipped (RAVELBOX_SKIP_WINDOWS=1)"
else
    ravelbox_locales "${RAVELBOX_WINDOWS_LOCALES[@]}"
    tools/build-windows-qt.sh >/dev/null
    stage windows
fi
if [ "$web" = 1 ]; then
    echo "== web: skipped (RAVELBOX_SKIP_WEB=1)"
else
    tools/build-wasm-qt.sh >/dev/null
    stage web
fi
