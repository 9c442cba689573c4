#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Checks the Debian package the way a distribution would. Builds it with
# `cmake --workflow --preset deb` in two fresh clones of the committed tree,
# in different folders and one after the other, then checks that the two
# .deb files are identical, that lintian finds no error or warning, that the
# binary is hardened, that AppStream finds the component in the unpacked
# package and that the Qt 6 package recommends Qt 6's plugins.
# Usage: tools/check-package.sh (run by test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -z "$(git status --porcelain)" ] || echo "note: checking the committed tree, not uncommitted changes"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@" >"$work/out" 2>&1; then
        echo "ok: $what"
        passed=$((passed + 1))
    else
        echo "FAILED: $what"
        cat "$work/out"
        failed=$((failed + 1))
    fi
}

build() { # build CLONE PRESET: prints the path of the package
    (cd "$1" && cmake --workflow --preset "$2" >"$1.log" 2>&1) || { cat "$1.log" >&2; return 1; }
    ls "$1"/build-"$2"/ravelbox_*.deb
}

first=$work/a/ravelbox
second=$work/another/place/ravelbox-source
git clone -q . "$first"
deb=$(build "$first" deb)
sleep 1 # a later build, with later file times in its clone and build folder
git clone -q . "$second"
check "two clean builds give the same bytes" cmp "$deb" "$(build "$second" deb)"

check "lintian finds no error or warning" \
    lintian --fail-on error,warning "$deb"

unpacked=$work/unpacked
dpkg-deb -x "$deb" "$unpacked"
check "the installed binary is hardened" \
    hardening-check --nocfprotection "$unpacked/usr/games/ravelbox"
compose() {
    appstreamcli compose --no-net --origin=ravelbox --result-root="$work/compose" "$unpacked" &&
        zgrep -q '<id>invalid.ravelbox.Ravelbox</id>' "$work"/compose/usr/share/swcatalog/xml/ravelbox.xml.gz
}
check "AppStream compose finds the component" compose

deb6=$(build "$first" deb-qt6)
check "the Qt 6 package recommends Qt 6's plugins" \
    test "$(dpkg-deb -f "$deb6" Recommends)" = "qt6-wayland, qt6-translations-l10n"

echo "packaging: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
