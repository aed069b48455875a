#!/usr/bin/env python3
"""Draws the program's images (application icon, apply arrow, warning sign) as PNG files.

Plain standard library: a small RGBA canvas with anti-aliasing by supersampling.
Run from the repository root: python3 tools/draw_images.py
"""
import math
import struct
import zlib

SS = 4  # supersampling factor


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[(0, 0, 0, 0)] * (w * SS) for _ in range(h * SS)]

    def fill(self, inside, colour):
        for y in range(self.h * SS):
            fy = (y + 0.5) / SS
            row = self.px[y]
            for x in range(self.w * SS):
                if inside((x + 0.5) / SS, fy):
                    row[x] = colour

    def png(self, path):
        raw = bytearray()
        for y in range(self.h):
            raw.append(0)
            for x in range(self.w):
                acc = [0, 0, 0, 0]
                for sy in range(SS):
                    for sx in range(SS):
                        r, g, b, a = self.px[y * SS + sy][x * SS + sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                a = acc[3]
                if a == 0:
                    raw += bytes(4)
                else:
                    raw += bytes((acc[0] // a, acc[1] // a, acc[2] // a, a // (SS * SS)))

        def chunk(tag, data):
            c = tag + data
            return struct.pack(">I", len(data)) + c + struct.pack(">I", zlib.crc32(c) & 0xFFFFFFFF)

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
            f.write(chunk(b"IEND", b""))


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def polygon(pts):
    def inside(x, y):
        n, c = len(pts), False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                c = not c
            j = i
        return c
    return inside


def segment(x0, y0, x1, y1, half):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half * half
    return inside


def app_icon(path):
    # A dial gauge on a teal disc with a needle and a small trace below.
    c = Canvas(64, 64)
    c.fill(circle(32, 32, 30), (20, 110, 120, 255))
    c.fill(circle(32, 32, 25), (240, 245, 245, 255))
    for k in range(7):
        a = math.radians(210 - k * 40)
        c.fill(segment(32 + 18 * math.cos(a), 32 - 18 * math.sin(a),
                       32 + 23 * math.cos(a), 32 - 23 * math.sin(a), 1.2), (40, 60, 70, 255))
    a = math.radians(50)
    c.fill(segment(32, 32, 32 + 19 * math.cos(a), 32 - 19 * math.sin(a), 1.8), (210, 60, 40, 255))
    c.fill(circle(32, 32, 3.5), (40, 60, 70, 255))
    wave = [(18 + i, 45 + 3 * math.sin(i / 3.0)) for i in range(0, 29)]
    for (x0, y0), (x1, y1) in zip(wave, wave[1:]):
        c.fill(segment(x0, y0, x1, y1, 1.0), (20, 110, 120, 255))
    c.png(path)


def enter_icon(path):
    # A return arrow: down from the top right, then left to an arrow head.
    c = Canvas(32, 32)
    col = (30, 120, 60, 255)
    c.fill(segment(24, 6, 24, 20, 2.5), col)
    c.fill(segment(24, 20, 12, 20, 2.5), col)
    c.fill(polygon([(4, 20), (13, 12), (13, 28)]), col)
    c.png(path)


def warning(path):
    # A red-rimmed triangle with an exclamation mark.
    c = Canvas(64, 64)
    c.fill(polygon([(32, 3), (62, 58), (2, 58)]), (200, 40, 30, 255))
    c.fill(polygon([(32, 14), (53, 52), (11, 52)]), (255, 215, 60, 255))
    c.fill(segment(32, 24, 32, 40, 3), (30, 30, 30, 255))
    c.fill(circle(32, 46.5, 3), (30, 30, 30, 255))
    c.png(path)


if __name__ == "__main__":
    app_icon("img/hvcalibrator.png")
    enter_icon("img/enter_icon.png")
    warning("img/Error_warning_alert_attention_remove_dialog.png")
