#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Installs what is missing, then builds and runs every test three ways: with
# Qt 5, with Qt 5 under AddressSanitizer and UBSan (laid out as Debian
# builds it), and with Qt 6; then checks the licences, the Debian package
# and the source release, then the Windows build under Wine, and last the
# web version under node and in Chromium. Exits non-zero on any failure,
# warnings included.
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

run_suite() {
    local dir=$1
    shift
    echo "== $dir: $*"
    ravelbox_build "$dir" -DRAVELBOX_WERROR=ON "$@"
    (cd "$dir" && ctest --output-on-failure)
}

run_suite build
run_suite build-asan -DRAVELBOX_SANITIZE=ON -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games
run_suite build-qt6 -DRAVELBOX_QT_MAJOR=6

echo "== licences"
reuse lint --quiet || { reuse lint; exit 1; }
echo "== Debian package and source release"
tools/check-package.sh

if [ "$windows" = 1 ]; then
    echo "== Windows: skipped (RAVELBOX_SKIP_WINDOWS=1)"
else
    ravelbox_locales "${RAVELBOX_WINDOWS_LOCALES[@]}"
    tools/check-download.sh windows
fi

if [ "$web" = 1 ]; then
    echo "== Web: skipped (RAVELBOX_SKIP_WEB=1)"
else
    tools/check-download.sh web
fi
