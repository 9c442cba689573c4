#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Measures the web version against a Qt Widgets hello-world window.

Usage: tools/measure-web.py [LOADS]

Builds both from the same Qt (build-web-measure/), serves them on 127.0.0.1
and loads each in headless Chromium: the compressed download (gzip -9 of the
page, Qt's loader, the .js and the .wasm), the time from navigation to the
first frame that shows a window (median of LOADS warm loads, 5 unless given,
read from screenshots taken as fast as Chromium gives them), and the
memory the page holds once the window is up (WebAssembly memory and
JavaScript heap). The game's first frame must also wait for its set-up's
pauses, 420 ms.
"""
import gzip
import io
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import time

from PIL import Image
from selenium.webdriver.common.by import By

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests"))
from browser import serve, start_browser  # noqa: E402  (the tests' own module)
BUILD = ROOT / "build-web-measure"
DOWNLOADED = ("index.html", "texts.js", "qtloader.js", "ravelbox.js", "ravelbox.wasm")


def build():
    environment = dict(os.environ)
    environment["RAVELBOX_WASM_QT"] = subprocess.run(
        [ROOT / "tools/build-wasm-qt.sh"], check=True, capture_output=True,
        text=True).stdout.strip()
    for command in (["cmake", "--preset", "web", "-B", BUILD, "-DBUILD_TESTING=OFF",
                     "-DRAVELBOX_BUILD_TOOLS=ON"],
                    ["cmake", "--build", BUILD, "--target", "ravelbox_site",
                     "ravelbox-web-hello", "--parallel", str(os.cpu_count())]):
        subprocess.run(command, cwd=ROOT, env=environment, check=True,
                       stdout=subprocess.DEVNULL)
    # The hello window is served by the same page under the game's file names.
    hello = BUILD / "hello-site"
    shutil.rmtree(hello, ignore_errors=True)
    shutil.copytree(BUILD / "site", hello)
    for suffix in (".js", ".wasm"):
        shutil.copy(BUILD / "tools" / f"ravelbox-web-hello{suffix}", hello / f"ravelbox{suffix}")
    return {"game": BUILD / "site", "hello window": hello}


def download(folder):
    return sum(len(gzip.compress((folder / name).read_bytes(), 9)) for name in DOWNLOADED)


def first_frame(driver, url):
    """Seconds from navigation until the canvas shows more than its background."""
    start = time.monotonic()
    driver.get(url)
    while time.monotonic() - start < 60:
        canvas = driver.find_element(By.ID, "qtcanvas")
        if canvas.is_displayed():
            image = Image.open(io.BytesIO(canvas.screenshot_as_png)).convert("RGB")
            if image.getcolors(1) is None:
                return time.monotonic() - start
    raise RuntimeError(f"no window on {url} after 60 s")


def memory(driver):
    driver.execute_cdp_cmd("Performance.enable", {})
    metrics = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    heap = next(metric["value"] for metric in metrics if metric["name"] == "JSHeapUsedSize")
    wasm = driver.execute_script("return qtLoader.module().HEAP8.length")
    return wasm, heap


def main(loads="5"):
    sites = build()
    results = {}
    for name, folder in sites.items():
        server = serve(folder)
        url = f"http://127.0.0.1:{server.server_port}/index.html"
        driver = start_browser()
        try:
            first_frame(driver, url)  # fills the cache
            times = [first_frame(driver, url) for _ in range(int(loads))]
            time.sleep(1)
            results[name] = (download(folder), statistics.median(times), *memory(driver))
        finally:
            driver.quit()
            server.shutdown()
    mebibyte = 1 << 20
    print(f"{'':14}{'download (bytes)':>18}{'first frame':>14}{'wasm memory':>14}{'JS heap':>11}")
    for name, (size, seconds, wasm, heap) in results.items():
        print(f"{name:14}{size:18,}{seconds * 1000:11.0f} ms"
              f"{wasm / mebibyte:10.1f} MiB{heap / mebibyte:7.1f} MiB")
    game, hello = results["game"], results["hello window"]
    print(f"game / hello window: download {game[0] / hello[0]:.3f}x, first frame "
          f"{(game[1] - hello[1]) * 1000:+.0f} ms (the set-up pauses 420 ms)")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
