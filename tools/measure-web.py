#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Measures the web version against a Qt Widgets hello-world window.

Usage: tools/measure-web.py [--loads N] [--lighthouse] [NAME=SITE-FOLDER...]

Builds both from the same Qt (build-web-measure/), or takes the web folders
named, serves each on 127.0.0.1 as ./run.sh --web does (nginx, the site's
own headers) and loads it in headless Chromium:
- the first visit's transfer: the page, its scripts, style sheet and program, each
  compressed on its own with gzip -9 and with brotli;
- the time from navigation to the first frame that shows a window: the
  median of N warm loads (5 unless given), and one load on a phone's
  profile, the CPU 4 times slower and the network at 1.6 Mbit/s with
  150 ms round trips, with nothing cached;
- the memory the page holds once the window is up (WebAssembly memory and
  JavaScript heap);
- with --lighthouse, Lighthouse's mobile run (from npm, pinned): its
  accessibility, best-practices, SEO and performance scores, LCP and TBT,
  and the audits that cost the first three points.
First frames are read from screenshots taken as fast as Chromium gives them.
The game's first frame also waits for its set-up's pauses, 420 ms.
"""
import argparse
import gzip
import io
import json
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import brotli
from PIL import Image
from selenium.webdriver.common.by import By

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests"))
from browser import cache_folder, serve  # noqa: E402  (the tests' own modules)
from engines import Chromium  # noqa: E402
BUILD = ROOT / "build-web-measure"
LIGHTHOUSE = "12.1.0"
PHONE_NETWORK = {"offline": False, "latency": 150, "downloadThroughput": 1_600_000 / 8,
                 "uploadThroughput": 750_000 / 8}


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
    # The hello window is served by the same page, laid out by the same tool.
    hello = BUILD / "hello-site"
    shutil.rmtree(hello, ignore_errors=True)
    shutil.copytree(BUILD / "site", hello,
                    ignore=shutil.ignore_patterns("*.*.js*", "*.*.css*", "*.wasm*"))
    program = pathlib.Path(tempfile.mkdtemp(prefix="ravelbox-hello-"))
    for suffix in (".js", ".wasm"):
        shutil.copy(BUILD / "tools" / f"ravelbox-web-hello{suffix}", program / f"ravelbox{suffix}")
    subprocess.run([sys.executable, ROOT / "tools/web-site.py", hello, BUILD / "web/index.html",
                    BUILD / "web/texts.js", BUILD / "qtloader.js", BUILD / "web/page.js",
                    BUILD / "web/page.css", program / "ravelbox.js",
                    program / "ravelbox.wasm"], check=True, stdout=subprocess.DEVNULL)
    return {"game": BUILD / "site", "hello window": hello}


def transfer(folder):
    """The first visit's bytes with gzip -9 and with brotli, each file on its own."""
    files = [path for path in folder.iterdir() if path.suffix in (".html", ".js", ".css", ".wasm")]
    return (sum(len(gzip.compress(path.read_bytes(), 9)) for path in files),
            sum(len(brotli.compress(path.read_bytes(), quality=11)) for path in files))


def first_frame(driver, url):
    """Seconds from navigation until the canvas shows more than its background."""
    start = time.monotonic()
    driver.get(url)
    while time.monotonic() - start < 120:
        canvas = driver.find_element(By.ID, "qtcanvas")
        if canvas.is_displayed():
            image = Image.open(io.BytesIO(canvas.screenshot_as_png)).convert("RGB")
            if image.getcolors(1) is None:
                return time.monotonic() - start
    raise RuntimeError(f"no window on {url} after 120 s")


def on_phone(url):
    """The first frame of a first visit on a slow phone."""
    chromium = Chromium()
    driver = chromium.driver
    try:
        driver.execute_cdp_cmd("Network.enable", {})
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        driver.execute_cdp_cmd("Network.emulateNetworkConditions", PHONE_NETWORK)
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 4})
        return first_frame(driver, url)
    finally:
        chromium.quit()


