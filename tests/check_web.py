#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Plays the web version as players would, in each browser engine.

Usage: check_web.py chromium|firefox|webkit SITE-FOLDER SITE-TOOL PAGE TEXTS QTLOADER
                    PAGE.js PAGE.css PROGRAM.js PROGRAM.wasm

Serves the folder as ./run.sh --web does, with nginx, and checks what it
serves. With chromium: loads the page once per language in headless
Chromium. Each time it waits for the window, copies the address and the key
through the clipboard, and checks the texts and a dialog's buttons. The
page's count of Qt's open windows tells when a dialog has opened and
closed. In Chinese it works out the SUCCESS dialog's address from the digits
it copied and plays: of the candidates exactly one opens SUCCESS, 0 and the
FAIL address open FAIL, and Escape or Return closes every dialog. Two loads
must show different addresses, the page must log no error and hear no
policy violation, and closing the window must end the game with an offer to
play again. What the canvas shows is read with tesseract; what a screen
reader hears, from the engine's accessibility tree, at every step; and
axe-core audits the page in each of its states, on the desktop and on
emulated Android phones and a tablet. There the windows must fit the
screen, taps copy the address and the key, type and close the game, and the
dialog is opened and closed through the tree's buttons as a screen reader
does; upright and on its side, on Android and on an iPhone, the game is
played to SUCCESS by touch and the phone's keyboard alone. With firefox or
webkit, the same steps run in Firefox ESR or WebKitGTK on a private display:
the game by keyboard to SUCCESS in each language, a missing program, Firefox
as an Android phone played by touch, WebKit's small windows. Last, in each engine,
a second visit must play with no server, and once a rebuilt site is served
(made by the build's own tool, whose files follow the folder on the command
line), the next visit must run it and only it. Fails at the first step that
goes wrong, saying what it saw, and at once when the page shows its error;
the screenshots, one of every failure included, stay in web-screenshots/ of
the working folder.
"""
import contextlib
import gzip
import http.client
import io
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import threading

import brotli
from PIL import Image, ImageChops
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.common.exceptions import TimeoutException

from browser import axe_source, serve
from engines import Chromium, Display, Firefox, WebKit
from player import Failure, candidates, run, wait_for

# Dialogs lie on multiples of this many bytes in WebAssembly's memory.
ALIGNMENT = 4

# Language: what tesseract reads it with, the button's text, the dialogs'
# Cancel and OK, then what a screen reader hears: the names of the field,
# the address and the key (their captions), the FAIL dialog's title and the
# page's words at the end.
LANGUAGES = {
    "zh-CN": ("chi_sim+eng", "打开窗口", "取消", "确定", "最终地址：0x", "地址：", "KEY:", "FAIL",
              "游戏已结束。感谢游玩。"),
    "en-US": ("eng", "Open window", "Cancel", "OK", "Answer: 0x", "FAIL:", "KEY:", "FAIL",
              "The game has ended. Thank you for playing."),
    "de-DE": ("deu+eng", "Fenster öffnen", "Abbrechen", "OK", "Antwort: 0x", "FAIL:", "KEY:",
              "Fehlschlag", "Das Spiel ist beendet. Danke fürs Spielen."),
}
# What the page then calls its language.
PAGE_LANGUAGES = {"zh-CN": "zh-CN", "en-US": "en", "de-DE": "de"}
TITLE_BAR = (48, 140, 198)
# A dialog's width and the middles of its Cancel and OK buttons (right-aligned
# in its button box at 30, 240, 341 x 32), in its own pixels.
DIALOG_WIDTH = 400
DIALOG_BUTTONS = {False: (332, 256), True: (247, 256)}
# Return with its keypress apart from its keydown: Chromium's stand-in for a
# busy Firefox, which sends the keypress after the dialog has the focus.
LATE_RETURN = "late Return"
# In the clipboard before each copy, so that a copy that never arrives shows.
SENTINEL = "nothing copied yet"
SCREENSHOTS = pathlib.Path("web-screenshots")
AXE = axe_source()
# The main window with its frame, in CSS pixels at full size.
FRAMED_WIDTH = 518
# Phones and a tablet as Chromium emulates them, with touch and an Android
# browser: a small phone, a large one upright and on its side, a tablet.
PHONES = {"small": {"width": 360, "height": 640, "deviceScaleFactor": 2, "mobile": True},
          "portrait": {"width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True},
          "landscape": {"width": 844, "height": 390, "deviceScaleFactor": 3, "mobile": True},
          "tablet": {"width": 768, "height": 1024, "deviceScaleFactor": 2, "mobile": True}}
# Qt's keyboard input takes one way on Android and another on an iPhone,
# told apart by the browser's platform; on both, Qt's input element sits
# beside the canvas.
SYSTEMS = {
    "Android": {"userAgent": "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 "
                "(KHTML, like Gecko) Chrome/120.0 Mobile Safari/537.36",
                "platform": "Linux armv8l"},
    "iPhone": {"userAgent": "Mozilla/5.0 (iPhone; CPU iPhone OS 17_0 like Mac OS X) "
               "AppleWebKit/605.1.15 (KHTML, like Gecko) Version/17.0 Mobile/15E148 "
               "Safari/604.1", "platform": "iPhone"},
}
QT_INPUT = "main > input"
# Firefox as on an Android phone, with touch events.
FIREFOX_PHONE = {
    "general.useragent.override": "Mozilla/5.0 (Android 14; Mobile; rv:153.0) Gecko/153.0 "
                                  "Firefox/153.0",
    "general.platform.override": "Linux armv8l",
    "dom.w3c_touch_events.enabled": 1,
    # Qt gives a screen that reports no touch point no soft keyboard.
    "dom.maxtouchpoints.testing.value": 5,
}
# Where a phone plays the whole game by touch, on each system.
PLAYED = ("portrait", "landscape")
# What the server says each kind of file is.
SERVED_TYPES = {".html": "text/html", ".js": "application/javascript", ".css": "text/css",
                ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                ".png": "image/png", ".txt": "text/plain"}
# The site's policy: its own files alone, WebAssembly compiled from them, no
# plugins, no other base and no framing; nothing may relax it further.
STRICT = {"default-src": {"'self'"}, "script-src": {"'self'", "'wasm-unsafe-eval'"},
          "style-src": {"'self'"}, "object-src": {"'none'"}, "base-uri": {"'none'"},
          "frame-ancestors": {"'none'"}}
LAX = {"'unsafe-inline'", "'unsafe-eval'", "*", "blob:", "http:", "https:"}
# Where the page's focus is once the element that has it leaves the page:
# on the body, a screen reader follows it out of the game.
WATCH_FOCUS = """
const focused = document.activeElement;
window.ravelboxFocusAfter = null;
const watch = new MutationObserver(() => {
  if (focused.isConnected)
    return;
  watch.disconnect();
  const now = document.activeElement;
  window.ravelboxFocusAfter = !now || now === document.body ? "the page's body"
    : now.getAttribute("aria-label") || now.textContent;
});
watch.observe(document.body, { childList: true, subtree: true });
"""
# What the browser logs of a server that fails: the answers, and the service
# worker's update check; never a policy violation.
BAD_SERVER = re.compile(r"^(?!policy violation).*(503|ServiceWorker|net::ERR_)")
# Features a page may be granted that the game has no use for.
PERMISSIONS_DENIED = ("camera", "microphone", "geolocation", "payment", "usb", "fullscreen")


@contextlib.contextmanager
def pictured(browser, name):
    """Whatever fails inside, the driver and tesseract included, leaves a
    picture of the page as web-screenshots/failure-NAME.png; the browser,
    an engine, quits in any case."""
    try:
        yield
    except Exception:
        SCREENSHOTS.mkdir(exist_ok=True)
        try:
            browser.save(SCREENSHOTS / f"failure-{name}.png")
        except Exception as error:  # the browser itself may be gone
            print(f"no screenshot of the failure: {error}")
        raise
    finally:
        browser.quit()


def hashed_names(site):
    """The names, hash included, that a site's page loads."""
    return set(re.findall(r'"([a-z]+\.[0-9a-f]{12})(?:\.js|\.css)?"',
                          (site / "index.html").read_text(encoding="utf-8")))


