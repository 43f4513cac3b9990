#!/usr/bin/env python3
"""Draws the application icon (a pale "V" on a dark red rounded square) as PNGs, standard library only."""
import math
import struct
import sys
import zlib

SIZES = (16, 32, 48, 64, 128, 256)
SAMPLES = 4  # per axis, for anti-aliasing


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def rounded_square_distance(px, py, half, radius):
    qx, qy = abs(px) - half + radius, abs(py) - half + radius
    return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - radius


def colour_at(x, y):
    """Colour and coverage at a point of the unit square centred on the origin."""
    if rounded_square_distance(x, y, 0.47, 0.12) > 0:
        return None
    shade = 0.5 - y  # lighter towards the top
    back = (int(110 + 60 * shade), int(12 + 10 * shade), int(18 + 10 * shade))
    stroke = min(segment_distance(x, y, -0.27, -0.28, 0.0, 0.3),
                 segment_distance(x, y, 0.27, -0.28, 0.0, 0.3))
    return (243, 230, 200) if stroke < 0.085 else back


def render(size):
    rows = []
    for j in range(size):
        row = bytearray([0])
        for i in range(size):
            r = g = b = a = 0
            for sj in range(SAMPLES):
                for si in range(SAMPLES):
                    x = (i + (si + 0.5) / SAMPLES) / size - 0.5
                    y = (j + (sj + 0.5) / SAMPLES) / size - 0.5
                    c = colour_at(x, y)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            n = SAMPLES * SAMPLES
            row += bytes((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))
        rows.append(bytes(row))
    return b"".join(rows)


def png(size, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    for size in SIZES:
        with open(f"{folder}/vantrel-{size}.png", "wb") as out:
            out.write(png(size, render(size)))
