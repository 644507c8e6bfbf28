#!/usr/bin/env python3
"""Draws the program icon: two swap arrows on a rounded blue square.

Writes one 128 x 128 image at 32 bits per pixel (RGBA, stored as PNG) as
an .ico file. Run: python3 tools/make_icon.py app/velmora.ico
"""
import struct
import sys
import zlib

SIZE = 128
SAMPLES = 4  # per axis, for smooth edges

BLUE_TOP = (0x4a, 0x8f, 0xd0)
BLUE_BOTTOM = (0x2b, 0x5b, 0x8f)
WHITE = (0xff, 0xff, 0xff)
YELLOW = (0xff, 0xd4, 0x3b)


def in_rounded_square(x, y, inset=4, radius=26):
    lo, hi = inset, SIZE - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (x - q[0]) * (p[1] - q[1]) - (p[0] - q[0]) * (y - q[1])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def in_right_arrow(x, y):
    shaft = 28 <= x <= 82 and 41 <= y <= 55
    return shaft or in_triangle(x, y, (80, 28), (80, 68), (104, 48))


def in_left_arrow(x, y):
    shaft = 46 <= x <= 100 and 73 <= y <= 87
    return shaft or in_triangle(x, y, (48, 60), (48, 100), (24, 80))


def shade(x, y):
    """Colour and coverage (0..1) of one sample."""
    if not in_rounded_square(x, y):
        return None
    if in_right_arrow(x, y):
        return WHITE
    if in_left_arrow(x, y):
        return YELLOW
    t = y / SIZE
    return tuple(round(a + (b - a) * t) for a, b in zip(BLUE_TOP, BLUE_BOTTOM))


def pixel(px, py):
    total = [0, 0, 0]
    covered = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            colour = shade(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
            if colour is None:
                continue
            covered += 1
            for i in range(3):
                total[i] += colour[i]
    if covered == 0:
        return (0, 0, 0, 0)
    r, g, b = (round(c / covered) for c in total)
    return (b, g, r, round(255 * covered / SAMPLES ** 2))


def png_bytes(rows):
    """The image as a PNG (RGBA, 8 bits a channel): a quarter of the DIB's
    size. Windows Vista and later, and Wine, read PNG images in icons."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(
            ">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(
        b"\0" + bytes(v for b, g, r, a in row for v in (r, g, b, a))
        for row in rows)
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    image = png_bytes(rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + entry + image


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else "app/velmora.ico"
    with open(target, "wb") as out:
        out.write(icon_bytes())


if __name__ == "__main__":
    main()
