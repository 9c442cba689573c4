#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Usage: check_wayland.sh PROGRAM APP_ID
# Starts PROGRAM natively on a headless Weston and passes when its window's
# xdg_toplevel gets APP_ID as its app id, which is how a compositor finds the
# window's menu entry and icon. Exits 77, skipped, when Weston is missing.
set -euo pipefail
program=$1
app_id=$2

if ! command -v weston >/dev/null; then
    echo "weston is not installed"
    exit 77
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid=
game_pid=
cleanup() {
    kill $game_pid $weston_pid 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$runtime"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --socket=wayland-ravelbox --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$runtime/wayland-ravelbox" ] && break
    sleep 0.1
done
if [ ! -S "$runtime/wayland-ravelbox" ]; then
    echo "weston did not start:"
    cat "$runtime/weston.log"
    exit 1
fi

WAYLAND_DISPLAY=wayland-ravelbox QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
    "$program" >"$runtime/program.log" 2>&1 &
game_pid=$!
request="xdg_toplevel@[0-9]*\.set_app_id(\"$app_id\")"
for _ in $(seq 300); do
    if grep -q "$request" "$runtime/program.log"; then
        echo "the window's app id is $app_id"
        exit 0
    fi
    kill -0 $game_pid 2>/dev/null || break
    sleep 0.1
done
echo "no xdg_toplevel.set_app_id(\"$app_id\") was sent; the program said:"
grep -v '^\[' "$runtime/program.log" | tail -20
grep 'set_app_id' "$runtime/program.log" || true
exit 1
