#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Builds, tests and packs the Windows game, then checks the two downloads the
# way a Windows player gets them, under Wine on a virtual X display:
# - `cmake --workflow --preset windows`: the build with warnings as errors,
#   the test suite under Wine, the zip and the installer;
# - a second build of a clean clone in another folder gives the same bytes;
# - every DLL a shipped program or plugin imports ships too, or is Windows';
# - the zip, unpacked into a fresh Wine prefix, plays by keyboard alone:
#   copy the address and the key, work out the candidates, type them, press
#   Return; SUCCESS opens for one of them, FAIL for a wrong address, and
#   closing the window ends the game with status 0;
# - the installer, run silently in another fresh prefix, lays down the game,
#   a Start-menu entry and an uninstall entry; the installed game starts; the
#   silent uninstaller leaves nothing behind.
# Builds Qt for Windows first if this machine has not yet (tools/build-windows-qt.sh).
# Usage: tools/check-windows.sh (run by test.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
here=$PWD

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

tools/build-windows-qt.sh >/dev/null
work=$(mktemp -d)
window_manager=
# Under set -e a failing step here would become the script's status, and
# "wineserver -k" fails whenever that prefix's server has already gone: keep
# the status the checks earned.
cleanup() {
    local status=$?
    for prefix in "$work"/prefix-*; do
        if [ -d "$prefix" ]; then WINEPREFIX=$prefix wineserver -k 2>/dev/null || true; fi
    done
    if [ -n "$window_manager" ]; then kill "$window_manager" 2>/dev/null || true; fi
    rm -rf "$work"
    exit "$status"
}
trap cleanup EXIT
openbox >/dev/null 2>&1 &
window_manager=$!

source tools/checks.sh

echo "== Windows: build, test under Wine, package"
cmake --workflow --preset windows >"$work/workflow.log" 2>&1 || {
    cat "$work/workflow.log"
    exit 1
}
grep -E 'tests passed|Total Test time' "$work/workflow.log"
version=$(sed -n 's/^ravelbox (\([^)]*\)).*/\1/p;q' data/changelog)
name=Ravelbox-$version-win64
zip=$here/build-windows/$name.zip
setup=$here/build-windows/$name-setup.exe

same_twice() {
    local clone=$work/another/place/ravelbox
    git clone -q "$here" "$clone"
    (cd "$clone" && cmake --preset windows && cmake --build --preset windows &&
        cpack --preset windows) >"$work/second.log" 2>&1 || {
        cat "$work/second.log"
        return 1
    }
    local file
    for file in ravelbox.exe "$name.zip" "$name-setup.exe"; do
        cmp "build-windows/$file" "$clone/build-windows/$file" || return 1
    done
}
check "a clean clone elsewhere builds the same exe, zip and installer" same_twice

# A fresh Wine prefix, made on first use by tools/wine-run.sh, which also
# turns the crash dialog off and gives every run a time-out.
new_prefix() {
    export WINEPREFIX=$work/prefix-$1 RAVELBOX_WINEPREFIX=$work/prefix-$1
}
wine_run() { "$here/tools/wine-run.sh" "$@"; }

unzip -q "$zip" -d "$work/unzipped"
game=$work/unzipped/$name

# What every 64-bit Windows from 7 on has in System32. (Wine's System32 has
# more, zlib1.dll among them, so it cannot stand in for this list.)
windows_dlls=(advapi32.dll d3d11.dll dwmapi.dll dxgi.dll gdi32.dll imm32.dll kernel32.dll mpr.dll
    msvcrt.dll netapi32.dll ole32.dll oleaut32.dll shell32.dll user32.dll userenv.dll uxtheme.dll
    version.dll winmm.dll ws2_32.dll wtsapi32.dll)

imports_ship() {
    local binary dll missing=0
    while IFS= read -r -d '' binary; do
        for dll in $(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\tDLL Name: //p'); do
            [ -n "$(find "$game" -maxdepth 1 -iname "$dll" -print -quit)" ] && continue
            [[ " ${windows_dlls[*]} " == *" ${dll,,} "* ]] && continue
            echo "${binary#"$game"/} imports $dll, which is neither shipped nor part of Windows"
            missing=1
        done
    done < <(find "$game" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
    return $missing
}
check "every DLL that ships or is imported is in the zip or in Windows" imports_ship

# No console beside the game; its icon in Explorer, the Start menu and the
# task bar; its version in the file's properties; DPI awareness as Qt's.
windowed_with_resources() {
    local exe=$game/ravelbox.exe headers resources version_info manifest
    # Read whole first: grep -q would leave the writer to a broken pipe.
    headers=$(x86_64-w64-mingw32-objdump -p "$exe")
    resources=$(wrestool -l "$exe")
    version_info=$(wrestool -x --raw --type=16 "$exe" | strings -el)
    manifest=$(wrestool -x --raw --type=24 "$exe")
    grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "a console program"; return 1; }
    grep -q 'type=group_icon' <<<"$resources" || { echo "no icon"; return 1; }
    grep -qx "$version" <<<"$version_info" || { echo "no version $version"; return 1; }
    grep -q '<dpiAwareness[^>]*>PerMonitor<' <<<"$manifest" ||
        { echo "no per-monitor DPI awareness in the manifest"; return 1; }
}
check "ravelbox.exe is windowed, with its icon, version and manifest" windowed_with_resources

# wait_for NAME [SECONDS]: the id of the window titled exactly NAME.
wait_for() {
    local id
    for _ in $(seq $((${2:-60} * 4))); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ] && {
            echo "$id"
            return 0
        }
        sleep 0.25
    done
    echo "no window titled '$1' appeared" >&2
    return 1
}

