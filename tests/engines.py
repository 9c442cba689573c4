# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""The three browser engines a player's link opens in, behind one small
interface for the web test: Chromium through selenium, Firefox ESR through
its own WebDriver BiDi, WebKitGTK's MiniBrowser through WebKitWebDriver.
Firefox and WebKit run headful on a private Xvfb, where they have WebGL; an
engine's methods take and give CSS pixels of the page's view."""
import asyncio
import base64
import contextlib
import io
import json
import os
import pathlib
import re
import shutil
import signal
import subprocess
import tempfile
import threading

import websockets
from PIL import Image
from selenium.common.exceptions import WebDriverException
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from browser import RECORD_VIOLATIONS, start_browser
from player import Failure, firefox_profile

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
# What Firefox and WebKit tell of a node beyond its role and name, which
# their drivers work out: its value, whether it has the focus, its words
# and its description.
NODE_DETAILS = """
const node = arguments[0];
const described = (node.getAttribute('aria-describedby') || '').split(' ').filter(Boolean)
  .map((id) => (document.getElementById(id) || {}).textContent || '').join(' ');
return [node.value === undefined ? '' : String(node.value), node === document.activeElement,
        node.textContent, node.getAttribute('aria-description') || described];
"""
# Where Firefox and WebKit look for a mirror's nodes.
MIRRORED = "[role], button, input, [aria-label]"


def finder(read):
    """nodes() over nodes read as (role, name, *details)."""
    return lambda role, name=None: [node[2:] for node in read
                                    if node[0] == role and name in (None, node[1])]


class Display:
    """A private Xvfb, gone with the test."""

    def __init__(self, size="2200x1700x24"):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", size, "-nolisten", "tcp"],
            pass_fds=(write,), stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write)
        with os.fdopen(read) as number:
            self.name = ":" + number.readline().strip()
        if self.name == ":":
            raise Failure("Xvfb did not start")

    def clipboard(self, write=None):
        """Reads the display's CLIPBOARD selection, or owns it with text."""
        command = ["xclip", "-display", self.name, "-selection", "clipboard"]
        if write is not None:
            subprocess.run([*command, "-in"], input=write.encode(), check=True, timeout=30,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            return ""
        read = subprocess.run([*command, "-out"], capture_output=True, timeout=30)
        return read.stdout.decode() if read.returncode == 0 else ""

    def stop(self):
        self.server.terminate()
        self.server.wait(30)


class Engine:
    """What the web test asks of a browser, here through selenium; Chromium
    and WebKit share it, Firefox has its own."""
    name = ""
    touch = False
    driver = None

    def __init__(self):
        # The browser's profile and runtime files, gone when it quits.
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix=f"ravelbox-{self.name.lower()}-"))

    def private(self, environment):
        """environment with the XDG folders in the browser's folder: GTK,
        dconf, the accessibility bridge and Chromium's crash reporter write
        into the user's home otherwise. A profile inside the config folder
        would keep its HTTP cache in the cache folder: they are apart."""
        return dict(environment, XDG_RUNTIME_DIR=str(self.folder),
                    XDG_CONFIG_HOME=str(self.folder / "config"),
                    XDG_CACHE_HOME=str(self.folder / "cache"))

    def get(self, url):
        self.driver.get(url)

    def script(self, source, *arguments):
        return self.driver.execute_script(source, *arguments)

    def script_async(self, source, *arguments):
        return self.driver.execute_async_script(source, *arguments)

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def chord(self, modifier, key):
        ActionChains(self.driver).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def click(self, x, y):
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(int(x), int(y)).click()
        actions.perform()

    def canvas_png(self):
        return self.driver.find_element(By.ID, "qtcanvas").screenshot_as_png

    def save(self, path):
        self.driver.save_screenshot(str(path))

    def refresh(self):
        self.driver.refresh()

    def reader(self):
        """nodes(), for a probe that asks several times."""
        return self.nodes

    def nodes(self, role, name=None):
        return self.reader()(role, name)

    def quit(self):
        try:
            if self.driver:
                self.driver.quit()
        finally:
            shutil.rmtree(self.folder, ignore_errors=True)


