#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# The X display that the Windows tests run Wine on, shared by all of one
# ctest run (a fixture starts and stops it): always a private Xvfb with
# openbox, never the desktop in DISPLAY, where the keyboard test would type
# into whatever window has the focus. Wine needs a display even for Qt's
# offscreen platform, and the keyboard test needs a window manager.
# Usage: tools/wine-display.sh start FILE   writes the display's name to FILE
#        tools/wine-display.sh stop FILE    stops what start started
set -euo pipefail
action=$1 file=$2

case "$action" in
start)
    mkdir -p "$(dirname "$file")"
    # Xvfb picks a free display and writes its number to the descriptor.
    Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$file.number" >/dev/null 2>&1 &
    echo "$!" >"$file.pids"
    for _ in $(seq 100); do
        [ -s "$file.number" ] && break
        sleep 0.1
    done
    [ -s "$file.number" ] || { echo "Xvfb did not start" >&2; exit 1; }
    display=:$(cat "$file.number")
    # Its log goes beside FILE, not into the user's ~/.cache.
    DISPLAY=$display XDG_CACHE_HOME=$file.cache openbox >/dev/null 2>&1 &
    echo "$!" >>"$file.pids"
    echo "$display" >"$file"
    ;;
stop)
    [ -f "$file.pids" ] && xargs -r kill <"$file.pids" 2>/dev/null || true
    rm -rf "$file" "$file.pids" "$file.number" "$file.cache"
    ;;
*)
    echo "usage: $0 start|stop FILE" >&2
    exit 2
    ;;
esac
