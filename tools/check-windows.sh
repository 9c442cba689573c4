#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Builds, tests and packs the Windows game with `cmake --workflow --preset
# windows`, whose tests run under Wine: the suite, and the checks of the
# downloads (what ships and what it imports, the program's resources, the
# zip's contents, the keyboard play-through and the installer's round trip).
# Then builds a clean clone in another folder and compares the program, the
# zip and the installer byte for byte, which only a second build can show.
# Builds Qt for Windows first if this machine has not yet.
# Usage: tools/check-windows.sh (run by test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

RAVELBOX_WINDOWS_QT=$(tools/build-windows-qt.sh)
export RAVELBOX_WINDOWS_QT
work=$(mktemp -d)
trap 'rm -rf -- "$work"' EXIT

echo "== Windows: build, test under Wine, package"
cmake --workflow --preset windows >"$work/workflow.log" 2>&1 || {
    cat "$work/workflow.log"
    exit 1
}
grep -E 'tests passed|Total Test time' "$work/workflow.log"

echo "== Windows: a clean clone in another folder builds the same bytes"
clone=$work/another/place/ravelbox
git clone -q . "$clone"
(cd "$clone" && cmake --preset windows -DBUILD_TESTING=OFF && cmake --build --preset windows &&
    cpack --preset windows) >"$work/second.log" 2>&1 || {
    cat "$work/second.log"
    exit 1
}
name=Ravelbox-$(sed -n 's/^ravelbox (\([^)]*\)).*/\1/p;q' data/changelog)-win64
for file in ravelbox.exe "$name.zip" "$name-setup.exe"; do
    cmp "build-windows/$file" "$clone/build-windows/$file"
done
echo "Windows: ravelbox.exe, $name.zip and $name-setup.exe are the same"
