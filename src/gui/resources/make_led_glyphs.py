#!/usr/bin/env python3
"""Draws the Run button's glyphs LED2ON.BMP (lit) and LED2OFF.BMP (dark): 20 x 20 pixel,
24-bit Windows bitmaps of a round LED on the button-face grey. The bottom-left pixel holds the
background colour, which the program makes transparent."""

import math
import struct
import sys

SIZE = 20
BACKGROUND = (212, 208, 200)


def led_pixel(x, y, lit):
    cx = cy = (SIZE - 1) / 2.0
    radius = SIZE / 2.0 - 1.5
    d = math.hypot(x - cx, y - cy)
    if d > radius + 0.5:
        return BACKGROUND
    # Body colour: brighter towards a highlight up and to the left.
    hx, hy = cx - radius * 0.35, cy - radius * 0.35
    h = max(0.0, 1.0 - math.hypot(x - hx, y - hy) / (radius * 1.2))
    if lit:
        base, shine = (20, 200, 30), (235, 255, 235)
    else:
        base, shine = (30, 70, 35), (120, 150, 125)
    body = tuple(int(b + (s - b) * h * h) for b, s in zip(base, shine))
    # A dark rim, then anti-aliasing into the background.
    rim = (10, 60, 15) if lit else (15, 35, 18)
    if d > radius - 1.0:
        body = rim
    if d > radius - 0.5:
        a = max(0.0, min(1.0, radius + 0.5 - d))
        body = tuple(int(bg + (c - bg) * a) for bg, c in zip(BACKGROUND, body))
    return body


def write_bmp(path, lit):
    row_bytes = SIZE * 3
    padding = (4 - row_bytes % 4) % 4
    pixels = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom row first
        for x in range(SIZE):
            r, g, b = led_pixel(x, y, lit)
            pixels += bytes((b, g, r))
        pixels += b"\0" * padding
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835,
                              0, 0)
    with open(path, "wb") as f:
        f.write(file_header + info_header + pixels)


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    write_bmp(f"{folder}/LED2ON.BMP", True)
    write_bmp(f"{folder}/LED2OFF.BMP", False)
