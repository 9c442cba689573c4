#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Plays the Windows downloads under Wine as a Windows player gets them.

Usage: check_windows.py WINE-RUN ZIP INSTALLER VERSION

The zip, unpacked into a fresh Wine prefix, is played by keyboard alone: it
copies the address and the key, works out the candidates, types them and
presses Return; SUCCESS must open for exactly one of them and FAIL for 0 and
the FAIL dialog's own address, and Ctrl+W must end the game with status 0.
The installer, run silently in another fresh prefix, must succeed and lay
down the game, a Start-menu entry (in the prefix, not in the desktop's
menus) and an uninstall entry; the installed game must start, and the
silent uninstaller must succeed and leave nothing behind. Drives the game
with xdotool and xclip on the private X server named in the file
RAVELBOX_WINE_DISPLAY_FILE, which has a window manager, never on the
desktop in DISPLAY; every program it runs has a time-out. Fails at the
first step that goes wrong, saying what it saw.
"""
import os
import pathlib
import subprocess
import tempfile
import zipfile

from player import Failure, candidates, run, wait_for

# Windows' heap puts objects on 16-byte boundaries.
ALIGNMENT = 16
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravelbox"
# Seconds any one program may take: Wine's first start in a prefix is slow.
TIMEOUT = 300


def xdotool(*arguments):
    """What xdotool printed, split in words. A search that finds nothing
    ends with status 1 and says nothing; any other failure, such as an X
    error, is one, not an empty answer. A search walks every window, and one
    that goes while it looks (BadWindow, as Wine makes and drops windows)
    makes it look again, a few times."""
    for _ in range(5):
        done = subprocess.run(["xdotool", *arguments], capture_output=True, text=True,
                              timeout=60)
        if arguments[0] != "search" or "BadWindow" not in done.stderr:
            break
    if done.returncode != 0 and (arguments[0] != "search" or done.returncode != 1
                                 or done.stdout or done.stderr):
        raise Failure(f"xdotool {' '.join(arguments)} exited with {done.returncode}: "
                      f"{done.stderr.strip()}")
    return done.stdout.split()


def key(*names):
    xdotool("key", "--clearmodifiers", *names)


def shown(title):
    """Whether a window of that exact title is on screen: the game's hidden
    dialogs keep their windows."""
    return bool(xdotool("search", "--onlyvisible", "--name", f"^{title}$"))


def clipboard():
    return subprocess.run(["xclip", "-o", "-selection", "clipboard"],
                          capture_output=True, text=True, timeout=60).stdout


class Wine:
    """A fresh Wine prefix in which programs run through the project's runner."""

    def __init__(self, runner, folder):
        self.runner = runner
        self.folder = pathlib.Path(folder)
        # Where Wine would put the desktop's menu entries, were the runner
        # to let it: the player's own menus, but for this.
        self.desktop = self.folder.with_name(self.folder.name + "-desktop")
        self.environment = dict(os.environ, WINEPREFIX=str(folder),
                                RAVELBOX_WINEPREFIX=str(folder), LANG="en_US.UTF-8",
                                XDG_DATA_HOME=str(self.desktop / "data"),
                                XDG_CONFIG_HOME=str(self.desktop / "config"))

    def run(self, *command, check=False):
        """Runs a program under Wine; with check, fails unless it exits 0."""
        done = subprocess.run([self.runner, *map(str, command)], env=self.environment,
                              capture_output=True, text=True, timeout=TIMEOUT)
        if check and done.returncode != 0:
            raise Failure(f"{command[0]} exited with {done.returncode}: {done.stderr.strip()}")
        return done

    def start(self, folder):
        return subprocess.Popen([self.runner, "ravelbox.exe"], env=self.environment,
                                cwd=folder, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def wait(self):
        subprocess.run(["wineserver", "--wait"], env=self.environment, check=True,
                       timeout=TIMEOUT)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.environment, capture_output=True,
                       timeout=60)


