#!/usr/bin/env python3
"""Draws the application icon, data/tessik.png (a white hash sign on a blue rounded square), and
the About window's picture, data/about@2x.png (the same sign beside rows of digest digits,
drawn at twice its size on the screen). With --icon SIZE FILE it draws the icon alone at another
size, for the desktop's icon theme.

Plain Python (zlib only), anti-aliased by sampling every pixel on a 4 x 4 grid, or a finer one
where the icon is drawn smaller, so that thin edges stay smooth."""
import struct
import sys
import zlib

SIZE = 256
GRID = 4
RADIUS = 52
TOP = (0x2F, 0x80, 0xD8)
BOTTOM = (0x14, 0x3F, 0x78)

PICTURE_WIDTH = 320
PICTURE_HEIGHT = 184
PICTURE_ICON = 160  # the sign's square, at the left, centred vertically
DIGIT = (0x9C, 0xB4, 0xD4)
# Rows of digits: each row is groups of (start, end) in picture pixels.
DIGIT_ROWS = [
    (34, [(184, 236), (244, 288)]),
    (58, [(184, 220), (228, 276), (284, 312)]),
    (82, [(184, 252), (260, 300)]),
    (106, [(184, 212), (220, 268), (276, 312)]),
    (130, [(184, 244), (252, 284)]),
    (154, [(184, 228), (236, 304)]),
]
DIGIT_HEIGHT = 10


def in_rounded_square(x, y):
    inset = 8
    lo, hi = inset + RADIUS, SIZE - inset - RADIUS
    cx = min(max(x, lo), hi)
    cy = min(max(y, lo), hi)
    return (x - cx) ** 2 + (y - cy) ** 2 <= RADIUS ** 2 and inset <= x <= SIZE - inset and inset <= y <= SIZE - inset


def in_hash_sign(x, y):
    # Two slanted uprights and two cross bars.
    half = 13
    for base in (104, 160):
        centre = base - (y - 128) * 0.18
        if abs(x - centre) <= half and 54 <= y <= 202:
            return True
    for bar in (100, 156):
        if abs(y - bar) <= half and 58 <= x <= 198:
            return True
    return False


def pixel(px, py, size=SIZE):
    # The shapes are laid out on a SIZE square; a smaller icon samples them on a finer grid.
    scale = SIZE / size
    grid = min(GRID * max(1, SIZE // size), 2 * GRID)
    cover = ink = 0
    for sy in range(grid):
        for sx in range(grid):
            x = (px + (sx + 0.5) / grid) * scale
            y = (py + (sy + 0.5) / grid) * scale
            if in_rounded_square(x, y):
                cover += 1
                ink += in_hash_sign(x, y)
    samples = grid * grid
    if cover == 0:
        return (0, 0, 0, 0)
    t = py / (size - 1)
    background = [round(a + (b - a) * t) for a, b in zip(TOP, BOTTOM)]
    white = ink / cover
    colour = [round(c + (255 - c) * white) for c in background]
    return (*colour, round(255 * cover / samples))


def in_digits(x, y):
    for top, groups in DIGIT_ROWS:
        if not top <= y <= top + DIGIT_HEIGHT:
            continue
        r = DIGIT_HEIGHT / 2
        cy = top + r
        for start, end in groups:
            cx = min(max(x, start + r), end - r)
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                return True
    return False


def picture_pixel(px, py):
    offset_y = (PICTURE_HEIGHT - PICTURE_ICON) / 2
    if px < PICTURE_ICON:
        # The icon, scaled into its square.
        scale = SIZE / PICTURE_ICON
        return pixel(px * scale, (py - offset_y) * scale) if offset_y <= py < offset_y + PICTURE_ICON else (0, 0, 0, 0)
    cover = 0
    for sy in range(GRID):
        for sx in range(GRID):
            cover += in_digits(px + (sx + 0.5) / GRID, py + (sy + 0.5) / GRID)
    return (*DIGIT, round(255 * cover / (GRID * GRID)))


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write(path, rows):
    with open(path, "wb") as f:
        f.write(png(rows))


def icon_rows(size):
    return [[pixel(x, y, size) for x in range(size)] for y in range(size)]


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--icon":
        write(sys.argv[3], icon_rows(int(sys.argv[2])))
        sys.exit(0)
    folder = sys.argv[1] if len(sys.argv) > 1 else "data"
    write(f"{folder}/tessik.png", icon_rows(SIZE))
    write(f"{folder}/about@2x.png",
          [[picture_pixel(x, y) for x in range(PICTURE_WIDTH)] for y in range(PICTURE_HEIGHT)])
