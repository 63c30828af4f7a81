#!/usr/bin/env python3
"""Draws every picture of the Pallum applet into applet/res/, named by resource id.

    python3 tools/art/pallum.py [--out DIR] [--preview PNG]

Shapes are signed distance functions rendered with analytic anti-aliasing into a float
RGBA layer, then reduced to the depth each resource needs. Light falls from the top left
throughout; the palette is the maker's navy/blue with an orange accent for "the button".
--preview writes an enlarged contact sheet (PNG) for looking at the results.
"""
import argparse
import math
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imgfmt import Canvas, exact_palette, used_palette, write_bmp, write_ico  # noqa: E402

# ---- Palette --------------------------------------------------------------------------

NAVY = (12, 36, 82)
BLUE = (30, 92, 172)
SKY = (84, 164, 232)
ICE = (196, 228, 250)
ORANGE = (242, 140, 24)
AMBER = (255, 196, 72)
GRAPHITE = (46, 52, 62)
STEEL = (112, 122, 136)
SILVER = (196, 202, 210)
PEARL = (238, 241, 245)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (210, 40, 36)
ROSE = (255, 120, 104)
GREEN = (52, 156, 72)
LEAF = (126, 200, 96)
MAGENTA = (255, 0, 255)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(c, t):
    """t < 0 darkens toward black, t > 0 lightens toward white."""
    return mix(c, BLACK, -t) if t < 0 else mix(c, WHITE, t)


# ---- Shapes: signed distance in pixels, negative inside ----------------------------------

INF = float("inf")


class Shape:
    def __init__(self, d, bbox):
        self.d = d
        self.bbox = bbox  # (x0, y0, x1, y1) or None for unbounded

    def __or__(self, other):
        a, b = self.d, other.d
        return Shape(lambda x, y: min(a(x, y), b(x, y)), _bbox_union(self.bbox, other.bbox))

    def __and__(self, other):
        a, b = self.d, other.d
        return Shape(lambda x, y: max(a(x, y), b(x, y)), _bbox_inter(self.bbox, other.bbox))

    def __sub__(self, other):
        a, b = self.d, other.d
        return Shape(lambda x, y: max(a(x, y), -b(x, y)), self.bbox)

    def grow(self, r):
        a = self.d
        bb = self.bbox and (self.bbox[0] - r, self.bbox[1] - r, self.bbox[2] + r, self.bbox[3] + r)
        return Shape(lambda x, y: a(x, y) - r, bb)

    def outline(self, w):
        """A band of width w centred on the edge."""
        a = self.d
        bb = self.bbox and (self.bbox[0] - w, self.bbox[1] - w, self.bbox[2] + w, self.bbox[3] + w)
        return Shape(lambda x, y: abs(a(x, y)) - w / 2, bb)

    def inner(self, w):
        """A band of width w just inside the edge."""
        return self & self.grow(-w).invert()

    def invert(self):
        a = self.d
        return Shape(lambda x, y: -a(x, y), None)

    def moved(self, dx, dy):
        a = self.d
        bb = self.bbox and (self.bbox[0] + dx, self.bbox[1] + dy, self.bbox[2] + dx, self.bbox[3] + dy)
        return Shape(lambda x, y: a(x - dx, y - dy), bb)

    def rotated(self, deg, cx, cy):
        """Turned counter-clockwise on screen by deg about (cx, cy)."""
        a = self.d
        c, s = math.cos(math.radians(deg)), math.sin(math.radians(deg))
        bb = self.bbox
        if bb:
            pts = [(bb[0], bb[1]), (bb[2], bb[1]), (bb[0], bb[3]), (bb[2], bb[3])]
            pts = [(cx + (px - cx) * c + (py - cy) * s, cy - (px - cx) * s + (py - cy) * c) for px, py in pts]
            bb = (min(p[0] for p in pts), min(p[1] for p in pts), max(p[0] for p in pts), max(p[1] for p in pts))
        return Shape(lambda x, y: a(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c), bb)

    def sheared(self, k, y0):
        """Slants right by k pixels per pixel above y0 (italic)."""
        a = self.d
        bb = self.bbox
        if bb:
            lo, hi = k * (y0 - bb[3]), k * (y0 - bb[1])
            bb = (bb[0] + min(lo, hi), bb[1], bb[2] + max(lo, hi), bb[3])
        return Shape(lambda x, y: a(x - k * (y0 - y), y), bb)


def _bbox_union(a, b):
    if a is None or b is None:
        return None
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def _bbox_inter(a, b):
    if a is None:
        return b
    if b is None:
        return a
    return (max(a[0], b[0]), max(a[1], b[1]), min(a[2], b[2]), min(a[3], b[3]))


def box(x0, y0, x1, y1, r=0.0):
    """Rectangle x0..x1, y0..y1 in pixel-edge coordinates, corners rounded by r."""
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        out = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return out + min(max(qx, qy), 0.0) - r
    return Shape(d, (x0, y0, x1, y1))


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    def d(x, y):
        px, py = (x - cx), (y - cy)
        k0 = math.hypot(px / rx, py / ry)
        k1 = math.hypot(px / (rx * rx), py / (ry * ry))
        return k0 * (k0 - 1.0) / k1 if k1 > 1e-9 else -min(rx, ry)
    return Shape(d, (cx - rx, cy - ry, cx + rx, cy + ry))


def capsule(ax, ay, bx, by, w):
    """A stroke of width w from a to b with round caps."""
    ex, ey = bx - ax, by - ay
    ee = ex * ex + ey * ey or 1e-9
    r = w / 2

    def d(x, y):
        wx, wy = x - ax, y - ay
        t = min(1.0, max(0.0, (wx * ex + wy * ey) / ee))
        return math.hypot(wx - ex * t, wy - ey * t) - r
    return Shape(d, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))


def polygon(pts):
    edges = []
    for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
        ex, ey = bx - ax, by - ay
        edges.append((ax, ay, ex, ey, (ex * ex + ey * ey) or 1e-9))

    def d(x, y):
        best, inside = INF, False
        for ax, ay, ex, ey, ee in edges:
            wx, wy = x - ax, y - ay
            t = min(1.0, max(0.0, (wx * ex + wy * ey) / ee))
            dx, dy = wx - ex * t, wy - ey * t
            dd = dx * dx + dy * dy
            if dd < best:
                best = dd
            if (ay <= y) != (ay + ey <= y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        r = math.sqrt(best)
        return -r if inside else r
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return Shape(d, (min(xs), min(ys), max(xs), max(ys)))


def line(ax, ay, bx, by, w):
    """A stroke of width w from a to b with square-cut ends."""
    ex, ey = bx - ax, by - ay
    n = math.hypot(ex, ey) or 1e-9
    nx, ny = -ey / n * w / 2, ex / n * w / 2
    return polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)])


def arc(cx, cy, r, a0, a1, w):
    """A stroke of width w along the circle from angle a0 to a1 (degrees, counter-clockwise
    on screen, 0 = east), with round caps."""
    t0, t1 = math.radians(a0), math.radians(a1)
    mid, half = (t0 + t1) / 2, (t1 - t0) / 2
    p0 = (cx + r * math.cos(t0), cy - r * math.sin(t0))
    p1 = (cx + r * math.cos(t1), cy - r * math.sin(t1))

    def d(x, y):
        dx, dy = x - cx, cy - y
        ang = math.atan2(dy, dx) - mid
        ang = (ang + math.pi) % (2 * math.pi) - math.pi
        if abs(ang) <= half:
            return abs(math.hypot(dx, dy) - r) - w / 2
        return min(math.hypot(x - p0[0], y - p0[1]), math.hypot(x - p1[0], y - p1[1])) - w / 2
    e = r + w
    return Shape(d, (cx - e, cy - e, cx + e, cy + e))


def ring(cx, cy, r, w):
    return circle(cx, cy, r).outline(w)


# ---- Paints ---------------------------------------------------------------------------

def _stops_at(stops, t):
    t = min(1.0, max(0.0, t))
    for (ta, ca), (tb, cb) in zip(stops, stops[1:]):
        if t <= tb:
            return mix(ca, cb, (t - ta) / (tb - ta) if tb > ta else 0.0)
    return stops[-1][1]


def linear(x0, y0, x1, y1, *stops):
    """Gradient along (x0,y0)->(x1,y1); stops are colours spread evenly or (t, colour) pairs."""
    if not isinstance(stops[0][0], (int, float)) or len(stops[0]) != 2:
        stops = [(i / (len(stops) - 1), c) for i, c in enumerate(stops)]
    ex, ey = x1 - x0, y1 - y0
    ee = ex * ex + ey * ey or 1e-9
    return lambda x, y: _stops_at(stops, ((x - x0) * ex + (y - y0) * ey) / ee)


def radial(cx, cy, r, *stops):
    if not isinstance(stops[0][0], (int, float)) or len(stops[0]) != 2:
        stops = [(i / (len(stops) - 1), c) for i, c in enumerate(stops)]
    return lambda x, y: _stops_at(stops, math.hypot(x - cx, y - cy) / r)


def falloff(cx, cy, r0, r1, peak=1.0):
    """Opacity: peak within r0 of the centre, fading to nothing at r1."""
    def f(x, y):
        t = (math.hypot(x - cx, y - cy) - r0) / (r1 - r0)
        return peak * (1.0 - min(1.0, max(0.0, t))) ** 2
    return f


# ---- Layer ----------------------------------------------------------------------------

