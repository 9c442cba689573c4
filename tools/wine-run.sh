#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Runs a Windows program under Wine the way the tests need it: in a Wine
# prefix of its own (RAVELBOX_WINEPREFIX, made on first use), quiet,
# with Wine's crash dialog off so a crash fails instead of hanging, with
# nothing put into the desktop's menus, and with a time-out. A Qt Test
# program writes its log through Qt Test's own file logger, since output
# piped from a Wine console program can be lost.
# Usage: tools/wine-run.sh PROGRAM.exe [ARGUMENTS...]
# Wine wants an X display even for Qt's offscreen platform, and the tests
# show real windows: it takes the private one named in the file
# RAVELBOX_WINE_DISPLAY_FILE (which the tests' fixture starts with
# tools/wine-display.sh), else a private Xvfb of its own, never the desktop
# in DISPLAY.
set -euo pipefail
program=$1
shift

if [ -s "${RAVELBOX_WINE_DISPLAY_FILE:-}" ]; then
    DISPLAY=$(cat "$RAVELBOX_WINE_DISPLAY_FILE")
    export DISPLAY
elif [ -z "${RAVELBOX_WINE_PRIVATE_DISPLAY:-}" ]; then
    RAVELBOX_WINE_PRIVATE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$program" "$@"
fi

source "$(dirname "$0")/qt-cache.sh"
export WINEPREFIX=${RAVELBOX_WINEPREFIX:-${WINEPREFIX:-$RAVELBOX_CACHE/wineprefix}}
export WINEDEBUG=${WINEDEBUG:--all}
# Without winemenubuilder an installer's shortcuts stay in the prefix, out
# of the desktop's menus.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
limit=${RAVELBOX_WINE_TIMEOUT:-300}

ravelbox_wine_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.ravelbox-ready" ]; then
            wineboot --init >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                >/dev/null 2>&1
            wineserver --wait
            touch "$WINEPREFIX/.ravelbox-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
}
ravelbox_wine_prefix

case "$(basename "$program")" in
tst_*)
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    status=0
    timeout --kill-after=10 "$limit" wine "$program" "$@" -o "$log,txt" || status=$?
    tr -d '\r' <"$log"
    exit "$status"
    ;;
*)
    exec timeout --kill-after=10 "$limit" wine "$program" "$@"
    ;;
esac
