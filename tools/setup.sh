# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Shared by run.sh and test.sh: installs missing Debian packages (the lists
# are in tools/packages.sh) and builds.
# Sourced, not run; expects to be in the project root.

source tools/progress.sh
source tools/packages.sh

# ravelbox_as_root COMMAND...: runs it as root, through sudo unless this is root.
ravelbox_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Needs root: run as root or install sudo ($*)." >&2
        return 1
    fi
}

ravelbox_install() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    ravelbox_as_root apt-get update -qq
    # While apt works, policy-rc.d refuses every service start (nginx's
    # among them), unless the machine has its own.
    # shellcheck disable=SC2016 # expanded by the inner shell
    ravelbox_as_root sh -c 'p=/usr/sbin/policy-rc.d; [ -e $p ] || { trap "rm -f $p" EXIT
        printf "#!/bin/sh\nexit 101\n" >$p && chmod 755 $p; }
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >/dev/null' sh "${missing[@]}"
}

# ravelbox_locales NAME...: generates the UTF-8 locales that are missing.
ravelbox_locales() {
    local name have
    have=$(locale -a 2>/dev/null)
    for name in "$@"; do
        grep -qix "$name.utf8" <<<"$have" || ravelbox_as_root localedef -i "$name" -f UTF-8 "$name.UTF-8"
    done
}

# ravelbox_has_display [PROGRAM ARGUMENTS...]: true when Qt has somewhere to
# show a window: an X11 or Wayland display, or a platform chosen by hand.
ravelbox_has_display() {
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ] && return 0
    local arg
    for arg in "$@"; do
        [ "$arg" = -platform ] && return 0
    done
    return 1
}

# ravelbox_build DIR [cmake options...]: configures and builds in DIR, saying
# how far it has got; the whole output goes to DIR/build.log, and its end is
# shown when something fails.
ravelbox_build() {
    local dir=$1
    shift
    mkdir -p "$dir"
    : >"$dir/build.log"
    [ -f "$dir/CMakeCache.txt" ] ||
        echo "Building in $dir: a few minutes the first time, seconds after that (log: $dir/build.log)" >&2
    # shellcheck disable=SC2016 # expanded by the inner shell
    if ! ravelbox_logged "$dir/build.log" "Building in $dir" sh -c \
        'cmake -S . -B "$0" "$@" && cmake --build "$0" --parallel "$(nproc)"' "$dir" "$@"; then
        tail -n 80 "$dir/build.log" >&2
        echo "Build failed in $dir (whole log: $dir/build.log)." >&2
        return 1
    fi
}
