#!/usr/bin/env python3
"""Draws the program icon, a small yellow note with ruled lines and a folded corner, at 16, 32
and 48 pixels, and writes it as res/note.ico (32-bit images with an alpha channel).
Run it again after changing the drawing: python3 res/make_icon.py"""
import os
import struct

PAPER = (0x40, 0xE8, 0xFF, 0xFF)      # B, G, R, A: warm yellow
PAPER_EDGE = (0x10, 0x9C, 0xC8, 0xFF)
LINE = (0xB0, 0x90, 0x70, 0xFF)
CLEAR = (0, 0, 0, 0)


def draw(size):
    """Rows of BGRA pixels, top row first."""
    margin = max(1, size // 16)
    fold = max(3, size // 4)
    left, top, right, bottom = margin, margin, size - margin - 1, size - margin - 1
    rows = [[CLEAR] * size for _ in range(size)]
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            to_corner = (right - x) + (bottom - y)  # distance from the folded corner
            if to_corner < fold - 1:
                continue  # the corner is folded away
            edge = x in (left, right) or y in (top, bottom) or to_corner == fold - 1
            rows[y][x] = PAPER_EDGE if edge else PAPER
    # Ruled lines, stopping short of the fold.
    step = max(3, size // 6)
    for y in range(top + step, bottom - step // 2, step):
        for x in range(left + 2 * margin + 1, right - 2 * margin):
            if (right - x) + (bottom - y) >= fold:
                rows[y][x] = LINE
    return rows


def image(size):
    rows = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(p) for row in reversed(rows) for p in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def main():
    sizes = (16, 32, 48)
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'note.ico')
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
