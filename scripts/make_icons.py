#!/usr/bin/env python3
"""Draws the program's icon as PNG files, one per size, for the desktop's icon theme.

    scripts/make_icons.py [OUT_DIR]          (default: resources/icons)
    scripts/make_icons.py --check DIR        the pictures in DIR are what this draws

Writes OUT_DIR/hicolor/<n>x<n>/apps/montrelle.png for every size below: a dark
album cover holding a white-framed photograph (sky, sun, two hills) in front of a
second print. Every pixel is the average of 4x4 samples, so small sizes stay smooth.
The files are the same on every run; --check compares the decoded pixels, so a
different zlib cannot make it fail.
"""
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 64, 128, 256)
SAMPLES = 4

COVER = (0x2F, 0x4A, 0x6D)
BACK_PRINT = (0xC9, 0xD6, 0xE8)
FRAME = (0xFF, 0xFF, 0xFF)
SKY_TOP, SKY_BOTTOM = (0x6F, 0xB6, 0xF2), (0xCF, 0xE8, 0xFA)
SUN = (0xFF, 0xB8, 0x30)
FAR_HILL, NEAR_HILL = (0x4E, 0x9A, 0x6B), (0x2E, 0x7A, 0x4B)


def in_rounded_box(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """The colour (r, g, b, a) at a point of the unit square, y downwards."""
    if not in_rounded_box(x, y, 0.04, 0.04, 0.96, 0.96, 0.16):
        return (0, 0, 0, 0)
    if in_rounded_box(x, y, 0.13, 0.30, 0.69, 0.88, 0.03):
        # The photograph in front, in its white border.
        if not (0.17 <= x <= 0.65 and 0.34 <= y <= 0.84):
            return FRAME + (255,)
        if (x - 0.52) ** 2 + (y - 0.46) ** 2 <= 0.055 ** 2:
            return SUN + (255,)
        if y >= 0.84 - 0.22 + abs(x - 0.50) * 0.9:
            return NEAR_HILL + (255,)
        if y >= 0.84 - 0.30 + abs(x - 0.28) * 1.1:
            return FAR_HILL + (255,)
        t = (y - 0.34) / 0.50
        return tuple(round(a + (b - a) * t) for a, b in zip(SKY_TOP, SKY_BOTTOM)) + (255,)
    if in_rounded_box(x, y, 0.33, 0.13, 0.87, 0.70, 0.03):
        return BACK_PRINT + (255,)
    return COVER + (255,)


def draw(size):
    """Rows of RGBA bytes, premultiplied while averaging so edges blend right."""
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = colour_at((px + (sx + 0.5) / SAMPLES) / size,
                                           (py + (sy + 0.5) / SAMPLES) / size)
                    total[0] += r * a
                    total[1] += g * a
                    total[2] += b * a
                    total[3] += a
            alpha = total[3]
            if alpha == 0:
                row += bytes(4)
            else:
                row += bytes([round(total[0] / alpha), round(total[1] / alpha),
                              round(total[2] / alpha), round(alpha / SAMPLES ** 2)])
        rows.append(bytes(row))
    return rows


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png(size, rows):
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def decoded(data):
    """(header, pixel bytes) of a PNG written by png()."""
    if not data.startswith(b"\x89PNG\r\n\x1a\n"):
        raise ValueError("not a PNG file")
    position, header, idat = 8, None, b""
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        position += 12 + length
    return header, zlib.decompress(idat)


def icon_path(folder, size):
    return os.path.join(folder, "hicolor", f"{size}x{size}", "apps", "montrelle.png")


def check(folder):
    found = sorted(os.path.relpath(os.path.join(d, f), folder)
                   for d, _, files in os.walk(folder) for f in files)
    expected = sorted(os.path.relpath(icon_path(folder, s), folder) for s in SIZES)
    if found != expected:
        print(f"{folder}: holds {found}, expected {expected}")
        return 1
    for size in SIZES:
        with open(icon_path(folder, size), "rb") as f:
            if decoded(f.read()) != decoded(png(size, draw(size))):
                print(f"{icon_path(folder, size)}: not what the script draws")
                return 1
    return 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        return check(sys.argv[2])
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")
    for size in SIZES:
        path = icon_path(out_dir, size)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(png(size, draw(size)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
