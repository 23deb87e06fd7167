#!/usr/bin/env python3
"""Draws the program icon and writes it as res/Setup.ico.

The picture is a white USB plug on a blue rounded square. Every size has its own
pixel-aligned geometry so that the small images stay sharp. The file holds nine
BMP-format images, 48, 32 and 16 pixels at 4, 8 and 32 bits per pixel, in the
order 4-bit (48, 32, 16), 8-bit (48, 32, 16), 32-bit (48, 32, 16). The output
depends on nothing but this script, so running it again gives the same bytes.

Usage: make-icon.py [OUTPUT]    (default: res/Setup.ico next to this script's folder)
"""

import struct
import sys
from pathlib import Path

SIZES = (48, 32, 16)
DEPTHS = (4, 8, 32)
SUPERSAMPLE = 8

GRADIENT_TOP = (0x4A, 0x9B, 0xF5)
GRADIENT_BOTTOM = (0x1C, 0x58, 0xC4)
BORDER = (0x12, 0x3F, 0x93)
HEAD = (0xD9, 0xE1, 0xEC)
HOLE = (0x1C, 0x4B, 0xA6)
WHITE = (0xFF, 0xFF, 0xFF)

# Geometry in pixels of each size: rectangles are (x0, y0, x1, y1), ends exclusive.
GEOMETRY = {
    48: {"square": (1, 1, 47, 47), "radius": 8,
         "head": (17, 7, 31, 19), "holes": ((20, 11, 23, 14), (25, 11, 28, 14)),
         "body": (13, 19, 35, 32), "body_radius": 3,
         "neck": (19, 32, 29, 36), "cable": (22, 36, 26, 47)},
    32: {"square": (1, 1, 31, 31), "radius": 6,
         "head": (11, 5, 21, 13), "holes": ((13, 7, 15, 10), (17, 7, 19, 10)),
         "body": (9, 13, 23, 21), "body_radius": 2,
         "neck": (13, 21, 19, 24), "cable": (14, 24, 18, 31)},
    16: {"square": (0, 0, 16, 16), "radius": 3,
         "head": (5, 2, 11, 6), "holes": ((6, 3, 7, 5), (9, 3, 10, 5)),
         "body": (4, 6, 12, 11), "body_radius": 1,
         "neck": (6, 11, 10, 12), "cable": (7, 12, 9, 16)},
}


def in_rect(x, y, r):
    return r[0] <= x < r[2] and r[1] <= y < r[3]


def in_rounded(x, y, r, radius):
    if not in_rect(x, y, r):
        return False
    cx = min(max(x, r[0] + radius), r[2] - radius)
    cy = min(max(y, r[1] + radius), r[3] - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def inset(r, d):
    return (r[0] + d, r[1] + d, r[2] - d, r[3] - d)


def sample(x, y, g):
    """Colour at one point, or None outside the icon."""
    square, radius = g["square"], g["radius"]
    if not in_rounded(x, y, square, radius):
        return None
    if not in_rounded(x, y, inset(square, 1), radius - 1):
        return BORDER
    if any(in_rect(x, y, h) for h in g["holes"]):
        return HOLE
    if in_rect(x, y, g["head"]):
        return HEAD
    if (in_rounded(x, y, g["body"], g["body_radius"]) or in_rect(x, y, g["neck"])
            or in_rect(x, y, g["cable"])):
        return WHITE
    t = (y - square[1]) / (square[3] - square[1])
    return tuple(a + (b - a) * t for a, b in zip(GRADIENT_TOP, GRADIENT_BOTTOM))


def render(size):
    """Rows of (r, g, b, a) pixels, top row first, straight (not premultiplied) alpha."""
    g = GEOMETRY[size]
    step = 1.0 / SUPERSAMPLE
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    c = sample(px + (sx + 0.5) * step, py + (sy + 0.5) * step, g)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                rgb = tuple(int(round(v / hits)) for v in acc)
                row.append(rgb + (int(round(255 * hits / SUPERSAMPLE ** 2)),))
        rows.append(row)
    return rows


def median_cut(counts, n):
    """Up to n colours that represent the weighted colours in counts (colour -> count)."""
    boxes = [sorted(counts.items())]
    while len(boxes) < n:
        best, best_range, best_channel = None, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                values = [c[ch] for c, _ in box]
                spread = max(values) - min(values)
                if spread > best_range:
                    best, best_range, best_channel = i, spread, ch
        if best is None:
            break
        box = sorted(boxes[best], key=lambda e: (e[0][best_channel], e[0]))
        total = sum(k for _, k in box)
        run, cut = 0, 1
        for j, (_, k) in enumerate(box[:-1]):
            run += k
            cut = j + 1
            if run * 2 >= total:
                break
        boxes[best:best + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(k for _, k in box)
        palette.append(tuple(int(round(sum(c[ch] * k for c, k in box) / total))
                             for ch in range(3)))
    return palette


def nearest(palette, c):
    return min(range(len(palette)),
               key=lambda i: (sum((p - q) ** 2 for p, q in zip(palette[i], c)), i))


def pad4(data):
    return data + b"\0" * (-len(data) % 4)


def and_mask(rows, size):
    out = b""
    for row in reversed(rows):
        bits = bytearray((size + 7) // 8)
        for x, px in enumerate(row):
            if px[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += pad4(bytes(bits))
    return out


def bmp_image(rows, size, depth):
    """One icon image: BITMAPINFOHEADER, colour table, XOR bitmap, AND mask."""
    table = b""
    if depth == 32:
        xor = b"".join(
            pad4(b"".join(bytes((b, g, r, a)) if a else b"\0\0\0\0" for r, g, b, a in row))
            for row in reversed(rows))
    else:
        colours = 1 << depth
        counts = {}
        for row in rows:
            for r, g, b, a in row:
                if a >= 128:
                    counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
        # Entry 0 stays black: transparent pixels must draw nothing through the AND mask.
        palette = [(0, 0, 0)] + median_cut(counts, colours - 1)
        palette += [(0, 0, 0)] * (colours - len(palette))
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        cache = {}
        xor = b""
        for row in reversed(rows):
            indices = []
            for r, g, b, a in row:
                if a < 128:
                    indices.append(0)
                else:
                    key = (r, g, b)
                    if key not in cache:
                        cache[key] = 1 + nearest(palette[1:], key)
                    indices.append(cache[key])
            if depth == 8:
                line = bytes(indices)
            else:
                line = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
            xor += pad4(line)
    mask = and_mask(rows, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, depth, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + table + xor + mask


def build_icon():
    rendered = {size: render(size) for size in SIZES}
    images = [(size, depth, bmp_image(rendered[size], size, depth))
              for depth in DEPTHS for size in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = len(out) + 16 * len(images)
    for size, depth, data in images:
        colour_count = 16 if depth == 4 else 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1, depth,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def main():
    default = Path(__file__).resolve().parent.parent / "res" / "Setup.ico"
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else default
    target.write_bytes(build_icon())


if __name__ == "__main__":
    main()
