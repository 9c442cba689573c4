# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""The web version in headless Chromium: a server for its folder on
127.0.0.1 and a browser set up for this machine, shared by the browser test
and tools/measure-web.py."""
import functools
import http.server
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def serve(folder):
    """Serves folder on a free port of 127.0.0.1 until shutdown() is called."""
    class Handler(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *arguments):
            pass

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def start_browser(*arguments, language=None):
    """Debian's Chromium, headless, drawing WebGL in software and asking for
    nothing on the network, with a profile of its own."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--no-first-run", "--window-size=1024,768",
                     f"--user-data-dir={tempfile.mkdtemp(prefix='ravelbox-chromium-')}",
                     *arguments):
        options.add_argument(argument)
    if language:
        options.add_experimental_option("prefs", {"intl.accept_languages": language})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
