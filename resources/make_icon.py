#!/usr/bin/env python3
"""Draws the program icon, a small puzzle board, and writes Enneo.ico (16, 32, 48 pixels).

The board: a white square, a black border and black block lines dividing it into 3 x 3
blocks and, where the size allows, grey cell lines and three cells filled as given
digits (red) and one as a typed digit (black). Run it to remake the icon:
    python3 resources/make_icon.py resources/Enneo.ico
"""
import struct
import sys

WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)
GREY = (170, 170, 170, 255)
RED = (220, 0, 0, 255)
CLEAR = (0, 0, 0, 0)
FILLED = {(0, 0): RED, (4, 4): RED, (8, 8): RED, (7, 1): BLACK}  # cell (column, row)


def draw(size):
    """The icon's pixels, rows top to bottom, as RGBA tuples."""
    margin = 1 if size < 32 else 2
    side = size - 2 * margin
    cell = side / 9
    pixels = [[CLEAR] * size for _ in range(size)]
    for y in range(margin, margin + side):
        for x in range(margin, margin + side):
            pixels[y][x] = WHITE
    for (column, row), colour in FILLED.items() if cell >= 3 else ():
        inset = 1 if cell >= 4 else 0
        for y in range(int(margin + row * cell) + inset, int(margin + (row + 1) * cell) - inset + 1):
            for x in range(int(margin + column * cell) + inset, int(margin + (column + 1) * cell) - inset + 1):
                pixels[y][x] = colour
    block_width = 1 if size < 32 else 2
    for line in range(10):
        position = min(int(round(margin + line * cell)), margin + side - 1)
        if line % 3 == 0:
            colour, width = BLACK, block_width
        elif cell >= 3:
            colour, width = GREY, 1
        else:
            continue
        for offset in range(width):
            p = min(position + offset, margin + side - 1) if line != 9 else position - offset
            for t in range(margin, margin + side):
                pixels[p][t] = colour  # horizontal line
                pixels[t][p] = colour  # vertical line
    return pixels


def icon_image(size):
    """One icon image: a 32-bit bottom-up bitmap and its AND mask."""
    pixels = draw(size)
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


def main(path):
    sizes = (16, 32, 48)
    images = [icon_image(size) for size in sizes]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(data + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Enneo.ico")