def network(browser, online):
    browser.execute_cdp_cmd("Network.emulateNetworkConditions", {
        "offline": not online, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})


def no_errors(page, where, allowed=None):
    """Fails on what the page logged as errors, but those allowed matches."""
    if errors := [error for error in page.errors() if not (allowed and allowed.search(error))]:
        raise Failure(f"the page logged errors {where}: " + "; ".join(errors))


class Page:
    """The page in an engine; browser is its selenium driver, where it has one."""

    def __init__(self, engine, url, language):
        self.engine = engine
        self.browser = getattr(engine, "driver", None)
        self.language = language
        (self.ocr_language, self.button, self.cancel, self.ok, self.field, self.address_name,
         self.key_name, self.fail_title, self.ended) = LANGUAGES[language]
        self.address = self.key = None
        self.places = {}
        self.scale = 1
        engine.get(url)

    def state(self):
        """The page's state, or what another page in its place says; a page
        that shows its error fails the check at once."""
        # Between two pages there may be a document with no body yet.
        state, message = self.engine.script(
            "const message = document.getElementById('message');"
            "if (!document.body) return [null, 'none yet'];"
            "return [document.body.dataset.state,"
            "        message ? message.textContent : document.body.innerText.slice(0, 80)]")
        if state == "error":
            raise Failure(f"the page shows an error: {message}")
        return state or f"another page: {message!r}"

    def wait_error(self, what, timeout=30):
        """Waits for the page to show its error state."""
        wait_for(what, lambda: self.engine.script(
            "return document.body && document.body.dataset.state") == "error"
            or "no error shown", timeout)

    def windows(self):
        """How many of Qt's windows are open, as the game tells the page."""
        return self.engine.script("return document.body && document.body.dataset.windows")

    def wait_windows(self, count, what):
        def probe():
            self.state()
            return self.windows() == str(count) or f"{self.windows()} windows open"
        wait_for(what, probe)

    def shot(self):
        """The canvas as PNG; keeps its pixels per CSS pixel in scale."""
        png = self.engine.canvas_png()
        width = int.from_bytes(png[16:20], "big")
        self.scale = width / self.engine.script(
            "return document.getElementById('qtcanvas').getBoundingClientRect().width")
        return png

    def canvas(self):
        return Image.open(io.BytesIO(self.shot())).convert("RGB")

    def read(self):
        return self.ocr(self.shot())

    def ocr(self, png, *output):
        """What tesseract reads in png: text, or with "tsv" its words' boxes.
        One thread: tesseract's others spin on the core the entry beside
        this one needs, and made it slower here too."""
        return subprocess.run(
            ["tesseract", "-", "-", "-l", self.ocr_language, "--psm", "11", *output],
            input=png, capture_output=True, check=True,
            env={**os.environ, "OMP_THREAD_LIMIT": "1"}).stdout.decode()

    def shows(self, *texts, seen=None):
        seen = self.read() if seen is None else seen
        squeezed = seen.replace(" ", "")
        if all(text.replace(" ", "") in squeezed for text in texts):
            return True
        return seen.strip() or "nothing"

    def save(self, name):
        SCREENSHOTS.mkdir(exist_ok=True)
        self.engine.save(SCREENSHOTS / f"{name}.png")

    def keys(self, *keys):
        self.engine.keys(*keys)

    def type_over(self, text):
        """Replaces what the field holds with text."""
        self.engine.chord(Keys.CONTROL, "a")
        self.engine.keys(text)

    def clipboard(self, write=None):
        """Reads the clipboard, or writes text to it and returns ''."""
        return self.engine.clipboard(write)

    def copy(self):
        """Copies with Ctrl+C and returns what reached the clipboard, once it has."""
        self.clipboard(SENTINEL)
        # xclip owns the X selection from a process of its own, which a busy
        # machine may start after the copy: the copy would then be lost.
        wait_for("the clipboard cleared", lambda: self.clipboard() == SENTINEL
                 or "not yet", 10)
        self.engine.chord(Keys.CONTROL, "c")
        wait_for("copied text", lambda: self.clipboard() != SENTINEL or "nothing copied", 10)
        return self.clipboard()

    def errors(self):
        """What the page logged as errors, and the policy violations it heard."""
        return self.engine.errors() + self.violations()

    def violations(self):
        """The policy violations this page heard, from its first script on."""
        return [f"policy violation: {violation}" for violation in
                self.engine.script("return window.ravelboxViolations || []")]

    def canvas_place(self):
        """The canvas's left and top in the page's view, and its screenshots'
        pixels per CSS pixel."""
        left, top = self.engine.script(
            "const r = document.getElementById('qtcanvas').getBoundingClientRect();"
            "return [r.left, r.top];")
        return left, top, self.scale

    def audit(self, state):
        """Fails on any violation axe-core finds in the page as it stands."""
        if not self.engine.script("return !!window.axe"):
            self.engine.script(AXE)
        found = self.engine.script_async(
            "const done = arguments[0];"
            "axe.run(document, {resultTypes: ['violations']}).then(result => done("
            "  result.violations.map(v => v.id + ' at ' + v.nodes.map(n => n.target).join(', '))),"
            "  error => done(['axe-core failed: ' + error]));")
        if found:
            raise Failure(f"axe-core, {state} page: " + "; ".join(found))

    def find(self, word):
        """Where the canvas shows word, found with tesseract, as the page's
        (left, top, right, bottom) in CSS pixels, once it is drawn. The
        window never moves, so a word is looked for once a page, as a
        player taps where the field was without reading it again."""
        if word in self.places:
            return self.places[word]
        found = []

        def probe():
            boxes = self.ocr(self.shot(), "tsv")
            left, top, scale = self.canvas_place()
            for row in boxes.splitlines():
                fields = row.split("\t")
                if len(fields) == 12 and fields[11].startswith(word):
                    x, y, width, height = map(int, fields[6:10])
                    found[:] = [left + x / scale, top + y / scale, left + (x + width) / scale,
                                top + (y + height) / scale]
                    return True
            return "not on the canvas"
        wait_for(f"{word!r} drawn", probe, 15)
        self.places[word] = found
        return found

    def tap_right_of(self, word, distance):
        """Taps the canvas with a finger distance CSS pixels right of where
        it shows word."""
        left, top, right, bottom = self.find(word)
        self.tap({"x": right + distance, "y": (top + bottom) / 2})

    def tap_on(self, word):
        left, top, right, bottom = self.find(word)
        self.tap({"x": (left + right) / 2, "y": (top + bottom) / 2})

    def title_bars(self):
        """The windows' title bars, top to bottom, as (left, top, right,
        bottom) in the canvas's screenshot pixels."""
        image = self.canvas()
        pixels = image.load()
        rows = {y for y in range(image.height) if sum(
            pixels[x, y] == TITLE_BAR for x in range(0, image.width, 4)) > image.width // 16}
        bars = []
        for top in sorted(y for y in rows if y - 1 not in rows):
            bottom = top
            while bottom + 1 in rows:
                bottom += 1
            xs = [x for x in range(image.width) if pixels[x, top] == TITLE_BAR]
            bars.append((xs[0], top, xs[-1], bottom))
        return bars

    def press(self, x, y, touch):
        """Taps, or clicks, the point x, y of the canvas's screenshot."""
        left, top, scale = self.canvas_place()
        if touch:
            self.tap({"x": left + x / scale, "y": top + y / scale})
        else:
            self.engine.click(left + x / scale, top + y / scale)

    def tap_dialog_button(self, name):
        """Taps OK or Cancel of the open dialog, placed by the dialogs' fixed
        geometry from the dialog's title bar: labels as short as OK defeat
        tesseract."""
        bars = self.title_bars()
        if len(bars) < 2:
            raise Failure(f"no dialog's title bar to place {name} by")
        left, _, right, bottom = bars[1]
        per_pixel = (right - left) / DIALOG_WIDTH
        x, y = DIALOG_BUTTONS[name == self.ok]
        self.press(left + x * per_pixel, bottom + y * per_pixel, touch=True)

    def soft_key(self, key, code):
        """A key of a phone's keyboard that types no text: Enter or Backspace."""
        self.engine.soft_key(key, code)

    def activate(self, name):
        """Clicks the button of that name in the page's mirror of the game,
        as a screen reader does when the player activates it."""
        clicked = self.engine.script(
            "const button = [...document.querySelectorAll('#qtcanvas button')]"
            "  .find(b => b.textContent === arguments[0]);"
            "if (button) button.click(); return !!button;", name)
        if not clicked:
            raise Failure(f"no button {name!r} to activate")

    def expect_tree(self, what, focus, field=None, banner=None):
        """Waits until what a screen reader reads, as far as the engine's
        driver tells it, holds the window and its values, the field holding
        field unless that is None, the FAIL or SUCCESS dialog when banner
        names it, described by it, and the focus on the (role, name) focus
        if given. Nodes are (value, focused, text, description)."""
        def holds(role, node):
            return {"textbox": node[0], "alertdialog": node[3]}.get(role, node[2])

        def probe():
            self.state()
            nodes = self.engine.reader()
            wanted = [("region", "Ravelbox", None), ("button", self.button, None),
                      ("textbox", self.field, field)]
            if self.address:
                wanted += [("textbox", self.address_name, self.address),
                           ("textbox", self.key_name, self.key)]
            if banner:
                title = self.fail_title if banner == "FAIL!" else None
                wanted += [("alertdialog", title, banner),
                           ("button", self.ok, None), ("button", self.cancel, None)]
            missing = [(role, name, held) for role, name, held in wanted if not any(
                held in (None, holds(role, node)) for node in nodes(role, name))]
            if not banner and (nodes("dialog") or nodes("alertdialog")):
                missing.append("no dialog")
            if focus and not any(node[1] for node in nodes(*focus)):
                missing.append(f"focus on {focus}, not on " + str(self.engine.script(
                    "const e = document.activeElement;"
                    "return e && (e.getAttribute('aria-label') || e.textContent || e.id);")))
            held = [node[0] for node in nodes("textbox", self.field)]
            return not missing or f"missing {missing}, the field holding {held}"
        wait_for(f"accessibility tree {what}", probe)

    def start(self):
        wait_for("running game", lambda: self.state() == "running" or self.state(), 90)
        self.wait_windows(1, "the game's window")
        wait_for(f"window with '{self.button}'", lambda: self.shows(self.button))
        self.save(f"window-{self.language}" if self.engine.name == "Chromium"
                  else f"{self.engine.name}-window-{self.language}")
        field, button = ("textbox", self.field), ("button", self.button)
        self.expect_tree("at the start", field, field="")
        # The field has the focus; Tab reaches the button, then each value whole.
        self.keys(Keys.TAB)
        self.expect_tree("on the button", button)
        self.keys(Keys.TAB)
        self.expect_tree("on the address", ("textbox", self.address_name))
        address = self.copy()
        self.keys(Keys.TAB)
        self.expect_tree("on the key", ("textbox", self.key_name))
        key = self.copy()
        self.keys(Keys.TAB)
        if not address.startswith("0x") or not key.isdigit():
            raise Failure(f"copied {address!r} and {key!r}, not an address and a key")
        self.address, self.key = address, key
        self.expect_tree("with the values whole", field)
        return address, key

    def dialog(self, text, close, *texts, screenshot=None, audit=None, opener=Keys.RETURN):
        """Types text into the field and opens a dialog with Return, Space on
        the button, a click on it (opener "click") or a Return whose keypress
        comes once the dialog has the focus (LATE_RETURN), as a busy Firefox
        sends it; once it shows texts too, closes it with close and returns
        its banner. The accessibility tree follows each step."""
        field, button = ("textbox", self.field), ("button", self.button)
        from_field = opener in (Keys.RETURN, LATE_RETURN)
        self.type_over(text)
        self.expect_tree(f"with {text!r} typed", field, field=text)
        if opener == "click":
            left, top, right, bottom = self.find(self.button.split()[0])
            canvas_left, canvas_top, scale = self.canvas_place()
            self.press(((left + right) / 2 - canvas_left) * scale,
                       ((top + bottom) / 2 - canvas_top) * scale, touch=False)
        elif opener == Keys.SPACE:
            self.keys(Keys.TAB)
            self.expect_tree("on the button to press", button)
            self.keys(Keys.SPACE)
        elif opener == LATE_RETURN:
            self.engine.return_apart(lambda: wait_for(
                "the focus on the dialog's OK before Return's keypress",
                lambda: any(node[1] for node in self.engine.nodes("button", self.ok))
                or "not yet"))
        else:
            self.keys(opener)
        self.wait_windows(2, f"dialog for {text!r}")
        banners = [self.banner(text, *texts)]
        self.expect_tree(f"with the {banners[0]} dialog", ("button", self.ok), banner=banners[0])
        if screenshot:
            self.save(screenshot)
        if audit:
            self.audit(audit)
        self.engine.script(WATCH_FOCUS)
        self.keys(close)
        self.wait_windows(1, f"{banners[0]} closed by {close!r}")
        self.expect_tree(f"after {banners[0]} closed", field if from_field else button)
        went = self.engine.script("return window.ravelboxFocusAfter")
        if went in (None, "the page's body"):
            raise Failure(f"as the {banners[0]} dialog closed, the page's focus went to "
                          f"{went or 'nowhere'}")
        if not from_field:
            self.engine.chord(Keys.SHIFT, Keys.TAB)
            self.expect_tree("back on the field", field)
        return banners[0]

    def close_window(self, touch=False):
        """Clicks, or taps, the close button at the right end of the
        window's title bar."""
        bars = self.title_bars()
        if not bars:
            raise Failure("no title bar to close the window by")
        _, top, right, bottom = bars[0]
        self.press(right - (bottom - top) / 2, (top + bottom) / 2, touch)

    def banner(self, text, *texts):
        """The banner of the dialog opened for text, once it shows, with texts."""
        banners = []

        def opened():
            seen = self.read()
            banners[:] = [name for name in ("SUCCESS!", "FAIL!") if name in seen]
            return bool(banners) and self.shows(*texts, seen=seen)
        wait_for(f"dialog for {text!r} with its banner and {texts}", opened)
        return banners[0]

    def tap(self, point):
        self.engine.tap(point["x"], point["y"])

    def on_screen(self, what):
        """Waits until the game's windows lie wholly in the page's view,
        with no sideways scrolling, drawn at least two thirds of their size,
        below which text would be smaller than 8 CSS pixels; fails if they
        never do. A new view's first frames may still be drawn for the old."""
        wait_for(f"{what}: the window whole in the view", self.fits)

    def fits(self):
        # The screen's colour is the commonest around the edge, which a
        # window that fits leaves bare; the outermost pixels are left out,
        # where the canvas's edge may blend with the page.
        whole = self.canvas()
        image = whole.crop((2, 2, whole.width - 2, whole.height - 2))
        pixels = image.load()
        edge = [pixels[x, y] for x in range(image.width) for y in (0, image.height - 1)]
        edge += [pixels[x, y] for y in range(image.height) for x in (0, image.width - 1)]
        background = max(set(edge), key=edge.count)
        box = ImageChops.difference(image, Image.new("RGB", image.size, background)).getbbox()
        left, top, right, bottom, view_width, view_height, scroll_width, scale = \
            self.engine.script(
                "const r = document.getElementById('qtcanvas').getBoundingClientRect();"
                "return [r.left, r.top, r.right, r.bottom, innerWidth, innerHeight,"
                "        document.documentElement.scrollWidth, devicePixelRatio];")
        width, height = image.size
        problems = []
        if not box or box[0] == 0 or box[1] == 0 or box[2] == width or box[3] == height:
            problems.append(f"the window is cut by the canvas: {box} of {image.size}")
        if left < 0 or top < 0 or right > view_width or bottom > view_height:
            problems.append(f"the canvas {left, top, right, bottom} leaves the view")
        if scroll_width > view_width:
            problems.append(f"the page scrolls sideways: {scroll_width} > {view_width}")
        if box and (box[2] - box[0]) / scale < FRAMED_WIDTH * 2 / 3:
            problems.append(f"the window is drawn {(box[2] - box[0]) / scale} px wide")
        return not problems or "; ".join(problems)

def sweep(page, address, key):
    """Of the candidates, exactly one opens SUCCESS: it is returned."""
    found = [text for text in candidates(address, key, ALIGNMENT)
             if page.dialog(text, Keys.ESCAPE) == "SUCCESS!"]
    if len(found) != 1:
        raise Failure(f"{len(found)} of the candidates opened SUCCESS: {found}")
    return found


def play(page, address, key):
    found = sweep(page, address, key)
    # Ten dialogs in all so far counting those below, each closed by key.
    for text, close, banner, opener in (
            ("0", Keys.RETURN, "FAIL!", Keys.RETURN), (address, Keys.ESCAPE, "FAIL!", LATE_RETURN),
            (found[0].upper(), Keys.RETURN, "SUCCESS!", Keys.RETURN),
            ("0x" + found[0], Keys.ESCAPE, "SUCCESS!", Keys.RETURN)):
        if (opened := page.dialog(text, close, opener=opener)) != banner:
            raise Failure(f"{text!r} opened {opened}, not {banner}")


def failed_load(engine, url, language, layout):
    """The page when the game cannot be fetched shows its error, accessibly."""
    browser = engine.driver
    browser.execute_cdp_cmd("Network.enable", {})
    browser.execute_cdp_cmd("Network.setBlockedURLs", {"urls": ["*.wasm"]})
    page = Page(engine, url, language)
    page.wait_error("the error")
    page.audit(f"{layout} error")
    if violations := page.violations():
        raise Failure(f"the {layout} error page: " + "; ".join(violations))
    browser.execute_cdp_cmd("Network.setBlockedURLs", {"urls": []})


def missing_program(engine, site, language):
    """With the program's WebAssembly missing, the page shows its error
    and its button to try again, which then starts the game."""
    def gone(path, status, headers, body):
        return (404, headers, b"gone") if path.split("?")[0].endswith(".wasm") else (
            status, headers, body)
    site.tamper = gone
    try:
        page = Page(engine, site.url(), language)
        page.wait_error(f"the error in {engine.name} with the program missing")
    finally:
        site.tamper = None
    engine.click(*engine.script(
        "const r = document.getElementById('again').getBoundingClientRect();"
        "return [r.left + r.width / 2, r.top + r.height / 2];"))
    wait_for("the page loaded again", lambda: engine.script(
        "return document.body && document.body.dataset.state") != "error" or "the error")
    wait_for(f"the game in {engine.name} once tried again",
             lambda: page.state() == "running" or page.state(), 90)


def keyboard(engine, url, language):
    """The game played by keyboard to exactly one SUCCESS, its values
    copied and its dialog's Cancel seen, read as a screen reader reads it
    at every step, with nothing logged as an error."""
    page = Page(engine, url, language)
    address, key = page.start()
    print(f"{engine.name}, {language}: address {address}, key {key}")
    # The page's words in the game's language.
    spoken = engine.script("return document.documentElement.lang")
    if spoken != PAGE_LANGUAGES[language]:
        raise Failure(f"the page in {engine.name} speaks {spoken!r} beside the game's {language}")
    # How the game reads an answer is the same in every engine: Chromium
    # tries the other forms.
    sweep(page, address, key)
    page.dialog("0", Keys.RETURN, "FAIL!", page.cancel, screenshot=f"{engine.name}-{language}")
    no_errors(page, f"in {engine.name}, {language}")
    return page


def firefox_phone(display, url):
    """Firefox on an Android phone, upright and on its side: the game fits
    the screen, a tap copies each value, and it is played by touch and the
    phone's keyboard to SUCCESS."""
    firefox = Firefox(display, FIREFOX_PHONE)
    with pictured(firefox, "Firefox-phone"):
        for layout in PLAYED:
            size = PHONES[layout]
            firefox.viewport(size["width"], size["height"], size["deviceScaleFactor"])
            page = Page(firefox, url, "en-US")
            wait_for("the game on the phone", lambda: page.state() == "running" or page.state(), 90)
            page.wait_windows(1, "the game's window on the phone")
            page.on_screen(f"{layout} Firefox")
            tap_values(page)
            print(f"{layout} Firefox: SUCCESS at 0x{touch_play(page, page.address, page.key)}")
            no_errors(page, f"on the {layout} Firefox phone")


def webkit_fits(url):
    """WebKit, whose driver has no touch, in a phone's window: the game
    must fit, upright and on its side."""
    webkit = WebKit("en-US")
    with pictured(webkit, "WebKit-small"):
        for layout in ("small", *PLAYED):
            size = PHONES[layout]
            webkit.view(size["width"], size["height"])
            page = Page(webkit, url, "en-US")
            wait_for("the game in a small view",
                     lambda: page.state() == "running" or page.state(), 90)
            page.wait_windows(1, "the game's window in a small view")
            page.on_screen(f"{layout} WebKit")
            # GTK keeps a window wider than the smallest phones.
            print(f"{layout} WebKit: fits a view of %s x %s" % tuple(
                webkit.script("return [innerWidth, innerHeight]")))


def firefox_rows(display, site):
    """Firefox ESR, which takes each page's language from its driver: a
    missing program, the game by keyboard in each language, then on a phone."""
    firefox = Firefox(display)
    with pictured(firefox, "Firefox"):
        missing_program(firefox, site, "en-US")
        for language in LANGUAGES:
            firefox.language(language)
            keyboard(firefox, site.url(), language)
    firefox_phone(display, site.url())


def webkit_rows(site):
    """WebKit, whose language is its process's: one MiniBrowser a language,
    the first also with a missing program, then the small views."""
    for number, language in enumerate(LANGUAGES):
        # MiniBrowser started with LANG=C says its language is "C", which
        # the game shows in Chinese, as written.
        webkit = WebKit("C" if language == "zh-CN" else language)
        with pictured(webkit, f"WebKit-{language}"):
            if number == 0:
                missing_program(webkit, site, language)
            keyboard(webkit, site.url(), language)
    webkit_fits(site.url())


def touch_dialog(page, typed, text, by_enter, close):
    """Types text over typed in the field by touch and the phone's keyboard,
    opens the dialog with Enter or a tap on the button, closes it with a tap
    on close and returns its banner."""
    # Past the end of what the field holds, as a player taps to go on
    # typing there, but still on the field.
    page.tap_right_of(page.field.split()[0], 80)
    wait_for("Qt's input element", lambda: page.engine.script(
        "return document.activeElement === document.querySelector(arguments[0])",
        QT_INPUT) or "not focused")
    for _ in typed:
        page.soft_key("Backspace", 8)
    # All at once, as the keyboard pastes or completes it.
    page.engine.insert_text(text)
    page.expect_tree(f"with {text!r} typed on the phone", None, field=text)
    if by_enter:
        page.soft_key("Enter", 13)
    else:
        page.tap_on(page.button.split()[0])
    page.wait_windows(2, f"dialog for {text!r} by touch")
    banners = [page.banner(text)]
    page.on_screen(f"{text!r}'s dialog")
    page.tap_dialog_button(close)
    page.wait_windows(1, f"{banners[0]} closed by a tap")
    return banners[0]


def touch_play(page, address, key):
    """Plays the game to SUCCESS as a phone's player does: taps the field,
    types each answer with the phone's keyboard, opens the dialog with a
    tap on the button or with Enter and closes it with a tap on OK or
    Cancel; last, opens SUCCESS again."""
    typed = ""
    found = []
    for number, text in enumerate(candidates(address, key, ALIGNMENT)):
        close = page.ok if number % 2 else page.cancel
        if touch_dialog(page, typed, text, number % 2, close) == "SUCCESS!":
            found.append(text)
        typed = text
    if len(found) != 1:
        raise Failure(f"{len(found)} of the candidates opened SUCCESS by touch: {found}")
    if (banner := touch_dialog(page, typed, found[0], False, page.ok)) != "SUCCESS!":
        raise Failure(f"{found[0]!r} opened {banner} the second time")
    return found[0]


def tap_values(page):
    """A tap on a value shows it whole and copies it."""
    values = {}
    for caption, name in (("FAIL", page.address_name), ("KEY", page.key_name)):
        page.clipboard(SENTINEL)
        page.tap_right_of(caption, 40)
        wait_for(f"the {caption} value copied by a tap",
                 lambda: page.clipboard() != SENTINEL or "nothing copied")
        values[caption] = page.clipboard()
        if [values[caption]] != [node[0] for node in page.engine.nodes("textbox", name)]:
            raise Failure(f"a tap copied {values[caption]!r}, not the {caption} value")
    page.address, page.key = values["FAIL"], values["KEY"]


def phone(url, hold, layout, system):
    """On a phone the window fits the screen and a tap on a value copies it
    whole. The keyboard types through Qt's own input element; where PLAYED,
    the whole game is played by touch to SUCCESS. The dialog opens and closes
    through the tree as a screen reader does, and a tap on the window's close
    button ends the game; axe-core audits the page in each state."""
    engine = Chromium("--force-renderer-accessibility", language="en-US")
    browser = engine.driver
    agent = SYSTEMS[system]
    where = f"{layout} {system}"
    with pictured(engine, f"{layout}-{system}"):
        browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", PHONES[layout])
        browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})
        browser.execute_cdp_cmd("Emulation.setUserAgentOverride", agent)
        hold.clear()
        page = Page(engine, url, "en-US")
        wait_for("loading", lambda: page.state() == "loading" or page.state())
        page.audit(f"{where} loading")
        hold.set()
        wait_for("running game", lambda: page.state() == "running" or page.state(), 90)
        page.wait_windows(1, "the game's window")
        page.on_screen(where)
        page.audit(f"{where} running")
        tap_values(page)
        # A tap on the field opens the phone's keyboard through Qt's own
        # input element, which must be named too.
        page.tap_right_of("Answer", 40)
        wait_for("Qt's input element, named", lambda: browser.execute_script(
            "const input = document.querySelector(arguments[1]);"
            "return input && input === document.activeElement"
            "  && input.getAttribute('aria-label') === arguments[0];", page.field, QT_INPUT)
            or "none with the focus and the field's name")
        page.engine.insert_text("0")
        page.expect_tree("with 0 typed on the phone", None, field="0")
        page.audit(f"{where} typing")
        page.soft_key("Backspace", 8)
        page.expect_tree("with 0 taken back", None, field="")
        if layout in PLAYED:
            print(f"{where}: SUCCESS at 0x{touch_play(page, page.address, page.key)}")
            banner = "SUCCESS!"
        else:
            page.engine.insert_text("0")
            banner = "FAIL!"
        # As a screen reader on a phone opens and closes a dialog: by
        # activating the buttons it reads out.
        page.activate(page.button)
        page.wait_windows(2, "dialog opened through the tree")
        page.expect_tree("with the dialog opened through the tree", ("button", page.ok),
                         banner=banner)
        page.on_screen(f"{where} with a dialog")
        page.audit(f"{where} dialog")
        page.activate(page.ok)
        page.wait_windows(1, "dialog closed through the tree")
        page.close_window(touch=True)
        wait_for("end of the game", lambda: page.state() == "ended" or page.state())
        page.audit(f"{where} ended")
        no_errors(page, f"on the {where} phone")
        if system == "Android":
            failed_load(engine, url, "en-US", f"{layout} phone")


