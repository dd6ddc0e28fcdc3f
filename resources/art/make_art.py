#!/usr/bin/env python3
"""Turn the text pixel maps in this folder into the bitmaps and the icon
that orvanta.rc links (16 colours, 4 bits per pixel, standard VGA palette).

Run from anywhere:  python3 resources/art/make_art.py
The outputs are written beside orvanta.rc and committed, because the build
machines have no Python.

Pixel map format: lines starting with '#' are comments, "key: value" lines
set options (only "caption" is used), every other non-empty line is one row
of pixels, one character per pixel:

    k black    r maroon   g green    o olive    n navy     p purple
    t teal     . silver   d grey     R red      G lime     Y yellow
    B blue     M fuchsia  C aqua     W white    _ transparent (icon only)

Silver (192,192,192) is the background of every bitmap, so the images sit
on a standard button face.
"""

import os
import re
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)

# Windows' 16-colour palette, in its index order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CODES = "krgonpt.dRGYBMCW"
SILVER = CODES.index(".")
TRANSPARENT = "_"

# A 5x7 pixel font (narrower where a letter needs less), enough for the
# captions of the button bitmaps. Each glyph is 7 rows; '#' is ink.
FONT = {
    " ": ["...", "...", "...", "...", "...", "...", "..."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "b": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."],
    "d": ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "i": ["#", ".", "#", "#", "#", "#", "#"],
    "l": ["#", "#", "#", "#", "#", "#", "#"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "n": ["....", "....", "###.", "#..#", "#..#", "#..#", "#..#"],
    "o": ["....", "....", ".##.", "#..#", "#..#", "#..#", ".##."],
    "r": ["....", "....", "#.##", "##..", "#...", "#...", "#..."],
    "s": ["....", "....", ".###", "#...", ".##.", "...#", "###."],
    "t": [".#..", ".#..", "####", ".#..", ".#..", ".#..", "..##"],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
}
FONT_HEIGHT = 7


class Image:
    def __init__(self, width, height, fill=SILVER):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def paste(self, rows, x0, y0):
        """Copy a pixel map (list of code strings) with its top left at x0, y0."""
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch != TRANSPARENT:
                    self.pixels[y0 + y][x0 + x] = CODES.index(ch)


def read_map(name):
    """Read a pixel map file; return (rows, options)."""
    rows, options = [], {}
    with open(os.path.join(HERE, name), encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            m = re.match(r"^([a-z]+):\s*(.*)$", line)
            if m:
                options[m.group(1)] = m.group(2)
                continue
            bad = set(line) - set(CODES + TRANSPARENT)
            if bad:
                sys.exit(f"{name}: unknown pixel codes {sorted(bad)}")
            rows.append(line)
    if not rows or len({len(r) for r in rows}) != 1:
        sys.exit(f"{name}: rows missing or of different lengths")
    return rows, options


def text_width(text):
    return sum(len(FONT[c][0]) + 1 for c in text) - 1


def draw_text(img, text, x, y, code=CODES.index("k")):
    for c in text:
        if c not in FONT:
            sys.exit(f"no glyph for {c!r} in the pixel font")
        glyph = FONT[c]
        for gy, row in enumerate(glyph):
            for gx, ch in enumerate(row):
                if ch == "#":
                    img.pixels[y + gy][x + gx] = code
        x += len(glyph[0]) + 1


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def packed_rows(img):
    """4-bit pixel rows, bottom-up, each padded to a multiple of 4 bytes."""
    stride = (img.width * 4 + 31) // 32 * 4
    out = bytearray()
    for row in reversed(img.pixels):
        line = bytearray()
        for x in range(0, img.width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < img.width else 0
            line.append(hi << 4 | lo)
        line.extend(b"\0" * (stride - len(line)))
        out += line
    return bytes(out)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0,
                       image_size, 0, 0, 16, 0)


def write_bmp(img, name):
    bits = packed_rows(img)
    offset = 14 + 40 + 64
    data = (b"BM" + struct.pack("<IHHI", offset + len(bits), 0, 0, offset)
            + info_header(img.width, img.height, len(bits))
            + palette_bytes() + bits)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
    print(f"{name}: {img.width}x{img.height}")


def write_ico(rows, name):
    size = 32
    img = Image(size, size, fill=0)
    img.paste(rows, 0, 0)
    xor = packed_rows(img)
    mask = bytearray()
    for row in reversed(rows):
        bits = 0
        for ch in row:
            bits = bits << 1 | (ch == TRANSPARENT)
        mask += struct.pack(">I", bits)
    body = (info_header(size, size * 2, len(xor) + len(mask))
            + palette_bytes() + xor + bytes(mask))
    data = (struct.pack("<HHH", 0, 1, 1)
            + struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(body), 22)
            + body)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
    print(f"{name}: {size}x{size} icon")


def make_toolbar():
    """Bitmap 199: fourteen 16x15 images side by side, then 6 spare columns."""
    tiles = sorted(f for f in os.listdir(os.path.join(HERE, "toolbar"))
                   if f.endswith(".txt"))
    if len(tiles) != 14:
        sys.exit(f"toolbar: expected 14 images, found {len(tiles)}")
    strip = Image(230, 15)
    for i, tile in enumerate(tiles):
        rows, _ = read_map(os.path.join("toolbar", tile))
        if (len(rows[0]), len(rows)) != (16, 15):
            sys.exit(f"toolbar/{tile}: must be 16x15")
        strip.paste(rows, 16 * i, 0)
    write_bmp(strip, "toolbar.bmp")


def make_button(map_name, out_name, width, height, centred):
    """A symbol and its caption on silver. The database window's buttons put
    them at the left; the main dialog's "Database" button centres them."""
    rows, options = read_map(map_name)
    caption = options["caption"]
    img = Image(width, height)
    sym_w, sym_h = len(rows[0]), len(rows)
    gap = 6
    x = (width - sym_w - gap - text_width(caption)) // 2 if centred else 5
    img.paste(rows, x, (height - sym_h) // 2)
    draw_text(img, caption, x + sym_w + gap, (height - FONT_HEIGHT) // 2)
    write_bmp(img, out_name)


def main():
    make_toolbar()
    make_button("database_1008.txt", "database.bmp", 120, 18, centred=True)
    for ident, name in [(1002, "print_all"), (1003, "delete_all"),
                        (1004, "delete_item"), (1005, "add_item"),
                        (1006, "save_all"), (1007, "close")]:
        make_button(f"db_{ident}_{name}.txt", f"db_{name}.bmp", 100, 26,
                    centred=False)
    rows, _ = read_map("icon.txt")
    if (len(rows[0]), len(rows)) != (32, 32):
        sys.exit("icon.txt: must be 32x32")
    write_ico(rows, "orvanta.ico")


if __name__ == "__main__":
    main()
