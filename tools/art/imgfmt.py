"""Exact BMP and ICO writers for the product's pictures (Python standard library only).

A picture is a Canvas of RGB triples; the writers quantise it to the asked bit depth.
Palettised images take their palette from the caller, in the order given; a palette shorter
than the depth allows is written as it is, with its length in biClrUsed.
"""
import struct


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0)):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]
        self.alpha = [[255] * width for _ in range(height)]

    def set(self, x, y, rgb, a=255):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = rgb
            self.alpha[y][x] = a

    def get(self, x, y):
        return self.px[y][x]

    def rect(self, x0, y0, x1, y1, rgb):
        """Fills x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.px[y][x] = rgb
                self.alpha[y][x] = 255

    def hline(self, x0, x1, y, rgb):
        self.rect(x0, y, x1 + 1, y + 1, rgb)

    def vline(self, x, y0, y1, rgb):
        self.rect(x, y0, x + 1, y1 + 1, rgb)

    def line(self, x0, y0, x1, y1, rgb):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, rgb)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, points, rgb):
        """Fills a polygon by the even-odd rule at pixel centres."""
        ys = [p[1] for p in points]
        for y in range(max(0, int(min(ys))), min(self.height, int(max(ys)) + 1)):
            cy = y + 0.5
            xs = []
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay <= cy < by) or (by <= cy < ay):
                    xs.append(ax + (cy - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(max(0, int(a + 0.5)), min(self.width, int(b + 0.5))):
                    self.set(x, y, rgb)

    def ellipse(self, cx, cy, rx, ry, rgb, filled=True):
        for y in range(self.height):
            for x in range(self.width):
                d = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
                if d <= 1.0 if filled else abs(d - 1.0) <= 1.0 / max(rx, ry):
                    self.set(x, y, rgb)


def _nearest(palette, rgb):
    best, best_d = 0, None
    for i, (r, g, b) in enumerate(palette):
        d = (r - rgb[0]) ** 2 + (g - rgb[1]) ** 2 + (b - rgb[2]) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
            if d == 0:
                break
    return best


def _row_bytes(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def _pixel_rows(canvas, bpp, palette, with_alpha=False):
    """Bottom-up rows of pixel data at the given depth."""
    cache = {}
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        if bpp in (24, 32):
            for x in range(canvas.width):
                r, g, b = canvas.px[y][x]
                row += bytes((b, g, r))
                if bpp == 32:
                    row.append(canvas.alpha[y][x] if with_alpha else 0)
        else:
            idx = []
            for x in range(canvas.width):
                rgb = canvas.px[y][x]
                if rgb not in cache:
                    cache[rgb] = _nearest(palette, rgb)
                idx.append(cache[rgb])
            per = 8 // bpp
            for i in range(0, len(idx), per):
                v = 0
                for j in range(per):
                    v <<= bpp
                    if i + j < len(idx):
                        v |= idx[i + j]
                row.append(v)
        row += bytes(_row_bytes(canvas.width, bpp) - len(row))
        rows.append(bytes(row))
    return b"".join(rows)


def _palette_bytes(palette, bpp):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


def used_palette(canvas, palette):
    """The entries of palette that some pixel of canvas maps to, in their order."""
    cache, used = {}, set()
    for row in canvas.px:
        for rgb in row:
            if rgb not in cache:
                cache[rgb] = _nearest(palette, rgb)
                used.add(cache[rgb])
    return [c for i, c in enumerate(palette) if i in used]


def exact_palette(canvas, limit=256):
    """The canvas's own colours, if there are at most limit of them; else None."""
    colours = sorted({rgb for row in canvas.px for rgb in row})
    return colours if len(colours) <= limit else None


def _info_header(width, height, bpp, image_size, colors):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 2835, 2835, colors, 0)


def bmp_bytes(canvas, bpp, palette=None):
    if bpp <= 8:
        assert palette and len(palette) <= (1 << bpp)
    pal = _palette_bytes(palette, bpp) if bpp <= 8 else b""
    pixels = _pixel_rows(canvas, bpp, palette)
    colors = len(palette) if bpp <= 8 else 0
    header = _info_header(canvas.width, canvas.height, bpp, len(pixels), colors)
    offset = 14 + len(header) + len(pal)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pal + pixels


def write_bmp(path, canvas, bpp, palette=None):
    with open(path, "wb") as f:
        f.write(bmp_bytes(canvas, bpp, palette))


def _icon_image(canvas, bpp, palette):
    """One icon image: BITMAPINFOHEADER with doubled height, colour data, AND mask. The colour
    table is always full: icon loaders are not all known to honour a short one."""
    if bpp <= 8:
        palette = list(palette) + [(0, 0, 0)] * ((1 << bpp) - len(palette))
    pal = _palette_bytes(palette, bpp) if bpp <= 8 else b""
    xor = _pixel_rows(canvas, bpp, palette, with_alpha=True)
    mask_rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray(_row_bytes(canvas.width, 1))
        for x in range(canvas.width):
            if canvas.alpha[y][x] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(row))
    mask = b"".join(mask_rows)
    colors = (1 << bpp) if bpp <= 8 else 0
    header = _info_header(canvas.width, canvas.height * 2, bpp, len(xor) + len(mask), colors)
    return header + pal + xor + mask


def write_ico(path, images):
    """images: list of (canvas, bpp, palette or None); transparent where alpha < 128."""
    blobs = [_icon_image(c, bpp, pal) for c, bpp, pal in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (c, bpp, pal), blob in zip(images, blobs):
        ncolors = (1 << bpp) if bpp < 8 else 0
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, ncolors, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


# The 16 colours of the standard VGA palette, for 4-bit images.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def halftone256():
    """A 256-colour palette: the 16 VGA colours, a 6x6x6 colour cube, then a grey ramp."""
    pal = list(VGA16)
    for r in range(6):
        for g in range(6):
            for b in range(6):
                pal.append((r * 51, g * 51, b * 51))
    while len(pal) < 256:
        v = (len(pal) - 232) * 10 + 8
        pal.append((v, v, v))
    return pal[:256]
