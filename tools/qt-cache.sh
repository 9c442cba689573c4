# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Shared by the scripts that build a Qt of their own (for Windows, for the
# web) and by the Wine runner: where the cache lives, how Debian's source of a
# package is fetched, and the lock that lets one run build a Qt while a
# second waits for it. Sourced, not run.

source "$(dirname "${BASH_SOURCE[0]}")/progress.sh"

home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
RAVELBOX_CACHE=${RAVELBOX_CACHE_DIR:-${XDG_CACHE_HOME:-$home/.cache}/ravelbox}

# ravelbox_package_version PACKAGE: the installed version of PACKAGE, or a
# message and failure when it is not installed.
ravelbox_package_version() {
    local version
    version=$(dpkg-query -W -f='${db:Status-Status} ${Version}' "$1" 2>/dev/null |
        sed -n 's/^installed //p')
    [ -n "$version" ] || { echo "$1 is not installed; ./test.sh installs it" >&2; return 1; }
    echo "$version"
}

# ravelbox_qt_describe SOURCE-PACKAGE HOST-PACKAGE TOOLCHAIN-PACKAGE...: what
# a Qt build is made from, one "package version" a line: Debian's source of
# Qt at the version of HOST-PACKAGE, a binary built from that source (so the
# Qt built here always matches the machine's own Qt), then the toolchain.
ravelbox_qt_describe() {
    local source=$1 host=$2 version package
    shift 2
    version=$(dpkg-query -W -f='${source:Version}' "$host" 2>/dev/null) &&
        ravelbox_package_version "$host" >/dev/null || return 1
    echo "$source $version"
    for package in "$@"; do
        version=$(ravelbox_package_version "$package") || return 1
        echo "$package $version"
    done
}

# ravelbox_qt_prefix NAME DESCRIPTION OPTIONS...: the cache folder of one Qt
# build, named after it and a hash of everything that goes into it: the
# description from ravelbox_qt_describe, the configure options and patches.
# A new Debian source or toolchain gives a new folder, never a stale Qt.
ravelbox_qt_prefix() {
    local name=$1
    shift
    echo "$RAVELBOX_CACHE/qt-$name-$(printf '%s\n' "$@" | sha256sum | cut -c1-12)"
}

# ravelbox_debian_source PACKAGE VERSION DIR: unpacks Debian's source of
# PACKAGE at VERSION, patched as Debian builds it, into DIR and prints the
# folder. It goes through a private apt configuration with deb-src entries
# made from the machine's own Debian sources, so the machine's apt is left as
# it is.
ravelbox_debian_source() {
    local package=$1 version=$2 dir=$3 apt_dir=$3/apt list
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] && sed 's/^Types:.*$/Types: deb-src/' "$list" >"$apt_dir/sources.list.d/${list##*/}"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >"$apt_dir/sources.list.d/from-sources.list"
    fi
    local options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root)
    apt-get "${options[@]}" update >&2 &&
        (cd "$dir" && apt-get "${options[@]}" source "$package=$version") >&2 || return 1
    find "$dir" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1
}

# ravelbox_qt_cached PREFIX DESCRIPTION NAME BUILD MINUTES: prints PREFIX once
# it holds a complete Qt, building it first if needed: fetches the Debian
# source that DESCRIPTION's first line names and runs `BUILD SOURCE-FOLDER
# SCRATCH-FOLDER` in an empty build folder, its output going to PREFIX.log
# and its progress to standard error; MINUTES says how long that takes.
# The marker file ravelbox-qt-source, written last, holds DESCRIPTION. A
# second run that asks for the same folder meanwhile waits for the first,
# says so, and uses what it built. Any failure says where and fails.
ravelbox_qt_cached() {
    local prefix=$1 description=$2 name=$3 build=$4 minutes=$5
    mkdir -p "$RAVELBOX_CACHE"
    (
        set -euo pipefail
        if ! flock -n 9; then
            echo "Waiting for another run that is building Qt for $name into $prefix" >&2
            flock 9
        fi
        [ -s "$prefix/ravelbox-qt-source" ] && exit 0
        work=$(mktemp -d "${TMPDIR:-/tmp}/ravelbox-qt.XXXXXX")
        trap 'rm -rf -- "$work"' EXIT
        log=$prefix.log
        : >"$log"
        fail() {
            tail -n 60 "$log" >&2
            echo "Building Qt for $name failed: $1; the whole log is $log" >&2
            exit 1
        }
        echo "Building Qt for $name into $prefix: once per machine, about $minutes minutes on 2 cores (log: $log)" >&2
        read -r package version <<<"$description"
        [ -n "$package" ] && [ -n "$version" ] || fail "no source package and version given"
        source_dir=$(ravelbox_debian_source "$package" "$version" "$work" 2>"$log") &&
            [ -n "$source_dir" ] || fail "apt-get source $package=$version did not work"
        got=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
        [ "$got" = "$version" ] || fail "the source is version '$got', not $version"
        mkdir -p "$work/build"
        (cd "$work/build" && ravelbox_logged "$log" "Building Qt for $name" "$build" "$source_dir" "$work") ||
            fail "see the log"
        echo "$description" >"$prefix/ravelbox-qt-source"
    ) 9>"$prefix.lock" || return 1
    echo "$prefix"
}