def served(site, folder):
    """Every kind of file comes from the server with the headers a careful
    host sends: its type, the .br copy to a browser that takes br, the .gz
    one to one that takes gzip only, the file itself to the rest, each with
    Vary where there are copies, caching by whether the name has a hash, and
    the security headers, the policy allowing nothing inline and no eval."""
    hashed = sorted(path.name for path in folder.iterdir() if re.search(
        r"\.[0-9a-f]{12}\.(js|css|wasm)$", path.name))
    if len(hashed) != 6:
        raise Failure(f"{folder} holds {hashed}, not six hashed files")
    problems = []
    for name in ["index.html", "sw.js", *hashed, "manifest.webmanifest", "favicon-32.png",
                 "licenses/README.txt"]:
        whole = (folder / name).read_bytes()
        copies = (folder / f"{name}.br").exists()
        for accepted, sent in (("br, gzip", "br"), ("gzip", "gzip"), ("identity", None)):
            connection = http.client.HTTPConnection("127.0.0.1", site.nginx_port, timeout=30)
            connection.request("GET", f"/{name}", headers={"Accept-Encoding": accepted})
            answer = connection.getresponse()
            body, headers = answer.read(), {k.lower(): v for k, v in answer.getheaders()}
            connection.close()
            got = headers.get("content-encoding")
            body = {"br": brotli.decompress, "gzip": gzip.decompress}.get(got, bytes)(body)
            want = {
                "status": (answer.status, 200),
                "content-type": (headers.get("content-type", "").split(";")[0],
                                 SERVED_TYPES[pathlib.Path(name).suffix]),
                "content-encoding": (got, sent if copies else None),
                "body": (body == whole, True),
                "vary": (headers.get("vary"), "Accept-Encoding" if copies else headers.get("vary")),
                "cache-control": (headers.get("cache-control"),
                                  "public, max-age=31536000, immutable" if name in hashed
                                  else "no-cache"),
                "x-content-type-options": (headers.get("x-content-type-options"), "nosniff"),
                "referrer-policy": (headers.get("referrer-policy"), "no-referrer"),
                "cross-origin-opener-policy": (headers.get("cross-origin-opener-policy"),
                                               "same-origin"),
            }
            problems += [f"{name} for {accepted}: {header} {seen!r}, not {wanted!r}"
                         for header, (seen, wanted) in want.items() if seen != wanted]
            problems += [f"{name}: {problem}" for problem in policy_problems(
                headers.get("content-security-policy", ""),
                headers.get("permissions-policy", ""))]
    if problems:
        raise Failure("served wrongly: " + "; ".join(sorted(set(problems))))
    print(f"served rightly: {len(hashed) + 6} kinds of file, each three ways")


