#!/usr/bin/env python3
"""Checks a screenshot of the real bar on a caption against the same place
before the bar came: the outline is complete, the nub is there, the text and
the fill stay inside the body, and the state picture is whole, as high as
expected. Usage: bar_pixels.py BAR.rgb BACKGROUND.rgb WIDTH HEIGHT ICON_SIZE
CAPTION CAPTION_TEXT STATES.bmp FRAME. Prints what it found; exit 1 on a fault."""
import struct
import sys

bar_file, back_file, w, h, icon_size, caption, caption_text, states_file, frame = sys.argv[1:]
w, h, icon_size, frame = int(w), int(h), int(icon_size), int(frame)
BLACK = "000000"


def pixels(path):
    data = open(path, "rb").read()
    assert len(data) == w * h * 3, f"{path}: {len(data)} bytes for {w}x{h}"
    return [[data[(y * w + x) * 3:(y * w + x) * 3 + 3].hex() for x in range(w)] for y in range(h)]


bar, back = pixels(bar_file), pixels(back_file)
faults = []


def expect(ok, what):
    if not ok:
        faults.append(what)


# The outline: the leftmost column that is black from top to bottom; the body
# ends at the last black pixel of the top row; the nub lies beyond it.
left = next((x for x in range(w) if all(bar[y][x] == BLACK for y in range(h))), None)
if left is None:
    print("FAIL: no outline column of the bar's full height")
    sys.exit(1)
body = max(x for x in range(w) if bar[0][x] == BLACK)
inset = (h - 1) // 4
expect(all(bar[0][x] == BLACK and bar[h - 1][x] == BLACK for x in range(left, body + 1)), "top or bottom edge broken")
expect(all(bar[y][body] == BLACK for y in list(range(inset + 1)) + list(range(h - 1 - inset, h))),
       "body's right edge broken")
nub = max((x for x in range(body + 1, w) if bar[inset][x] == BLACK), default=body)
expect(nub - body >= 2, f"no nub right of the body at column {body}")
expect(all(bar[y][nub] == BLACK for y in range(inset, h - inset)), "nub's right edge broken")
expect(all(bar[inset][x] == BLACK and bar[h - 1 - inset][x] == BLACK for x in range(body, nub + 1)),
       "nub's top or bottom edge broken")
expect(nub < w - 1 or all(bar[y][w - 1] != BLACK for y in range(h)), "outline runs into the window's edge")

# Everything right of the outline's left column that is not body or nub is the
# caption beneath: nothing of the text or fill spills out.
spill = [(x, y) for y in range(h) for x in range(left, w)
         if not (x <= body or (x <= nub and inset <= y <= h - 1 - inset)) and bar[y][x] != back[y][x]]
expect(not spill, f"bar pixels outside the outline at {spill[:5]}")

# The text: inside the fill rectangle, pixels in the colour that contrasts
# with what lies under them (the fill ends where row 2 stops being caption).
edge = left + 2
while edge < body and bar[2][edge] == caption:
    edge += 1
text = sum(1 for y in range(2, h - 2) for x in range(left + 2, body - 1)
           if bar[y][x] != (caption if x < edge else caption_text))
expect(text >= 10, f"only {text} text pixels in the body")

# The state picture left of the outline: whole, as high as icon_size, with
# the ink of the bitmap's frame scaled to it.
ink = [(x, y) for y in range(h) for x in range(left) if bar[y][x] != back[y][x]]
if frame >= 0:
    raw = open(states_file, "rb").read()
    offset = struct.unpack_from("<I", raw, 10)[0]
    row_bytes = (48 * 3 + 3) // 4 * 4

    def state(x, y):  # bottom-up rows, BGR
        p = offset + (15 - y) * row_bytes + (16 * frame + x) * 3
        return raw[p:p + 3][::-1].hex()

    src = [(x, y) for y in range(16) for x in range(16) if state(x, y) != "ff00ff"]
    expect(ink, "no state picture")
    if ink:
        top = (h - icon_size) // 2
        scale = icon_size / 16
        want = (min(y for _, y in src) * scale + top, (max(y for _, y in src) + 1) * scale + top - 1)
        got = (min(y for _, y in ink), max(y for _, y in ink))
        expect(abs(got[0] - want[0]) <= 1 and abs(got[1] - want[1]) <= 1,
               f"picture rows {got}, expected about {want} for a {icon_size}-pixel picture")
        expect(got[0] > 0 or want[0] < 1, "picture cut at the top")
        width = max(x for x, _ in ink) - min(x for x, _ in ink) + 1
        src_width = max(x for x, _ in src) - min(x for x, _ in src) + 1
        expect(abs(width - src_width * scale) <= 1.5, f"picture {width} wide, expected about {src_width * scale}")
else:
    expect(not ink, "a state picture where none belongs")

print(f"outline columns {left}..{body}, nub to {nub}, fill edge {edge}, {text} text pixels, "
      f"picture rows {min((y for _, y in ink), default='-')}..{max((y for _, y in ink), default='-')}")
for f in faults:
    print("FAIL:", f)
sys.exit(1 if faults else 0)
