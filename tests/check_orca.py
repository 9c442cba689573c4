#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Plays the game as a blind player does, knowing only what Orca says.

Usage: check_orca.py LANGUAGE desktop PROGRAM
       check_orca.py LANGUAGE firefox SITE-FOLDER

Starts its own session bus, a private Xvfb with openbox and Debian's Orca,
whose every utterance goes to a log through Orca's own speech logger (no
synthesiser, no sound). Then it starts the game, or Firefox ESR on the web
version served from 127.0.0.1, in LANGUAGE, and presses keys with xdotool.
It waits for the window to be announced, walks the Tab chain and takes the
address and the key from what it hears alone, works out the candidates and
types each with Return: exactly one must be announced as SUCCESS with its
banner, 0 and abcdef as FAIL, and Escape closes each dialog back to the
field, which in Firefox is read back with what was typed. Fails at
the first thing it does not hear in time; prints all that Orca said.
"""
import contextlib
import os
import pathlib
import re
import signal
import subprocess
import sys
import tempfile

from player import Failure, candidates, firefox_profile, run, wait_for

# What a player hears in each language: the captions of the address, the
# key and the field, the button and the dialogs' OK. Orca itself speaks
# English role words, as set up here.
LANGUAGES = {
    "zh_CN": ("地址：", "KEY:", "最终地址：0x", "打开窗口", "确定"),
    "en_US": ("FAIL:", "KEY:", "Answer: 0x", "Open window", "OK"),
    "de_DE": ("FAIL:", "KEY:", "Antwort: 0x", "Fenster öffnen", "OK"),
}
# Each way to play: what announces the game's window (in Firefox the page's
# title with the frame, or the canvas the page focuses, whichever Orca sees
# first); what Orca says when the focus leaves the game for the page (it then
# takes letters typed for its own commands); the alignment of the dialogs, on
# the desktop's heap or in WebAssembly's memory; seconds to start; whether
# Orca reads the field's text back as the focus returns to it.
KINDS = {
    "desktop": (r"^Ravelbox frame", None, 16, 30, False),
    "firefox": (r"^Ravelbox\b", r"\bdocument web\b", 4, 90, True),
}
# Seconds to wait for one utterance.
HEARING = 20

# Orca's speech logger writes each utterance to the log as it is spoken;
# the synthesiser is off, so Orca never starts one. The file named ready
# appears once Orca's main loop runs, its listeners in place.
CUSTOMIZATIONS = """\
import logging
import orca.settings
from gi.repository import GLib
handler = logging.FileHandler({log!r}, encoding="utf-8")
handler.setFormatter(logging.Formatter("%(message)s"))
logging.getLogger("speech").addHandler(handler)
orca.settings.enableSpeech = False
GLib.idle_add(lambda: open({ready!r}, "w").close())
"""


class Session:
    """A session bus's X server, window manager and screen reader, and
    what is started on them; everything stops when the with block ends,
    which prints all that Orca said."""

    def __init__(self, folder):
        self.folder = pathlib.Path(folder)
        self.processes = []
        self.environment = dict(os.environ)
        self.speech = self.folder / "speech.log"
        self.speech.touch()
        self.heard = 0
        # Once the game has the focus, what Orca says if it leaves it.
        self.outside = None

    def __enter__(self):
        try:
            self.set_up()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exception):
        self.stop()
        # What a blind player heard, for ctest -V and for a failure.
        print("\n".join(f"Orca: {said}" for said in self.utterances()))

    def set_up(self):
        read, write = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                    "-nolisten", "tcp"], pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as number:
            display = number.readline().strip()
        if not display:
            raise Failure("Xvfb did not start")
        self.environment.update(DISPLAY=f":{display}", LC_ALL="C.UTF-8")
        for name in ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR",
                     "HOME"):
            folder = self.folder / name.lower()
            folder.mkdir(mode=0o700)
            self.environment[name] = str(folder)
        for name in ("LANGUAGE", "LANG", "LC_MESSAGES", "QT_QPA_PLATFORM", "QT_ACCESSIBILITY",
                     "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "NO_AT_BRIDGE"):
            self.environment.pop(name, None)
        self.start(["openbox"])
        # As a desktop session does: the accessibility bus, started on demand,
        # announces itself on this display, and keeps its sockets and
        # settings in this session's folders, not in the user's home.
        subprocess.run(["dbus-update-activation-environment", "DISPLAY", "HOME",
                        "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"],
                       env=self.environment, check=True, timeout=30)
        ready = self.folder / "orca-ready"
        orca = pathlib.Path(self.environment["XDG_DATA_HOME"]) / "orca"
        orca.mkdir()
        (orca / "orca-customizations.py").write_text(
            CUSTOMIZATIONS.format(log=str(self.speech), ready=str(ready)))
        # RAVELBOX_ORCA_DEBUG=FILE keeps Orca's own account of what it did.
        debug = os.environ.get("RAVELBOX_ORCA_DEBUG")
        self.start(["orca", "--replace", *([f"--debug-file={debug}"] if debug else [])])
        # Slow on a busy machine: its first start writes its settings.
        wait_for("Orca running", lambda: ready.exists(), 60)

    def start(self, command, language=None, **options):
        environment = dict(self.environment, LANGUAGE=language) if language else self.environment
        process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True, **options)
        self.processes.append(process)
        return process

    def stop(self):
        for process in reversed(self.processes):
            for stop in (signal.SIGTERM, signal.SIGKILL):
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(process.pid, stop)
                with contextlib.suppress(subprocess.TimeoutExpired):
                    process.wait(timeout=10)
                    break
        # A browser asks the bus for the desktop's portals, whose document
        # store mounts itself in the runtime folder and stays until the bus
        # ends, after the folder is removed.
        for mount in pathlib.Path("/proc/self/mounts").read_text().splitlines():
            if (point := mount.split()[1]).startswith(f"{self.folder}/"):
                subprocess.run(["fusermount3", "-u", "-z", point], timeout=30, check=True)

    def utterances(self):
        """What Orca has said so far, one utterance a line, key echoes left out."""
        said = []
        for line in self.speech.read_text(encoding="utf-8").splitlines():
            if match := re.fullmatch(r"SPEECH OUTPUT: '(.*)'", line):
                said.append(match[1])
        return said

    def hear(self, what, pattern, timeout=HEARING):
        """Waits until Orca says something, after what was heard last, that
        matches pattern; returns the match."""
        found = []

        def probe():
            said = self.utterances()
            for index in range(self.heard, len(said)):
                if self.outside and re.search(self.outside, said[index]):
                    raise Failure(f"the focus left the game: Orca said {said[index]!r}")
                if match := re.search(pattern, said[index]):
                    found.append(match)
                    self.heard = index + 1
                    return True
            return said[self.heard:][-6:]
        wait_for(f"'{what}' heard", probe, timeout)
        return found[0]

    def keys(self, *names):
        subprocess.run(["xdotool", "key", "--clearmodifiers", *names], env=self.environment,
                       check=True, timeout=30)

    def type(self, text):
        # At a brisk typist's pace, not the tool's own.
        subprocess.run(["xdotool", "type", "--clearmodifiers", "--delay", "60", text],
                       env=self.environment, check=True, timeout=30)


def clues(session, texts, window, starting, outside):
    """Waits for the window, walks the Tab chain from the field and returns
    the address and the key as spoken, each after its caption."""
    address_caption, key_caption, field, button, _ = texts
    session.hear("the window", window, starting)
    session.hear("the field", re.escape(field) + r".* (text|entry)\b")
    session.outside = outside
    session.keys("Tab")
    session.hear("the button", re.escape(button) + r".* push button")
    session.keys("Tab")
    value = r"\s*(?:read only entry\s*)?({})\b"
    address = session.hear(f"the address after '{address_caption}'",
                           re.escape(address_caption) + value.format("0x[0-9a-f]+"))[1]
    session.keys("Tab")
    key = session.hear(f"the key after '{key_caption}'",
                       re.escape(key_caption) + value.format("[0-9]{16,}"))[1]
    session.keys("Tab")
    session.hear("the field again", re.escape(field))
    return address, key


def answer(session, typed, texts, read_back):
    """Types typed over the field, presses Return, and returns the banner
    heard with the dialog; Escape then closes the dialog back to the field,
    read back with what was typed if read_back."""
    field, ok = texts[2], texts[4]
    session.keys("ctrl+a")
    session.type(typed)
    session.keys("Return")
    banner = session.hear(f"a dialog for {typed!r}", r"\bdialog\W+(SUCCESS|FAIL)!")[1]
    session.hear(f"the {banner} dialog's {ok}", re.escape(ok) + r" push button")
    session.keys("Escape")
    session.hear(f"the field after {banner}" + (f" holding {typed!r}" if read_back else ""),
                 re.escape(field) + (r"\W.*\b" + re.escape(typed) + r"\b" if read_back else ""))
    return banner


def main(language, kind, target):
    if "RAVELBOX_ORCA_SESSION" not in os.environ:
        # A session bus of its own, so that the screen reader hears only this.
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv],
                   dict(os.environ, RAVELBOX_ORCA_SESSION="1"))
    texts = LANGUAGES[language]
    window, outside, alignment, starting, read_back = KINDS[kind]
    with tempfile.TemporaryDirectory(prefix="ravelbox-orca-") as folder, \
            contextlib.ExitStack() as stack, Session(folder) as session:
        if kind == "desktop":
            session.start([target], language=f"{language}:en")
        else:
            from browser import serve
            site = stack.enter_context(serve(target))
            # Its content in the player's language.
            profile = firefox_profile(pathlib.Path(folder) / "profile", **{
                "intl.accept_languages": language.replace("_", "-")})
            session.start(["firefox-esr", "--no-remote", "--new-instance", "--profile",
                           str(profile),
                           site.url()])
        address, key = clues(session, texts, window, starting, outside)
        found = [text for text in candidates(address, key, alignment)
                 if answer(session, text, texts, read_back) == "SUCCESS"]
        if len(found) != 1:
            raise Failure(f"{len(found)} of the candidates were heard as SUCCESS: {found}")
        # Every hex letter reaches the field past the screen reader.
        for typed in ("0", "abcdef"):
            if (banner := answer(session, typed, texts, read_back)) != "FAIL":
                raise Failure(f"{typed!r} was heard as {banner}")
    return 0


if __name__ == "__main__":
    run(main)
