#!/usr/bin/env python3
"""Writes the program's pictures into res/: placeholder shapes for now."""
import os
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')


def dib32(size, pixel):
    """A 32-bit icon image (BITMAPINFOHEADER, BGRA rows bottom-up, AND mask)."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = pixel(x, y, size)
            rows += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    return header + bytes(rows) + bytes(mask_row * size)


def write_ico(name, sizes, pixel):
    images = [dib32(s, pixel) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(os.path.join(RES, name), 'wb') as f:
        f.write(out)


def write_states_bmp(name):
    width, height = 48, 16
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            frame, fx = divmod(x, 16)
            inside = 3 <= fx <= 12 and 3 <= y <= 12
            colour = [(255, 255, 255), (230, 70, 20), (250, 220, 0)][frame] if inside else (255, 0, 255)
            r, g, b = colour
            row += bytes((b, g, r))
        pixels += row + bytes(stride - len(row))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(os.path.join(RES, name), 'wb') as f:
        f.write(header + info + pixels)


def battery(x, y, size):
    return (40, 170, 60, 255) if size // 4 <= x < size - size // 4 else (0, 0, 0, 0)


def power(x, y, size):
    return (200, 30, 30, 255)


if __name__ == '__main__':
    write_ico('brisvane.ico', [128, 64, 48, 32, 16], battery)
    write_ico('shutdown.ico', [48, 32, 24, 16], power)
    write_states_bmp('states.bmp')
