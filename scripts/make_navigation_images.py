#!/usr/bin/env python3
"""Draws the four buttons of the frame layout's menu pages as 30x30 GIF files.

    scripts/make_navigation_images.py [OUT_DIR]     (default: resources/images)

top.gif |<, previous.gif <, next.gif >, last.gif >|: dark arrows on a transparent
background. The output is the same byte for byte on every run; the build checks
that the committed files are what this script makes.
"""
import os
import struct
import sys

SIZE = 30
BACKGROUND, ARROW = 0, 1
# Four entries, as the two-bit colour table needs; only the first two are drawn.
PALETTE = bytes([255, 255, 255, 0x33, 0x44, 0x66, 0, 0, 0, 0, 0, 0])


def arrow(tip, base, bar=None):
    """Pixels of a left-pointing triangle from x = tip to x = base, with an optional
    vertical bar covering the columns bar[0]..bar[1]."""
    half_height = 9.0
    rows = []
    for y in range(SIZE):
        row = []
        dy = abs(y + 0.5 - SIZE / 2)
        for x in range(SIZE):
            cx = x + 0.5
            inside = tip <= cx <= base and dy <= (cx - tip) * half_height / (base - tip)
            on_bar = bar is not None and bar[0] <= x <= bar[1] and dy <= half_height
            row.append(ARROW if inside or on_bar else BACKGROUND)
        rows.append(row)
    return rows


def mirrored(rows):
    return [list(reversed(row)) for row in rows]


def lzw(pixels, min_code_size):
    """GIF's variable-width LZW: codes packed from the lowest bit."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bit_buffer, bit_count = bytearray(), 0, 0

    def emit(code, width):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += width
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {bytes([i]): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    current = b""
    for pixel in pixels:
        extended = current + bytes([pixel])
        if extended in table:
            current = extended
            continue
        emit(table[current], width)
        # The decoder widens its codes once the next free code needs another bit.
        if next_code >= (1 << width) and width < 12:
            width += 1
        if next_code < 4096:
            table[extended] = next_code
            next_code += 1
        else:
            emit(clear, width)
            table, next_code, width = reset()
        current = bytes([pixel])
    emit(table[current], width)
    if next_code >= (1 << width) and width < 12:
        width += 1
    emit(end, width)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def gif(rows):
    pixels = [p for row in rows for p in row]
    data = lzw(pixels, 2)
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    return (b"GIF89a" + struct.pack("<HHBBB", SIZE, SIZE, 0x91, BACKGROUND, 0) + PALETTE
            + b"\x21\xF9\x04\x01\x00\x00" + bytes([BACKGROUND]) + b"\x00"
            + b"\x2C" + struct.pack("<HHHHB", 0, 0, SIZE, SIZE, 0)
            + b"\x02" + blocks + b"\x00" + b"\x3B")


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources", "images")
    previous = arrow(tip=8, base=21)
    top = arrow(tip=11, base=24, bar=(6, 8))
    images = {"previous.gif": previous, "next.gif": mirrored(previous),
              "top.gif": top, "last.gif": mirrored(top)}
    os.makedirs(out_dir, exist_ok=True)
    for name, rows in images.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(gif(rows))


if __name__ == "__main__":
    main()
