#!/usr/bin/env python3
"""Draws the framework tests' picture: tests/framework/res/mapped.bmp.

    python3 tools/art/framework_test.py

A 4 x 2, 4-bit bitmap (VGA palette) whose magenta pixels a colour-mapped load must replace while the
others keep their values. Rows top to bottom:
    magenta, red,     magenta, blue
    green,   magenta, white,   black
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imgfmt import VGA16, Canvas, write_bmp  # noqa: E402

MAGENTA = (255, 0, 255)
ROWS = [
    [MAGENTA, (255, 0, 0), MAGENTA, (0, 0, 255)],
    [(0, 255, 0), MAGENTA, (255, 255, 255), (0, 0, 0)],
]


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    canvas = Canvas(4, 2)
    for y, row in enumerate(ROWS):
        for x, rgb in enumerate(row):
            canvas.set(x, y, rgb)
    # Colour mapping works on the palette, so the picture must have one.
    write_bmp(os.path.join(root, "tests", "framework", "res", "mapped.bmp"), canvas, 4, VGA16)


if __name__ == "__main__":
    main()
