# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""What the GUI tests share: waiting with a time-out, failing with what was
seen, and working out the SUCCESS dialog's address from the clues as a
player would, without the game's code."""
import json
import pathlib
import subprocess
import sys
import time

# What a player learns from a few keys: they are always these digits, with
# the distance between the two dialogs in 24-byte steps inserted at
# position 5 and then a two-digit clue at position 13, odd when the FAIL
# dialog lies above the SUCCESS dialog and even when below. A distance of
# more than eight digits (dialogs in different memory regions) is therefore
# split by the clue.
BASE_DIGITS = "10121282157740"
STEP = 24


# A quiet Firefox: no first-run pages, no updates, nothing on the network
# but the game's server.
FIREFOX_PREFS = {
    "browser.shell.checkDefaultBrowser": False,
    "browser.aboutwelcome.enabled": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "app.update.disabledForTesting": True,
    "network.connectivity-service.enabled": False,
    "network.captive-portal-service.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "extensions.update.enabled": False,
    "messaging-system.rsexperimentloader.enabled": False,
}


class Failure(Exception):
    pass


def cache_folder():
    """Where slow one-time work is kept: tools/qt-cache.sh decides."""
    script = pathlib.Path(__file__).resolve().parent.parent / "tools/qt-cache.sh"
    return pathlib.Path(subprocess.run(
        ["bash", "-c", 'source "$0" && printf %s "$RAVELBOX_CACHE"', script],
        capture_output=True, text=True, check=True, timeout=60).stdout)


def run(main):
    """Runs main with the command line's arguments and exits with its status,
    or with 1 and what went wrong on the first failed step."""
    try:
        sys.exit(main(*sys.argv[1:]))
    except Failure as failure:
        print(f"FAIL: {failure}")
        sys.exit(1)


def firefox_profile(folder, **prefs):
    """A fresh Firefox profile in folder, quiet and with prefs besides."""
    profile = pathlib.Path(folder)
    profile.mkdir()
    (profile / "user.js").write_text("".join(
        f"user_pref({json.dumps(name)}, {json.dumps(value)});\n"
        for name, value in dict(FIREFOX_PREFS, **prefs).items()))
    return profile


def wait_for(what, probe, timeout=30):
    """Calls probe until it returns True; anything else it returns says what
    it saw, which the failure after timeout seconds reports."""
    deadline = time.monotonic() + timeout
    while (seen := probe()) is not True:
        if time.monotonic() > deadline:
            raise Failure(f"no {what} after {timeout} s; saw {seen!r}")
        time.sleep(0.2)


def candidates(address, key, alignment):
    """The SUCCESS dialog's possible addresses in hexadecimal, for dialogs
    that lie on multiples of alignment bytes."""
    length = len(key) - len(BASE_DIGITS) - 2
    if length < 1:
        raise Failure(f"key {key!r} is too short")
    clue, unclued = key[13:15], key[:13] + key[15:]
    distance = unclued[5:5 + length]
    if unclued != BASE_DIGITS[:5] + distance + BASE_DIGITS[5:] or not "48" <= clue <= "57":
        raise Failure(f"key {key!r} is not the base digits with a distance and a clue")
    sign = 1 if int(clue) % 2 else -1
    fail = int(address, 16)
    # The distance in bytes is a whole number of steps and a rest, and a
    # multiple of the alignment: an odd number of steps on 16 bytes has a
    # rest of 8.
    return [format(fail - sign * (STEP * int(distance) + rest), "x")
            for rest in range(STEP) if (STEP * int(distance) + rest) % alignment == 0]