# start_game FOLDER: starts the ravelbox.exe there and brings its window to
# the front; close_game: closes it with Ctrl+W, as a player may, and fails
# unless the game then ends with status 0.
start_game() {
    (cd "$1" && wine_run ravelbox.exe; echo $? >"$work/status") &
    game_pid=$!
    local window
    window=$(wait_for Ravelbox) || return 1
    xdotool windowactivate --sync "$window"
    sleep 1
}
close_game() {
    xdotool key --clearmodifiers ctrl+w
    wait "$game_pid"
    echo "the game ended with status $(cat "$work/status")"
    [ "$(cat "$work/status")" = 0 ]
}

# copy_value: Tab to the next value, which selects it whole; Ctrl+C copies it.
copy_value() {
    xdotool key --clearmodifiers Tab
    sleep 0.3
    xdotool key --clearmodifiers ctrl+c
    sleep 0.5
    xclip -o -selection clipboard
}

# try ADDRESS: types it into the field and presses Return; prints which
# dialog opened and closes it with Escape.
try() {
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key --clearmodifiers Return
    local title
    for _ in $(seq 40); do
        for title in SUCCESS FAIL; do
            # Hidden dialogs keep their windows: only a shown one counts.
            if xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; then
                xdotool key --clearmodifiers Escape
                while xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.1; done
                echo "$title"
                return 0
            fi
        done
        sleep 0.25
    done
    echo "no dialog opened for $1" >&2
    return 1
}

# The key is the digits 10121282157740 with the distance, in steps of 24
# bytes, inserted at 5 and then the clue character (48 or 51) at 13; 51 means
# the FAIL dialog lies above. Prints the 24 addresses the SUCCESS dialog can
# have, those on 16-byte boundaries first.
candidates() {
    local fail=$((16#${1#0x})) key=$2
    local clue=${key:13:2} rest=${key:0:13}${key:15}
    local distance=${rest:5:$((${#rest} - 14))} sign=1 remainder
    [ "$clue" = 48 ] && sign=-1
    for remainder in 0 16 8 $(seq 1 7) $(seq 9 15) $(seq 17 23); do
        printf '%x\n' $((fail - sign * (24 * distance + remainder)))
    done
}

play_by_keyboard() {
    new_prefix zip
    LANG=en_US.UTF-8 start_game "$game" || return 1
    local address key candidate outcome=
    xdotool key --clearmodifiers Tab # the field has the focus: on to the button
    address=$(copy_value)
    key=$(copy_value)
    echo "address $address, key $key"
    xdotool key --clearmodifiers Tab # back in the field
    outcome=$(try 0)
    echo "0 opens $outcome"
    [ "$outcome" = FAIL ] || return 1
    for candidate in $(candidates "$address" "$key"); do
        outcome=$(try "$candidate")
        echo "$candidate opens $outcome"
        [ "$outcome" = SUCCESS ] && break
    done
    [ "$outcome" = SUCCESS ] || return 1
    outcome=$(try "$address")
    echo "the FAIL dialog's own address opens $outcome"
    [ "$outcome" = FAIL ] || return 1
    close_game
}
check "the zip's game plays by keyboard: SUCCESS for a candidate, FAIL else, exit 0" play_by_keyboard

installer() {
    new_prefix setup
    local programs=$WINEPREFIX/drive_c/Program\ Files installed
    installed=$programs/Ravelbox
    local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravelbox'
    wine_run "$setup" /S
    wineserver --wait
    [ -f "$installed/ravelbox.exe" ] || { echo "not installed under Program Files"; return 1; }
    [ -n "$(find "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu" -name Ravelbox.lnk)" ] ||
        { echo "no Start-menu entry"; return 1; }
    local entry value
    entry=$(wine_run reg query "$key" | tr -d '\r')
    for value in "DisplayName.*Ravelbox" "DisplayVersion.*$version" \
        "Publisher.*The Ravelbox authors" "DisplayIcon.*ravelbox.exe" "UninstallString"; do
        grep -q "$value" <<<"$entry" || { echo "uninstall entry lacks $value: $entry"; return 1; }
    done

    start_game "$installed" || return 1
    close_game || return 1

    wine_run "$installed/Uninstall.exe" /S
    for _ in $(seq 120); do
        [ -e "$installed" ] || break
        sleep 0.5
    done
    wineserver --wait
    [ ! -e "$installed" ] || { echo "left behind:"; find "$installed"; return 1; }
    ! find "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu" -iname '*ravelbox*' | grep . &&
        ! wine_run reg query "$key" >/dev/null 2>&1
}
check "the installer installs, the game starts, the uninstaller removes everything" installer

check_summary Windows
