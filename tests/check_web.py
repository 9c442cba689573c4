#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Plays the web version by keyboard in Chromium, as a player would.

Usage: check_web.py SITE-FOLDER

Serves the folder on 127.0.0.1 and loads the page once per language. Each
time it waits for the window, copies the address and the key through the
clipboard, and checks the texts and a dialog's buttons. The page's count of
Qt's open windows tells when a dialog has opened and closed. In Chinese it works
out the SUCCESS dialog's address from the digits it copied and plays: of the
candidates exactly one opens SUCCESS, 0 and the FAIL address open FAIL, and
Escape or Return closes every dialog. Two loads must show different
addresses, the page must log no error, and closing the window must end the
game with an offer to play again. What the canvas shows is read with
tesseract. Fails at the first step that goes wrong, saying what it saw, and
at once when the page shows its error; the screenshots, one of every
failure included, stay in web-screenshots/ of the working folder.
"""
import io
import pathlib
import subprocess

from PIL import Image
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from browser import serve, start_browser
from player import Failure, candidates, run, wait_for

# Dialogs lie on multiples of this many bytes in WebAssembly's memory.
ALIGNMENT = 4

# Language: what tesseract reads it with, the button's text, the dialogs' Cancel.
LANGUAGES = {
    "zh-CN": ("chi_sim+eng", "打开窗口", "取消"),
    "en-US": ("eng", "Open window", "Cancel"),
    "de-DE": ("eng", "Open window", "Abbrechen"),
}
TITLE_BAR = (48, 140, 198)
# In the clipboard before each copy, so that a copy that never arrives shows.
SENTINEL = "nothing copied yet"
SCREENSHOTS = pathlib.Path("web-screenshots")


class Page:
    def __init__(self, browser, url, language):
        self.browser = browser
        self.language = language
        self.ocr_language, self.button, self.cancel = LANGUAGES[language]
        browser.get(url)
        origin = url.rsplit("/", 1)[0]
        browser.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": origin, "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    def state(self):
        """The page's state; a page that shows its error fails the check at once."""
        state, message = self.browser.execute_script(
            "return [document.body.dataset.state, document.getElementById('message').textContent]")
        if state == "error":
            raise Failure(f"the page shows an error: {message}")
        return state

    def windows(self):
        """How many of Qt's windows are open, as the game tells the page."""
        return self.browser.execute_script("return document.body.dataset.windows")

    def wait_windows(self, count, what):
        def probe():
            self.state()
            return self.windows() == str(count) or f"{self.windows()} windows open"
        wait_for(what, probe)

    def canvas(self):
        element = self.browser.find_element(By.ID, "qtcanvas")
        return Image.open(io.BytesIO(element.screenshot_as_png)).convert("RGB")

    def read(self):
        png = self.browser.find_element(By.ID, "qtcanvas").screenshot_as_png
        return subprocess.run(
            ["tesseract", "-", "-", "-l", self.ocr_language, "--psm", "11"],
            input=png, capture_output=True, check=True).stdout.decode()

    def shows(self, *texts, seen=None):
        seen = self.read() if seen is None else seen
        squeezed = seen.replace(" ", "")
        if all(text.replace(" ", "") in squeezed for text in texts):
            return True
        return seen.strip() or "nothing"

    def save(self, name):
        SCREENSHOTS.mkdir(exist_ok=True)
        self.browser.save_screenshot(str(SCREENSHOTS / f"{name}.png"))

    def keys(self, *keys):
        ActionChains(self.browser).send_keys(*keys).perform()

    def enter(self, text):
        """Replaces what the field holds with text and presses Return."""
        ActionChains(self.browser).key_down(Keys.CONTROL).send_keys("a").key_up(
            Keys.CONTROL).send_keys(text, Keys.RETURN).perform()

    def clipboard(self, write=None):
        """Reads the clipboard, or writes text to it and returns ''."""
        return self.browser.execute_async_script(
            "const [text, done] = arguments;"
            "(text === null ? navigator.clipboard.readText() : navigator.clipboard.writeText(text))"
            "  .then(read => done(read || ''), error => done('error: ' + error));", write)

    def copy(self):
        """Copies with Ctrl+C and returns what reached the clipboard, once it has."""
        self.clipboard(SENTINEL)
        ActionChains(self.browser).key_down(Keys.CONTROL).send_keys("c").key_up(
            Keys.CONTROL).perform()
        wait_for("copied text", lambda: self.clipboard() != SENTINEL or "nothing copied", 10)
        return self.clipboard()

    def errors(self):
        return [entry["message"] for entry in self.browser.get_log("browser")
                if entry["level"] == "SEVERE"]

    def start(self):
        wait_for("running game", lambda: self.state() == "running" or self.state(), 90)
        self.wait_windows(1, "the game's window")
        wait_for(f"window with '{self.button}'", lambda: self.shows(self.button))
        self.save(f"window-{self.language}")
        # The field has the focus; Tab reaches the button, then each value whole.
        self.keys(Keys.TAB, Keys.TAB)
        address = self.copy()
        self.keys(Keys.TAB)
        key = self.copy()
        self.keys(Keys.TAB)
        if not address.startswith("0x") or not key.isdigit():
            raise Failure(f"copied {address!r} and {key!r}, not an address and a key")
        return address, key

    def dialog(self, text, close, *texts, screenshot=None):
        """Types text into the field and opens a dialog with Return; once it
        shows texts too, closes it with close and returns its banner."""
        self.enter(text)
        banners = []

        def opened():
            seen = self.read()
            banners[:] = [name for name in ("SUCCESS!", "FAIL!") if name in seen]
            return bool(banners) and self.shows(*texts, seen=seen)

        self.wait_windows(2, f"dialog for {text!r}")
        wait_for(f"dialog for {text!r} with {texts}", opened)
        if screenshot:
            self.save(screenshot)
        self.keys(close)
        self.wait_windows(1, f"{banners[0]} closed by {close!r}")
        return banners[0]

    def close_window(self):
        """Clicks the close button at the right end of the window's title bar."""
        image = self.canvas()
        width, height = image.size
        pixels = image.load()
        rows = [y for y in range(height) if sum(
            pixels[x, y] == TITLE_BAR for x in range(0, width, 4)) > width // 16]
        if not rows:
            raise Failure("no title bar to close the window by")
        top, bottom = rows[0], rows[0]
        while bottom + 1 < height and bottom + 1 in rows:
            bottom += 1
        right = max(x for x in range(width) if pixels[x, top] == TITLE_BAR)
        scale = self.browser.execute_script("return window.devicePixelRatio")
        canvas = self.browser.find_element(By.ID, "qtcanvas")
        size = canvas.size
        x = (right - (bottom - top) / 2) / scale - size["width"] / 2
        y = (top + bottom) / 2 / scale - size["height"] / 2
        ActionChains(self.browser).move_to_element_with_offset(canvas, int(x), int(y)).click().perform()


def play(page, address, key):
    found = [text for text in candidates(address, key, ALIGNMENT)
             if page.dialog(text, Keys.ESCAPE) == "SUCCESS!"]
    if len(found) != 1:
        raise Failure(f"{len(found)} of the candidates opened SUCCESS: {found}")
    # Ten dialogs in all so far counting those below, each closed by key.
    for text, close, banner in (("0", Keys.RETURN, "FAIL!"), (address, Keys.ESCAPE, "FAIL!"),
                                (found[0].upper(), Keys.RETURN, "SUCCESS!"),
                                ("0x" + found[0], Keys.ESCAPE, "SUCCESS!")):
        if (opened := page.dialog(text, close)) != banner:
            raise Failure(f"{text!r} opened {opened}, not {banner}")


def main(folder):
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_port}/index.html"
    addresses = []
    for language in LANGUAGES:
        # Larger glyphs read better.
        browser = start_browser("--force-device-scale-factor=2", language=language)
        try:
            page = Page(browser, url, language)
            address, key = page.start()
            print(f"{language}: address {address}, key {key}")
            if address in addresses:
                raise Failure(f"the address {address} came again on another load")
            addresses.append(address)
            if language == "zh-CN":
                play(page, address, key)
            page.dialog("0", Keys.ESCAPE, "FAIL!", page.cancel, screenshot=f"dialog-{language}")
            if language == "de-DE":
                page.close_window()
                wait_for("end of the game", lambda: page.state() == "ended" or page.state())
                page.save("ended")
                browser.find_element(By.ID, "again").click()
                wait_for("a new game", lambda: page.state() == "running" or page.state(), 90)
            errors = page.errors()
            if errors:
                raise Failure("the page logged errors: " + "; ".join(errors))
        except Exception:
            # Whatever failed, selenium and tesseract included, leaves a picture.
            SCREENSHOTS.mkdir(exist_ok=True)
            try:
                browser.save_screenshot(str(SCREENSHOTS / f"failure-{language}.png"))
            except Exception as error:  # the browser itself may be gone
                print(f"no screenshot of the failure: {error}")
            raise
        finally:
            browser.quit()
    server.shutdown()
    print(f"played in {len(LANGUAGES)} languages")
    return 0


if __name__ == "__main__":
    run(main)
