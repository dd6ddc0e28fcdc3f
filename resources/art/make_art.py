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

Every bitmap is also drawn for 125, 150 and 200 % display scale (files
named *_125.bmp, *_150.bmp, *_200.bmp), from the same maps, crisply: no
colour is blended and the program never stretches a bitmap. The rules:
- 200 %: each pixel becomes a 2 x 2 square.
- Symbols at 150 %: enlarged with Scale3x (which keeps diagonal lines
  joined; the corner of an area stays square), then each 2 x 2 block
  takes its most common colour, the lighter one on a tie, so an outline
  one pixel wide stays one pixel wide. At 125 %: Scale2x, each pixel
  then 5 x 5, and each 8 x 8 block its most common colour, the lighter
  on a tie.
- Captions at 125 %: the 5 x 7 font with its rows 1 and 5 (which hold
  no horizontal stroke in any letter) drawn twice and two pixels between
  letters: 9 rows, strokes one pixel wide. At 150 %: each pixel becomes
  3 x 3, then each 2 x 2 block its most common colour, the darker on a
  tie: every stroke two pixels wide, as at 200 %.
Sizes are rounded up: a 16 x 15 toolbar image is 20 x 19, 24 x 23 and
32 x 30.
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


SCALES = (125, 150, 200)


def luminance(code):
    r, g, b = PALETTE[code]
    return 299 * r + 587 * g + 114 * b


