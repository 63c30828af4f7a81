#!/usr/bin/env python3
"""Test pictures of the applet's unit tests (tests/applet/frame/).

mapped.bmp, 8 x 8, 8 bits with a three-entry colour table (as short as the shipped pictures'
tables can be): columns 0-3 pure magenta (to be replaced by the window colour),
columns 4-7 red in rows 0-3 and a magenta one step off (254, 0, 255) in rows 4-7, which
must keep its value.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import imgfmt  # noqa: E402

MAGENTA = (255, 0, 255)
RED = (200, 0, 0)
NEAR_MAGENTA = (254, 0, 255)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    canvas = imgfmt.Canvas(8, 8, MAGENTA)
    canvas.rect(4, 0, 8, 4, RED)
    canvas.rect(4, 4, 8, 8, NEAR_MAGENTA)
    imgfmt.write_bmp(os.path.join(root, "tests", "applet", "frame", "mapped.bmp"), canvas, 8,
                     [MAGENTA, RED, NEAR_MAGENTA])


if __name__ == "__main__":
    main()
