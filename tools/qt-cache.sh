# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Shared by the scripts that build a Qt of their own (for Windows, for the
# web) and by the Wine runner: where the cache lives, how Debian's source of a
# package is fetched, and the lock that lets one run build a Qt while a
# second waits for it. Sourced, not run.

home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
RAVELBOX_CACHE=${RAVELBOX_CACHE_DIR:-${XDG_CACHE_HOME:-$home/.cache}/ravelbox}

# ravelbox_qt_prefix NAME OPTIONS...: the cache folder of one Qt build, named
# after it and a hash of everything that goes into it.
ravelbox_qt_prefix() {
    local name=$1
    shift
    echo "$RAVELBOX_CACHE/qt-$name-$(echo "$*" | sha256sum | cut -c1-12)"
}

# ravelbox_debian_source PACKAGE DIR: unpacks Debian's source of PACKAGE,
# patched as Debian builds it, into DIR and prints the folder. It goes through
# a private apt configuration with deb-src entries made from the machine's own
# Debian sources, so the machine's apt is left as it is.
ravelbox_debian_source() {
    local package=$1 dir=$2 apt_dir=$2/apt list
    mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -f "$list" ] && sed 's/^Types:.*$/Types: deb-src/' "$list" >"$apt_dir/sources.list.d/${list##*/}"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)$/deb-src \1/p' /etc/apt/sources.list >"$apt_dir/sources.list.d/from-sources.list"
    fi
    local options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o APT::Sandbox::User=root)
    apt-get "${options[@]}" update >&2
    (cd "$dir" && apt-get "${options[@]}" source "$package") >&2
    find "$dir" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1
}

# ravelbox_qt_cached PREFIX PACKAGE NAME BUILD: prints PREFIX once it holds a
# complete Qt, building it first if needed: fetches Debian's source of
# PACKAGE and runs `BUILD SOURCE-FOLDER SCRATCH-FOLDER` in an empty build
# folder, its output going to PREFIX.log. The marker file ravelbox-qt-source,
# written last, names the exact Debian source. A second run that asks for
# the same folder meanwhile waits for the first and uses what it built.
ravelbox_qt_cached() {
    local prefix=$1 package=$2 name=$3 build=$4
    mkdir -p "$RAVELBOX_CACHE"
    (
        flock 9
        [ -f "$prefix/ravelbox-qt-source" ] && exit 0
        work=$(mktemp -d "${TMPDIR:-/tmp}/ravelbox-qt.XXXXXX")
        trap 'rm -rf -- "$work"' EXIT
        log=$prefix.log
        echo "Building Qt for $name into $prefix (once per machine; log: $log)" >&2
        source_dir=$(ravelbox_debian_source "$package" "$work" 2>"$log")
        mkdir -p "$work/build"
        if ! (cd "$work/build" && "$build" "$source_dir" "$work") >>"$log" 2>&1; then
            tail -n 60 "$log" >&2
            echo "Building Qt for $name failed; the whole log is $log" >&2
            exit 1
        fi
        echo "$package $(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)" \
            >"$prefix/ravelbox-qt-source"
    ) 9>"$prefix.lock"
    echo "$prefix"
}
