#!/usr/bin/env python3
"""Draws the program's icon, one 32 x 32 image at 24 bits per pixel, into shell/tallyfold.ico:
a stack of three tally bars on a folded sheet."""
import struct
import sys

SIZE = 32
SHEET, FOLD, EDGE = (250, 246, 236), (214, 206, 188), (90, 84, 72)
BARS = [(52, 120, 200), (230, 140, 40), (200, 60, 60)]


def pixel(x, y):
    """Colour at (x, y), y counted from the top, or None where the icon is transparent."""
    if not (4 <= x <= 27 and 2 <= y <= 29):
        return None
    if x + (29 - y) > 50:  # the folded corner
        return None
    if x == 4 or x == 27 or y == 2 or y == 29 or x + (29 - y) == 50:
        return EDGE
    if x + (29 - y) >= 44:
        return FOLD
    for row, (colour, length) in enumerate(zip(BARS, (16, 11, 7))):
        top = 7 + row * 7
        if top <= y < top + 4 and 8 <= x < 8 + length:
            return colour
    return SHEET


def icon_bytes():
    xor, mask = bytearray(), bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        bits = 0
        for x in range(SIZE):
            colour = pixel(x, y)
            r, g, b = colour or (0, 0, 0)
            xor += bytes((b, g, r))
            bits = (bits << 1) | (colour is None)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 22)
    return directory + image


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "shell/tallyfold.ico", "wb") as out:
        out.write(icon_bytes())