def policy_problems(policy, permissions):
    """What in these policies lets in more than the site's own files, or
    grants more than the clipboard."""
    directives = {words[0]: set(words[1:]) for words in
                  (part.split() for part in policy.split(";")) if words}
    problems = [f"{directive} is {directives.get(directive)}, not {wanted}"
                for directive, wanted in STRICT.items() if directives.get(directive) != wanted]
    problems += [f"{directive} lets in {sources & LAX}" for directive, sources in
                 directives.items() if sources & LAX]
    granted = {name: allowed for name, allowed in re.findall(r"([a-z-]+)=(\([^)]*\))",
                                                                     permissions)}
    problems += [f"Permissions-Policy grants {name}={allowed}" for name, allowed in
                 granted.items() if allowed != "()" and name not in ("clipboard-read",
                                                                    "clipboard-write")]
    problems += [f"Permissions-Policy leaves {name} open" for name in PERMISSIONS_DENIED
                 if granted.get(name) != "()"]
    return problems


def blocked_start(site):
    """A page whose program cannot start says so, with the retry button,
    within 10 seconds: its script missing, or WebAssembly refused by a
    policy without 'wasm-unsafe-eval', which the page hears as a violation."""
    def no_program(path, status, headers, body):
        if re.search(r"/ravelbox\.[0-9a-f]{12}\.js$", path.split("?")[0]):
            return 404, headers, b"gone"
        return status, headers, body

    def no_wasm(path, status, headers, body):
        return status, [(name, value.replace(" 'wasm-unsafe-eval'", "")
                         if name.lower() == "content-security-policy" else value)
                        for name, value in headers], body

    # The program comes at once here; the loading state is looked at later.
    site.hold.set()
    # What the message names: the missing file; the policy, as the page heard
    # of it or as the loader's failed compile says, whichever comes first.
    for what, tamper, said in (("the program's script missing", no_program, r"ravelbox\."),
                               ("WebAssembly refused", no_wasm, r"blocked|Content Security")):
        engine = Chromium(language="en-US")
        browser = engine.driver
        with pictured(engine, f"blocked-{tamper.__name__}"):
            site.tamper = tamper
            page = Page(engine, site.url(), "en-US")
            page.wait_error(f"the error with {what}", 10)
            message, retry = browser.execute_script(
                "return [document.getElementById('message').textContent,"
                "        !document.getElementById('again').hidden]")
            if not re.search(said, message) or not retry:
                raise Failure(f"with {what} the page says {message!r}, retry shown: {retry}")
            print(f"with {what}: {message}")
            page.audit(f"{what} error")
            site.tamper = None
    site.hold.clear()


