#!/usr/bin/env python3
"""Draws Hushwell's indicator icons: 131 a grey speaker without waves (muted),
132 a coloured speaker with blue sound waves (sound on). 64x64 at 8 and 4 bits per pixel.

Run from the repository root: python3 tools/art/hushwell.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imgfmt import Canvas, VGA16, halftone256, write_ico  # noqa: E402

SIZE = 64
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "mute", "res")

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
BLUE = (0, 0, 255)

# The speaker: a magnet box and a cone opening to the right.
BOX = (8, 24, 22, 41)                       # x0, y0, x1, y1 (exclusive)
CONE = [(21, 24), (36, 9), (36, 56), (21, 41)]
WAVE_CENTRE = (36, 32.5)
WAVE_RADII = (9, 16, 23)


def transparent_canvas():
    c = Canvas(SIZE, SIZE, BLACK)
    c.alpha = [[0] * SIZE for _ in range(SIZE)]
    return c


def outline(c, points):
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        c.line(ax, ay, bx, by, BLACK)


def speaker(c, box_rgb, cone_rgb, shine_rgb):
    x0, y0, x1, y1 = BOX
    c.rect(x0, y0, x1, y1, box_rgb)
    outline(c, [(x0, y0), (x1 - 1, y0), (x1 - 1, y1 - 1), (x0, y1 - 1)])
    c.polygon(CONE, cone_rgb)
    # The fill stops above its bottom corner's row, so the outline does too.
    outline(c, [CONE[0], CONE[1], (36, 55), CONE[3]])
    # A highlight along the box's top edge gives it some depth.
    c.hline(x0 + 2, x1 - 3, y0 + 2, shine_rgb)


def waves(c):
    cx, cy = WAVE_CENTRE
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            if dx <= 0:
                continue
            angle = math.degrees(math.atan2(abs(dy), dx))
            dist = math.hypot(dx, dy)
            if angle <= 45 and any(abs(dist - r) <= 1.5 for r in WAVE_RADII):
                c.set(x, y, BLUE)


def mute_icon():
    c = transparent_canvas()
    speaker(c, (128, 128, 128), (192, 192, 192), WHITE)
    return c


def sound_icon():
    c = transparent_canvas()
    speaker(c, (128, 128, 0), (255, 255, 0), WHITE)
    waves(c)
    return c


def main():
    pal8 = halftone256()
    for number, draw in ((131, mute_icon), (132, sound_icon)):
        canvas = draw()
        write_ico(os.path.join(OUT, "%d.ico" % number), [(canvas, 8, pal8), (canvas, 4, VGA16)])


if __name__ == "__main__":
    main()
