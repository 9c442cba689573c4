#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Installs what is missing, then builds and runs every test three ways: with
# Qt 5, with Qt 5 under AddressSanitizer and UBSan, and with Qt 6; then checks
# the licences and the Debian package. Exits non-zero on any failure,
# warnings included.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

ravelbox_install "${RAVELBOX_PACKAGES[@]}" "${RAVELBOX_TEST_PACKAGES[@]}"

run_suite() {
    local dir=$1
    shift
    echo "== $dir: $*"
    ravelbox_build "$dir" -DRAVELBOX_WERROR=ON "$@"
    (cd "$dir" && ctest --output-on-failure)
}

run_suite build
run_suite build-asan -DRAVELBOX_SANITIZE=ON
run_suite build-qt6 -DRAVELBOX_QT_MAJOR=6

echo "== licences"
reuse lint --quiet || { reuse lint; exit 1; }
echo "== Debian package"
tools/check-package.sh
