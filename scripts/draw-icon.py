#!/usr/bin/python3
"""Draws Tobarin's icon at every size the program and the desktop need.

The design: a white square tile with a raised edge, silver at the top and left,
grey at the right and bottom, holding the four glyphs 分数 over 計算 in black.
Every size is drawn from the same proportions, taken from the 32 px window icon:
an edge 1/32 of the tile wide, and inside it four square cells, one glyph each,
the glyph's em square filling its cell.

Bitmaps use only colours of the standard 16-colour palette. Their glyphs are
rendered from IPA Gothic at the bitmap's own size and cut at 50 % coverage, so
that they stay crisp; at 32 px pixels are then set or cleared by hand where the
rendering merges strokes or breaks them. The scalable icon traces the glyphs
with potrace, so it does not depend on installed fonts.

Usage: draw-icon.py OUTPUT_DIR   (make-icons.sh runs it; see there)
"""

import os
import re
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
APP_ID = "org.tobarin.Tobarin"
ROWS = ("分数", "計算")
PNG_SIZES = (32, 48, 64, 128, 256)

# The standard 16-colour palette; the icon uses four of them.
PALETTE = {
    "black": (0x00, 0x00, 0x00), "maroon": (0x80, 0x00, 0x00),
    "green": (0x00, 0x80, 0x00), "olive": (0x80, 0x80, 0x00),
    "navy": (0x00, 0x00, 0x80), "purple": (0x80, 0x00, 0x80),
    "teal": (0x00, 0x80, 0x80), "silver": (0xC0, 0xC0, 0xC0),
    "grey": (0x80, 0x80, 0x80), "red": (0xFF, 0x00, 0x00),
    "lime": (0x00, 0xFF, 0x00), "yellow": (0xFF, 0xFF, 0x00),
    "blue": (0x00, 0x00, 0xFF), "fuchsia": (0xFF, 0x00, 0xFF),
    "aqua": (0x00, 0xFF, 0xFF), "white": (0xFF, 0xFF, 0xFF),
}
TILE = PALETTE["white"]
LIGHT = PALETTE["silver"]
SHADOW = PALETTE["grey"]
INK = PALETTE["black"]

# Hand corrections of the 32 px glyphs, one 15 × 15 picture per glyph cell:
# '#' and '.' are pixels the rendering inks or leaves blank and that stay so,
# '+' is a pixel set by hand, '-' one cleared by hand. So '#' and '+' show the
# glyph as drawn, '#' and '-' the glyph as rendered. If the rendering ever
# differs from what the pictures expect, the script stops: look at it again.
TUNING_32 = {
    "分": [
        "...............",
        ".....#..-+.....",
        "....#....-+....",
        "....#....-#....",
        "...#......-#...",
        "..#-.......-#..",
        ".#--#######.-#.",
        "......#...#....",
        ".....-#...#....",
        ".....#....#....",
        ".....#....#....",
        "....#.....#....",
        "..-#...---#....",
        "..#....++++....",
        "...............",
    ],
    "数": [
        "....-....-.....",
        "..#.#.#..-+....",
        "..-+#+-..-+....",
        ".#######.#####.",
        "...###..-#..#..",
        "..#.#.#.-#..#..",
        ".#..#..+-#..#..",
        "...+-....-+-+..",
        ".-#---#-..#-+..",
        ".++#++#+..-#...",
        "..#-.#....-#...",
        "...+#-...-+.#..",
        "...##.-.-+...#.",
        ".+#..++.+....+.",
        "...............",
    ],
    "計": [
        "...............",
        "..--##....#....",
        "..........#....",
        ".######...#....",
        "..........#....",
        "..####.#######.",
        "..........#....",
        "..####....#....",
        "..........#....",
        ".-####....#....",
        ".-+..#....#....",
        ".-+..#....#....",
        ".-####....#....",
        ".-...-....#....",
        "...............",
    ],
    "算": [
        "...............",
        "..#.....#......",
        "..#####-######.",
        ".#..#..#..#....",
        ".-.#########...",
        "...#.......#...",
        "...#########...",
        "...#-------#...",
        "...#+++++++#...",
        "...#-------#...",
        "...+##+++#++...",
        ".----#---#----.",
        ".+++#++++#++++.",
        "..-#+....#.....",
        "...............",
    ],
}

