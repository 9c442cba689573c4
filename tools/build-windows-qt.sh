#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Builds the Qt 5 that the Windows build links against, from Debian's own
# source of Qt 5, with Debian's MinGW-w64 cross compiler and MinGW zlib, and
# installs it into a cache folder outside the tree. The folder's name holds
# the Qt version and a hash of the configure options, so a machine builds it
# once and a changed set of options builds anew. Prints the folder's path.
# Usage: tools/build-windows-qt.sh [--print-prefix]
#   --print-prefix: print where the Qt goes without building it.
set -euo pipefail
cd "$(dirname "$0")/.."

qt_version=5.15.8
source_package=qtbase-opensource-src
home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
cache=${RAVELBOX_CACHE_DIR:-${XDG_CACHE_HOME:-$home/.cache}/ravelbox}
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
key=$(echo "$qt_version ${configure_options[*]}" | sha256sum | cut -c1-12)
prefix=$cache/qt-$qt_version-win64-$key

if [ "${1:-}" = --print-prefix ] || [ -f "$prefix/ravelbox-qt-source" ]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/ravelbox-qt.XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$cache/qt-$qt_version-win64-$key.log
mkdir -p "$cache"
echo "Building Qt $qt_version for Windows into $prefix (once per machine; log: $log)" >&2

# The source comes through a private apt configuration with deb-src entries
# made from the machine's own Debian sources, so the machine's apt is left
# as it is.
apt_dir=$work/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
for list in /etc/apt/sources.list.d/*.sources; do
    [ -f "$list" ] && sed 's/^Types:.*$/Types: deb-src/' "$list" >"$apt_dir/sources.list.d/${list##*/}"
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >"$apt_dir/sources.list.d/from-sources.list"
fi
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root)
{
    apt-get "${apt_options[@]}" update
    (cd "$work" && apt-get "${apt_options[@]}" source "$source_package")
} >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
source_dir=$(find "$work" -maxdepth 1 -type d -name "$source_package-$qt_version*" | head -n 1)
debian_version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)

# The posix-threads flavour of the cross compiler, whatever the alternatives say.
mkdir -p "$work/bin"
for tool in gcc g++; do
    ln -s "/usr/bin/x86_64-w64-mingw32-$tool-posix" "$work/bin/x86_64-w64-mingw32-$tool"
done

mkdir -p "$work/build"
if ! (cd "$work/build" && export PATH="$work/bin:$PATH" &&
    "$source_dir/configure" -prefix "$prefix" "${configure_options[@]}" &&
    make -j"$(($(nproc) + 1))" && make install) >>"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "Building Qt for Windows failed; the whole log is $log" >&2
    exit 1
fi
# Written last: its presence means the folder is complete. It names the exact
# Debian source, which the Windows package points its users to.
echo "$source_package $debian_version" >"$prefix/ravelbox-qt-source"
echo "$prefix"