class Chromium(Engine):
    name = "Chromium"

    def __init__(self, *arguments, language=None):
        super().__init__()
        self.driver = start_browser(self.folder, self.private(os.environ), *arguments,
                                    language=language)

    def get(self, url):
        self.driver.get(url)
        self.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": url.rsplit("/", 1)[0],
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    def clipboard(self, write=None):
        return self.script_async(
            "const [text, done] = arguments;"
            "(text === null ? navigator.clipboard.readText() : navigator.clipboard.writeText(text))"
            "  .then(read => done(read || ''), error => done('error: ' + error));", write)

    def errors(self):
        return [entry["message"] for entry in self.driver.get_log("browser")
                if entry["level"] == "SEVERE"]

    def tree(self):
        """The accessibility tree's nodes as (role, name, value, focused,
        text, description), text being the words inside."""
        nodes = self.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
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
                         text(node), node.get("description", {}).get("value", "")))
        return seen

    def reader(self):
        """nodes() on one reading of the whole tree."""
        return finder(self.tree())

    def tap(self, x, y):
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            self.driver.execute_cdp_cmd("Input.dispatchTouchEvent",
                                        {"type": kind, "touchPoints": points})

    def soft_key(self, key, code):
        self.key_events(key, code, "rawKeyDown", "keyUp")

    def return_apart(self, between):
        """Return's keydown, then once between() returns its keypress and
        keyup, as Firefox sends them apart on a busy machine."""
        self.key_events("Enter", 13, "rawKeyDown")
        between()
        self.key_events("Enter", 13, "char", "keyUp", text="\r")

    def key_events(self, key, code, *kinds, text=""):
        for kind in kinds:
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": kind, "key": key, "code": key, "windowsVirtualKeyCode": code,
                "text": text if kind == "char" else ""})

    def insert_text(self, text):
        """All at once, as a phone's keyboard pastes or completes it."""
        self.driver.execute_cdp_cmd("Input.insertText", {"text": text})


class WebKit(Engine):
    """MiniBrowser, whose language is its process's: one per language, each
    on a display of its own."""
    name = "WebKit"

    def __init__(self, language):
        super().__init__()
        display = Display()
        options = webdriver.WebKitGTKOptions()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")
        self.display = display
        posix = language.replace("-", "_")
        # WebKit takes the page's language from LC_CTYPE, which Python itself
        # sets to C.UTF-8 when it starts with no locale (as under CI's
        # env -i): the language is LANG's alone, as in a plain session.
        environment = self.private({name: value for name, value in os.environ.items()
                                    if not name.startswith("LC_")})
        environment.update(DISPLAY=display.name, GDK_SCALE="2", LANGUAGE=posix,
                           LANG=f"{posix}.UTF-8")
        if posix == "C":
            # As a system with no language set: LANGUAGE=C would be English.
            del environment["LANGUAGE"]
        # selenium's WebKit driver starts WebKitWebDriver in this process's
        # environment, and MiniBrowser inherits it.
        saved = dict(os.environ)
        os.environ.clear()
        os.environ.update(environment)
        try:
            self.driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                              options=options)
        finally:
            os.environ.clear()
            os.environ.update(saved)
        self.driver.set_window_rect(0, 0, 1024, 768)
        said = self.script("return navigator.language")
        if said != language:
            self.quit()
            raise Failure(f"WebKit started for {language} says its language is {said!r}")

    def view(self, width, height):
        """Sizes the window so that the page's view is width x height."""
        self.driver.set_window_rect(0, 0, width, height)
        inner = self.script("return [innerWidth, innerHeight]")
        self.driver.set_window_rect(0, 0, 2 * width - inner[0], 2 * height - inner[1])

    def canvas_png(self):
        # WebKitWebDriver's element screenshots are off by some pixels on
        # a scaled screen: the canvas is cut out of the whole view.
        view = Image.open(io.BytesIO(self.driver.get_screenshot_as_png()))
        left, top, right, bottom, width = self.script(
            "const r = document.getElementById('qtcanvas').getBoundingClientRect();"
            "return [r.left, r.top, r.right, r.bottom, innerWidth];")
        scale = view.width / width
        left, top = (max(0, round(edge * scale)) for edge in (left, top))
        right, bottom = min(view.width, round(right * scale)), min(view.height, round(bottom * scale))
        canvas = io.BytesIO()
        view.crop((left, top, max(left + 1, right), max(top + 1, bottom))).save(canvas, "PNG")
        return canvas.getvalue()

    def clipboard(self, write=None):
        # No script may read WebKit's clipboard: the X server's is read.
        return self.display.clipboard(write)

    def errors(self):
        # WebKitWebDriver reports no console; the page's violations count.
        return []

    def quit(self):
        try:
            super().quit()
        finally:
            self.display.stop()

    def reader(self):
        """nodes() on one reading of every mirrored element: each question
        to the driver is a round trip."""
        read = []
        for element in self.driver.find_elements(By.CSS_SELECTOR, MIRRORED):
            # The mirror is rewritten as the game changes: an element may
            # be gone by the time it is asked about.
            try:
                read.append((element.aria_role, element.accessible_name,
                             *self.script(NODE_DETAILS, element)))
            except WebDriverException:
                continue
        return finder(read)