class Layer:
    """Premultiplied float RGBA pixels; shapes are painted over what is there."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        n = w * h
        self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n

    def fill(self, shape, paint, opacity=1.0):
        """paint: colour or f(x, y) -> colour; opacity: number or f(x, y) -> 0..1."""
        bb = shape.bbox or (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(bb[0])) - 1), max(0, int(math.floor(bb[1])) - 1)
        x1, y1 = min(self.w, int(math.ceil(bb[2])) + 1), min(self.h, int(math.ceil(bb[3])) + 1)
        flat = not callable(paint)
        varying = callable(opacity)
        d = shape.d
        for y in range(y0, y1):
            py = y + 0.5
            for x in range(x0, x1):
                px = x + 0.5
                cov = 0.5 - d(px, py)
                if cov <= 0.0:
                    continue
                a = (1.0 if cov >= 1.0 else cov) * (opacity(px, py) if varying else opacity)
                c = paint if flat else paint(px, py)
                i = y * self.w + x
                k = 1.0 - a
                self.r[i] = c[0] * a + self.r[i] * k
                self.g[i] = c[1] * a + self.g[i] * k
                self.b[i] = c[2] * a + self.b[i] * k
                self.a[i] = a + self.a[i] * k

    def pixel(self, x, y, c, opacity=1.0):
        """Paints one pixel exactly (for hand-placed detail and pixel text)."""
        if 0 <= x < self.w and 0 <= y < self.h:
            i, k = y * self.w + x, 1.0 - opacity
            self.r[i] = c[0] * opacity + self.r[i] * k
            self.g[i] = c[1] * opacity + self.g[i] * k
            self.b[i] = c[2] * opacity + self.b[i] * k
            self.a[i] = opacity + self.a[i] * k

    def rgba(self, x, y):
        i = y * self.w + x
        a = self.a[i]
        if a <= 1e-6:
            return (0, 0, 0), 0
        return tuple(min(255, max(0, int(round(v / a)))) for v in (self.r[i], self.g[i], self.b[i])), \
            int(round(a * 255))

    def over(self, bg):
        """Opaque canvas: the layer over a solid background colour."""
        cv = Canvas(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                i = y * self.w + x
                k = 1.0 - self.a[i]
                cv.px[y][x] = (_q(self.r[i] + bg[0] * k), _q(self.g[i] + bg[1] * k), _q(self.b[i] + bg[2] * k))
        return cv

    def with_alpha(self):
        """Canvas with straight colour and alpha; fully transparent pixels are black."""
        cv = Canvas(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                cv.px[y][x], cv.alpha[y][x] = self.rgba(x, y)
        return cv

    def keyed(self, key=MAGENTA, window=WHITE):
        """Opaque canvas for a colour-keyed bitmap: pixels at least half covered are blended
        over the usual window colour, the rest become the key colour, which the page replaces
        with the real window colour. No drawn pixel may equal the key."""
        cv = Canvas(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                i = y * self.w + x
                a = self.a[i]
                if a < 0.5:
                    cv.px[y][x] = key
                    continue
                k = 1.0 - a
                c = (_q(self.r[i] + window[0] * k), _q(self.g[i] + window[1] * k), _q(self.b[i] + window[2] * k))
                cv.px[y][x] = c if c != key else (254, 0, 254)
        return cv


def _q(v):
    return min(255, max(0, int(round(v))))


# ---- Reduction to a palette -------------------------------------------------------------

def median_cut(counts, n):
    """counts: {rgb: pixel count}. Returns at most n colours that represent them."""
    if len(counts) <= n:
        return sorted(counts)
    boxes = [list(counts.items())]
    while len(boxes) < n:
        best, best_score, best_ch = None, -1, 0
        for i, bx in enumerate(boxes):
            if len(bx) < 2:
                continue
            spans = [max(c[ch] for c, _ in bx) - min(c[ch] for c, _ in bx) for ch in range(3)]
            ch = spans.index(max(spans))
            score = spans[ch] * math.sqrt(sum(k for _, k in bx))
            if score > best_score:
                best, best_score, best_ch = i, score, ch
        if best is None:
            break
        bx = sorted(boxes.pop(best), key=lambda e: e[0][best_ch])
        total, run, cut = sum(k for _, k in bx), 0, 1
        for j, (_, k) in enumerate(bx[:-1]):
            run += k
            if run * 2 >= total:
                cut = j + 1
                break
        boxes += [bx[:cut], bx[cut:]]
    out = []
    for bx in boxes:
        total = sum(k for _, k in bx)
        out.append(tuple(int(round(sum(c[ch] * k for c, k in bx) / total)) for ch in range(3)))
    return sorted(set(out))


def palettize(canvas, size, reserved=(), keep_exact=()):
    """Reduces the canvas in place to at most size colours and returns that palette.
    reserved colours lead the palette; pixels equal to a keep_exact colour stay exactly it,
    and no other pixel is mapped onto a keep_exact colour."""
    counts = {}
    for y in range(canvas.height):
        for x in range(canvas.width):
            c = canvas.px[y][x]
            if c not in keep_exact:
                counts[c] = counts.get(c, 0) + 1
    free = size - len(reserved)
    pal = list(reserved) + [c for c in median_cut(counts, free) if c not in reserved]
    choices = [c for c in pal if c not in keep_exact]
    memo = {}
    for y in range(canvas.height):
        for x in range(canvas.width):
            c = canvas.px[y][x]
            if c in keep_exact:
                continue
            if c not in memo:
                memo[c] = min(choices, key=lambda p: (p[0] - c[0]) ** 2 + (p[1] - c[1]) ** 2 + (p[2] - c[2]) ** 2)
            canvas.px[y][x] = memo[c]
    return pal


# ---- Pixel text -----------------------------------------------------------------------

# 3 x 5 capitals and digits for labels too small for strokes.
FONT3x5 = {
    "0": ("111", "101", "101", "101", "111"), "1": ("010", "110", "010", "010", "111"),
    "2": ("111", "001", "111", "100", "111"), "3": ("111", "001", "011", "001", "111"),
    "4": ("101", "101", "111", "001", "001"), "5": ("111", "100", "111", "001", "111"),
    "6": ("111", "100", "111", "101", "111"), "7": ("111", "001", "010", "010", "010"),
    "8": ("111", "101", "111", "101", "111"), "9": ("111", "101", "111", "001", "111"),
    "C": ("011", "100", "100", "100", "011"), "E": ("111", "100", "110", "100", "111"),
    "L": ("100", "100", "100", "100", "111"), "N": ("101", "111", "111", "101", "101"),
    "O": ("010", "101", "101", "101", "010"), "R": ("110", "101", "110", "101", "101"),
    "S": ("011", "100", "010", "001", "110"), "T": ("111", "010", "010", "010", "010"),
    "V": ("101", "101", "101", "101", "010"), "X": ("101", "101", "010", "101", "101"),
    " ": ("000",) * 5,
}


def text_width(text, gap=1):
    return sum(len(FONT3x5[ch][0]) for ch in text) + gap * (len(text) - 1)


def pixel_text(layer, x, y, text, colour, gap=1, scale=1):
    for ch in text:
        rows = FONT3x5[ch]
        for j, row in enumerate(rows):
            for i, bit in enumerate(row):
                if bit == "1":
                    for a in range(scale * scale):
                        layer.pixel(x + i * scale + a % scale, y + j * scale + a // scale, colour)
        x += (len(rows[0]) + gap) * scale


# ---- Preview --------------------------------------------------------------------------

def write_png(path, width, height, rows):
    """rows: list of bytes objects of RGB triples."""
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + r for r in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def read_dib(data, off, height_div=1):
    """Decodes a DIB at off: returns (width, height, bpp, pixels as rows of (rgb, alpha))."""
    size, w, h, _, bpp, _, _, _, _, ncol, _ = struct.unpack_from("<IiiHHIIiiII", data, off)
    h //= height_div
    pal_off = off + size
    if bpp <= 8:
        ncol = ncol or (1 << bpp)
    else:
        ncol = 0
    pal = [(data[pal_off + 4 * i + 2], data[pal_off + 4 * i + 1], data[pal_off + 4 * i]) for i in range(ncol)]
    pix = pal_off + 4 * ncol
    stride = ((w * bpp + 31) // 32) * 4
    mstride = ((w + 31) // 32) * 4
    mask_off = pix + stride * h
    rows = []
    for y in range(h):
        src = pix + stride * (h - 1 - y)
        row = []
        for x in range(w):
            if bpp == 32:
                b, g, r, a = data[src + 4 * x:src + 4 * x + 4]
                rgb = (r, g, b)
            elif bpp == 24:
                b, g, r = data[src + 3 * x:src + 3 * x + 3]
                rgb, a = (r, g, b), 255
            else:
                v = data[src + x * bpp // 8] >> (8 - bpp - (x * bpp) % 8) & ((1 << bpp) - 1)
                rgb, a = pal[v], 255
            if height_div == 2 and bpp < 32:
                m = data[mask_off + mstride * (h - 1 - y) + x // 8] & (0x80 >> (x % 8))
                a = 0 if m else 255
            row.append((rgb, a))
        rows.append(row)
    return w, h, bpp, rows


def read_picture_file(path):
    """Returns [(label, width, height, bpp, rows)] for a .bmp (one) or .ico (each image)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] == b"BM":
        w, h, bpp, rows = read_dib(data, 14)
        return [("", w, h, bpp, rows)]
    _, _, n = struct.unpack_from("<HHH", data, 0)
    out = []
    for i in range(n):
        _, _, _, _, _, _, _, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w, h, bpp, rows = read_dib(data, off, 2)
        out.append(("", w, h, bpp, rows))
    return out


