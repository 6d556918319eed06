#!/usr/bin/env python3
"""Draws the background textures of data/progdir/texturen/.

Run by hand when a texture should change; the build only copies the results. Uses the
standard library for the pictures (24-bit BMP written byte by byte) and ImageMagick's
`convert` to turn the two photo-like ones into JPEG.
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "progdir", "texturen")


def write_bmp(path, w, h, pixel):
    """pixel(x, y) -> (r, g, b) with y = 0 at the top."""
    row_size = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):  # BMP rows run bottom-up
        row = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            row += bytes((clamp(b), clamp(g), clamp(r)))
        row += b"\0" * (row_size - w * 3)
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def write_jpg(path, w, h, pixel, quality=88):
    with tempfile.NamedTemporaryFile(suffix=".bmp", delete=False) as tmp:
        tmp_path = tmp.name
    try:
        write_bmp(tmp_path, w, h, pixel)
        subprocess.run(["convert", tmp_path, "-strip", "-interlace", "none",
                        "-quality", str(quality), path], check=True)
    finally:
        os.unlink(tmp_path)


def clamp(v):
    return max(0, min(255, int(round(v))))


class Noise:
    """Smooth value noise on a lattice that wraps every `period` cells."""

    def __init__(self, seed, period=64):
        rnd = random.Random(seed)
        self.period = period
        self.grid = [[rnd.random() for _ in range(period)] for _ in range(period)]

    def at(self, x, y):
        x0, y0 = math.floor(x), math.floor(y)
        fx, fy = x - x0, y - y0
        sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        p = self.period
        g = self.grid
        a = g[y0 % p][x0 % p]
        b = g[y0 % p][(x0 + 1) % p]
        c = g[(y0 + 1) % p][x0 % p]
        d = g[(y0 + 1) % p][(x0 + 1) % p]
        return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy

    def fbm(self, x, y, octaves=4):
        total, amp, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += self.at(x, y) * amp
            norm += amp
            x, y, amp = x * 2.03, y * 2.03, amp * 0.5
        return total / norm  # 0..1


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def paper():
    n = Noise(1)
    grain = random.Random(11)

    def px(x, y):
        cloud = n.fbm(x / 24, y / 24, 4) - 0.5
        fibre = n.at(x / 2.5, y / 14) - 0.5
        g = grain.uniform(-3, 3)
        base = (247, 242, 230)
        d = cloud * 14 + fibre * 5 + g
        return base[0] + d, base[1] + d, base[2] + d * 1.2
    return px


def linen():
    n = Noise(2)
    grain = random.Random(12)

    def px(x, y):
        warp = 0.5 + 0.5 * math.sin(x * math.pi / 1.5 + n.at(x / 9, y / 3) * 2)
        weft = 0.5 + 0.5 * math.sin(y * math.pi / 1.5 + n.at(x / 3, y / 9) * 2)
        slub = n.fbm(x / 6, y / 40, 2) - 0.5
        t = (warp * 0.5 + weft * 0.5) * 16 + slub * 18 + grain.uniform(-4, 4)
        return 214 + t, 204 + t, 182 + t * 0.9
    return px


def marble():
    n = Noise(3)

    def px(x, y):
        turb = n.fbm(x / 64, y / 64, 5)
        v = math.sin((x * 0.6 + y * 0.9) / 22 + turb * 7)
        vein = abs(v) ** 0.22  # dark, thin veins where the sine crosses zero
        cloud = n.fbm(x / 70 + 5, y / 70 + 5, 3)
        light = (244, 242, 238)
        dark = (120, 124, 134)
        c = mix(dark, light, vein)
        return mix(c, (226, 222, 214), cloud * 0.35)
    return px


def blue_gradient(h):
    n = Noise(4)
    grain = random.Random(14)

    def px(x, y):
        t = y / (h - 1)
        top, bottom = (20, 42, 110), (150, 190, 235)
        c = mix(top, bottom, t ** 0.9)
        glow = n.fbm(x / 50, y / 50, 3) - 0.5
        d = glow * 18 + grain.uniform(-2, 2)  # keeps the gradient free of bands
        return c[0] + d, c[1] + d, c[2] + d
    return px


def wood(w, h):
    n = Noise(5)

    def px(x, y):
        dx, dy = (x - w * 0.5) / 7.0, (y + h * 1.6) / 1.0
        r = math.hypot(dx, dy) / 9 + n.fbm(x / 80, y / 20, 4) * 5
        ring = 0.5 + 0.5 * math.sin(r * 2 * math.pi)
        ring = ring ** 3
        streak = n.fbm(x / 3, y / 50, 3)
        light, dark = (214, 164, 106), (150, 94, 50)
        c = mix(light, dark, ring * 0.8 + streak * 0.25)
        return c
    return px


def starry_night(w, h):
    n = Noise(6)
    rnd = random.Random(16)
    stars = []
    for _ in range(170):
        stars.append((rnd.uniform(0, w), rnd.uniform(0, h), rnd.random() ** 3))
    big = [(rnd.uniform(0, w), rnd.uniform(0, h)) for _ in range(7)]

    def px(x, y):
        t = y / (h - 1)
        c = mix((6, 10, 32), (24, 32, 78), t)
        neb = max(0.0, n.fbm(x / 45, y / 45, 5) - 0.48) * 2.2
        c = mix(c, (70, 60, 130), neb)
        light = 0.0
        for sx, sy, b in stars:
            d2 = (x - sx) ** 2 + (y - sy) ** 2
            if d2 < 4:
                light += (0.35 + 0.65 * b) * math.exp(-d2 * 1.6)
        for sx, sy in big:
            d = math.hypot(x - sx, y - sy)
            if d < 9:
                light += math.exp(-d * d / 1.2) + 0.25 * math.exp(-d / 2.5) * (
                    math.exp(-abs(x - sx) * 2) + math.exp(-abs(y - sy) * 2))
        light = min(1.0, light)
        return mix(c, (255, 250, 230), light)
    return px


def main():
    os.makedirs(OUT, exist_ok=True)
    write_bmp(os.path.join(OUT, "standard.bmp"), 128, 128, paper())
    write_bmp(os.path.join(OUT, "leinen.bmp"), 128, 128, linen())
    write_bmp(os.path.join(OUT, "marmor.bmp"), 192, 192, marble())
    write_bmp(os.path.join(OUT, "blauverlauf.bmp"), 96, 128, blue_gradient(128))
    write_jpg(os.path.join(OUT, "holz.jpg"), 256, 256, wood(256, 256))
    write_jpg(os.path.join(OUT, "sternenhimmel.jpg"), 256, 256, starry_night(256, 256))
    return 0


if __name__ == "__main__":
    sys.exit(main())
