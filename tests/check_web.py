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
tesseract; what a screen reader hears, from Chromium's accessibility tree,
at every step; and axe-core audits the page in each of its states, on the
desktop and on emulated Android phones and a tablet. There the windows must
fit the screen, taps copy the key, type and close the game, and the dialog
is opened and closed through the tree's buttons as a screen reader does.
Fails at the
first step that goes wrong, saying what it saw, and
at once when the page shows its error; the screenshots, one of every
failure included, stay in web-screenshots/ of the working folder.
"""
import io
import pathlib
import subprocess
import threading

from PIL import Image, ImageChops
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from browser import axe_source, serve, start_browser
from player import Failure, candidates, run, wait_for

# Dialogs lie on multiples of this many bytes in WebAssembly's memory.
ALIGNMENT = 4

# Language: what tesseract reads it with, the button's text, the dialogs'
# Cancel and OK, then what a screen reader hears: the names of the field,
# the address and the key, the FAIL dialog's title and the page's words at
# the end.
LANGUAGES = {
    "zh-CN": ("chi_sim+eng", "打开窗口", "取消", "确定", "最终地址：0x", "地址", "KEY", "FAIL",
              "游戏已结束。感谢游玩。"),
    "en-US": ("eng", "Open window", "Cancel", "OK", "Answer: 0x", "FAIL", "KEY", "FAIL",
              "The game has ended. Thank you for playing."),
    "de-DE": ("deu+eng", "Fenster öffnen", "Abbrechen", "OK", "Antwort: 0x", "FAIL", "KEY",
              "Fehlschlag", "Das Spiel ist beendet. Danke fürs Spielen."),
}
TITLE_BAR = (48, 140, 198)
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
ANDROID = {"userAgent": "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 "
           "(KHTML, like Gecko) Chrome/120.0 Mobile Safari/537.36", "platform": "Linux armv8l"}


class Page:
    def __init__(self, browser, url, language):
        self.browser = browser
        self.language = language
        (self.ocr_language, self.button, self.cancel, self.ok, self.field, self.address_name,
         self.key_name, self.fail_title, self.ended) = LANGUAGES[language]
        self.address = self.key = None
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

    def type_over(self, text):
        """Replaces what the field holds with text."""
        ActionChains(self.browser).key_down(Keys.CONTROL).send_keys("a").key_up(
            Keys.CONTROL).send_keys(text).perform()

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

    def canvas_place(self):
        """The canvas's left and top in the page's view, and CSS pixels per
        device pixel of its screenshots."""
        return self.browser.execute_script(
            "const r = document.getElementById('qtcanvas').getBoundingClientRect();"
            "return [r.left, r.top, window.devicePixelRatio];")

    def audit(self, state):
        """Fails on any violation axe-core finds in the page as it stands."""
        if not self.browser.execute_script("return !!window.axe"):
            self.browser.execute_script(AXE)
        found = self.browser.execute_async_script(
            "const done = arguments[0];"
            "axe.run(document, {resultTypes: ['violations']}).then(result => done("
            "  result.violations.map(v => v.id + ' at ' + v.nodes.map(n => n.target).join(', '))),"
            "  error => done(['axe-core failed: ' + error]));")
        if found:
            raise Failure(f"axe-core, {state} page: " + "; ".join(found))

    def tap_right_of(self, word, distance):
        """Taps the canvas with a finger distance CSS pixels right of where
        it shows word, found with tesseract."""
        png = self.browser.find_element(By.ID, "qtcanvas").screenshot_as_png
        boxes = subprocess.run(["tesseract", "-", "-", "-l", self.ocr_language, "--psm", "11", "tsv"],
                               input=png, capture_output=True, check=True).stdout.decode()
        left, top, scale = self.canvas_place()
        for row in boxes.splitlines():
            fields = row.split("\t")
            if len(fields) == 12 and fields[11].startswith(word):
                x, y, width, height = map(int, fields[6:10])
                self.tap({"x": left + (x + width) / scale + distance,
                          "y": top + (y + height / 2) / scale})
                return
        raise Failure(f"no {word!r} on the canvas to tap beside")

    def activate(self, name):
        """Clicks the button of that name in the page's mirror of the game,
        as a screen reader does when the player activates it."""
        clicked = self.browser.execute_script(
            "const button = [...document.querySelectorAll('#qtcanvas button')]"
            "  .find(b => b.textContent === arguments[0]);"
            "if (button) button.click(); return !!button;", name)
        if not clicked:
            raise Failure(f"no button {name!r} to activate")

    def tree(self):
        """What a screen reader reads: the accessibility tree's nodes as
        (role, name, value, focused, text), text being the words inside."""
        nodes = self.browser.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
        by_id = {node["nodeId"]: node for node in nodes}

        def text(node):
            if node.get("role", {}).get("value") == "StaticText":
                return node.get("name", {}).get("value", "")
            return "".join(text(by_id[child]) for child in node.get("childIds", [])
                           if child in by_id)
        seen = []
        for node in nodes:
            if node.get("ignored"):
                continue
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            seen.append((node.get("role", {}).get("value"), node.get("name", {}).get("value", ""),
                         node.get("value", {}).get("value") or "", bool(properties.get("focused")),
                         text(node)))
        return seen

    def expect_tree(self, what, focus, field=None, banner=None):
        """Waits until the tree holds the window and its values, the field
        holding field unless that is None, the FAIL or SUCCESS dialog when
        banner names it, and the focus on the (role, name) focus if given."""
        def probe():
            self.state()
            nodes = self.tree()
            wanted = [("region", "Ravelbox", None), ("button", self.button, None),
                      ("textbox", self.field, field)]
            if self.address:
                wanted += [("textbox", self.address_name, self.address),
                           ("textbox", self.key_name, self.key)]
            if banner:
                title = self.fail_title if banner == "FAIL!" else None
                wanted += [("dialog", title, None), ("alert", None, banner),
                           ("button", self.ok, None), ("button", self.cancel, None)]
            missing = [want for want in wanted if not any(
                node[0] == want[0] and want[1] in (None, node[1])
                and want[2] in (None, node[2] if want[0] == "textbox" else node[4])
                for node in nodes)]
            if not banner and any(node[0] in ("dialog", "alert") for node in nodes):
                missing.append("no dialog")
            focused = [node[:2] for node in nodes if node[3]]
            if focus and focus not in focused:
                missing.append(f"focus on {focus}, not {focused}")
            return not missing or f"missing {missing}"
        wait_for(f"accessibility tree {what}", probe)

    def start(self):
        wait_for("running game", lambda: self.state() == "running" or self.state(), 90)
        self.wait_windows(1, "the game's window")
        wait_for(f"window with '{self.button}'", lambda: self.shows(self.button))
        self.save(f"window-{self.language}")
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

    def dialog(self, text, close, *texts, screenshot=None, audit=None):
        """Types text into the field and opens a dialog with Return; once it
        shows texts too, closes it with close and returns its banner. The
        accessibility tree follows each step."""
        field = ("textbox", self.field)
        self.type_over(text)
        self.expect_tree(f"with {text!r} typed", field, field=text)
        self.keys(Keys.RETURN)
        banners = []

        def opened():
            seen = self.read()
            banners[:] = [name for name in ("SUCCESS!", "FAIL!") if name in seen]
            return bool(banners) and self.shows(*texts, seen=seen)

        self.wait_windows(2, f"dialog for {text!r}")
        wait_for(f"dialog for {text!r} with {texts}", opened)
        self.expect_tree(f"with the {banners[0]} dialog", ("button", self.ok), banner=banners[0])
        if screenshot:
            self.save(screenshot)
        if audit:
            self.audit(audit)
        self.keys(close)
        self.wait_windows(1, f"{banners[0]} closed by {close!r}")
        self.expect_tree(f"after {banners[0]} closed", field)
        return banners[0]

    def close_window(self, touch=False):
        """Clicks, or taps, the close button at the right end of the
        window's title bar."""
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
        left, top_in_view, scale = self.canvas_place()
        x, y = (right - (bottom - top) / 2) / scale, (top + bottom) / 2 / scale
        if touch:
            self.tap({"x": left + x, "y": top_in_view + y})
            return
        canvas = self.browser.find_element(By.ID, "qtcanvas")
        size = canvas.size
        ActionChains(self.browser).move_to_element_with_offset(
            canvas, int(x - size["width"] / 2), int(y - size["height"] / 2)).click().perform()

    def tap(self, point):
        for kind, points in (("touchStart", [point]), ("touchEnd", [])):
            self.browser.execute_cdp_cmd("Input.dispatchTouchEvent",
                                         {"type": kind, "touchPoints": points})

    def on_screen(self, what):
        """Fails unless the game's windows lie wholly in the page's view,
        with no sideways scrolling, drawn at least two thirds of their size,
        below which text would be smaller than 8 CSS pixels."""
        # The screen's colour is the commonest; the outermost pixels are left
        # out, where the canvas's edge may blend with the page.
        whole = self.canvas()
        image = whole.crop((2, 2, whole.width - 2, whole.height - 2))
        background = max(image.getcolors(image.width * image.height))[1]
        box = ImageChops.difference(image, Image.new("RGB", image.size, background)).getbbox()
        left, top, right, bottom, view_width, view_height, scroll_width, scale = \
            self.browser.execute_script(
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
        if problems:
            raise Failure(f"{what}: " + "; ".join(problems))

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


def failed_load(browser, url, language, layout):
    """The page when the game cannot be fetched shows its error, accessibly."""
    browser.execute_cdp_cmd("Network.enable", {})
    browser.execute_cdp_cmd("Network.setBlockedURLs", {"urls": ["*.wasm"]})
    page = Page(browser, url, language)
    wait_for("the error", lambda: browser.execute_script(
        "return document.body.dataset.state") == "error" or "no error shown")
    page.audit(f"{layout} error")
    browser.execute_cdp_cmd("Network.setBlockedURLs", {"urls": []})


def phone(url, hold, layout):
    """On a phone the window fits the screen, a tap on a value copies it
    whole, the keyboard types through Qt's own input element, the dialog
    opens and closes through the tree and a tap on the window's close button
    ends the game; axe-core audits the page in each state."""
    browser = start_browser("--force-renderer-accessibility", language="en-US")
    try:
        browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", PHONES[layout])
        browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})
        browser.execute_cdp_cmd("Emulation.setUserAgentOverride", ANDROID)
        hold.clear()
        page = Page(browser, url, "en-US")
        wait_for("loading", lambda: page.state() == "loading" or page.state())
        page.audit(f"{layout} phone loading")
        hold.set()
        wait_for("running game", lambda: page.state() == "running" or page.state(), 90)
        page.wait_windows(1, "the game's window")
        page.on_screen(f"{layout} phone")
        page.audit(f"{layout} phone running")
        # A tap on the key shows it whole and copies it.
        page.clipboard(SENTINEL)
        page.tap_right_of("KEY", 40)
        key = [node[2] for node in page.tree() if node[:2] == ("textbox", page.key_name)]
        wait_for("the key copied by a tap", lambda: [page.clipboard()] == key or page.clipboard())
        # A tap on the field opens the phone's keyboard through Qt's own
        # input element, which must be named too.
        page.tap_right_of("Answer", 40)
        wait_for("Qt's input element, named", lambda: browser.execute_script(
            "const input = document.querySelector('main > input');"
            "return input && input === document.activeElement"
            "  && input.getAttribute('aria-label') === arguments[0];", page.field)
            or "none with the focus and the field's name")
        browser.execute_cdp_cmd("Input.insertText", {"text": "0"})
        page.expect_tree("with 0 typed on the phone", None, field="0")
        page.audit(f"{layout} phone typing")
        # As a screen reader on a phone opens and closes a dialog: by
        # activating the buttons it reads out.
        page.activate(page.button)
        page.wait_windows(2, "dialog opened through the tree")
        page.expect_tree("with the dialog opened through the tree", ("button", page.ok),
                         banner="FAIL!")
        page.on_screen(f"{layout} phone with a dialog")
        page.audit(f"{layout} phone dialog")
        page.activate(page.ok)
        page.wait_windows(1, "dialog closed through the tree")
        page.close_window(touch=True)
        wait_for("end of the game", lambda: page.state() == "ended" or page.state())
        page.audit(f"{layout} phone ended")
        failed_load(browser, url, "en-US", f"{layout} phone")
    except Exception:
        SCREENSHOTS.mkdir(exist_ok=True)
        browser.save_screenshot(str(SCREENSHOTS / f"failure-{layout}-phone.png"))
        raise
    finally:
        browser.quit()