SUPERSAMPLE = 16  # coverage is measured on a grid this much finer than the pixels


def edge_width(size):
    """The raised edge is 1/32 of the tile, at least one pixel."""
    return max(1, (size + 16) // 32)


def layout(size):
    """Top-left corners and side of the four glyph cells: (glyph, x, y) and the side."""
    edge = edge_width(size)
    cell = (size - 2 * edge) // 2
    origins = (edge, edge + cell)
    cells = []
    for row, text in enumerate(ROWS):
        for column, glyph in enumerate(text):
            cells.append((glyph, origins[column], origins[row]))
    return cells, cell


def load_font(pixels):
    return ImageFont.truetype(FONT, pixels)


def baseline(font, em):
    """Distance from the top of the em square to the baseline, in pixels."""
    ascent, descent = font.getmetrics()
    return em * ascent / (ascent + descent)


def coverage(glyph, em, dx, dy):
    """Ink coverage (0..255) of each pixel of an em × em cell, with the glyph
    moved right by dx and down by dy pixels."""
    big = em * SUPERSAMPLE
    font = load_font(big)
    image = Image.new("L", (big, big), 0)
    ImageDraw.Draw(image).text(
        (dx * SUPERSAMPLE, dy * SUPERSAMPLE + baseline(font, big)),
        glyph, font=font, fill=255, anchor="ls")
    return image.resize((em, em), Image.BOX)


def glyph_bitmap(glyph, em):
    """The set of inked pixels of the glyph in an em × em cell.

    Small sizes try shifts of up to half a pixel either way and keep the one
    whose coverage is closest to all-or-nothing: that puts the stems on the
    pixel grid, so that cutting at 50 % keeps each stroke one solid line.
    """
    shifts = [i / 8 for i in range(-4, 5)] if em <= 40 else [0.0]
    best = None
    for dy in shifts:
        for dx in shifts:
            image = coverage(glyph, em, dx, dy)
            contrast = sum(abs(value - 127.5) for value in image.getdata())
            if best is None or contrast > best[0]:
                best = (contrast, image)
    image = best[1]
    pixels = {(x, y) for y in range(em) for x in range(em)
              if image.getpixel((x, y)) >= 128}
    return centred(pixels, em)


def centred(pixels, em):
    """The pixels moved by whole pixels so that their bounding box sits in the
    middle of the em square (the shift search may leave a glyph a pixel off)."""
    xs = [x for x, _ in pixels]
    ys = [y for _, y in pixels]
    dx = (em - (max(xs) - min(xs) + 1)) // 2 - min(xs)
    dy = (em - (max(ys) - min(ys) + 1)) // 2 - min(ys)
    return {(x + dx, y + dy) for x, y in pixels}


def tune(glyph, pixels, picture):
    """The glyph as drawn in its hand-tuned picture, after checking that the
    rendered pixels are the ones the picture was made from."""
    tuned = set()
    for y, line in enumerate(picture):
        for x, mark in enumerate(line):
            if ((x, y) in pixels) != (mark in "#-"):
                sys.exit(f"draw-icon: the rendering of {glyph} differs from its 32 px "
                         f"tuning at ({x},{y}); look at the glyph again")
            if mark in "#+":
                tuned.add((x, y))
    return tuned


def tile_colour(size, x, y):
    edge = edge_width(size)
    near_light = min(x, y)                          # distance to the top or left side
    near_shadow = min(size - 1 - x, size - 1 - y)   # distance to the right or bottom side
    if min(near_light, near_shadow) >= edge:
        return TILE
    # The corners are mitred; where the two edges meet on the diagonal, shadow wins.
    return LIGHT if near_light < near_shadow else SHADOW


def draw_bitmap(size):
    image = Image.new("RGB", (size, size))
    image.putdata([tile_colour(size, x, y) for y in range(size) for x in range(size)])
    cells, em = layout(size)
    for glyph, left, top in cells:
        pixels = glyph_bitmap(glyph, em)
        if size == 32:
            pixels = tune(glyph, pixels, TUNING_32[glyph])
        for x, y in pixels:
            image.putpixel((left + x, top + y), INK)
    return image


def write_png(image, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    image.save(path, optimize=True)


def write_xpm(image, path, name):
    symbols = {INK: "#", TILE: ".", LIGHT: "h", SHADOW: "s"}
    width, height = image.size
    used = sorted(set(image.getdata()), key=lambda colour: symbols[colour])
    lines = ["/* XPM */", f"static const char *const {name}[] = {{",
             "/* columns rows colours chars-per-pixel */",
             f'"{width} {height} {len(used)} 1",']
    lines += [f'"{symbols[colour]} c {hex_colour(colour)}",' for colour in used]
    rows = ["".join(symbols[image.getpixel((x, y))] for x in range(width))
            for y in range(height)]
    lines += [f'"{row}",' for row in rows[:-1]] + [f'"{rows[-1]}"', "};"]
    with open(path, "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


def trace_glyph(glyph, em, workdir):
    """Outline of the glyph in an em × em square, as potrace draws it: returns
    the transform potrace puts on its paths, the path data, and the shift that
    centres the glyph's bounding box in the square, as the bitmaps do."""
    font = load_font(em)
    image = Image.new("L", (em, em), 255)
    ImageDraw.Draw(image).text((0, baseline(font, em)), glyph, font=font, fill=0, anchor="ls")
    left, top, right, bottom = image.point(lambda value: 255 - value).getbbox()
    shift = ((em - (right - left)) / 2 - left, (em - (bottom - top)) / 2 - top)
    bitmap = os.path.join(workdir, "glyph.pbm")
    image.point(lambda value: 255 if value >= 128 else 0).convert("1").save(bitmap)
    svg = subprocess.run(["potrace", "--svg", "--flat", "--output", "-", bitmap],
                         check=True, capture_output=True, text=True).stdout
    transform = re.search(r'<g transform="([^"]*)"', svg).group(1)
    paths = re.findall(r'<path d="([^"]*)"', svg)
    return transform, " ".join(" ".join(path.split()) for path in paths), shift


def hex_colour(colour):
    return "#{:02X}{:02X}{:02X}".format(*colour)


def write_svg(path):
    size = 32  # design units: the 32 px icon's pixels
    edge = edge_width(size)
    cells, cell = layout(size)
    traced_em = 1000
    far = size - edge
    parts = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 {size} {size}">',
        "<title>Tobarin</title>",
        f'<rect width="{size}" height="{size}" fill="{hex_colour(TILE)}"/>',
        f'<path d="M0 0H{size}L{far} {edge}H{edge}V{far}L0 {size}Z" fill="{hex_colour(LIGHT)}"/>',
        f'<path d="M{size} 0V{size}H0L{edge} {far}H{far}V{edge}Z" fill="{hex_colour(SHADOW)}"/>',
    ]
    with tempfile.TemporaryDirectory() as workdir:
        for glyph, left, top in cells:
            transform, data, (dx, dy) = trace_glyph(glyph, traced_em, workdir)
            scale = cell / traced_em
            parts.append(f'<g transform="translate({left + dx * scale:g} {top + dy * scale:g}) '
                         f'scale({scale:g})">'
                         f'<path transform="{transform}" fill="{hex_colour(INK)}" d="{data}"/></g>')
    parts.append("</svg>")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(parts) + "\n")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    out = sys.argv[1]
    for size in PNG_SIZES:
        image = draw_bitmap(size)
        write_png(image, os.path.join(out, "hicolor", f"{size}x{size}", "apps", APP_ID + ".png"))
        if size == 32:
            write_xpm(image, os.path.join(out, "tobarin-32.xpm"), "tobarin_32_xpm")
    write_svg(os.path.join(out, "hicolor", "scalable", "apps", APP_ID + ".svg"))


if __name__ == "__main__":
    main()
