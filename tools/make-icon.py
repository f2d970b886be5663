#!/usr/bin/env python3
"""Draws the Kestrova icon and writes resources/kestrova.ico.

The drawing is the icon's source: a rounded blue tile with a white upward chevron (the
"speed up" sign) over a short bar. Each size is rendered from the same vector description with
4x4 supersampling, as 32-bit BGRA images with alpha, and stored as BMP entries in one .ico.
"""
import struct
import sys
from pathlib import Path

SIZES = [128, 64, 48, 32, 24, 16]
TILE = (0x1F, 0x6F, 0xD1)      # RGB of the tile
MARK = (0xFF, 0xFF, 0xFF)      # RGB of the chevron and the bar


def inside_rounded_square(x, y, radius=0.22):
    # Unit square [0,1]^2 with rounded corners.
    cx = min(max(x, radius), 1 - radius)
    cy = min(max(y, radius), 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    qx, qy = ax + t * dx, ay + t * dy
    return ((px - qx) ** 2 + (py - qy) ** 2) ** 0.5


def on_mark(x, y):
    stroke = 0.075
    chevron = [(0.25, 0.58, 0.5, 0.30), (0.5, 0.30, 0.75, 0.58)]
    if any(distance_to_segment(x, y, *seg) <= stroke for seg in chevron):
        return True
    return distance_to_segment(x, y, 0.30, 0.74, 0.70, 0.74) <= stroke


def render(size):
    samples = 4
    rows = []
    for row in range(size):
        pixels = []
        for col in range(size):
            tile = mark = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (col + (sx + 0.5) / samples) / size
                    y = (row + (sy + 0.5) / samples) / size
                    if inside_rounded_square(x, y):
                        tile += 1
                        if on_mark(x, y):
                            mark += 1
            n = samples * samples
            alpha = round(255 * tile / n)
            if tile:
                f = mark / tile
                rgb = [round(TILE[i] * (1 - f) + MARK[i] * f) for i in range(3)]
            else:
                rgb = [0, 0, 0]
            pixels.append(bytes((rgb[2], rgb[1], rgb[0], alpha)))
        rows.append(b"".join(pixels))
    return rows


def bmp_entry(size):
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(reversed(rows))                  # bottom-up
    mask_row = ((size + 31) // 32) * 4
    and_mask = b"\x00" * (mask_row * size)          # alpha carries the shape
    return header + xor + and_mask


def main(out):
    entries = [bmp_entry(s) for s in SIZES]
    offset = 6 + 16 * len(SIZES)
    directory = b""
    for size, data in zip(SIZES, entries):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                                 len(data), offset)
        offset += len(data)
    Path(out).write_bytes(struct.pack("<HHH", 0, 1, len(SIZES)) + directory + b"".join(entries))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
         / "resources" / "kestrova.ico")