def bad_network(page, sites, folder, port):
    """With the worker in charge, a server that answers 503, as behind a
    captive portal or a failing proxy, and then one that answers nothing:
    each time the kept game plays."""
    seen = []

    def unavailable(path, status, headers, body):
        seen.append(path)
        return 503, [("Content-Type", "text/html")], b"<h1>Service unavailable</h1>"

    sites.append(serve(folder, port=port))
    for what in ("an answer of 503", "no answer"):
        if what == "no answer":
            sites[-1].silent.set()
        else:
            sites[-1].tamper = unavailable
        # The worker's patience and then some, not selenium's 300 s.
        page.browser.set_page_load_timeout(30)
        try:
            page.browser.refresh()
        except TimeoutException:
            raise Failure(f"the page did not come in 30 s with {what}") from None
        finally:
            page.browser.set_page_load_timeout(300)
        wait_for(f"the kept game with {what}",
                 lambda: page.state() == "running" or page.state(), 60)
        page.wait_windows(1, f"the game's window with {what}")
        no_errors(page, f"with {what}", BAD_SERVER)
    if not any(path.split("?")[0] in ("/", "/index.html") for path in seen):
        raise Failure(f"the server was never asked for the page: {seen}")
    sites[-1].stop()


def offline(engines, folder, tool, page_file, texts, *program):
    """In each engine, a second visit plays with no server, from what the
    service worker kept, and Chromium's with the network off and behind
    bad servers too; once a build with every hashed file changed is served,
    the next visit runs it and only it, and the old build's cache is gone."""
    work = pathlib.Path(tempfile.mkdtemp(prefix="ravelbox-offline-"))
    first, second = work / "first", work / "second"
    shutil.copytree(folder, first)
    sites = [serve(first)]
    port = sites[0].port
    url = sites[0].url()
    with contextlib.ExitStack() as stack:
        stack.callback(shutil.rmtree, work, ignore_errors=True)
        stack.callback(lambda: [site.stop() for site in sites])
        pages = []
        for start in engines:
            engine = start()
            stack.enter_context(pictured(engine, f"offline-{engine.name}"))
            pages.append(Page(engine, url, "en-US"))
        for page in pages:
            wait_for(f"the game in {page.engine.name}",
                     lambda: page.state() == "running" or page.state(), 90)
            wait_for(f"the service worker in charge in {page.engine.name}",
                     lambda: page.engine.script(
                         "return !!navigator.serviceWorker.controller") or "none")
        chromium = pages[0] if pages[0].engine.name == "Chromium" else None
        sites[0].stop()
        if chromium:
            chromium.browser.execute_cdp_cmd("Network.enable", {})
            network(chromium.browser, online=False)
        for page in pages:
            where = f"offline in {page.engine.name}"
            page.engine.refresh()
            wait_for(f"the game {where}", lambda: page.state() == "running" or page.state(), 90)
            page.wait_windows(1, f"the game's window {where}")
            wait_for(f"window with '{page.button}' {where}", lambda: page.shows(page.button))
            no_errors(page, where, None if page is chromium else BAD_SERVER)
        if chromium:
            network(chromium.browser, online=True)
            bad_network(chromium, sites, first, port)
        # The next build differs in every file it names by a hash: the
        # page's texts, the loader, the program's JavaScript and its
        # WebAssembly (a custom section at its end, which engines skip).
        shutil.copytree(folder, second, ignore=shutil.ignore_patterns("*.js", "*.wasm", "*.gz",
                                                                     "*.br", "index.html"))
        marker = "Rebuilt: find the SUCCESS dialog."
        source = pathlib.Path(texts).read_text(encoding="utf-8")
        help_text = re.search(r'help: "([^"]*)"', source).group(1)
        changed = [work / "texts.js"]
        changed[0].write_text(source.replace(help_text, marker), encoding="utf-8")
        for file in map(pathlib.Path, program):
            changed.append(work / file.name)
            changed[-1].write_bytes(file.read_bytes() + {
                ".wasm": b"\x00\x08\x07rebuilt", ".css": b"\n/* rebuilt */\n"}.get(
                file.suffix, b"\n// rebuilt\n"))
        # Uncompressed: the test's server sends no .br or .gz copy.
        subprocess.run([sys.executable, tool, "--uncompressed", second, page_file, *changed],
                       check=True, stdout=subprocess.DEVNULL)
        old = hashed_names(first)
        wanted = hashed_names(second)
        version = re.search(r'const VERSION = "([^"]+)"',
                            (second / "sw.js").read_text(encoding="utf-8")).group(1)
        sites.append(serve(second, port=port))
        if chromium:
            no_errors(chromium, "behind the bad servers", BAD_SERVER)
        for page in pages:
            updated(page, marker, old, wanted, version)


