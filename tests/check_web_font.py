#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Fails when a text the web version can show has a character its font lacks.

Usage: check_web_font.py FONT TS-FILE...
Reads every source text and translation of the translation files, as Qt
Linguist does, and looks each character up in the font's character map;
Qt's own fonts in the browser have no Chinese, Japanese or Korean.
"""
import sys
import xml.etree.ElementTree as ElementTree

from fontTools.ttLib import TTFont


def texts(ts_file):
    for message in ElementTree.parse(ts_file).getroot().iter("message"):
        for tag in ("source", "translation"):
            text = message.findtext(tag)
            if text:
                yield text


def main(font_file, *ts_files):
    if not ts_files:
        sys.exit("no translation files given")
    covered = TTFont(font_file).getBestCmap()
    missing = {}
    for ts_file in ts_files:
        for text in texts(ts_file):
            for character in text:
                if not character.isspace() and ord(character) not in covered:
                    missing.setdefault(character, text)
    for character, text in sorted(missing.items()):
        print(f"U+{ord(character):04X} {character!r} is not in {font_file}: {text!r}")
    count = len(missing)
    print(f"{len(ts_files)} translation files, {count} characters missing")
    return 1 if count else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