class Game:
    def __init__(self, wine, folder):
        self.process = wine.start(folder)
        wait_for("window titled Ravelbox", lambda: shown("Ravelbox") or (
            f"the game ended with status {self.process.poll()}"
            if self.process.poll() is not None else "nothing"), 120)
        window = xdotool("search", "--onlyvisible", "--name", "^Ravelbox$")[0]
        xdotool("windowactivate", "--sync", window)

    def copy_value(self):
        """Tab to the next value, which selects it whole; Ctrl+C copies it."""
        before = clipboard()
        key("Tab")
        key("ctrl+c")
        wait_for("copied value", lambda: clipboard() != before or "the clipboard unchanged", 10)
        return clipboard()

    def open(self, text):
        """Types text into the field, presses Return and says which dialog
        opened, after closing it with Escape."""
        key("ctrl+a")
        xdotool("type", "--delay", "20", text)
        key("Return")
        wait_for(f"dialog for {text!r}", lambda: shown("SUCCESS") or shown("FAIL") or "none")
        title = "SUCCESS" if shown("SUCCESS") else "FAIL"
        key("Escape")
        wait_for(f"{title} closed by Escape", lambda: not shown(title) or "still open")
        return title

    def close(self):
        """Closes the game with Ctrl+W, as a player may; it must end with 0."""
        key("ctrl+w")
        try:
            status = self.process.wait(60)
        except subprocess.TimeoutExpired:
            raise Failure("Ctrl+W did not end the game within 60 s") from None
        if status != 0:
            raise Failure(f"the game ended with status {status}")


def play_zip(wine, archive, work):
    with zipfile.ZipFile(archive) as opened:
        opened.extractall(work / "unzipped")
    folder = next((work / "unzipped").iterdir())
    game = Game(wine, folder)
    key("Tab")  # the field has the focus: on to the button
    address, clue = game.copy_value(), game.copy_value()
    print(f"address {address}, key {clue}")
    key("Tab")  # back in the field
    for text, expected in (("0", "FAIL"), (address, "FAIL")):
        if (outcome := game.open(text)) != expected:
            raise Failure(f"{text!r} opened {outcome}, not {expected}")
    found = []
    for candidate in candidates(address, clue, ALIGNMENT):
        outcome = game.open(candidate)
        print(f"{candidate} opens {outcome}")
        if outcome == "SUCCESS":
            found.append(candidate)
    if len(found) != 1:
        raise Failure(f"{len(found)} of the candidates opened SUCCESS: {found}")
    game.close()


def round_trip(wine, installer, version):
    installed = wine.folder / "drive_c/Program Files/Ravelbox"
    start_menu = wine.folder / "drive_c/ProgramData/Microsoft/Windows/Start Menu"
    wine.run(installer, "/S", check=True)
    wine.wait()
    if not (installed / "ravelbox.exe").is_file():
        raise Failure("the installer put no ravelbox.exe under Program Files")
    if not list(start_menu.rglob("Ravelbox.lnk")):
        raise Failure("the installer made no Start-menu entry")
    if added := [str(path) for path in wine.desktop.rglob("*") if path.is_file()]:
        raise Failure(f"installing under Wine added to the desktop's menus: {added}")
    entry = wine.run("reg", "query", UNINSTALL_KEY, check=True).stdout
    for value in ("DisplayName", "Ravelbox"), ("DisplayVersion", version), \
            ("Publisher", "The Ravelbox authors"), ("DisplayIcon", "ravelbox.exe"):
        if not any(value[0] in line and value[1] in line for line in entry.splitlines()):
            raise Failure(f"the uninstall entry lacks {value}: {entry}")
    Game(wine, installed).close()
    wine.run(installed / "Uninstall.exe", "/S", check=True)
    wait_for("uninstalled game", lambda: not installed.exists() or "still there", 60)
    wine.wait()
    leftovers = [str(path) for path in start_menu.rglob("*") if "ravelbox" in path.name.lower()]
    if leftovers:
        raise Failure(f"the uninstaller left {leftovers} behind")
    # Only reg's own "not found" says the entry is gone; any other failure
    # says nothing about it.
    query = wine.run("reg", "query", UNINSTALL_KEY)
    if query.returncode != 1 or "unable to find" not in (query.stdout + query.stderr).lower():
        raise Failure(f"reg query of the uninstall entry exited with {query.returncode}, "
                      f"not with 'not found': {query.stdout.strip()} {query.stderr.strip()}")


def main(runner, archive, installer, version):
    # The private X server of the tests' fixture: keys typed on the
    # player's own desktop would go to whatever window has the focus there.
    os.environ["DISPLAY"] = pathlib.Path(
        os.environ["RAVELBOX_WINE_DISPLAY_FILE"]).read_text().strip()
    with tempfile.TemporaryDirectory(prefix="ravelbox-windows-") as work:
        work = pathlib.Path(work)
        for name, step in ("zip", lambda wine: play_zip(wine, archive, work)), \
                ("installer", lambda wine: round_trip(wine, installer, version)):
            wine = Wine(runner, work / f"prefix-{name}")
            try:
                step(wine)
            finally:
                wine.stop()
            print(f"{name}: ok")
    return 0


if __name__ == "__main__":
    run(main)