def updated(page, marker, old, wanted, version):
    """The page, reloaded once the new build is served, runs the new build
    alone, and its worker keeps the new build alone."""
    where = f"in {page.engine.name}"
    help_text = "return document.getElementById('help').textContent"
    page.engine.refresh()
    wait_for(f"the new build's text {where}",
             lambda: page.engine.script(help_text) == marker or page.engine.script(help_text))
    wait_for(f"the new build running {where}",
             lambda: page.state() == "running" or page.state(), 90)
    # Every script and the program come from the page that named them.
    loaded = page.engine.script(
        "return performance.getEntriesByType('resource').map(e => e.name.split('/').pop())"
        "  .filter(n => /\\.[0-9a-f]{12}\\.(js|css|wasm)$/.test(n))")
    mixed = [name for name in loaded if name.rsplit(".", 1)[0] not in wanted]
    if mixed or len(loaded) < 6 or wanted & old:
        raise Failure(f"the rebuilt page {where} loaded {loaded}, not only {sorted(wanted)}, "
                      f"or shares {sorted(wanted & old)} with the first build")

    def kept():
        keys = page.engine.script_async(
            "const done = arguments[0]; caches.keys().then(done, e => done(String(e)));")
        return keys == [version] or f"caches {keys}, not [{version!r}]"
    wait_for(f"the old build's cache dropped {where}", kept)
    no_errors(page, f"after the update {where}")


