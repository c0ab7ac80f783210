#!/usr/bin/env python3
"""Draws the program's pictures from code and writes them into res/.

states.bmp   48 x 16, 24 bpp, magenta ground: mains plug, power button, warning.
brisvane.ico green upright battery cell with a pale top; 128 (PNG), 64, 48, 32, 16 px at 32 bpp.
shutdown.ico red rounded square with a white power symbol; 48, 32, 24, 16 px at 4, 8 and 32 bpp.

Pure Python (struct and zlib only), so the output is the same on every machine.
Run it after changing a picture and commit the files it writes.
"""
import math
import os
import struct
import zlib

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res')
MAGENTA = (255, 0, 255)

# ---------------------------------------------------------------- state bitmap
# Hard-edged pixel art: anti-aliasing against magenta would leave pink fringes
# once the colour key makes the ground transparent.


def outlined(inside, colour_of):
    """A 16 x 16 frame from a mask; colour_of(x, y, edge) with edge the set of
    sides ('l', 'r', 't', 'b') on which the pixel touches the outside."""
    pixels = [[MAGENTA] * 16 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            if not inside(x, y):
                continue
            edge = set()
            for side, dx, dy in (('l', -1, 0), ('r', 1, 0), ('t', 0, -1), ('b', 0, 1)):
                nx, ny = x + dx, y + dy
                if not (0 <= nx < 16 and 0 <= ny < 16 and inside(nx, ny)):
                    edge.add(side)
            pixels[y][x] = colour_of(x, y, edge)
    return pixels


def plug_frame():
    def body(x, y):
        return 3 <= x <= 12 and 5 <= y <= 10
    def neck(x, y):
        return 5 <= x <= 10 and y == 11 or 6 <= x <= 9 and y == 12
    def cable(x, y):
        return 7 <= x <= 8 and 13 <= y <= 15
    def prong(x, y):
        return (x in (5, 6) or x in (9, 10)) and 1 <= y <= 4
    def inside(x, y):
        return body(x, y) or neck(x, y) or cable(x, y) or prong(x, y)
    dark, white, shade, metal = (40, 40, 40), (255, 255, 255), (192, 192, 192), (150, 150, 150)

    def colour(x, y, edge):
        if edge:
            return dark
        if prong(x, y):
            return metal
        if x <= 5 and not cable(x, y):
            return shade
        return white
    return outlined(inside, colour)


def power_frame():
    def dist(x, y):
        return math.hypot(x + 0.5 - 8, y + 0.5 - 8)
    def inside(x, y):
        return dist(x, y) <= 7.6
    red, white, edge_red = (236, 84, 28), (255, 255, 255), (150, 40, 10)

    def colour(x, y, edge):
        if edge:
            return edge_red
        if dist(x, y) > 5.9:
            return white
        if x in (7, 8) and 3 <= y <= 10:
            return white
        return red
    return outlined(inside, colour)


def warning_frame():
    def inside(x, y):
        # Apex at the top centre, base on row 14.
        if not 1 <= y <= 14:
            return False
        half = 0.55 * (y - 0.5)
        return abs(x + 0.5 - 8) <= half + 0.5
    yellow, olive, black = (255, 214, 0), (110, 100, 0), (0, 0, 0)

    def colour(x, y, edge):
        if 'b' in edge or 'r' in edge:
            return black
        if edge:
            return black if x >= 8 else olive
        if x in (7, 8) and (5 <= y <= 9 or y == 11 or y == 12) and y != 10:
            return black
        return yellow
    return outlined(inside, colour)


def write_states_bmp(name):
    frames = [plug_frame(), power_frame(), warning_frame()]
    width, height = 48, 16
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = frames[x // 16][y][x % 16]
            row += bytes((b, g, r))
        data += row + bytes(stride - len(row))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    write(name, header + info + data)

# ----------------------------------------------------------------------- icons
# Shapes in unit coordinates (0..1 across the icon), sampled 4 x 4 per pixel.


def rounded_rect(u, v, left, top, right, bottom, radius):
    cx = min(max(u, left + radius), right - radius)
    cy = min(max(v, top + radius), bottom - radius)
    return math.hypot(u - cx, v - cy) <= radius and left <= u <= right and top <= v <= bottom


def battery_paint(size):
    line = max(1.0, size / 16.0) / size  # outline at least one pixel wide

    def paint(u, v):
        body = (0.27, 0.17, 0.73, 0.95)
        nub = (0.40, 0.07, 0.60, 0.19)
        in_body = rounded_rect(u, v, *body, 0.07)
        in_nub = rounded_rect(u, v, *nub, 0.03)
        if not (in_body or in_nub):
            return None
        outline = (30, 90, 30)
        if in_nub and not in_body:
            inner = rounded_rect(u, v, nub[0] + line, nub[1] + line, nub[2] - line, nub[3], 0.02)
            return (215, 225, 215) if inner else outline
        inner = rounded_rect(u, v, body[0] + line, body[1] + line, body[2] - line, body[3] - line, 0.05)
        if not inner:
            return outline
        if v < 0.34:
            return (225, 245, 220)  # the pale top
        # Left highlight and right shade make the cell read as round.
        t = (u - body[0]) / (body[2] - body[0])
        light = 1.0 - abs(t - 0.35) * 1.2
        g = int(150 + 70 * light)
        return (int(40 + 60 * light), min(g, 235), int(40 + 30 * light))
    return paint


def power_paint(size):
    border = max(1.0, size / 24.0) / size

    def paint(u, v):
        outer = (0.04, 0.04, 0.96, 0.96)
        if not rounded_rect(u, v, *outer, 0.2):
            return None
        if not rounded_rect(u, v, outer[0] + border, outer[1] + border, outer[2] - border, outer[3] - border,
                            0.2 - border):
            return (255, 200, 190)  # thin light border
        du, dv = u - 0.5, v - 0.53
        r = math.hypot(du, dv)
        stroke = 0.1
        bar = abs(du) <= stroke / 2 and 0.17 <= v <= 0.52
        ring = abs(r - 0.25) <= stroke / 2 and not (dv < 0 and abs(math.atan2(du, -dv)) < math.radians(38))
        if bar or ring:
            return (255, 255, 255)
        shade = 1.0 - 0.35 * v
        return (int(225 * shade), int(35 * shade), int(30 * shade))
    return paint


def render(size, paint):
    """RGBA rows, top row first."""
    n = 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    c = paint((x + (sx + 0.5) / n) / size, (y + (sy + 0.5) / n) / size)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[0] // hits, acc[1] // hits, acc[2] // hits, 255 * hits // (n * n)))
        rows.append(row)
    return rows


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def palette256():
    cube = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    greys = [(i * 255 // 39, ) * 3 for i in range(40)]
    return (cube + greys)[:256]


def nearest(palette, c):
    return min(range(len(palette)), key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))


def and_mask(rows, size):
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def dib(rows, size, bpp):
    """An icon image: BITMAPINFOHEADER, optional palette, XOR rows bottom-up, AND mask."""
    if bpp == 32:
        palette = []
        xor = bytearray()
        for row in reversed(rows):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
    else:
        palette = VGA16 if bpp == 4 else palette256()
        palette = palette + [(0, 0, 0)] * ((1 << bpp) - len(palette))
        cache = {}
        stride = ((size * bpp + 31) // 32) * 4
        xor = bytearray()
        for row in reversed(rows):
            line = bytearray(stride)
            for x, (r, g, b, a) in enumerate(row):
                index = 0 if a < 128 else cache.setdefault((r, g, b), nearest(palette, (r, g, b)))
                if bpp == 8:
                    line[x] = index
                else:
                    line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            xor += line
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0,
                         len(palette) if bpp != 32 else 0, 0)
    colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + bytes(xor) + and_mask(rows, size)


def png(rows, size):
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def write_ico(name, images):
    """images: (size, bpp, painter factory, as_png)."""
    blobs = []
    for size, bpp, painter, as_png in images:
        rows = render(size, painter(size))
        blobs.append((size, bpp, png(rows, size) if as_png else dib(rows, size, bpp)))
    out = bytearray(struct.pack('<HHH', 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for size, bpp, data in blobs:
        colours = 16 if bpp == 4 else 0
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for _, _, data in blobs:
        out += data
    write(name, bytes(out))


def write(name, data):
    with open(os.path.join(RES, name), 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    write_states_bmp('states.bmp')
    write_ico('brisvane.ico', [(s, 32, battery_paint, s == 128) for s in (128, 64, 48, 32, 16)])
    write_ico('shutdown.ico', [(s, bpp, power_paint, False) for s in (48, 32, 24, 16) for bpp in (4, 8, 32)])
