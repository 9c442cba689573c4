# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Shared by the package checks; sourced, not run. `check WHAT COMMAND...`
# runs the command quietly, says "ok" or "FAILED" with what it printed, and
# counts; `check_summary NAME` prints the counts and fails if any check did.
# Expects $work, a scratch folder.

passed=0
failed=0

check() {
    local what=$1
    shift
    # In the background, so that set -e stops the check at its first failing
    # step: inside an if it would be off.
    "$@" >"$work/out" 2>&1 &
    if wait $!; then
        echo "ok: $what"
        passed=$((passed + 1))
    else
        echo "FAILED: $what"
        cat "$work/out"
        failed=$((failed + 1))
    fi
}

check_summary() {
    echo "$1: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
