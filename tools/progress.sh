# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Shared by tools/setup.sh and tools/qt-cache.sh: runs a long build with its
# whole output in a log while saying how far it has got. Sourced, not run.

# ravelbox_logged LOG WHAT COMMAND...: runs COMMAND with its output appended
# to LOG and the build's progress (the "[ 42%]" or "[123/456]" that CMake's
# generators print, or for qmake's Makefiles the files compiled and the
# folder) after WHAT on standard error: on one line that updates in place on
# a terminal, otherwise as a line every 30 seconds or so. Fails as COMMAND
# fails.
ravelbox_logged() {
    local log=$1 what=$2
    shift 2
    "$@" 2>&1 | ravelbox_progress "$log" "$what"
    return "${PIPESTATUS[0]}"
}

ravelbox_progress() {
    local log=$1 what=$2 line done=starting shown=$SECONDS terminal=0 compiled=0 folder=""
    [ -t 2 ] && terminal=1
    [ $terminal = 1 ] && printf '%s: %s' "$what" "$done" >&2
    while IFS= read -r line; do
        printf '%s\n' "$line" >>"$log"
        if [[ $line =~ ^\[\ *([0-9]+)%\] ]]; then
            done="${BASH_REMATCH[1]}%"
        elif [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]]; then
            done="$((100 * BASH_REMATCH[1] / BASH_REMATCH[2]))% (${BASH_REMATCH[1]} of ${BASH_REMATCH[2]} steps)"
        elif [[ $line =~ ^cd\ ([^ ]+)/\ \&\& ]]; then
            folder=${BASH_REMATCH[1]}
            continue
        elif [[ $line == *" -c "* ]]; then
            compiled=$((compiled + 1))
            done="$compiled files compiled${folder:+, in $folder}"
        else
            continue
        fi
        if [ $terminal = 1 ]; then
            printf '\r%s: %s\033[K' "$what" "$done" >&2
        elif ((SECONDS - shown >= 30)); then
            echo "$what: $done" >&2
            shown=$SECONDS
        fi
    done
    if [ $terminal = 1 ]; then printf '\r\033[K' >&2; fi
    return 0
}
