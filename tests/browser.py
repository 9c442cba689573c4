# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""The web version in headless Chromium: a server for its folder on
127.0.0.1 and a browser set up for this machine, shared by the browser test
and tools/measure-web.py."""
import base64
import functools
import hashlib
import http.server
import io
import tarfile
import tempfile
import threading
import urllib.request

from player import cache_folder
from selenium import webdriver
from selenium.webdriver.chrome.service import Service


# axe-core from npm, pinned by version and by the registry's own checksum.
AXE_VERSION = "4.10.3"
AXE_INTEGRITY = ("sha512-Xm7bpRXnDSX2YE2YFfBk2FnF0ep6tmG7xPh8iHee8MIcrgq762Nkce856dYtJYLkuIoY"
                 "ZvGfTs/PbZhideTcEg==")



def axe_source():
    """The text of axe.min.js, fetched once into the cache folder."""
    tarball = cache_folder() / f"npm/axe-core-{AXE_VERSION}.tgz"
    if not tarball.exists():
        url = f"https://registry.npmjs.org/axe-core/-/axe-core-{AXE_VERSION}.tgz"
        with urllib.request.urlopen(url, timeout=60) as response:
            data = response.read()
        tarball.parent.mkdir(parents=True, exist_ok=True)
        partial = tarball.with_suffix(".part")
        partial.write_bytes(data)
        partial.replace(tarball)
    data = tarball.read_bytes()
    digest = "sha512-" + base64.b64encode(hashlib.sha512(data).digest()).decode()
    if digest != AXE_INTEGRITY:
        raise RuntimeError(f"{tarball} is not axe-core {AXE_VERSION}: {digest}")
    with tarfile.open(fileobj=io.BytesIO(data)) as archive:
        return archive.extractfile("package/axe.min.js").read().decode()


def serve(folder, hold=None, port=0):
    """Serves folder on 127.0.0.1, on port or a free one, until shutdown()
    is called. While the event hold is clear, requests for WebAssembly wait
    for it."""
    class Handler(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *arguments):
            pass

        def do_GET(self):
            if hold is not None and self.path.split("?")[0].endswith(".wasm"):
                hold.wait()
            super().do_GET()

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", port), functools.partial(Handler, directory=folder))
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
