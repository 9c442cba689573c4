#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Measures start-up time (to the first turn of the event loop) and peak memory
# of the game against its floor: a bare main window of the same size plus the
# pauses the puzzle set-up must make. Usage: tools/measure-startup.sh [RUNS]
# Expects a build in build/. Measure on a display, as players run it (for
# example `xvfb-run tools/measure-startup.sh`); without one it falls back to
# Qt's offscreen platform, whose bare window is much lighter than any real one.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
probe=build/tools/ravelbox-startup-probe
runs=${1:-21}
if ! ravelbox_has_display; then
    echo "no display: measuring on the offscreen platform" >&2
    export QT_QPA_PLATFORM=offscreen
fi
[ -x "$probe" ] || { echo "build first: $probe is missing" >&2; exit 1; }
pause_ms=$("$probe" pause-ms)

# Prints "milliseconds kilobytes" for one run of the probe with the given mode.
sample() {
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$tmp" "$probe" "$@" 2>/dev/null
    end=$(date +%s%N)
    echo "$(((end - start) / 1000000)) $(cat "$tmp")"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

tmp=$(mktemp)
trap 'rm -f "$tmp" "$tmp.bare" "$tmp.game"' EXIT
# Alternate the two so that drift in the machine's load hits both alike.
for ((i = 0; i < runs; i++)); do
    sample bare >>"$tmp.bare"
    sample >>"$tmp.game"
done
bare_ms=$(cut -d' ' -f1 "$tmp.bare" | median)
bare_kb=$(cut -d' ' -f2 "$tmp.bare" | median)
game_ms=$(cut -d' ' -f1 "$tmp.game" | median)
game_kb=$(cut -d' ' -f2 "$tmp.game" | median)

floor_ms=$((bare_ms + pause_ms))
awk -v gm="$game_ms" -v fm="$floor_ms" -v bm="$bare_ms" -v pm="$pause_ms" -v gk="$game_kb" -v bk="$bare_kb" 'BEGIN {
    printf "start-up: game %d ms, floor %d ms (bare window %d ms + %d ms): %+.1f %%\n", gm, fm, bm, pm, (gm / fm - 1) * 100
    printf "peak memory: game %d KiB, bare window %d KiB: %+.1f %%\n", gk, bk, (gk / bk - 1) * 100
}'
