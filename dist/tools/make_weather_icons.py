#!/usr/bin/env python3
"""Draws the five weather pictures as small GIF files (run once; the GIFs are
committed). Plain Python: shapes on a 32x32 grid, palette GIF with LZW."""
import math
import sys

W = H = 32
PALETTE = [
    (255, 255, 255),  # 0 transparent background
    (255, 176, 0),    # 1 sun
    (230, 120, 0),    # 2 sun rim / rays
    (176, 184, 196),  # 3 cloud
    (120, 128, 140),  # 4 cloud rim
    (40, 120, 230),   # 5 rain
    (255, 220, 0),    # 6 bolt
    (150, 200, 255),  # 7 snow
    (60, 90, 160),    # 8 snow rim
]


def blank():
    return [[0] * W for _ in range(H)]


def disc(img, cx, cy, r, c, rim=None):
    for y in range(H):
        for x in range(W):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                img[y][x] = rim if rim is not None and d > r - 1.2 else c


def line(img, x0, y0, x1, y1, c, width=1.0):
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 3) + 1
    for i in range(steps + 1):
        t = i / steps
        x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        for yy in range(H):
            for xx in range(W):
                if math.hypot(xx + 0.5 - x, yy + 0.5 - y) <= width / 2 + 0.25:
                    img[yy][xx] = c


def cloud(img, dy=0):
    for cx, cy, r in ((11, 17, 6.5), (18, 13, 8), (24, 18, 5.5)):
        disc(img, cx, cy + dy, r, 3, 4)
    for cx, cy, r in ((11, 17, 5.3), (18, 13, 6.8), (24, 18, 4.3)):
        disc(img, cx, cy + dy, r, 3)
    for y in range(18 + dy, 24 + dy):
        for x in range(8, 27):
            if 0 <= y < H:
                img[y][x] = 3
    line(img, 7, 23.5 + dy, 27, 23.5 + dy, 4, 1.2)


def sun():
    img = blank()
    for k in range(8):
        a = k * math.pi / 4
        line(img, 16 + 10 * math.cos(a), 16 + 10 * math.sin(a),
             16 + 14 * math.cos(a), 16 + 14 * math.sin(a), 2, 2.2)
    disc(img, 16, 16, 8, 1, 2)
    return img


def cloudy():
    img = blank()
    cloud(img, 2)
    return img


def rainy():
    img = blank()
    cloud(img, -4)
    for x in (10, 16, 22):
        line(img, x + 1, 23, x - 1, 29, 5, 1.8)
    return img


def thunder():
    img = blank()
    cloud(img, -4)
    pts = [(18, 20), (13, 26), (17, 26), (14, 31)]
    for (a, b), (c, d) in zip(pts, pts[1:]):
        line(img, a, b, c, d, 6, 2.2)
    return img


def snowy():
    img = blank()
    for cx, cy, r in ((9, 10, 5), (22, 9, 4), (16, 21, 7), (7, 25, 3), (26, 24, 3.5)):
        for k in range(3):
            a = k * math.pi / 3
            line(img, cx - r * math.cos(a), cy - r * math.sin(a),
                 cx + r * math.cos(a), cy + r * math.sin(a), 8, 1.4)
        disc(img, cx, cy, 1.2, 7)
    return img


def lzw(indices, min_code_size):
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    out, bits, nbits = bytearray(), 0, 0
    size = min_code_size + 1

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    emit(clear)
    w = ()
    for k in indices:
        wk = w + (k,)
        if wk in table:
            w = wk
            continue
        emit(table[w])
        if next_code < 4096:
            table[wk] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear)
            table = {(i,): i for i in range(clear)}
            next_code = end + 1
            size = min_code_size + 1
        w = (k,)
    if w:
        emit(table[w])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif(img):
    pal = PALETTE + [(0, 0, 0)] * (16 - len(PALETTE))
    data = bytearray(b"GIF89a")
    data += W.to_bytes(2, "little") + H.to_bytes(2, "little")
    data += bytes([0xF3, 0, 0])  # global table of 16 colours
    for r, g, b in pal:
        data += bytes([r, g, b])
    data += bytes([0x21, 0xF9, 4, 0x01, 0, 0, 0, 0])  # colour 0 transparent
    data += b"\x2C" + bytes(4) + W.to_bytes(2, "little") + H.to_bytes(2, "little") + b"\x00"
    data.append(4)
    stream = lzw([p for row in img for p in row], 4)
    for i in range(0, len(stream), 255):
        chunk = stream[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00\x3B"
    return bytes(data)


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, draw in (("Shinny", sun), ("Cloudy", cloudy), ("Rainy", rainy),
                       ("Thunder", thunder), ("Snowy", snowy)):
        with open(f"{folder}/{name}.gif", "wb") as f:
            f.write(gif(draw()))
