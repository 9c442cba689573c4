# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""The web version in headless Chromium: its folder served on 127.0.0.1 as
./run.sh --web serves it, and a browser set up for this machine that
records every Content-Security-Policy violation, shared by the browser test
and tools/measure-web.py."""
import base64
import ctypes
import hashlib
import http.client
import http.server
import io
import pathlib
import shutil
import signal
import socket
import subprocess
import sys
import tarfile
import tempfile
import threading
import time
import urllib.request

from player import cache_folder
from selenium import webdriver
from selenium.webdriver.chrome.service import Service


# axe-core from npm, pinned by version and by the registry's own checksum.
AXE_VERSION = "4.10.3"
AXE_INTEGRITY = ("sha512-Xm7bpRXnDSX2YE2YFfBk2FnF0ep6tmG7xPh8iHee8MIcrgq762Nkce856dYtJYLkuIoY"
                 "ZvGfTs/PbZhideTcEg==")
PR_SET_PDEATHSIG = 1
SERVE_WEB = pathlib.Path(__file__).resolve().parent.parent / "tools/serve-web.sh"
# Runs first in every page: the policy's violations, from the first script on.
RECORD_VIOLATIONS = """
window.ravelboxViolations = [];
document.addEventListener("securitypolicyviolation", (event) => window.ravelboxViolations.push(
  `${event.effectiveDirective} blocked ${event.blockedURI} (${event.sourceFile}:${event.lineNumber})`));
"""


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


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Site:
    """A web folder served as ./run.sh --web serves it: by Debian's nginx
    with the folder's own hosting/nginx.conf, on a free port of 127.0.0.1
    (nginx_port). Browsers reach it through a gate on port, or another free
    one, that passes every request and answer on unchanged, unless told
    otherwise: while the event hold is clear, requests for WebAssembly wait
    for it; tamper, when set, is called with each answer's path, status,
    headers and body and returns those to send; while silent is set, no
    request is answered at all. stop() ends both."""

    HOP_BY_HOP = {"connection", "keep-alive", "transfer-encoding", "content-length"}

    def __init__(self, folder, hold=None, port=0):
        self.hold, self.tamper = hold, None
        self.silent, self.stopped = threading.Event(), threading.Event()
        self.nginx_port = free_port()
        self.work = tempfile.mkdtemp(prefix="ravelbox-nginx-")
        try:
            self.start_nginx(folder)
        except BaseException:
            shutil.rmtree(self.work, ignore_errors=True)
            raise
        site = self

        class Gate(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.1"

            def log_message(self, *arguments):
                pass

            def do_GET(self):
                if site.silent.is_set():
                    site.stopped.wait()
                    self.close_connection = True
                    return
                if site.hold is not None and self.path.split("?")[0].endswith(".wasm"):
                    site.hold.wait()
                upstream = http.client.HTTPConnection("127.0.0.1", site.nginx_port, timeout=60)
                try:
                    upstream.request("GET", self.path, headers={
                        name: value for name, value in self.headers.items()
                        if name.lower() not in site.HOP_BY_HOP})
                    answer = upstream.getresponse()
                    status, headers, body = answer.status, [
                        (name, value) for name, value in answer.getheaders()
                        if name.lower() not in site.HOP_BY_HOP], answer.read()
                except OSError:
                    # nginx is gone, as a stopped server is: no answer.
                    self.close_connection = True
                    return
                finally:
                    upstream.close()
                if site.tamper:
                    status, headers, body = site.tamper(self.path, status, headers, body)
                self.send_response_only(status)
                for name, value in headers:
                    self.send_header(name, value)
                if status not in (204, 304):
                    self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)

        class Server(http.server.ThreadingHTTPServer):
            def handle_error(self, request, address):
                # A browser that quits or drops a connection is no failure.
                if not isinstance(sys.exc_info()[1], OSError):
                    super().handle_error(request, address)

        self.gate = Server(("127.0.0.1", port), Gate)
        self.port = self.gate.server_port
        threading.Thread(target=self.gate.serve_forever, daemon=True).start()

    def start_nginx(self, folder):
        # nginx goes with the test, even one that CTest kills for its time.
        self.nginx = subprocess.Popen(
            [SERVE_WEB, folder, str(self.nginx_port), self.work],
            preexec_fn=lambda: ctypes.CDLL(None).prctl(PR_SET_PDEATHSIG, signal.SIGTERM))
        deadline = time.monotonic() + 30
        while True:
            if self.nginx.poll() is not None:
                raise RuntimeError(f"nginx for {folder} exited with {self.nginx.returncode}")
            try:
                socket.create_connection(("127.0.0.1", self.nginx_port), timeout=1).close()
                break
            except OSError:
                if time.monotonic() > deadline:
                    self.nginx.kill()
                    raise
                time.sleep(0.1)

    def url(self, path="index.html"):
        return f"http://127.0.0.1:{self.port}/{path}"

    def stop(self):
        if self.stopped.is_set():
            return
        self.stopped.set()
        self.gate.shutdown()
        self.gate.server_close()
        self.nginx.terminate()
        self.nginx.wait(30)
        shutil.rmtree(self.work, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.stop()


def serve(folder, hold=None, port=0):
    return Site(folder, hold, port)


def start_browser(folder, environment, *arguments, language=None):
    """Debian's Chromium, headless, drawing WebGL in software and asking for
    nothing on the network, with its profile in folder, run in environment;
    every page it opens keeps the policy violations it hears in
    window.ravelboxViolations."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--no-first-run", "--window-size=1024,768",
                     f"--user-data-dir={folder}",
                     *arguments):
        options.add_argument(argument)
    if language:
        options.add_experimental_option("prefs", {"intl.accept_languages": language})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver", env=environment),
                               options=options)
    browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": RECORD_VIOLATIONS})
    return browser
