#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Draws the Windows installer's pictures from the game's icon, in place of
NSIS's stock ones: the header of every page and the side of the welcome and
finish pages, as the 24-bit BMPs NSIS wants.

Usage: nsis-bitmaps.py ICON.png HEADER.bmp SIDE.bmp
"""
import sys

from PIL import Image


def picture(icon, size, icon_size, place, background):
    canvas = Image.new("RGB", size, background)
    small = icon.resize((icon_size, icon_size), Image.LANCZOS)
    canvas.paste(small, place(size, icon_size), small)
    return canvas


def main(icon_file, header_file, side_file):
    icon = Image.open(icon_file).convert("RGBA")
    # Header: 150 x 57, the icon at its right end, on the page's white.
    picture(icon, (150, 57), 48, lambda s, i: (s[0] - i - 6, (s[1] - i) // 2),
            "white").save(header_file)
    # Side of the welcome and finish pages: 164 x 314, the icon in the middle.
    picture(icon, (164, 314), 128, lambda s, i: ((s[0] - i) // 2, (s[1] - i) // 2),
            (225, 234, 242)).save(side_file)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