class Firefox(Engine):
    """Firefox ESR driven through WebDriver BiDi on its own port."""
    name = "Firefox"

    def __init__(self, display, prefs=None):
        super().__init__()
        self.display = display
        profile = firefox_profile(self.folder / "profile", **(prefs or {}))
        environment = dict(os.environ, DISPLAY=display.name, HOME=str(self.folder))
        self.process = subprocess.Popen(
            ["firefox-esr", "--no-remote", "--new-instance", "--profile", str(profile),
             "--remote-debugging-port=0", "about:blank"],
            env=environment, stderr=subprocess.PIPE, stdout=subprocess.DEVNULL, text=True,
            start_new_session=True)
        url = None
        for line in self.process.stderr:
            if match := re.search(r"WebDriver BiDi listening on (ws://\S+)", line):
                url = match[1]
                break
        if not url:
            raise Failure("Firefox did not offer WebDriver BiDi")
        # Its further chatter must not fill the pipe and stop it.
        threading.Thread(target=lambda: self.process.stderr.read(), daemon=True).start()
        self.loop = asyncio.new_event_loop()
        threading.Thread(target=self.loop.run_forever, daemon=True).start()
        self.pending, self.events, self.sent = {}, [], 0
        async def connect():
            return await websockets.connect(url + "/session", max_size=None)
        self.socket = self.run(connect())
        asyncio.run_coroutine_threadsafe(self.listen(), self.loop)
        self.send("session.new", {"capabilities": {}})
        self.context = self.send("browsingContext.getTree", {})["contexts"][0]["context"]
        self.send("session.subscribe", {"events": ["log.entryAdded"]})
        self.send("script.addPreloadScript",
                  {"functionDeclaration": f"() => {{ {RECORD_VIOLATIONS} }}"})
        self.send("browsingContext.setViewport", {"context": self.context,
                                                  "viewport": {"width": 1024, "height": 768},
                                                  "devicePixelRatio": 2})
        self.logged = 0

    def run(self, coroutine, timeout=120):
        return asyncio.run_coroutine_threadsafe(coroutine, self.loop).result(timeout)

    async def listen(self):
        async for text in self.socket:
            message = json.loads(text)
            if "id" in message and message["id"] in self.pending:
                self.pending.pop(message["id"]).set_result(message)
            elif message.get("type") == "event":
                self.events.append(message)

    def send(self, method, params, timeout=120):
        async def call():
            self.sent += 1
            future = self.loop.create_future()
            self.pending[self.sent] = future
            await self.socket.send(json.dumps({"id": self.sent, "method": method,
                                               "params": params}))
            return await future
        message = self.run(call(), timeout)
        if message.get("type") == "error":
            raise Failure(f"Firefox refused {method}: {message['error']}: {message['message']}")
        return message["result"]

    @staticmethod
    def local(value):
        if value is None:
            return {"type": "null"}
        if isinstance(value, bool):
            return {"type": "boolean", "value": value}
        if isinstance(value, (int, float)):
            return {"type": "number", "value": value}
        if isinstance(value, dict) and "sharedId" in value:
            return {"sharedId": value["sharedId"]}
        return {"type": "string", "value": str(value)}

    @classmethod
    def remote(cls, value):
        kind = value["type"]
        if kind in ("array", "set"):
            return [cls.remote(item) for item in value.get("value", [])]
        if kind == "object":
            return {key if isinstance(key, str) else cls.remote(key): cls.remote(item)
                    for key, item in value.get("value", [])}
        if kind == "node":
            return value
        return value.get("value")

    def call(self, declaration, arguments, wait):
        result = self.send("script.callFunction", {
            "functionDeclaration": declaration, "target": {"context": self.context},
            "arguments": [self.local(argument) for argument in arguments],
            "awaitPromise": wait, "userActivation": True, "resultOwnership": "root"})
        if result["type"] == "exception":
            details = result["exceptionDetails"]
            raise Failure(f"a script failed in Firefox: {details.get('text')}")
        return self.remote(result["result"])

    def get(self, url):
        self.logged = len(self.events)
        self.send("browsingContext.navigate",
                  {"context": self.context, "url": url, "wait": "complete"})

    def refresh(self):
        self.logged = len(self.events)
        self.send("browsingContext.reload", {"context": self.context, "wait": "complete"})

    def language(self, tag):
        """What navigator.languages says from the next page on."""
        self.send("emulation.setLocaleOverride", {"locale": tag, "contexts": [self.context]})

    def viewport(self, width, height, scale):
        self.send("browsingContext.setViewport", {
            "context": self.context, "viewport": {"width": width, "height": height},
            "devicePixelRatio": scale})

    def script(self, source, *arguments):
        return self.call(f"function() {{ {source} }}", arguments, False)

    def script_async(self, source, *arguments):
        return self.call("function() { return new Promise((done) => (function() { "
                         f"{source} }}).apply(this, [...arguments, done])); }}", arguments, True)

    def act(self, *sources):
        self.send("input.performActions", {"context": self.context, "actions": list(sources)})

    @staticmethod
    def presses(keys):
        return [{"type": kind, "value": key} for key in keys for kind in ("keyDown", "keyUp")]

    def keys(self, *keys):
        self.act({"type": "key", "id": "keyboard",
                  "actions": self.presses("".join(keys))})

    def chord(self, modifier, key):
        self.act({"type": "key", "id": "keyboard", "actions": [
            {"type": "keyDown", "value": modifier}, *self.presses(key),
            {"type": "keyUp", "value": modifier}]})

    def pointer(self, x, y, kind):
        self.act({"type": "pointer", "id": kind, "parameters": {"pointerType": kind},
                  "actions": [{"type": "pointerMove", "x": int(x), "y": int(y)},
                              {"type": "pointerDown", "button": 0},
                              {"type": "pointerUp", "button": 0}]})
        self.send("input.releaseActions", {"context": self.context})

    def click(self, x, y):
        self.pointer(x, y, "mouse")

    def tap(self, x, y):
        self.pointer(x, y, "touch")

    def soft_key(self, key, code):
        self.keys({"Enter": Keys.ENTER, "Backspace": Keys.BACKSPACE}[key])

    def insert_text(self, text):
        self.keys(text)

    def screenshot(self, clip=None):
        params = {"context": self.context}
        if clip:
            params["clip"] = clip
        return base64.b64decode(self.send("browsingContext.captureScreenshot", params)["data"])

    def canvas_png(self):
        canvas = self.call("function() { return document.getElementById('qtcanvas'); }", [], False)
        return self.screenshot({"type": "element", "element": {"sharedId": canvas["sharedId"]}})

    def save(self, path):
        pathlib.Path(path).write_bytes(self.screenshot())

    def clipboard(self, write=None):
        return self.display.clipboard(write)

    def errors(self):
        return [event["params"].get("text") or str(event["params"])
                for event in self.events[self.logged:]
                if event.get("method") == "log.entryAdded"
                and event["params"].get("level") == "error"]

    def nodes(self, role, name=None):
        value = {"role": role} if name is None else {"role": role, "name": name}
        found = self.send("browsingContext.locateNodes", {
            "context": self.context, "locator": {"type": "accessibility", "value": value}})
        return [tuple(self.script(NODE_DETAILS, node)) for node in found["nodes"]]

    def quit(self):
        with contextlib.suppress(Exception):
            self.run(self.socket.close(), 10)
        self.process.terminate()
        try:
            self.process.wait(30)
        except subprocess.TimeoutExpired:
            self.process.kill()
        # Its content processes outlive it for a moment, writing to the
        # profile as it is removed.
        with contextlib.suppress(ProcessLookupError):
            os.killpg(self.process.pid, signal.SIGKILL)
        self.loop.call_soon_threadsafe(self.loop.stop)
        super().quit()