def main(folder):
    hold = threading.Event()
    server = serve(folder, hold)
    url = f"http://127.0.0.1:{server.server_port}/index.html"
    addresses = []
    for language in LANGUAGES:
        # Larger glyphs read better.
        browser = start_browser("--force-device-scale-factor=2", "--force-renderer-accessibility",
                                language=language)
        try:
            page = Page(browser, url, language)
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
            page.dialog("0", Keys.ESCAPE, "FAIL!", page.cancel, screenshot=f"dialog-{language}",
                        audit="dialog" if language == "en-US" else None)
            if language == "de-DE":
                page.close_window()
                wait_for("end of the game", lambda: page.state() == "ended" or page.state())
                wait_for("the end told", lambda: any(
                    node[0] == "status" and page.ended in node[4] for node in page.tree())
                    or "no status with it")
                page.save("ended")
                page.audit("ended")
                browser.find_element(By.ID, "again").click()
                wait_for("a new game", lambda: page.state() == "running" or page.state(), 90)
            errors = page.errors()
            if errors:
                raise Failure("the page logged errors: " + "; ".join(errors))
            if language == "en-US":
                failed_load(browser, url, language, "desktop")
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
    for layout in PHONES:
        phone(url, hold, layout)
    server.shutdown()
    print(f"played in {len(LANGUAGES)} languages and on phones {', '.join(PHONES)}")
    return 0


if __name__ == "__main__":
    run(main)
