#!/usr/bin/env python3
"""Writes the program's texture library: a dozen seamless 24-bit .BMP tiles made from
periodic noise and periodic functions, so that every tile meets its own copy without a
seam when the effect objects lay it over their surface.

    python3 tools/make_textures.py OUTPUT_FOLDER
"""
import math
import os
import random
import struct
import sys

SIZE = 128


def bmp(path, pixels, size=SIZE):
    """Writes rows of (r, g, b) tuples, top row first, as a bottom-up 24-bit BMP."""
    row_bytes = (size * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_bytes - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


class PeriodicNoise:
    """Value noise on a lattice that wraps around the tile: seamless at every scale."""

    def __init__(self, seed):
        rng = random.Random(seed)
        self.table = [rng.random() for _ in range(256 * 256)]

    def value(self, x, y, cells):
        fx, fy = x * cells / SIZE, y * cells / SIZE
        x0, y0 = int(fx), int(fy)
        tx, ty = fx - x0, fy - y0
        tx, ty = tx * tx * (3 - 2 * tx), ty * ty * (3 - 2 * ty)

        def at(i, j):
            return self.table[(j % cells) * 256 + (i % cells)]

        top = at(x0, y0) * (1 - tx) + at(x0 + 1, y0) * tx
        bottom = at(x0, y0 + 1) * (1 - tx) + at(x0 + 1, y0 + 1) * tx
        return top * (1 - ty) + bottom * ty

    def fractal(self, x, y, cells=4, octaves=4):
        total, amplitude, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += self.value(x, y, cells) * amplitude
            norm += amplitude
            amplitude *= 0.5
            cells *= 2
        return total / norm


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def texture(fn):
    return [[fn(x, y) for x in range(SIZE)] for y in range(SIZE)]


def tau(v):
    return 2 * math.pi * v / SIZE


def make_all(folder):
    n = PeriodicNoise(11)
    m = PeriodicNoise(29)
    textures = {
        "Paper.bmp": lambda x, y: mix((236, 230, 214), (252, 249, 240), n.fractal(x, y, 8, 4)),
        "Linen.bmp": lambda x, y: mix((205, 192, 168), (240, 232, 214),
                                      0.5 + 0.25 * math.sin(tau(x) * 32) * math.sin(tau(y) * 2)
                                      + 0.25 * math.sin(tau(y) * 32) * math.cos(tau(x) * 2)
                                      + 0.2 * (n.fractal(x, y, 16, 2) - 0.5)),
        "Marble.bmp": lambda x, y: mix((90, 96, 110), (244, 244, 246),
                                       abs(math.sin(tau(x) * 2 + tau(y) + 6 * n.fractal(x, y, 4, 4))) ** 0.4),
        "WoodGrain.bmp": lambda x, y: mix((120, 72, 36), (196, 140, 84),
                                          (math.sin(tau(y) * 6 + 5 * n.fractal(x, y, 2, 3)) + 1) / 2
                                          * 0.8 + 0.2 * n.fractal(x, y, 16, 2)),
        "BrushedMetal.bmp": lambda x, y: mix((150, 152, 158), (226, 228, 232),
                                             0.75 * n.fractal(0, y, 64, 2) + 0.25 * m.fractal(x, y, 8, 2)),
        "Dots.bmp": lambda x, y: (30, 80, 160) if math.hypot((x % 16) - 7.5, (y % 16) - 7.5) < 4.5
        else (226, 236, 250),
        "Stripes.bmp": lambda x, y: (200, 40, 40) if ((x + y) % 32) < 12 else (250, 244, 236),
        "Checks.bmp": lambda x, y: (40, 110, 60) if ((x // 16) + (y // 16)) % 2 else (236, 244, 228),
        "Canvas.bmp": lambda x, y: mix((170, 160, 130), (225, 215, 185),
                                       0.5 + 0.3 * math.sin(tau(x) * 42) * math.sin(tau(y) * 42)
                                       + 0.3 * (n.fractal(x, y, 32, 2) - 0.5)),
        "Granite.bmp": lambda x, y: mix((70, 64, 62), (200, 190, 184),
                                        n.fractal(x, y, 32, 3) * 1.3 - 0.15
                                        + (0.35 if m.value(x, y, 64) > 0.9 else 0)),
        "Cork.bmp": lambda x, y: mix((150, 100, 50), (214, 168, 110),
                                     n.fractal(x, y, 16, 3) + 0.3 * (m.value(x, y, 128) - 0.5)),
        "Waves.bmp": lambda x, y: mix((20, 90, 150), (150, 210, 235),
                                      (math.sin(tau(y) * 4 + 1.5 * math.sin(tau(x) * 2)) + 1) / 2),
    }
    os.makedirs(folder, exist_ok=True)
    for name, fn in textures.items():
        bmp(os.path.join(folder, name), texture(fn))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    make_all(sys.argv[1])
