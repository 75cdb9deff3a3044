#!/usr/bin/env python3
"""Draws the program icon, a small puzzle board, and writes Enneo.ico with the sizes
Windows asks for at every display scaling: 16, 20, 24, 32, 40, 48, 64 and 256 pixels,
the 256-pixel image PNG-compressed as Windows Vista and later read it.

The board: a white square, a black border and black block lines dividing it into 3 x 3
blocks and, where the size allows, grey cell lines and three cells filled as given
digits (red) and one as a typed digit (black). Lines and margins grow with the size, so
that each image is drawn for its size, not scaled from another. Run it to remake the icon:
    python3 resources/make_icon.py resources/Enneo.ico
"""
import struct
import sys
import zlib

WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)
GREY = (170, 170, 170, 255)
RED = (220, 0, 0, 255)
CLEAR = (0, 0, 0, 0)
FILLED = {(0, 0): RED, (4, 4): RED, (8, 8): RED, (7, 1): BLACK}  # cell (column, row)
SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_FROM = 256  # this size and larger are stored as PNG


def draw(size):
    """The icon's pixels, rows top to bottom, as RGBA tuples."""
    margin = 1 if size < 32 else max(2, size // 24)
    side = size - 2 * margin
    cell = side / 9
    pixels = [[CLEAR] * size for _ in range(size)]
    for y in range(margin, margin + side):
        for x in range(margin, margin + side):
            pixels[y][x] = WHITE
    for (column, row), colour in FILLED.items() if cell >= 3 else ():
        inset = 0 if cell < 4 else max(1, int(cell) // 8)
        for y in range(int(margin + row * cell) + inset, int(margin + (row + 1) * cell) - inset + 1):
            for x in range(int(margin + column * cell) + inset, int(margin + (column + 1) * cell) - inset + 1):
                pixels[y][x] = colour
    block_width = 1 if size < 32 else max(2, size // 24)
    cell_width = max(1, size // 64)
    for line in range(10):
        position = min(int(round(margin + line * cell)), margin + side - 1)
        if line % 3 == 0:
            colour, width = BLACK, block_width
        elif cell >= 3:
            colour, width = GREY, cell_width
        else:
            continue
        for offset in range(width):
            p = min(position + offset, margin + side - 1) if line != 9 else position - offset
            for t in range(margin, margin + side):
                pixels[p][t] = colour  # horizontal line
                pixels[t][p] = colour  # vertical line
    return pixels


def bitmap_image(pixels):
    """An icon image as Windows first knew it: a 32-bit bottom-up bitmap and its AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (mask_row * 8 - 1 - x)
        mask += bits.to_bytes(mask_row, "big")
    return header + colour + mask


def png_image(pixels):
    """An icon image as a PNG file: 8-bit RGBA, unfiltered rows."""
    size = len(pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    rows = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def main(path):
    images = [png_image(draw(size)) if size >= PNG_FROM else bitmap_image(draw(size)) for size in SIZES]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(SIZES, images):
        # A width or height of 256 is written as 0.
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(data + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Enneo.ico")