def memory(driver):
    driver.execute_cdp_cmd("Performance.enable", {})
    metrics = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    heap = next(metric["value"] for metric in metrics if metric["name"] == "JSHeapUsedSize")
    wasm = driver.execute_script("return qtLoader.module().HEAP8.length")
    return wasm, heap


def lighthouse(url):
    """Lighthouse's mobile run: scores out of 100, LCP and TBT in ms, and the
    audits that cost accessibility, best practices or SEO points."""
    prefix = cache_folder() / f"npm/lighthouse-{LIGHTHOUSE}"
    program = prefix / "node_modules/.bin/lighthouse"
    if not program.exists():
        subprocess.run(["npm", "install", "--prefix", prefix, "--no-audit", "--no-fund",
                        f"lighthouse@{LIGHTHOUSE}"], check=True, stdout=subprocess.DEVNULL)
    report = subprocess.run(
        [program, url, "--output=json", "--quiet",
         "--only-categories=accessibility,best-practices,seo,performance",
         "--chrome-flags=--headless=new --no-sandbox --use-angle=swiftshader "
         "--enable-unsafe-swiftshader"],
        check=True, capture_output=True, text=True,
        env=dict(os.environ, CHROME_PATH="/usr/bin/chromium")).stdout
    report = json.loads(report)
    categories = ("accessibility", "best-practices", "seo", "performance")
    scores = [round(report["categories"][name]["score"] * 100) for name in categories]
    audits = report["audits"]
    lost = sorted({reference["id"] for name in categories[:3]
                   for reference in report["categories"][name]["auditRefs"]
                   if reference["weight"] and (audits[reference["id"]]["score"] or 0) < 1})
    return (*scores, audits["largest-contentful-paint"]["numericValue"],
            audits["total-blocking-time"]["numericValue"], lost)


def measure(folder, loads, with_lighthouse):
    server = serve(folder)
    url = server.url()
    chromium = Chromium()
    driver = chromium.driver
    try:
        first_frame(driver, url)  # fills the cache
        times = [first_frame(driver, url) for _ in range(loads)]
        time.sleep(1)
        result = {"transfer": transfer(folder), "warm": statistics.median(times),
                  "memory": memory(driver)}
    finally:
        chromium.quit()
    try:
        result["phone"] = on_phone(url)
        if with_lighthouse:
            result["lighthouse"] = lighthouse(url)
    finally:
        server.stop()
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--loads", type=int, default=5)
    parser.add_argument("--lighthouse", action="store_true")
    parser.add_argument("sites", nargs="*", metavar="NAME=SITE-FOLDER")
    arguments = parser.parse_args()
    sites = ({name: pathlib.Path(folder) for name, folder in
              (site.split("=", 1) for site in arguments.sites)} if arguments.sites else build())
    mebibyte = 1 << 20
    print(f"{'':14}{'gzip -9':>11}{'brotli':>11}{'warm':>9}{'phone':>9}{'wasm memory':>13}"
          f"{'JS heap':>10}  Lighthouse: a11y, best practices, SEO, performance, LCP, TBT")
    for name, folder in sites.items():
        result = measure(folder, arguments.loads, arguments.lighthouse)
        (gzipped, brotlied), (wasm, heap) = result["transfer"], result["memory"]
        line = (f"{name:14}{gzipped:11,}{brotlied:11,}{result['warm'] * 1000:6.0f} ms"
                f"{result['phone']:7.1f} s{wasm / mebibyte:9.1f} MiB{heap / mebibyte:6.1f} MiB")
        if "lighthouse" in result:
            accessibility, practices, seo, performance, lcp, tbt, lost = result["lighthouse"]
            line += (f"  {accessibility}, {practices}, {seo}, {performance}, {lcp / 1000:.1f} s, "
                     f"{tbt:.0f} ms" + (f"; lost on {', '.join(lost)}" if lost else ""))
        print(line, flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
