#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Builds, tests and packs one download with `cmake --workflow --preset
# PRESET`: for windows the suite and the checks of the zip and installer
# under Wine, for web the widget-free suites under node, the font check and
# the game played in Chromium. Then builds a clean clone in another folder
# and compares what it packed byte for byte, which only a second build can
# show. Builds the Qt the preset needs first if this machine has not yet.
# Usage: tools/check-download.sh windows|web (run by test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-}

case "$preset" in
windows) RAVELBOX_WINDOWS_QT=$(tools/build-windows-qt.sh) && export RAVELBOX_WINDOWS_QT ;;
web) RAVELBOX_WASM_QT=$(tools/build-wasm-qt.sh) && export RAVELBOX_WASM_QT ;;
*) echo "usage: $0 windows|web" >&2 && exit 2 ;;
esac
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

echo "== $preset: build, test, package"
cmake --workflow --preset "$preset" >"$work/workflow.log" 2>&1 || {
    cat "$work/workflow.log"
    exit 1
}
grep -E 'tests passed|Total Test time' "$work/workflow.log"

echo "== $preset: a clean clone in another folder builds the same bytes"
clone=$work/another/place/ravelbox
git clone -q . "$clone"
(cd "$clone" && cmake --preset "$preset" -DBUILD_TESTING=OFF && cmake --build --preset "$preset" &&
    cpack --preset "$preset") >"$work/second.log" 2>&1 || {
    cat "$work/second.log"
    exit 1
}
# The downloads themselves; CPack's metadata beside them names the folder.
shopt -s nullglob
for file in "$clone/build-$preset"/Ravelbox-*.zip "$clone/build-$preset"/Ravelbox-*.exe; do
    cmp "build-$preset/${file##*/}" "$file"
    echo "the same: ${file##*/}"
done
