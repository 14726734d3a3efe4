#!/usr/bin/env python3
"""Draws the program's icon, a green ball on a pinball field (red walls, a white
disc, a blue triangle, on black as in the program), and writes it as a Windows
.ico: 32-bit images of 16 to 64 pixels and a PNG of 256, each drawn at its own
size with 4 x 4 samples a pixel, so the small ones stay crisp.

  python3 scripts/make_icon.py resources/pinball.ico

The output is committed; a test draws it again and compares the bytes.
"""

import struct
import sys
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
SAMPLES = 4

BLACK = (0, 0, 0)
RED = (255, 0, 0)
WHITE = (255, 255, 255)
BLUE = (0, 0, 255)
GREEN = (0, 255, 0)


def inside_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)


def colour_at(x, y):
    """The picture over the unit square, y downward: None outside it."""
    margin, wall, corner = 0.02, 0.075, 0.14
    # A square with rounded corners: the field and its walls.
    cx, cy = min(max(x, margin + corner), 1 - margin - corner), min(max(y, margin + corner),
                                                                    1 - margin - corner)
    if (x - cx) ** 2 + (y - cy) ** 2 > corner ** 2:
        return None
    inner = corner - wall
    if (x - cx) ** 2 + (y - cy) ** 2 > inner ** 2 or not (
            margin + wall <= x <= 1 - margin - wall and margin + wall <= y <= 1 - margin - wall):
        return RED
    if (x - 0.68) ** 2 + (y - 0.31) ** 2 <= 0.15 ** 2:
        return WHITE
    if inside_triangle(x, y, (0.62, 0.60), (0.86, 0.86), (0.50, 0.86)):
        return BLUE
    if (x - 0.34) ** 2 + (y - 0.58) ** 2 <= 0.21 ** 2:
        return GREEN
    return BLACK


def draw(size):
    """Rows of (r, g, b, a), top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = n = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                  (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        r, g, b, n = r + c[0], g + c[1], b + c[2], n + 1
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                # Colour averaged over the covered samples; coverage as alpha.
                row.append((round(r / n), round(g / n), round(b / n),
                            round(255 * n / SAMPLES ** 2)))
        rows.append(row)
    return rows


def bmp_image(size, rows):
    """A 32-bit icon image: the header (twice the height: colour, then mask),
    bottom-up BGRA rows, then the 1-bit mask (all zero: alpha does the work)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def png_image(size, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_file():
    images = []
    for size in SIZES:
        rows = draw(size)
        images.append((size, png_image(size, rows) if size >= 256 else bmp_image(size, rows)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = 0 if size >= 256 else size  # 0 stands for 256
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as f:
        f.write(icon_file())