def scaled_size(length, scale):
    return -(-length * scale // 100)


def enlarge(img, factor):
    """Each pixel becomes a factor x factor square."""
    out = Image(img.width * factor, img.height * factor)
    for y in range(out.height):
        row = img.pixels[y // factor]
        out.pixels[y] = [row[x // factor] for x in range(out.width)]
    return out


def smooth_enlarge(img, factor):
    """Scale2x or Scale3x: each pixel becomes factor x factor, and where
    two neighbours of one colour meet at a corner, the corner takes their
    colour, so diagonal lines stay joined instead of turning into steps."""
    w, h, p = img.width, img.height, img.pixels

    def at(x, y):
        return p[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]

    out = Image(w * factor, h * factor)
    for y in range(h):
        for x in range(w):
            a, b, c = at(x - 1, y - 1), at(x, y - 1), at(x + 1, y - 1)
            d, e, f = at(x - 1, y), at(x, y), at(x + 1, y)
            g, hh, i = at(x - 1, y + 1), at(x, y + 1), at(x + 1, y + 1)
            block = [[e] * factor for _ in range(factor)]
            # A corner takes the colour of the two neighbours beside it,
            # unless the pixel across it has that colour too: then it is
            # the corner of an area (a square dot), which stays square.
            tl = d == b and a != b
            tr = b == f and c != b
            bl = d == hh and g != d
            br = hh == f and i != f
            if b != hh and d != f:
                if factor == 2:
                    block = [[d if tl else e, f if tr else e],
                             [d if bl else e, f if br else e]]
                else:
                    block = [
                        [d if tl else e,
                         b if (tl and e != c) or (tr and e != a) else e,
                         f if tr else e],
                        [d if (tl and e != g) or (bl and e != a) else e,
                         e,
                         f if (tr and e != i) or (br and e != c) else e],
                        [d if bl else e,
                         hh if (bl and e != i) or (br and e != g) else e,
                         f if br else e]]
            for dy in range(factor):
                out.pixels[factor * y + dy][factor * x:factor * x + factor] = block[dy]
    return out


def reduce(img, block, lighter):
    """Each block x block square becomes one pixel of its most common
    colour; on a tie, the lighter (or the darker) one."""
    out = Image(-(-img.width // block), -(-img.height // block))
    for oy in range(out.height):
        for ox in range(out.width):
            counts = {}
            for y in range(oy * block, min(oy * block + block, img.height)):
                for x in range(ox * block, min(ox * block + block, img.width)):
                    code = img.pixels[y][x]
                    counts[code] = counts.get(code, 0) + 1
            most = max(counts.values())
            tied = [code for code, n in counts.items() if n == most]
            out.pixels[oy][ox] = (max if lighter else min)(tied, key=luminance)
    return out


def scale_symbol(img, scale):
    if scale == 100:
        return img
    if scale == 200:
        return enlarge(img, 2)
    if scale == 150:
        return reduce(smooth_enlarge(img, 3), 2, lighter=True)
    return reduce(enlarge(smooth_enlarge(img, 2), 5), 8, lighter=True)


def caption_image(caption, scale):
    """A caption in the 5x7 font, drawn for `scale` by the rules above."""
    rows = (0, 1, 1, 2, 3, 4, 5, 5, 6) if scale == 125 else range(FONT_HEIGHT)
    spacing = 2 if scale == 125 else 1
    img = Image(sum(len(FONT[c][0]) + spacing for c in caption) - spacing,
                len(rows))
    x = 0
    for c in caption:
        if c not in FONT:
            sys.exit(f"no glyph for {c!r} in the pixel font")
        glyph = FONT[c]
        for y, gy in enumerate(rows):
            for gx, ch in enumerate(glyph[gy]):
                if ch == "#":
                    img.pixels[y][x + gx] = CODES.index("k")
        x += len(glyph[0]) + spacing
    if scale == 200:
        return enlarge(img, 2)
    if scale == 150:
        return reduce(enlarge(img, 3), 2, lighter=False)
    return img


def map_image(rows):
    img = Image(len(rows[0]), len(rows))
    img.paste(rows, 0, 0)
    return img


def blit(img, part, x0, y0):
    for y, row in enumerate(part.pixels):
        img.pixels[y0 + y][x0:x0 + part.width] = row


def scaled_name(name, scale):
    return name if scale == 100 else name.replace(".bmp", f"_{scale}.bmp")


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


def make_toolbar(scale):
    """Bitmap 199: fourteen 16x15 images side by side, then 6 spare columns."""
    tiles = sorted(f for f in os.listdir(os.path.join(HERE, "toolbar"))
                   if f.endswith(".txt"))
    if len(tiles) != 14:
        sys.exit(f"toolbar: expected 14 images, found {len(tiles)}")
    tile_w = scaled_size(16, scale)
    strip = Image(14 * tile_w + scaled_size(6, scale), scaled_size(15, scale))
    for i, tile in enumerate(tiles):
        rows, _ = read_map(os.path.join("toolbar", tile))
        if (len(rows[0]), len(rows)) != (16, 15):
            sys.exit(f"toolbar/{tile}: must be 16x15")
        blit(strip, scale_symbol(map_image(rows), scale), tile_w * i, 0)
    write_bmp(strip, scaled_name("toolbar.bmp", scale))


def make_button(map_name, out_name, width, height, centred, scale):
    """A symbol and its caption on silver. The database window's buttons put
    them at the left; the main dialog's "Database" button centres them."""
    rows, options = read_map(map_name)
    caption = options["caption"]
    symbol = scale_symbol(map_image(rows), scale)
    text = caption_image(caption, scale)
    img = Image(scaled_size(width, scale), scaled_size(height, scale))
    gap = scaled_size(6, scale)
    if centred:
        x = (img.width - symbol.width - gap - text.width) // 2
    else:
        x = scaled_size(5, scale)
    blit(img, symbol, x, (img.height - symbol.height) // 2)
    blit(img, text, x + symbol.width + gap, (img.height - text.height) // 2)
    write_bmp(img, scaled_name(out_name, scale))


def main():
    for scale in (100,) + SCALES:
        make_toolbar(scale)
        make_button("database_1008.txt", "database.bmp", 120, 18,
                    centred=True, scale=scale)
        for ident, name in [(1002, "print_all"), (1003, "delete_all"),
                            (1004, "delete_item"), (1005, "add_item"),
                            (1006, "save_all"), (1007, "close")]:
            make_button(f"db_{ident}_{name}.txt", f"db_{name}.bmp", 100, 26,
                        centred=False, scale=scale)
    rows, _ = read_map("icon.txt")
    if (len(rows[0]), len(rows)) != (32, 32):
        sys.exit("icon.txt: must be 32x32")
    write_ico(rows, "orvanta.ico")


if __name__ == "__main__":
    main()