def main(engines, folder, *rebuild):
    """Chromium's rows, or Firefox's or WebKit's on displays of their own."""
    hold = threading.Event()
    if engines == "chromium":
        with serve(folder, hold) as server:
            served(server, pathlib.Path(folder))
            blocked_start(server)
            play_everywhere(server.url(), hold)
        offline([lambda: Chromium(language="en-US")], folder, *rebuild)
        print(f"played in {len(LANGUAGES)} languages and on phones {', '.join(PHONES)}")
        return 0
    display = Display()
    try:
        with serve(folder, hold) as server:
            hold.set()
            if engines == "firefox":
                firefox_rows(display, server)
            else:
                webkit_rows(server)
        offline([lambda: Firefox(display)] if engines == "firefox" else
                [lambda: WebKit("en-US")], folder, *rebuild)
    finally:
        display.stop()
    print(f"played in {engines} in {len(LANGUAGES)} languages and in a phone's view")
    return 0


def play_everywhere(url, hold):
    """By keyboard in each language, then by touch on each phone."""
    addresses = []
    for language in LANGUAGES:
        # Larger glyphs read better.
        engine = Chromium("--force-device-scale-factor=2", "--force-renderer-accessibility",
                          language=language)
        browser = engine.driver
        with pictured(engine, language):
            page = Page(engine, url, language)
            if language == "zh-CN":
                wait_for("loading", lambda: page.state() == "loading" or page.state())
                page.audit("loading")
                hold.set()
            address, key = page.start()
            print(f"{language}: address {address}, key {key}")
            if address in addresses:
                raise Failure(f"the address {address} came again on another load")
            addresses.append(address)
            if language == "zh-CN":
                page.audit("running")
                play(page, address, key)
            # Each language opens it another way: Return, a click, Space.
            page.dialog("0", Keys.ESCAPE, "FAIL!", page.cancel, screenshot=f"dialog-{language}",
                        audit="dialog" if language == "en-US" else None,
                        opener={"en-US": "click", "de-DE": Keys.SPACE}.get(language, Keys.RETURN))
            if language == "de-DE":
                page.close_window()
                wait_for("end of the game", lambda: page.state() == "ended" or page.state())
                wait_for("the end told", lambda: any(
                    page.ended in node[2] for node in page.engine.nodes("status"))
                    or "no status with it")
                page.save("ended")
                page.audit("ended")
                no_errors(page, "at the end")
                browser.find_element(By.ID, "again").click()
                wait_for("a new game", lambda: page.state() == "running" or page.state(), 90)
            no_errors(page, f"in {language}")
            if language == "en-US":
                failed_load(engine, url, language, "desktop")
    for layout in PHONES:
        phone(url, hold, layout, "Android")
    for layout in PLAYED:
        phone(url, hold, layout, "iPhone")


if __name__ == "__main__":
    run(main)
