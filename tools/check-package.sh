#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Checks the Debian package and the source release the way a distribution
# would. Builds both with `cmake --workflow --preset deb` and `... source` in
# two fresh clones of the committed tree, in different folders and one after
# the other, then checks that the two .deb files and the two tarballs are
# identical, that lintian finds no error or warning, that the binary is
# hardened, that AppStream finds the component in the unpacked package, that
# the Qt 6 package recommends Qt 6's plugins, that a plain build refuses to
# make a /usr/local package, and that the tarball, unpacked where there is
# no git, builds and passes its tests.
# Usage: tools/check-package.sh (run by test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -z "$(git status --porcelain)" ] || echo "note: checking the committed tree, not uncommitted changes"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source tools/checks.sh

build() { # build CLONE PRESET: prints the path of the package or tarball
    (cd "$1" && cmake --workflow --preset "$2" >"$1.log" 2>&1) || { cat "$1.log" >&2; return 1; }
    find "$1/build-$2" -maxdepth 1 \( -name 'ravelbox_*.deb' -o -name 'ravelbox-*.tar.xz' \)
}

first=$work/a/ravelbox
second=$work/another/place/ravelbox-source
git clone -q . "$first"
deb=$(build "$first" deb)
sleep 1 # a later build, with later file times in its clone and build folder
git clone -q . "$second"
check "two clean builds give the same bytes" cmp "$deb" "$(build "$second" deb)"
tarball=$(build "$first" source)
check "two clean clones give the same source release" cmp "$tarball" "$(build "$second" source)"

from_tarball() {
    local unpacked=$work/no-git
    mkdir -p "$unpacked"
    tar -xJf "$tarball" -C "$unpacked"
    local top=("$unpacked"/*)
    [ ${#top[@]} -eq 1 ] && [ ! -e "$top/.git" ] &&
        cmake -S "$top" -B "$top/build" && cmake --build "$top/build" --parallel "$(nproc)" &&
        (cd "$top/build" && ctest --output-on-failure)
}
check "the source release builds and passes its tests without git" from_tarball

plain_cpack() {
    cmake -S "$first" -B "$work/plain" && cmake --build "$work/plain" --target ravelbox &&
        ! (cd "$work/plain" && cpack -G DEB) && ! ls "$work"/plain/*.deb
}
check "a plain build makes no /usr/local package" plain_cpack

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

check_summary packaging
