#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Builds, tests and packs the web version with `cmake --workflow --preset
# web` (the widget-free suites under node, the font check, and the game
# played by keyboard in Chromium), then builds a clean clone in another
# folder and compares the page, the program and the zip byte for byte.
# Builds Qt for the web first if this machine has not yet.
# Usage: tools/check-web.sh (run by test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

RAVELBOX_WASM_QT=$(tools/build-wasm-qt.sh)
export RAVELBOX_WASM_QT
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

echo "== Web: build, test under node and in Chromium, package"
cmake --workflow --preset web >"$work/workflow.log" 2>&1 || {
    cat "$work/workflow.log"
    exit 1
}
grep -E 'tests passed|Total Test time' "$work/workflow.log"

echo "== Web: a clean clone in another folder builds the same bytes"
clone=$work/another/place/ravelbox
git clone -q . "$clone"
(cd "$clone" && cmake --preset web -DBUILD_TESTING=OFF && cmake --build --preset web &&
    cpack --preset web) >"$work/second.log" 2>&1 || {
    cat "$work/second.log"
    exit 1
}
version=$(sed -n 's/^ravelbox (\([^)]*\)).*/\1/p;q' data/changelog)
cmp "build-web/Ravelbox-$version-web.zip" "$clone/build-web/Ravelbox-$version-web.zip"
diff -r build-web/site "$clone/build-web/site"
echo "Web: Ravelbox-$version-web.zip and its files are the same"
