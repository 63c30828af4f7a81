"""Draws Orvex's two display pictures: osd/res/131.bmp (sound on) and 136.bmp (muted).

176 x 80 pixels, 8 bits per pixel. The wedge that marks the level is drawn at run time over
the ramp; its points lie on or just below the ramp's black line.
Run from the top of the tree: python3 tools/art/orvex.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imgfmt import Canvas, halftone256, write_bmp  # noqa: E402

W, H = 176, 80
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
FACE = (204, 204, 204)
SHADOW = (128, 128, 128)
RAMP = (130, 136, 204)
RAMP_LIGHT = (197, 200, 234)
WAVE = (0, 0, 255)
SPEAKER_GREY = (160, 160, 160)

EXACT = [BLACK, WHITE, FACE, SHADOW, RAMP, RAMP_LIGHT, WAVE, SPEAKER_GREY]


def palette():
    pal = list(EXACT)
    for rgb in halftone256():
        if len(pal) == 256:
            break
        if rgb not in pal:
            pal.append(rgb)
    return pal


def draw_frame(c):
    c.rect(0, 0, W, H, FACE)
    c.hline(0, W - 1, 0, BLACK)
    c.hline(0, W - 1, H - 1, BLACK)
    c.vline(0, 0, H - 1, BLACK)
    c.vline(W - 1, 0, H - 1, BLACK)
    # Sunken inner rectangle (4, 4) to (172, 76).
    c.hline(4, 172, 4, SHADOW)
    c.vline(4, 4, 76, SHADOW)
    c.hline(4, 172, 76, WHITE)
    c.vline(172, 5, 76, WHITE)


def draw_speaker(c, colour):
    c.rect(12, 16, 18, 25, colour)                            # magnet
    c.polygon([(18, 16), (25, 9), (25, 32), (18, 25)], colour)  # cone


def draw_waves(c):
    cx, cy = 25.5, 20.5
    for r in (6, 10, 14):
        for y in range(H):
            for x in range(26, 45):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d = math.hypot(dx, dy)
                if r - 1.6 <= d <= r and abs(dy) <= dx * 1.1:
                    c.set(x, y, WAVE)


def draw_ramp(c):
    # Its thin end starts a few pixels high so that the black line runs inside it.
    c.polygon([(10, 71), (10, 66), (166, 13.5), (166, 71)], RAMP)
    c.line(15, 66, 162, 17, BLACK)
    c.hline(15, 162, 67, RAMP_LIGHT)
    c.vline(162, 18, 67, RAMP_LIGHT)


def picture(muted):
    c = Canvas(W, H)
    draw_frame(c)
    draw_ramp(c)
    if muted:
        draw_speaker(c, SPEAKER_GREY)
    else:
        draw_speaker(c, BLACK)
        draw_waves(c)
    return c


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "osd", "res")
    pal = palette()
    pal += [(0, 0, 0)] * (256 - len(pal))   # a full 256-entry table, as shipped
    write_bmp(os.path.join(root, "131.bmp"), picture(False), 8, pal)
    write_bmp(os.path.join(root, "136.bmp"), picture(True), 8, pal)


if __name__ == "__main__":
    main()
