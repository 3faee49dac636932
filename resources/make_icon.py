#!/usr/bin/env python3
"""Draws the program's icon, a punched card on a blue tile, and writes it as
pioneers-quiz.ico (32 x 32, 8 bits per pixel, 256-colour palette),
pioneers-quiz.png (the same image) and pioneers-quiz-64.png, -128.png, -192.png, -256.png
and -512.png (the same drawing, each pixel a square of 2 to 16; 192 and 512 are the web
page's application icons) next to this script."""
import os
import struct
import zlib

SIZE = 32
TRANSPARENT = 0
PALETTE = [
    (0, 0, 0),        # 0: unused where the mask makes the pixel transparent
    (40, 60, 150),    # 1: tile
    (20, 30, 90),     # 2: tile edge
    (250, 240, 210),  # 3: card
    (150, 120, 80),   # 4: card edge
    (60, 40, 30),     # 5: holes
    (255, 128, 128),  # 6: red stripe
    (128, 255, 128),  # 7: green stripe
]
PALETTE += [(0, 0, 0)] * (256 - len(PALETTE))


def draw():
    img = [[TRANSPARENT] * SIZE for _ in range(SIZE)]
    # Rounded tile.
    for y in range(SIZE):
        for x in range(SIZE):
            cx = min(x, SIZE - 1 - x)
            cy = min(y, SIZE - 1 - y)
            if cx + cy < 3:
                continue
            img[y][x] = 2 if cx == 0 or cy == 0 or cx + cy == 3 else 1
    # Card with a clipped top-left corner.
    left, top, right, bottom = 4, 7, 27, 24
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if (x - left) + (y - top) < 4:
                continue
            edge = x in (left, right) or y in (top, bottom) or (x - left) + (y - top) == 4
            img[y][x] = 4 if edge else 3
    # Stripes in the quiz's two command colours and rows of punched holes.
    for x in range(left + 5, right):
        img[top + 2][x] = 7
    for x in range(left + 2, right - 6):
        img[bottom - 2][x] = 6
    holes = [(7, 12), (10, 14), (13, 12), (16, 16), (19, 13), (22, 15), (9, 18), (15, 19),
             (21, 18), (12, 16), (18, 11)]
    for x, y in holes:
        img[y][x] = 5
        img[y + 1][x] = 5
    return img


def write_ico(img, path):
    row = bytes  # 32 pixels at 8 bits: already a multiple of 4 bytes
    xor = b"".join(row(img[y]) for y in reversed(range(SIZE)))
    mask_rows = []
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if img[y][x] == TRANSPARENT else 0)
        mask_rows.append(struct.pack(">I", bits))
    mask = b"".join(mask_rows)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 256, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + image)


def write_png(img, path, scale=1):
    size = SIZE * scale
    raw = b""
    for y in range(size):
        raw += b"\0"
        for x in range(size):
            i = img[y // scale][x // scale]
            r, g, b = PALETTE[i]
            raw += bytes((r, g, b, 0 if i == TRANSPARENT else 255))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    image = draw()
    write_ico(image, os.path.join(here, "pioneers-quiz.ico"))
    write_png(image, os.path.join(here, "pioneers-quiz.png"))
    for scale in (2, 4, 6, 8, 16):
        write_png(image, os.path.join(here, f"pioneers-quiz-{SIZE * scale}.png"), scale)
