#!/usr/bin/python3
"""Draws the desktop program's icon: a pixel letter "A" in one cell of an image-font grid, with
the red width line under it. Writes the scalable SVG and a 48 x 48 PNG from the same shapes:
    tools/make_icon.py dist/icons
"""
import sys
from pathlib import Path

from PIL import Image, ImageDraw

SIZE = 256
BACKGROUND = "#243b55"
GRID = "#5d7fa3"
INK = "#f4f1e8"
WIDTH_LINE = "#e8443a"
LETTER = ["..##..",
          ".#..#.",
          "#....#",
          "#....#",
          "######",
          "#....#",
          "#....#"]
PIXEL = 20
LETTER_X, LETTER_Y = 68, 42
# The cell's outline, its two margin columns and the line above the width line row.
GRID_LINES = [(40, 24, 216, 24), (216, 24, 216, 232), (216, 232, 40, 232), (40, 232, 40, 24),
              (56, 24, 56, 232), (200, 24, 200, 232), (40, 196, 216, 196)]
WIDTH_BAR = (68, 208, 188, 218)


def ink_pixels():
    for y, row in enumerate(LETTER):
        for x, c in enumerate(row):
            if c == "#":
                yield LETTER_X + x * PIXEL, LETTER_Y + y * PIXEL


def svg():
    lines = "".join(f'<line x1="{a}" y1="{b}" x2="{c}" y2="{d}"/>' for a, b, c, d in GRID_LINES)
    pixels = "".join(f'<rect x="{x}" y="{y}" width="{PIXEL}" height="{PIXEL}"/>'
                     for x, y in ink_pixels())
    x0, y0, x1, y1 = WIDTH_BAR
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{SIZE}" height="{SIZE}" '
            f'viewBox="0 0 {SIZE} {SIZE}">\n'
            f'  <rect x="8" y="8" width="240" height="240" rx="36" fill="{BACKGROUND}"/>\n'
            f'  <g stroke="{GRID}" stroke-width="4" stroke-linecap="square">{lines}</g>\n'
            f'  <g fill="{INK}">{pixels}</g>\n'
            f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" fill="{WIDTH_LINE}"/>\n'
            f'</svg>\n')


def png(size):
    image = Image.new("RGBA", (SIZE, SIZE), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle((8, 8, 247, 247), radius=36, fill=BACKGROUND)
    for a, b, c, d in GRID_LINES:
        draw.rectangle((min(a, c) - 2, min(b, d) - 2, max(a, c) + 1, max(b, d) + 1), fill=GRID)
    for x, y in ink_pixels():
        draw.rectangle((x, y, x + PIXEL - 1, y + PIXEL - 1), fill=INK)
    x0, y0, x1, y1 = WIDTH_BAR
    draw.rectangle((x0, y0, x1 - 1, y1 - 1), fill=WIDTH_LINE)
    return image.resize((size, size), Image.LANCZOS)


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "vela_typeloom.svg").write_text(svg())
    png(48).save(folder / "vela_typeloom.png", optimize=True)


if __name__ == "__main__":
    main()