def preview(paths, png_path, scale=4, window=(255, 255, 255)):
    """Contact sheet: every image of every file, enlarged, over a checkerboard (alpha) with
    magenta shown as the given window colour, each once at scale and once at 1:1."""
    items = []
    for p in paths:
        name = os.path.splitext(os.path.basename(p))[0]
        for _, w, h, bpp, rows in read_picture_file(p):
            items.append(("%s %d" % (name, bpp), w, h, rows))
    pad, label_h, max_w = 6, 8, 1500
    placed, x, y, line_h = [], pad, pad, 0
    for it in items:
        s = scale if it[1] <= 64 else 2
        cw = max(it[1] * s + it[1] + pad, text_width(it[0]) + 2)
        ch = it[2] * s + label_h + 2
        if x + cw > max_w:
            x, y, line_h = pad, y + line_h + pad, 0
        placed.append((it, s, x, y))
        x += cw + pad
        line_h = max(line_h, ch)
    W, H = max_w, y + line_h + pad
    sheet = Layer(W, H)
    for yy in range(H):
        for xx in range(W):
            sheet.pixel(xx, yy, (92, 96, 104))
    for (label, w, h, rows), s, x0, y0 in placed:
        pixel_text(sheet, x0, y0, label, WHITE)
        for yy in range(h):
            for xx in range(w):
                rgb, a = rows[yy][xx]
                if rgb == MAGENTA and a == 255:
                    rgb = window
                for sy in range(s):
                    for sx in range(s):
                        gx, gy = x0 + xx * s + sx, y0 + label_h + yy * s + sy
                        chk = (204, 204, 204) if ((gx // 4 + gy // 4) % 2) else (244, 244, 244)
                        sheet.pixel(gx, gy, chk)
                        sheet.pixel(gx, gy, rgb, a / 255.0)
                gx, gy = x0 + w * s + pad // 2 + xx, y0 + label_h + yy
                sheet.pixel(gx, gy, window)
                sheet.pixel(gx, gy, rgb, a / 255.0)
    cv = sheet.over((0, 0, 0))
    write_png(png_path, W, H, [bytes(v for px in row for v in px) for row in cv.px])


# ---- Shared motifs --------------------------------------------------------------------

def glossy_button(L, cx, cy, r, base=ORANGE, bezel=True):
    """The maker's programmable button: a round orange cap, optionally in a light bezel, lit
    from the top left."""
    if bezel:
        L.fill(circle(cx, cy, r), linear(cx - r, cy - r, cx + r, cy + r, PEARL, SILVER, STEEL))
        L.fill(circle(cx, cy, r).outline(max(0.6, r * 0.08)), shade(STEEL, -0.35), 0.85)
        r *= 0.74
    L.fill(circle(cx, cy, r), radial(cx - r * 0.35, cy - r * 0.4, r * 1.5, shade(base, 0.45), base,
                                      shade(base, -0.3)))
    L.fill(circle(cx, cy, r).outline(max(0.5, r * 0.1)), shade(base, -0.45), 0.7)
    if r >= 3:
        L.fill(ellipse(cx - r * 0.1, cy - r * 0.45, r * 0.62, r * 0.36),
               linear(0, cy - r * 0.8, 0, cy - r * 0.1, WHITE, shade(base, 0.3)), 0.7)


# ---- Wordmark ---------------------------------------------------------------------------

WORDMARK_WIDTHS = {"K": 0.80, "E": 0.64, "L": 0.60, "V": 0.86, "O": 0.92, "R": 0.76, "A": 0.88}
# Pairs set closer than their boxes say: open sides face each other.
WORDMARK_KERNING = {"LV": -0.22, "VO": -0.06, "RA": -0.06}


def glyph(ch, x0, top, h, t):
    """A capital of the maker's wordmark, upright, in the box x0.., top..top+h, strokes t."""
    w = WORDMARK_WIDTHS[ch] * h
    bot, x1 = top + h, x0 + w
    band = box(x0 - h, top, x1 + h, bot)
    stem = box(x0, top, x0 + t, bot)
    if ch == "K":
        j = top + h * 0.58
        arms = line(x0 + t * 0.5, j + t * 0.3, x1 + t * 0.6, top - h * 0.35, t * 1.08) | \
            line(x0 + t * 1.6, j - t * 0.75, x1 + t * 0.2, bot + h * 0.3, t * 1.12)
        return stem | (arms & box(x0, top, x1, bot))
    if ch == "E":
        m = top + (h - t) / 2
        return stem | box(x0, top, x1, top + t) | box(x0, m, x1 - w * 0.1, m + t) | box(x0, bot - t, x1, bot)
    if ch == "L":
        return stem | box(x0, bot - t, x1, bot)
    if ch == "V":
        c = (x0 + x1) / 2
        return (line(x0 + t * 0.55, top - h * 0.2, c, bot + h * 0.08, t * 1.1) |
                line(x1 - t * 0.55, top - h * 0.2, c, bot + h * 0.08, t * 1.1)) & band
    if ch == "O":
        r = min(w, h) * 0.42
        return box(x0, top, x1, bot, r) - box(x0 + t * 1.05, top + t, x1 - t * 1.05, bot - t, max(0.5, r - t))
    if ch == "R":
        bh = h * 0.6
        r = bh * 0.46
        bowl = box(x0, top, x1 - w * 0.02, top + bh, r) - box(x0 + t, top + t, x1 - w * 0.02 - t * 1.05,
                                                             top + bh - t, max(0.5, r - t))
        leg = line(x0 + w * 0.42, top + bh - t * 0.8, x1 + t * 0.1, bot + h * 0.25, t * 1.1) & band
        return stem | bowl | (leg & box(x0, top + bh - t, x1, bot))
    if ch == "A":
        c = (x0 + x1) / 2
        legs = (line(c, top - h * 0.1, x0 + t * 0.45, bot + h * 0.2, t * 1.1) |
                line(c, top - h * 0.1, x1 - t * 0.45, bot + h * 0.2, t * 1.1)) & band
        bar = box(x0 + w * 0.22, top + h * 0.62, x1 - w * 0.22, top + h * 0.62 + t * 0.85)
        return legs | bar
    raise KeyError(ch)


def wordmark(text, x0, top, h, t, spacing, slant=0.0):
    """The whole wordmark as one shape, slanted by slant about its baseline; and its width."""
    shape, x = None, x0
    for ch, nxt in zip(text, text[1:] + " "):
        g = glyph(ch, x, top, h, t)
        shape = g if shape is None else shape | g
        x += (WORDMARK_WIDTHS[ch] + WORDMARK_KERNING.get(ch + nxt, 0.0)) * h + spacing
    if slant:
        shape = shape.sheared(slant, top + h)
    return shape, x - spacing - x0


# ---- Icons ----------------------------------------------------------------------------

def draw_pallum(L, S):
    """Applet icon 5078: an open notebook with its programmable button lit in orange."""
    k = S / 48.0

    def u(v):
        return v * k
    if S >= 32:
        L.fill(ellipse(u(23), u(43.5), u(22), u(2.6)), BLACK, 0.22)
    # lid and screen
    lid = box(u(5), u(2), u(39), u(29), u(2.2))
    L.fill(lid, linear(0, u(2), 0, u(29), (86, 94, 108), GRAPHITE))
    L.fill(lid.inner(max(1.0, u(1))), shade(GRAPHITE, -0.35), 0.8)
    scr = box(round(u(8)), round(u(5)), round(u(36)), round(u(26)))
    L.fill(scr, linear(u(8), u(5), u(36), u(26), (0.0, SKY), (0.55, BLUE), (1.0, NAVY)))
    L.fill(scr & polygon([(u(8), u(5)), (u(25), u(5)), (u(13), u(26)), (u(8), u(26))]), WHITE, 0.16)
    if S >= 32:
        # a few window lines on the desktop
        L.fill(box(round(u(11)), round(u(8)), round(u(24)), round(u(8)) + max(1, round(u(2)))), ICE, 0.55)
        L.fill(box(round(u(11)), round(u(12)), round(u(20)), round(u(12)) + max(1, round(u(1.5)))), ICE, 0.35)
    # base
    deck = polygon([(u(5), u(29)), (u(39), u(29)), (u(44.5), u(38.5)), (u(0.5), u(38.5))])
    L.fill(deck, linear(0, u(29), 0, u(38.5), PEARL, SILVER))
    front = box(u(0.5), u(38), u(44.5), u(41.5), u(1.2))
    L.fill(front, linear(0, u(38), 0, u(41.5), SILVER, STEEL))
    L.fill((deck | front).outline(max(0.7, u(0.9))), shade(STEEL, -0.3), 0.6)
    if S >= 32:
        keys = polygon([(u(8), u(31.5)), (u(31), u(31.5)), (u(33.5), u(36.5)), (u(5), u(36.5))])
        L.fill(keys, (70, 78, 92))
        if S >= 48:
            for t in (0.33, 0.66):
                y = u(31.5) + t * u(5)
                L.fill(box(u(5), y - 0.35, u(34), y + 0.35) & keys, SILVER, 0.7)
            for i in range(1, 8):
                ax = u(8) + i * u(23) / 8
                bx = u(5) + i * u(28.5) / 8
                L.fill(line(ax, u(31.5), bx, u(36.5), 0.7) & keys, SILVER, 0.7)
    else:
        L.fill(box(3, 11, 12, 12), (70, 78, 92))
    # the programmable button, large and lit
    cx, cy, r = (u(37.5), u(36.5), u(10)) if S >= 32 else (12.0, 11.5, 4.2)
    if S >= 32:
        L.fill(circle(cx, cy, r * 1.3), AMBER, falloff(cx, cy, r, r * 1.3, 0.55))
    glossy_button(L, cx, cy, r, bezel=S >= 32)



def draw_emblem(L, S):
    """About icon 1000: the maker's badge, a white K on the blue tile with the orange button."""
    k = S / 48.0
    m = 1 if S <= 16 else round(2 * k)
    if S >= 32:
        L.fill(box(m + k, m + 2 * k, S - m + k, S - m + 2 * k, 8 * k), BLACK, 0.25)
    tile = box(m, m, S - m, S - m, 9 * k if S > 16 else 3)
    L.fill(tile, linear(0, m, S, S - m, SKY, BLUE, NAVY))
    L.fill(tile & ellipse(S * 0.35, -S * 0.1, S * 0.85, S * 0.5), WHITE, 0.18)
    L.fill(tile.inner(max(1.0, k)), shade(NAVY, -0.4), 0.6)
    if S <= 16:
        h, t, top, x0 = 8.0, 2.0, 4.0, 4.0
    else:
        h, t, top, x0 = round(26 * k), round(6 * k), round(11 * k), round(12 * k)
    K = glyph("K", x0, top, h, t)
    if S >= 32:
        L.fill(K.moved(k, k), shade(NAVY, -0.5), 0.5)
    L.fill(K, linear(0, top, 0, top + h, WHITE, PEARL))
    cx, cy = (S - m - 9.5 * k, S - m - 9.5 * k) if S > 16 else (12.0, 12.0)
    glossy_button(L, cx, cy, 6 * k if S > 16 else 2.6, bezel=False)


def draw_remote(L, S):
    """RC page icon 5090: a remote control sending to the external receiver."""
    if S < 32:
        draw_remote_small(L)
        return
    k = S / 48.0

    def u(v):
        return v * k
    # the remote is drawn upright about (cx, cy), then turned so its tip points up and right
    cx, cy, hl, hw, ang = u(16), u(30), u(16), u(6.5), -38

    def t(shape):
        return shape.rotated(ang, cx, cy)
    tip = (cx + (hl + u(1)) * math.sin(math.radians(-ang)), cy - (hl + u(1)) * math.cos(math.radians(-ang)))
    rx = box(u(35), u(1), u(47), u(10), u(2.5))
    L.fill(capsule(u(44), u(10), u(44), u(20), u(1.6)), STEEL)
    L.fill(box(u(42), u(19), u(46), u(24), u(0.8)), SILVER)
    L.fill(rx, linear(0, u(2), 0, u(11), (96, 104, 118), GRAPHITE))
    L.fill(rx.outline(max(0.8, u(0.8))), (20, 22, 28), 0.7)
    L.fill(box(u(37.5), u(3.5), u(44.5), u(6.5), u(1.2)), linear(0, u(3.5), 0, u(6.5), (180, 36, 44), (90, 10, 20)))
    L.fill(circle(u(41), u(8.2), u(0.8)), LEAF)
    for i, r in enumerate((u(4), u(8), u(12))):
        L.fill(arc(tip[0], tip[1], r, 25, 80, max(1.2, u(2.2))), SKY, 1.0 - 0.15 * i)
    body = box(cx - hw, cy - hl, cx + hw, cy + hl, hw * 0.75)
    L.fill(t(body), linear(cx - hw * 2, cy - hl, cx + hw * 2, cy + hl, (104, 112, 126), GRAPHITE, (28, 32, 40)))
    L.fill(t(body).outline(max(0.8, u(1))), (18, 20, 26), 0.85)
    L.fill(t(box(cx - u(3), cy - hl + u(1.2), cx + u(3), cy - hl + u(2.6), u(0.7))), (200, 44, 44))
    L.fill(t(circle(cx - u(3), cy - u(10), u(1.7))), RED)
    L.fill(t(circle(cx + u(3), cy - u(10), u(1.7))), ORANGE)
    L.fill(t(ring(cx, cy - u(3), u(3.4), u(2.2))), SKY)
    L.fill(t(circle(cx, cy - u(3), u(1.4))), PEARL)
    for r_ in range(3):
        for c_ in range(3):
            x, y = cx + (c_ - 1) * u(3.6), cy + u(4.5) + r_ * u(3.4)
            L.fill(t(box(x - u(1.2), y - u(1), x + u(1.2), y + u(1), u(0.6))), SILVER)


def draw_remote_small(L):
    """The 16-pixel remote stands upright so its keys stay on whole pixels."""
    for r, op in ((3.5, 1.0), (6.5, 0.8)):
        L.fill(arc(6, 5, r, 10, 80, 1.3), SKY, op)
    body = box(2, 6, 9, 17, 2)
    L.fill(body, linear(2, 6, 9, 16, (110, 118, 132), GRAPHITE))
    L.fill(body.inner(1), (18, 20, 26))
    L.pixel(4, 8, RED)
    L.pixel(6, 8, ORANGE)
    for x, y in ((5, 10), (4, 11), (6, 11), (5, 12)):
        L.pixel(x, y, SKY)
    L.pixel(5, 11, PEARL)
    L.fill(box(4, 14, 7, 15), SILVER)


# ---- Buttons page pictures (32 x 32, drawn for a magenta key) ----------------------------

def edged(L, shape, paint, edge, w=1.0):
    """Fills a shape and gives it a crisp inner edge, so it stands on any window colour."""
    L.fill(shape, paint)
    L.fill(shape.inner(w), edge)


POWER7 = ("...#...", ".#.#.#.", "#..#..#", "#..#..#", "#.....#", ".#...#.", "..###..")


def badge(L, cx, cy, r, symbol, base=BLUE):
    """A small round badge in the corner: '+', '-' or 'power'."""
    L.fill(circle(cx, cy, r + 1), WHITE)
    L.fill(circle(cx, cy, r), radial(cx - r * 0.4, cy - r * 0.5, r * 1.6, shade(base, 0.35), base, shade(base, -0.35)))
    L.fill(circle(cx, cy, r).inner(1), shade(base, -0.45), 0.7)
    a = r * 0.55
    if symbol in "+-":
        L.fill(box(cx - a, cy - 0.9, cx + a, cy + 0.9, 0.3), WHITE)
    if symbol == "+":
        L.fill(box(cx - 0.9, cy - a, cx + 0.9, cy + a, 0.3), WHITE)
    if symbol == "power":
        # on whole pixels: strokes this thin blur into a U when anti-aliased
        for j, row in enumerate(POWER7):
            for i, bit in enumerate(row):
                if bit == "#":
                    L.pixel(int(cx) - 3 + i, int(cy) - 3 + j, WHITE)


def arrow(L, a, b, w, head, paint, edge, both=False):
    """A straight thick arrow from a to b; both: a head at each end."""
    (ax, ay), (bx, by) = a, b
    n = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / n, (by - ay) / n

    def tip(px, py, dx, dy):
        base = (px - dx * head, py - dy * head)
        return polygon([(px, py), (base[0] - dy * head * 0.85, base[1] + dx * head * 0.85),
                        (base[0] + dy * head * 0.85, base[1] - dx * head * 0.85)])
    start = (ax + ux * head * 0.9, ay + uy * head * 0.9) if both else a
    shape = line(start[0], start[1], bx - ux * head * 0.9, by - uy * head * 0.9, w) | tip(bx, by, ux, uy)
    if both:
        shape = shape | tip(ax, ay, -ux, -uy)
    L.fill(shape.grow(1), WHITE)
    L.fill(shape, paint)
    L.fill(shape.inner(1), edge, 0.8)


def screen_paint(x0, y0, x1, y1):
    return linear(x0, y0, x1, y1, (0.0, SKY), (0.6, BLUE), (1.0, NAVY))


def notebook(L, x0, y0, x1, y1, content=None):
    """A small open notebook whose lid spans x0..x1, y0..y1; the base sits below the lid."""
    lid = box(x0, y0, x1, y1, 1.2)
    edged(L, lid, linear(0, y0, 0, y1, (96, 104, 118), GRAPHITE), (20, 22, 28))
    sx0, sy0, sx1, sy1 = x0 + 1.5, y0 + 1.5, x1 - 1.5, y1 - 0.5
    L.fill(box(sx0, sy0, sx1, sy1), screen_paint(sx0, sy0, sx1, sy1))
    if content:
        content(L, sx0, sy0, sx1, sy1)
    deck = polygon([(x0, y1), (x1, y1), (x1 + 2, y1 + 3), (x0 - 2, y1 + 3)])
    edged(L, deck, linear(0, y1, 0, y1 + 3, PEARL, SILVER), STEEL)


def monitor(L, x0, y0, x1, y1, content=None):
    """A flat monitor on a stand; the panel spans x0..x1, y0..y1."""
    cx = (x0 + x1) / 2
    L.fill(box(cx - 1.5, y1, cx + 1.5, y1 + 3), linear(cx - 1.5, 0, cx + 1.5, 0, SILVER, STEEL))
    foot = box(cx - 5, y1 + 2.5, cx + 5, y1 + 4.5, 1)
    edged(L, foot, linear(0, y1 + 2.5, 0, y1 + 4.5, SILVER, STEEL), shade(STEEL, -0.3))
    edged(L, box(x0, y0, x1, y1, 1.2), linear(0, y0, 0, y1, (96, 104, 118), GRAPHITE), (20, 22, 28))
    sx0, sy0, sx1, sy1 = x0 + 1.5, y0 + 1.5, x1 - 1.5, y1 - 1.5
    L.fill(box(sx0, sy0, sx1, sy1), screen_paint(sx0, sy0, sx1, sy1))
    if content:
        content(L, sx0, sy0, sx1, sy1)


def chart(L, x0, y0, x1, y1):
    """A bar chart on a light slide: the picture shown on both screens."""
    L.fill(box(x0, y0, x1, y1), linear(0, y0, 0, y1, WHITE, PEARL))
    w, h = x1 - x0, y1 - y0
    bars = ((0.18, 0.45, BLUE), (0.42, 0.75, ORANGE), (0.66, 0.6, GREEN))
    for fx, fh, c in bars:
        bx = x0 + w * fx
        L.fill(box(round(bx), round(y1 - 1 - (h - 2) * fh), round(bx + max(1.0, w * 0.16)), y1 - 1), c)
    L.fill(box(x0 + 1, y1 - 1, x1 - 1, y1), STEEL)


def text_lines(L, x0, y0, x1, y1):
    """A page of text: a different picture from the chart."""
    L.fill(box(x0, y0, x1, y1), linear(0, y0, 0, y1, WHITE, PEARL))
    y, n = math.ceil(y0) + 1, 0
    while y + 1 <= y1 - 0.5:
        L.fill(box(math.ceil(x0) + 1, y, math.floor(x1) - 1 - 3 * (n % 2), y + 1), STEEL)
        y, n = y + 2, n + 1


def draw_globe(L, S=32):
    """5219, default browser: a globe."""
    cx, cy, r = 16.0, 16.0, 13.5
    ball = circle(cx, cy, r)
    L.fill(ball, radial(cx - 5, cy - 6, r * 1.9, ICE, SKY, BLUE, NAVY))
    land = polygon([(7, 8), (11, 5.5), (15, 7), (14.5, 11), (12, 13), (13, 17), (11.5, 22), (9, 25), (8, 20),
                    (5.5, 16), (4, 12)]) | \
        polygon([(19, 6), (24, 5), (28, 9), (26.5, 12), (23, 12.5), (25, 16), (24, 22), (21, 26.5), (19, 22),
                 (18, 17), (20, 13.5), (18, 10)])
    L.fill(land & ball, linear(6, 6, 26, 26, LEAF, GREEN, (30, 110, 52)))
    for rx in (5.0, 10.0):
        L.fill(ellipse(cx, cy, rx, r).outline(0.8) & ball, WHITE, 0.35)
    L.fill(box(cx - 0.4, cy - r, cx + 0.4, cy + r) & ball, WHITE, 0.35)
    for dy in (-7.0, 0.0, 7.0):
        L.fill(box(cx - r, cy + dy - 0.4, cx + r, cy + dy + 0.4) & ball, WHITE, 0.35)
    L.fill(ellipse(cx - 4, cy - 7.5, 7, 3.8) & ball, WHITE, 0.35)
    L.fill(ball.inner(1), NAVY, 0.9)


def draw_mail(L, S=32):
    """5220, default e-mail program: an envelope."""
    env = box(2.5, 7.5, 29.5, 25.5, 1.5)
    L.fill(env, linear(0, 8, 0, 25, WHITE, (220, 226, 234)))
    L.fill(polygon([(3, 25), (16, 15), (29, 25)]) & env, linear(0, 15, 0, 25, (236, 240, 245), (206, 213, 223)))
    L.fill(line(3, 25, 14, 16.5, 0.9) | line(29, 25, 18, 16.5, 0.9), (150, 160, 176), 0.8)
    flap = polygon([(2.5, 7.5), (29.5, 7.5), (16, 19)])
    L.fill(flap, linear(0, 7.5, 0, 19, PEARL, (208, 215, 226)))
    L.fill(flap.outline(1.0) & env, (120, 132, 150))
    L.fill(env.inner(1), (88, 100, 120))
    glossy_button(L, 16, 16.5, 2.6, base=RED, bezel=False)


def draw_zoom(plus):
    def draw(L, S=32):
        """5222 zoom in (+), 5223 zoom out (-): a magnifier."""
        cx, cy, r = 13.0, 13.0, 9.0
        L.fill(capsule(20.5, 20.5, 28, 28, 5.2), (20, 22, 28))
        L.fill(capsule(20.5, 20.5, 28, 28, 3.4), linear(20, 28, 28, 20, GRAPHITE, (120, 128, 140)))
        L.fill(circle(cx, cy, r), linear(cx - r, cy - r, cx + r, cy + r, (232, 244, 252), ICE, (150, 196, 232)))
        L.fill(arc(cx, cy, r - 3, 100, 170, 1.6), WHITE, 0.9)
        L.fill(ring(cx, cy, r + 0.6, 2.6), linear(cx - r, cy - r, cx + r, cy + r, PEARL, STEEL, GRAPHITE))
        L.fill(circle(cx, cy, r + 1.9).inner(1), (40, 46, 56), 0.9)
        L.fill(box(cx - 4.5, cy - 1.3, cx + 4.5, cy + 1.3, 0.4), NAVY)
        if plus:
            L.fill(box(cx - 1.3, cy - 4.5, cx + 1.3, cy + 4.5, 0.4), NAVY)
    return draw


def sun(L, cx, cy, r, rays, ray_len, core):
    for i in range(rays):
        a = 2 * math.pi * i / rays
        long_ray = i % 2 == 0
        r0, r1 = r + 1.5, r + 1.5 + ray_len * (1.0 if long_ray else 0.7)
        hw = 0.42 if long_ray else 0.34
        pts = [(cx + r0 * math.cos(a - hw), cy + r0 * math.sin(a - hw)), (cx + r1 * math.cos(a), cy + r1 * math.sin(a)),
               (cx + r0 * math.cos(a + hw), cy + r0 * math.sin(a + hw))]
        ray = polygon(pts)
        L.fill(ray, shade(core, -0.05))
        L.fill(ray.inner(0.8), shade(core, -0.4), 0.6)
    disc = circle(cx, cy, r)
    L.fill(disc, radial(cx - r * 0.4, cy - r * 0.45, r * 1.7, shade(core, 0.7), core, shade(core, -0.2)))
    L.fill(disc.inner(1), shade(core, -0.4), 0.8)


def draw_brightness(L, S=32):
    """5232, brightness: the sun."""
    sun(L, 16, 16, 7.5, 12, 6.0, (255, 190, 30))


def draw_bright_step(up):
    def draw(L, S=32):
        """5237 brightness up (bright sun, +), 5236 brightness down (dim sun, -)."""
        if up:
            sun(L, 14, 14, 7.0, 12, 6.0, (255, 196, 30))
        else:
            sun(L, 14, 14, 6.0, 12, 3.5, (214, 170, 92))
        badge(L, 24.5, 24.5, 6.0, "+" if up else "-")
    return draw


def draw_rec(L, S=32):
    """5231, REC: a record button with its label."""
    key = box(3, 3, 29, 29, 5)
    L.fill(key, linear(0, 3, 0, 29, (92, 100, 114), GRAPHITE, (30, 34, 42)))
    L.fill(key & box(3, 3, 29, 14, 5), WHITE, 0.08)
    L.fill(key.inner(1), (18, 20, 26))
    glossy_button(L, 16, 13, 6.5, base=RED, bezel=False)
    pixel_text(L, 16 - text_width("REC") // 2, 22, "REC", WHITE)


def draw_monitor_in(L, S=32):
    """5233, Monitor-In: a monitor with a picture coming in."""
    monitor(L, 9, 4, 31, 21)
    arrow(L, (1.5, 12.5), (19, 12.5), 3.2, 6.5, linear(0, 9, 0, 16, LEAF, GREEN), (24, 90, 40))


def draw_tv_out(L, S=32):
    """5208, TV out: the notebook's picture sent to a television."""
    L.fill(line(21, 10, 16.5, 2.5, 1.2) | line(21, 10, 27, 3, 1.2), STEEL)
    L.fill(circle(16.5, 2.5, 1.3) | circle(27, 3, 1.3), GRAPHITE)
    tv = box(12, 9, 31, 25, 3)
    edged(L, tv, linear(0, 9, 0, 25, (110, 118, 132), GRAPHITE), (20, 22, 28))
    L.fill(box(14.5, 11.5, 26.5, 22.5, 2), screen_paint(14.5, 11.5, 26.5, 22.5))
    L.fill(box(14.5, 11.5, 26.5, 22.5, 2) & polygon([(14, 11), (22, 11), (16, 23), (14, 23)]), WHITE, 0.18)
    L.fill(circle(28.7, 14, 1.0) | circle(28.7, 17.5, 1.0), SILVER)
    L.fill(box(14, 25, 16.5, 27) | box(26.5, 25, 29, 27), GRAPHITE)
    notebook(L, 1.5, 19, 11.5, 26.5)
    arrow(L, (1.5, 14), (12.5, 14), 2.8, 5.5, linear(0, 10, 0, 18, AMBER, ORANGE), (150, 70, 0))


def draw_cd(L, S=32):
    """5234, CD/DVD: a disc."""
    cx, cy, r = 16.0, 16.0, 14.0
    disc = circle(cx, cy, r) - circle(cx, cy, 3.2)

    def sheen(x, y):
        a = math.atan2(y - cy, x - cx)
        base = mix(PEARL, SILVER, min(1.0, math.hypot(x - cx, y - cy) / r))
        hue = (math.sin(2 * a) + 1) / 2
        tint = mix((150, 200, 255), (255, 170, 230), hue)
        tint = mix(tint, (255, 240, 150), max(0.0, math.cos(2 * a - 1.2)) ** 3)
        return mix(base, tint, 0.45 * abs(math.sin(2 * a + 0.6)))
    L.fill(disc, sheen)
    L.fill(circle(cx, cy, 6) - circle(cx, cy, 3.2), (214, 222, 232))
    L.fill(ring(cx, cy, 6, 0.8), STEEL, 0.6)
    L.fill(disc.inner(1), (96, 106, 122))


def draw_presentation(label, same):
    def draw(L, S=32):
        """5238 to 5242, presentation modes: a projection screen and the notebook, the same or
        a different picture on each, and the resolution of the shared picture."""
        L.fill(capsule(5.5, 3, 30.5, 3, 2.8), linear(0, 1.6, 0, 4.4, (120, 128, 140), GRAPHITE))
        sheet = box(7, 4, 29, 19)
        L.fill(sheet, WHITE)
        chart(L, 8, 5, 28, 18)
        L.fill(sheet.inner(1), (120, 132, 150))
        L.fill(box(17.3, 19, 18.7, 21), STEEL)
        notebook(L, 2, 17, 15, 26.5, chart if same else text_lines)
        w = text_width(label) + 4 if label else 15
        tag = box(31 - w, 21.5, 31, 30.5, 1.5)
        L.fill(tag, linear(0, 21.5, 0, 30.5, BLUE, NAVY))
        if label:
            pixel_text(L, 31 - w + 2, 24, label, WHITE)
        else:
            # two pictures, one unlike the other
            L.fill(box(18, 24, 23, 29), WHITE)
            L.fill(box(25, 24, 30, 29).inner(1), WHITE)
    return draw


def draw_display(L, S=32):
    """5243, Display: switch the picture between the notebook and the monitor."""
    monitor(L, 13, 2, 31, 16)
    notebook(L, 2, 11, 16, 21.5)
    arrow(L, (18, 26.5), (31, 26.5), 2.6, 5.0, linear(0, 22, 0, 31, AMBER, ORANGE), (150, 70, 0), both=True)


def speaker_cabinet(L, x0, y0, x1, y1):
    cab = box(x0, y0, x1, y1, 1.5)
    edged(L, cab, linear(x0, y0, x1, y1, (110, 118, 132), GRAPHITE), (20, 22, 28))
    cx, w = (x0 + x1) / 2, x1 - x0
    L.fill(circle(cx, y0 + w * 0.42, w * 0.2), radial(cx - 1, y0 + w * 0.35, w * 0.4, SILVER, STEEL))
    cone = circle(cx, y1 - w * 0.55, w * 0.36)
    L.fill(cone, radial(cx - 1, y1 - w * 0.62, w * 0.6, SILVER, STEEL, GRAPHITE))
    L.fill(cone.inner(0.9), (20, 22, 28), 0.8)
    L.fill(circle(cx, y1 - w * 0.55, w * 0.12), GRAPHITE)


def draw_dolby(L, S=32):
    """5244, DOLBY: a pair of speakers filling the room with sound."""
    speaker_cabinet(L, 1, 7, 10.5, 27)
    speaker_cabinet(L, 21.5, 7, 31, 27)
    for r, op in ((3.0, 1.0), (6.5, 0.9), (10.0, 0.8)):
        L.fill(arc(16, 20, r, 45, 135, 1.6), SKY if r < 5 else BLUE, op)


def draw_backlight(L, S=32):
    """5247, backlight on/off: the panel's light, with the on/off badge."""
    lid = box(3, 4, 27, 23, 2)
    edged(L, lid, linear(0, 4, 0, 23, (110, 118, 132), GRAPHITE), (20, 22, 28))
    scr = box(5.5, 6.5, 24.5, 21)
    L.fill(scr, radial(15, 13.5, 12, WHITE, (255, 246, 200), AMBER, (236, 150, 40)))
    for i in range(6):
        a = math.radians(90 + i * 60)
        L.fill(line(15 + 3.2 * math.cos(a), 13.7 - 3.2 * math.sin(a), 15 + 6 * math.cos(a),
                    13.7 - 6 * math.sin(a), 1.2), (236, 150, 40), 0.7)
    L.fill(circle(15, 13.7, 2.2), (255, 214, 90))
    deck = polygon([(3, 23), (27, 23), (29, 27), (1, 27)])
    edged(L, deck, linear(0, 23, 0, 27, PEARL, SILVER), STEEL)
    badge(L, 25.5, 25.5, 5.5, "power", base=GREEN)


def draw_illumination(L, S=32):
    """5256, illumination on/off: a lit bulb, with the on/off badge."""
    cx, cy = 14.0, 12.0
    for i in range(7):
        a = math.radians(180 - i * 30)
        L.fill(capsule(cx + 11 * math.cos(a), cy - 11 * math.sin(a), cx + 13.5 * math.cos(a),
                       cy - 13.5 * math.sin(a), 1.6), (240, 170, 30))
    neck = polygon([(cx - 4.5, cy + 5), (cx + 4.5, cy + 5), (cx + 3.2, cy + 11), (cx - 3.2, cy + 11)])
    glass = circle(cx, cy, 7.5) | neck
    L.fill(glass, radial(cx - 2.5, cy - 3, 11, WHITE, (255, 236, 140), (250, 190, 40)))
    L.fill(glass.inner(1), (196, 128, 10))
    L.fill(arc(cx, cy + 1.5, 2.2, 0, 180, 1.0), (210, 120, 20))
    L.fill(line(cx - 2.2, cy + 1.5, cx - 1.5, cy + 10, 0.9) | line(cx + 2.2, cy + 1.5, cx + 1.5, cy + 10, 0.9),
           (210, 120, 20), 0.8)
    base = box(cx - 3.5, cy + 11, cx + 3.5, cy + 17, 1)
    L.fill(base, linear(cx - 3.5, 0, cx + 3.5, 0, PEARL, STEEL))
    for y in (cy + 13, cy + 15):
        L.fill(box(cx - 3.5, y - 0.4, cx + 3.5, y + 0.4), GRAPHITE, 0.6)
    L.fill(base.inner(0.8), (60, 66, 76), 0.8)
    badge(L, 25.5, 25.5, 5.5, "power", base=GREEN)


def draw_mute(L, S=32):
    """5257, mute: a speaker with a red cross."""
    spk = box(3, 11, 10, 21, 1) | polygon([(9, 11), (17, 4), (17, 28), (9, 21)])
    L.fill(spk, linear(3, 4, 17, 28, (150, 158, 170), (80, 88, 100), GRAPHITE))
    L.fill(spk.inner(1), (24, 26, 32))
    x = capsule(20.5, 11.5, 29, 20, 3.2) | capsule(20.5, 20, 29, 11.5, 3.2)
    L.fill(x.grow(1), WHITE)
    L.fill(x, linear(20, 11, 29, 20, ROSE, RED))
    L.fill(x.inner(0.9), (130, 16, 16), 0.8)


def draw_assist(L, S=32):
    """5221, KELVORA Assist: the maker's help and support, a lifebuoy."""
    cx, cy = 16.0, 16.0
    buoy = circle(cx, cy, 14) - circle(cx, cy, 6.5)

    def stripes(x, y):
        a = math.degrees(math.atan2(y - cy, x - cx)) % 90
        red = 22.5 < a < 67.5
        t = min(1.0, math.hypot(x - cx + 5, y - cy + 5) / 28)
        return mix(shade(RED if red else WHITE, 0.1), shade(RED if red else PEARL, -0.25), t)
    L.fill(buoy, stripes)
    L.fill(ring(cx, cy, 10.2, 0.9), (150, 160, 176), 0.7)
    L.fill(buoy.inner(1), (96, 40, 40), 0.9)


def draw_helvane(L, S=32):
    """5203, Helvane: the maker's own application, its tile with a white star."""
    tile = box(3, 3, 29, 29, 6)
    L.fill(tile, linear(3, 3, 29, 29, (90, 200, 190), (20, 140, 140), (10, 86, 96)))
    L.fill(tile & ellipse(12, 0, 20, 10), WHITE, 0.2)
    L.fill(tile.inner(1), (8, 64, 72))
    pts = []
    for i in range(8):
        a = math.radians(90 + i * 45)
        r = 10 if i % 2 == 0 else 3.2
        pts.append((16 + r * math.cos(a), 16 - r * math.sin(a)))
    star = polygon(pts)
    L.fill(star.moved(0.8, 0.8), (8, 64, 72), 0.5)
    L.fill(star, linear(0, 6, 0, 26, WHITE, PEARL))
    glossy_button(L, 23.5, 23.5, 2.6, bezel=False)


def draw_program(L, S=32):
    """189, any other choice (a program of the user's own, and others): a program window."""
    win = box(2, 4, 30, 28, 1.5)
    L.fill(win, WHITE)
    L.fill(box(2, 4, 30, 10, 1.5) | box(2, 7, 30, 10), linear(0, 4, 0, 10, SKY, BLUE))
    for i, c in enumerate((PEARL, PEARL, ROSE)):
        L.fill(box(19.5 + i * 3.3, 5.5, 21.8 + i * 3.3, 8.3, 0.5), c)
    L.fill(box(2, 10, 30, 12), (226, 230, 236))
    for i, w in enumerate((16, 12, 18, 10)):
        L.fill(box(5, 14.5 + i * 3, 5 + w, 15.5 + i * 3), (150, 160, 176))
    L.fill(win.inner(1), (70, 84, 108))
    glossy_button(L, 24.5, 23, 3.5, bezel=False)



# ---- Application mode page pictures --------------------------------------------------------

def media_symbol(kind, cx, cy, h):
    """A media key's symbol of height h centred on (cx, cy): 'previous', 'next', 'play_pause'
    or 'stop'."""
    r = h / 2

    def tri(x0, pointing):
        """A triangle of height h whose flat side is at x0."""
        w = h * 0.8 * pointing
        return polygon([(x0, cy - r), (x0 + w, cy), (x0, cy + r)] if pointing > 0 else
                       [(x0, cy - r), (x0, cy + r), (x0 + w, cy)])
    bar = max(1.5, h * 0.22)
    if kind == "stop":
        return box(cx - r * 0.8, cy - r * 0.8, cx + r * 0.8, cy + r * 0.8, 0.6)
    if kind == "play_pause":
        left = cx - h * 0.95
        play = tri(left, 1)
        x = left + h * 0.8 + h * 0.32
        return play | box(x, cy - r, x + bar, cy + r) | box(x + bar * 1.9, cy - r, x + bar * 2.9, cy + r)
    # previous / next: a bar and two triangles, mirrored
    w = h * 0.8
    total = bar + 2 * w * 0.82
    if kind == "next":
        x0 = cx - total / 2
        return tri(x0, 1) | tri(x0 + w * 0.82, 1) | box(x0 + 2 * w * 0.82, cy - r, x0 + total, cy + r)
    x1 = cx + total / 2
    return tri(x1, -1) | tri(x1 - w * 0.82, -1) | box(x1 - total, cy - r, x1 - 2 * w * 0.82, cy + r)


def media_key(kind):
    """5072 to 5075: a notebook's media key, filling the picture so that it needs no colour
    key: a silver cap with the key's symbol in navy."""
    def draw(L):
        w, h = L.w, L.h
        cap = box(0, 0, w, h, 2.2)
        L.fill(cap, linear(0, 0, 0, h, (0.0, WHITE), (0.45, PEARL), (1.0, SILVER)))
        L.fill(box(1, h - 3, w - 1, h, 1.5) & cap.grow(-1), shade(SILVER, -0.1), 0.6)
        L.fill(cap.inner(1), shade(STEEL, -0.1), 0.9)
        sym = media_symbol(kind, w / 2, h / 2 - 0.5, round(h * 0.5))
        L.fill(sym.moved(0, 1), WHITE, 0.8)
        L.fill(sym, linear(0, h * 0.25, 0, h * 0.75, BLUE, NAVY))
    return draw


def draw_appmode(L, S):
    """Page icon 5059: a program's window over the row of media keys it takes over."""
    k = S / 48.0

    def u(v):
        return v * k
    if S < 32:
        win = box(0.5, 1, 13.5, 11, 1)
        L.fill(win, WHITE)
        L.fill(box(0.5, 1, 13.5, 4, 1) | box(0.5, 2.5, 13.5, 4), BLUE)
        L.fill(win.inner(1), (70, 84, 108))
        strip = box(3, 9, 16, 16, 1.5)
        L.fill(strip, linear(0, 9, 0, 16, (96, 104, 118), GRAPHITE))
        L.fill(media_symbol("next", 12.5, 12.5, 3), WHITE)
        L.fill(media_symbol("previous", 6.5, 12.5, 3), ORANGE)
        return
    L.fill(ellipse(u(26), u(45), u(20), u(2.4)), BLACK, 0.2)
    # the program's window
    win = box(u(2), u(3), u(38), u(31), u(2.2))
    L.fill(win, WHITE)
    L.fill(box(u(2), u(3), u(38), u(10), u(2.2)) | box(u(2), u(6), u(38), u(10)),
           linear(0, u(3), 0, u(10), SKY, BLUE))
    for i, c in enumerate((PEARL, PEARL, ROSE)):
        x = u(26) + i * u(3.8)
        L.fill(box(x, u(4.7), x + u(2.6), u(7.9), u(0.5)), c)
    for i, w in enumerate((20, 14, 24)):
        L.fill(box(u(6), u(13.5) + i * u(4), u(6) + u(w), u(15) + i * u(4)), (150, 160, 176))
    L.fill(win.inner(max(1.0, u(1))), (70, 84, 108))
    # the media keys, the first one lit: the program now answers to them
    strip = box(u(8), u(27), u(47), u(43), u(3))
    L.fill(strip, linear(0, u(27), 0, u(43), (104, 112, 126), GRAPHITE, (28, 32, 40)))
    L.fill(strip.inner(max(1.0, u(1))), (18, 20, 26), 0.85)
    for i, kind in enumerate(("previous", "play_pause", "stop", "next")):
        cx = u(13.5) + i * u(9.5)
        key = box(cx - u(4), u(30), cx + u(4), u(40), u(1.5))
        L.fill(key, linear(0, u(30), 0, u(40), (86, 94, 108), (44, 50, 60)))
        L.fill(media_symbol(kind, cx, u(35), u(3.4)), ORANGE if i == 0 else ICE)


# ---- Banner (24-bit, 28 pixels high) -----------------------------------------------------

BANNER_H = 28

# 5 x 7 capitals for the product name beside the wordmark.
FONT5x7 = {
    "C": (".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."),
    "O": (".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."),
    "N": ("#...#", "##..#", "##..#", "#.#.#", "#..##", "#..##", "#...#"),
    "T": ("#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."),
    "R": ("####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"),
    "L": ("#....", "#....", "#....", "#....", "#....", "#....", "#####"),
    "S": (".####", "#....", "#....", ".###.", "....#", "....#", "####."),
}


def banner_band(y):
    """The band's colour on row y; the same on every column, so the tile repeats seamlessly."""
    if y == 0:
        return (96, 150, 218)
    if y >= 27:
        return (6, 18, 44)
    if y == 25:
        return ORANGE
    if y == 26:
        return (150, 76, 10)
    c = _stops_at([(0.0, (44, 104, 184)), (0.5, (22, 64, 132)), (1.0, (12, 38, 86))], (y - 1) / 23.0)
    if y <= 11:
        c = mix(c, WHITE, 0.10 * (11 - y) / 10.0)
    return tuple(_q(v) for v in c)


def fill_band(L):
    for y in range(L.h):
        c = banner_band(y)
        for x in range(L.w):
            L.pixel(x, y, c)


def draw_banner_left(L):
    """5228: the maker's wordmark on the band, with the product name."""
    fill_band(L)
    glow = ellipse(70, 6, 150, 30)
    L.fill(glow & box(0, 1, L.w, 25), SKY, falloff(70, 6, 10, 150, 0.28))
    mark, width = wordmark("KELVORA", 14, 7, 13, 3.2, 3.2, slant=0.22)
    L.fill(mark.moved(1, 1), (6, 18, 44), 0.6)
    L.fill(mark, linear(0, 7, 0, 20, WHITE, (214, 228, 246)))
    x = round(14 + width + 10)
    glossy_button(L, x, 16.5, 3.5, bezel=False)
    x += 9
    for ch in "CONTROLS":
        for j, row in enumerate(FONT5x7[ch]):
            for i, bit in enumerate(row):
                if bit == "#":
                    L.pixel(x + i, 13 + j, ICE)
        x += 7


def draw_banner_middle(L):
    """5229: the plain band, repeated across the sheet."""
    fill_band(L)


def draw_banner_right(L):
    """5230: the end of the band: a row of buttons that ends in the lit one."""
    fill_band(L)
    for i, op in enumerate((0.25, 0.45, 0.7)):
        cx = 22 + i * 12
        L.fill(circle(cx, 12.5, 3.4), radial(cx - 1, 11.5, 5, PEARL, SILVER), op)
    glossy_button(L, 60, 12.5, 5.5, bezel=False)
    L.fill(circle(60, 12.5, 7.5), AMBER, falloff(60, 12.5, 5.5, 8.5, 0.35))


# ---- Sub LCD page picture (24-bit, on the dialog face) ---------------------------------

SUBLCD_W, SUBLCD_H = 64, 36
# The dialog face the picture stands on; only its rounded corners show it.
DIALOG_FACE = (240, 240, 240)

# Lit segments of the digits: top, top right, bottom right, bottom, bottom left, top left, middle.
SEGMENTS = {"1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg"}


def segment_digit(x0, y0, w, h, t, lit):
    """A seven-segment digit in the box x0..x0+w, y0..y0+h with strokes t, as one shape."""
    g, m = 0.5, y0 + h / 2
    parts = {
        "a": box(x0 + t - g, y0, x0 + w - t + g, y0 + t, t / 3),
        "d": box(x0 + t - g, y0 + h - t, x0 + w - t + g, y0 + h, t / 3),
        "g": box(x0 + t - g, m - t / 2, x0 + w - t + g, m + t / 2, t / 3),
        "f": box(x0, y0 + t - g, x0 + t, m - t / 2 + g, t / 3),
        "b": box(x0 + w - t, y0 + t - g, x0 + w, m - t / 2 + g, t / 3),
        "e": box(x0, m + t / 2 - g, x0 + t, y0 + h - t + g, t / 3),
        "c": box(x0 + w - t, m + t / 2 - g, x0 + w, y0 + h - t + g, t / 3),
    }
    shape = None
    for k in lit:
        shape = parts[k] if shape is None else shape | parts[k]
    return shape


def draw_sublcd(L):
    """5071: the notebook's small secondary display, backlit, showing the clock."""
    W, H = L.w, L.h
    L.fill(box(0, 0, W, H), DIALOG_FACE)
    body = box(0.5, 0.5, W - 0.5, H - 0.5, 4)
    L.fill(body, linear(0, 0, 0, H, shade(GRAPHITE, 0.35), GRAPHITE, shade(GRAPHITE, -0.35)))
    L.fill(body.inner(1), shade(GRAPHITE, -0.55), 0.8)
    L.fill(box(1.5, 1.5, W - 1.5, 2.5, 3), WHITE, 0.18)
    glass = box(5, 5, W - 5, H - 5, 1)
    L.fill(glass.grow(1), shade(GRAPHITE, -0.6))
    L.fill(glass, linear(0, 5, 0, H - 5, (206, 232, 242), (150, 198, 226), (118, 172, 208)))
    # Whole pixels, so the segments stay crisp.
    ink, x, top, w, h, t = (18, 40, 72), 9, 9, 8, 18, 2
    for ch in "12:34":
        if ch == ":":
            for cy in (top + 5, top + 13):
                L.fill(box(x + 1, cy - 1, x + 3, cy + 1), ink, 0.9)
            x += 5
            continue
        L.fill(segment_digit(x, top, w, h, t, "abcdefg"), ink, 0.07)
        L.fill(segment_digit(x, top, w, h, t, SEGMENTS[ch]), ink, 0.9)
        x += w + 3
    # The glass catches the light from the top left.
    L.fill(polygon([(5, 5), (30, 5), (17, H - 5), (5, H - 5)]) & glass, WHITE, 0.12)


# ---- Output ---------------------------------------------------------------------------

def render(draw, size):
    L = Layer(size, size)
    draw(L, size)
    return L


def icon_images(draw, sizes):
    """sizes: [(pixels, bpp)]; 8-bit images get their own palette, led by black for the
    transparent pixels."""
    images = []
    for size, bpp in sizes:
        cv = render(draw, size).with_alpha()
        if bpp == 8:
            for y in range(size):
                for x in range(size):
                    if cv.alpha[y][x] < 128:
                        cv.px[y][x], cv.alpha[y][x] = BLACK, 0
                    else:
                        cv.alpha[y][x] = 255
            images.append((cv, 8, palettize(cv, 256, reserved=(BLACK,))))
        else:
            images.append((cv, 32, None))
    return images


def write_lossless(path, cv):
    """A picture shown as it is: 8-bit with its own colours when they fit a palette (the
    banner's plain tile, the media keys), else 24-bit."""
    pal = exact_palette(cv)
    if pal:
        write_bmp(path, cv, 8, pal)
    else:
        write_bmp(path, cv, 24)


def keyed_bitmap(draw):
    """A 32 x 32 8-bit picture on exact magenta, which the page maps to the window colour."""
    cv = render(draw, 32).keyed()
    return cv, palettize(cv, 256, reserved=(MAGENTA,), keep_exact=(MAGENTA,))


APPLET_SET = [(32, 8), (16, 8), (48, 32), (32, 32), (16, 32)]
# No 48 x 48 8-bit image: a display of 256 colours runs at the standard 32 x 32 icon size.
STANDARD_SET = [(32, 8), (16, 8), (48, 32), (32, 32), (16, 32)]

ICONS = {
    5078: (draw_pallum, APPLET_SET),
    1000: (draw_emblem, STANDARD_SET),
    5090: (draw_remote, STANDARD_SET),
    5059: (draw_appmode, STANDARD_SET),
}

BUTTONS = {
    5219: draw_globe, 5220: draw_mail, 5208: draw_tv_out, 5221: draw_assist, 5203: draw_helvane,
    5223: draw_zoom(False), 5222: draw_zoom(True), 5231: draw_rec, 5232: draw_brightness,
    5233: draw_monitor_in, 5234: draw_cd, 5236: draw_bright_step(False), 5237: draw_bright_step(True),
    5238: draw_presentation(None, False), 5239: draw_presentation("800", True),
    5240: draw_presentation("1024", True), 5241: draw_presentation("1280", True),
    5242: draw_presentation("1600", True), 5243: draw_display, 5244: draw_dolby, 5247: draw_backlight,
    5256: draw_illumination, 5257: draw_mute, 189: draw_program,
}

# The Application mode rows' keys, 24-bit, shown as they are (no colour key): their corners
# are blended over white, the themed page's colour.
MEDIA_KEY_SIZE = (34, 16)
MEDIA_KEYS = {5072: media_key("previous"), 5073: media_key("play_pause"), 5074: media_key("stop"),
              5075: media_key("next")}

BANNER = {5228: (draw_banner_left, 250), 5229: (draw_banner_middle, 181), 5230: (draw_banner_right, 80)}


def verify(out):
    """Reads back every file written and checks what the applet relies on; returns the
    problems found."""
    problems = []

    def check(cond, msg):
        if not cond:
            problems.append(msg)
    for rid, (_, sizes) in ICONS.items():
        got = [(w, h, bpp) for _, w, h, bpp, _ in read_picture_file(os.path.join(out, "%d.ico" % rid))]
        check(got == [(s, s, b) for s, b in sizes], "%d.ico holds %s" % (rid, got))
    for rid in BUTTONS:
        path = os.path.join(out, "%d.bmp" % rid)
        (_, w, h, bpp, rows), = read_picture_file(path)
        check((w, h, bpp) == (32, 32, 8), "%d.bmp is %dx%d %d-bit" % (rid, w, h, bpp))
        with open(path, "rb") as f:
            data = f.read()
        ncol = struct.unpack_from("<I", data, 46)[0] or 256
        pal = [tuple(data[54 + 4 * i + 2 - j] for j in range(3)) for i in range(ncol)]
        check(pal.count(MAGENTA) == 1, "%d.bmp: magenta not exactly once in the colour table" % rid)
        check(rows[0][0][0] == MAGENTA and rows[31][31][0] == MAGENTA, "%d.bmp: corners not magenta" % rid)
    for rid in MEDIA_KEYS:
        (_, w, h, bpp, _), = read_picture_file(os.path.join(out, "%d.bmp" % rid))
        check((w, h) == MEDIA_KEY_SIZE and bpp in (8, 24), "%d.bmp is %dx%d %d-bit" % (rid, w, h, bpp))
    cols = {}
    for rid, (_, width) in BANNER.items():
        (_, w, h, bpp, rows), = read_picture_file(os.path.join(out, "%d.bmp" % rid))
        depths = (24,) if rid == 5228 else (8, 24)
        check((w, h) == (width, BANNER_H) and bpp in depths, "%d.bmp is %dx%d %d-bit" % (rid, w, h, bpp))
        cols[rid] = ([r[0][0] for r in rows], [r[-1][0] for r in rows])
    if len(cols) == 3:
        band = [banner_band(y) for y in range(BANNER_H)]
        check(cols[5228][1] == band, "the left part does not end on the plain band")
        check(cols[5229][0] == band and cols[5229][1] == band, "the middle tile is not the plain band at its edges")
        check(cols[5230][0] == band, "the right part does not start on the plain band")
    (_, w, h, bpp, _), = read_picture_file(os.path.join(out, "5071.bmp"))
    check((w, h, bpp) == (SUBLCD_W, SUBLCD_H, 24), "5071.bmp is %dx%d %d-bit" % (w, h, bpp))
    return problems


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.normpath(os.path.join(here, "..", "..", "applet", "res")))
    ap.add_argument("--preview", help="also write an enlarged contact sheet (PNG) of what was written")
    ap.add_argument("--only", nargs="*", type=int, help="resource ids to draw (default: all)")
    args = ap.parse_args(argv)
    os.makedirs(args.out, exist_ok=True)
    written = []
    for rid, (draw, sizes) in ICONS.items():
        if args.only and rid not in args.only:
            continue
        path = os.path.join(args.out, "%d.ico" % rid)
        write_ico(path, icon_images(draw, sizes))
        written.append(path)
    for rid, draw in list(BUTTONS.items()):
        if args.only and rid not in args.only:
            continue
        path = os.path.join(args.out, "%d.bmp" % rid)
        cv, pal = keyed_bitmap(draw)
        write_bmp(path, cv, 8, used_palette(cv, pal))
        written.append(path)
    for rid, draw in MEDIA_KEYS.items():
        if args.only and rid not in args.only:
            continue
        path = os.path.join(args.out, "%d.bmp" % rid)
        L = Layer(*MEDIA_KEY_SIZE)
        draw(L)
        write_lossless(path, L.over(WHITE))
        written.append(path)
    for rid, (draw, w) in BANNER.items():
        if args.only and rid not in args.only:
            continue
        path = os.path.join(args.out, "%d.bmp" % rid)
        L = Layer(w, BANNER_H)
        draw(L)
        cv = L.over(BLACK)
        if rid == 5228:
            write_bmp(path, cv, 24)
        else:
            write_lossless(path, cv)
        written.append(path)
    if not args.only or 5071 in args.only:
        path = os.path.join(args.out, "5071.bmp")
        L = Layer(SUBLCD_W, SUBLCD_H)
        draw_sublcd(L)
        write_bmp(path, L.over(DIALOG_FACE), 24)
        written.append(path)
    if args.preview:
        preview(written, args.preview)
    for p in written:
        print(p)
    if not args.only:
        problems = verify(args.out)
        for msg in problems:
            print("problem:", msg, file=sys.stderr)
        return 1 if problems else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
