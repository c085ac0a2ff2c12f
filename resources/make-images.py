#!/usr/bin/python3
"""Draws the program's own images with the standard library only: the hand pointer
HAND-M.CUR (a 32x32 Windows cursor) and the application icon brindlecast.png.
Run it again after changing a drawing; the outputs are kept in the repository."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# The hand: X outline, . white fill, blank transparent. The finger tip is the hotspot.
HAND = """
     XX
    X..X
    X..X
    X..X
    X..X
    X..XXX
    X..X..XXX
    X..X..X..XX
    X..X..X..X.X
XX  X..X..X..X..X
X..XX........X..X
X...X...........X
 X..............X
  X.............X
  X............X
   X...........X
   X..........X
    X.........X
    X.........X
    XXXXXXXXXXX
""".strip("\n").split("\n")
HOTSPOT = (5, 0)


def cursor_bytes():
    size = 32
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y, row in enumerate(HAND):
        for x, ch in enumerate(row):
            if ch == "X":
                pixels[y][x] = (0, 0, 0, 255)
            elif ch == ".":
                pixels[y][x] = (255, 255, 255, 255)
    # 32-bit BGRA DIB, bottom-up, height doubled for the AND mask that follows.
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask = b""
    for row in reversed(pixels):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, HOTSPOT[0], HOTSPOT[1], len(image), 22)
    return directory + entry + image


def png_bytes(width, height, rgba_rows):
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rgba_rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def icon_rows(size=128):
    """A blue database drum on the left, an amber arrow, and a cream table grid on the right."""
    blue, dark = (47, 98, 160, 255), (24, 52, 92, 255)
    amber, cream, line = (240, 160, 40, 255), (250, 240, 205, 255), (120, 90, 40, 255)
    img = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def put(x, y, c):
        if 0 <= x < size and 0 <= y < size:
            img[y][x] = c

    # Drum: a rectangle with elliptic top and bottom.
    cx, rx, ry, top, bottom = 34, 26, 9, 26, 98
    for y in range(top - ry, bottom + ry + 1):
        for x in range(cx - rx, cx + rx + 1):
            dx = (x - cx) / rx
            in_body = top <= y <= bottom and abs(dx) <= 1
            in_top = ((x - cx) / rx) ** 2 + ((y - top) / ry) ** 2 <= 1
            in_bottom = ((x - cx) / rx) ** 2 + ((y - bottom) / ry) ** 2 <= 1
            if in_body or in_top or in_bottom:
                put(x, y, blue)
    for band in (top, top + 24, top + 48):
        for x in range(cx - rx, cx + rx + 1):
            d = 1 - ((x - cx) / rx) ** 2
            y = band + int(ry * d ** 0.5) if d > 0 else band
            put(x, y, dark)
            put(x, y + 1, dark)
    # Arrow.
    for y in range(56, 70):
        for x in range(58, 74):
            put(x, y, amber)
    for i in range(14):
        for y in range(50 + i, 77 - i):
            put(74 + i, y, amber)
    # Table grid.
    left, right, gtop, gbottom = 90, 124, 30, 96
    for y in range(gtop, gbottom + 1):
        for x in range(left, right + 1):
            put(x, y, cream)
    for y in range(gtop, gbottom + 1, 11):
        for x in range(left, right + 1):
            put(x, y, line)
    for x in (left, left + 12, right):
        for y in range(gtop, gbottom + 1):
            put(x, y, line)
    for y in range(gtop, gtop + 11):
        for x in range(left, right + 1):
            put(x, y, line)
    return img


if __name__ == "__main__":
    with open(os.path.join(HERE, "HAND-M.CUR"), "wb") as f:
        f.write(cursor_bytes())
    with open(os.path.join(HERE, "brindlecast.png"), "wb") as f:
        f.write(png_bytes(128, 128, icon_rows()))
