#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Lays out the web folder for serving and for play without a network.

Usage: web-site.py [--uncompressed] SITE PAGE FILE... PROGRAM.js PROGRAM.wasm

Copies the page (index.html), each of its scripts and style sheets and the
program into SITE,
each named after a hash of its content so that a name always means the
same bytes, and points the page at those names: the program's loader and
its WebAssembly share one name, under which Qt's loader fetches both. Writes
sw.js, the service worker, with the list of the page's files and a version
made of their hashes: it keeps them for the next visit, offline too, and a
new build brings a new worker that replaces them all at once. Beside each
of them it puts a .gz and a .br copy for servers that send precompressed
files, unless --uncompressed (a quick site for a server that compresses, or
none), and removes what an earlier build left.
"""
import gzip
import hashlib
import json
import pathlib
import re
import sys

import brotli

# What the page shows besides, kept for offline play under fixed names.
STATIC = ("manifest.webmanifest", "favicon-32.png", "favicon-256.png", "icon-192.png",
          "icon-512.png")
# A content hash in a file's name.
HASHED = re.compile(r"\.[0-9a-f]{12}\.(js|css|wasm)(\.gz|\.br)?$")

WORKER = """\
// Ravelbox's service worker, written by tools/web-site.py: keeps this
// build's files for the next visit, with or without a network.
"use strict";
const VERSION = "ravelbox-@VERSION@";
const FILES = @FILES@;
// How long the page may take to come from the network before the kept one
// is played instead.
const PATIENCE_MS = 4000;

self.addEventListener("install", (event) => {
  // Every file or none: a build is never kept in part.
  event.waitUntil(caches.open(VERSION)
    // The page registers this worker once the game runs, so these come
    // from the browser's HTTP cache, not a second time over the network.
    .then((cache) => cache.addAll(FILES))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith("ravelbox-")
      && name !== VERSION).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin)
    return;
  if (request.mode === "navigate") {
    event.respondWith(page(request));
    return;
  }
  // A hashed name never changes its content: what is kept is right.
  event.respondWith(caches.match(request).then((kept) => kept || fetch(request)));
});

// The page from the network when it answers well and in time, so that a new
// build is played at once; it names its own files, so old and new never mix.
// Otherwise, offline, behind an error page or a server that hangs, the kept
// one. Nothing here is cached: install keeps whole builds only.
async function page(request) {
  const network = fetch(request, { cache: "no-cache" });
  let timer;
  const late = new Promise((resolve) => { timer = setTimeout(resolve, PATIENCE_MS, null); });
  let answer = null;
  try {
    answer = await Promise.race([network, late]);
  } catch (error) {
    // No network: the kept page, else the browser's own error.
  } finally {
    clearTimeout(timer);
  }
  if (answer && answer.ok)
    return answer;
  const kept = await caches.match(request, { ignoreSearch: true })
    || await caches.match("index.html");
  return kept || answer || network;
}
"""


def digest(*datas):
    hashed = hashlib.sha256()
    for data in datas:
        hashed.update(data)
    return hashed.hexdigest()[:12]


def precompress(path):
    data = path.read_bytes()
    # No name or time in the gzip header, so that builds stay byte for byte.
    pathlib.Path(f"{path}.gz").write_bytes(gzip.compress(data, 9, mtime=0))
    pathlib.Path(f"{path}.br").write_bytes(brotli.compress(data, quality=11))


def main(site, page_file, *inputs, compressed=True):
    site = pathlib.Path(site)
    *assets, program_script, program_wasm = map(pathlib.Path, inputs)
    page = pathlib.Path(page_file).read_text(encoding="utf-8")
    files = []
    for asset in assets:
        data = asset.read_bytes()
        name = f"{asset.stem}.{digest(data)}{asset.suffix}"
        if f'"{asset.name}"' not in page:
            sys.exit(f"{page_file} does not load {asset.name}")
        page = page.replace(f'"{asset.name}"', f'"{name}"')
        (site / name).write_bytes(data)
        files.append(name)
    loads = f'data-program="{program_script.stem}"'
    if loads not in page:
        sys.exit(f"{page_file} does not name {program_script.stem} as its program")
    script, wasm = program_script.read_bytes(), program_wasm.read_bytes()
    name = f"{program_script.stem}.{digest(script, wasm)}"
    page = page.replace(loads, f'data-program="{name}"')
    (site / f"{name}.js").write_bytes(script)
    (site / f"{name}.wasm").write_bytes(wasm)
    files += [f"{name}.js", f"{name}.wasm"]
    (site / "index.html").write_text(page, encoding="utf-8")
    kept = ["index.html", *STATIC, *files]
    version = digest(*((site / file).read_bytes() for file in kept))
    worker = WORKER.replace("@VERSION@", version).replace("@FILES@", json.dumps(kept))
    (site / "sw.js").write_text(worker, encoding="utf-8")
    for stale in site.iterdir():
        if HASHED.search(stale.name) and stale.name.split(".gz")[0].split(".br")[0] not in files:
            stale.unlink()
    for file in files + ["index.html", "sw.js"]:
        if compressed:
            precompress(site / file)
        else:
            for copy in (site / f"{file}.gz", site / f"{file}.br"):
                copy.unlink(missing_ok=True)
    print(f"{site}: {', '.join(files)}; service worker version {version}")
    return 0


if __name__ == "__main__":
    arguments = sys.argv[1:]
    uncompressed = arguments[:1] == ["--uncompressed"]
    if len(arguments) - uncompressed < 4:
        sys.exit(__doc__)
    sys.exit(main(*arguments[uncompressed:], compressed=not uncompressed))
