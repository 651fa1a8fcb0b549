#!/usr/bin/env python3
"""Writes src/app/win/crossrect.ico: the program's icon in four sizes.

The picture is two crossing lines with a small square at the crossing, the
thing the program draws. The 16 x 16, 16-colour image is drawn pixel by
pixel below (the window shows it in its title bar); the 32, 48 and 256
pixel images that Explorer, Alt+Tab and the taskbar use are the same
design drawn anew at each size with smooth edges, 32 and 48 as 32-bit
bitmaps with alpha, 256 as PNG. Run it after changing the picture and
commit the .ico it writes (windres reads the .ico, not this script).

  make_icon.py [ICO] [--png FOLDER]
"""
import argparse
import struct
import zlib
from pathlib import Path

# '.' is transparent; the other letters name colours of the palette below.
PICTURE = [
    "................",
    ".K............K.",
    "..K..........K..",
    "...K........K...",
    "....K......K....",
    ".....RRRRRR.....",
    ".....RKWWKR.....",
    ".....RWKKWR.....",
    ".....RWKKWR.....",
    ".....RKWWKR.....",
    ".....RRRRRR.....",
    "....K......K....",
    "...K........K...",
    "..K..........K..",
    ".K............K.",
    "................",
]

# The standard 16-colour palette as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
COLOUR_OF = {".": 0, "K": 4, "R": 9, "W": 15}  # navy lines, red square, white inside
NAVY, RED, WHITE = (PALETTE[COLOUR_OF[c]] for c in "KRW")

SMALL = 16

# The design on the 16-unit grid of PICTURE: each line runs between the
# centres of its end pixels; the square's outer edges.
LINE_START, LINE_END = 1.5, 14.5
SQUARE_LOW, SQUARE_HIGH = 5.0, 11.0
# Pixels per size: the width of the lines, of the red border and of the
# light halo that keeps the navy lines visible on a dark taskbar. Thinner
# than the 16 px grid scaled up, so the larger images do not look heavy.
STROKES = {32: (1.75, 2.0, 1.0), 48: (2.5, 3.0, 1.25), 256: (11.0, 14.0, 4.0)}
HALO = WHITE + (112,)
PNG_FROM = 256  # larger images are stored as PNG, the usual form


def small_xor_rows():
    """4 bits per pixel, rows bottom-up, 8 bytes a row."""
    rows = []
    for line in reversed(PICTURE):
        indices = [COLOUR_OF[c] for c in line]
        rows.append(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, SMALL, 2)))
    return b"".join(rows)


def and_rows(transparent_rows):
    """1 bit per pixel (1 = transparent), rows bottom-up, padded to 4 bytes."""
    rows = []
    for row in reversed(transparent_rows):
        bits = 0
        for transparent in row:
            bits = (bits << 1) | transparent
        width = (len(row) + 31) // 32 * 4
        rows.append((bits << (width * 8 - len(row))).to_bytes(width, "big"))
    return b"".join(rows)


def bitmap_header(size, bits, pixel_bytes, colours):
    """A BITMAPINFOHEADER; its height counts the colour rows and the mask rows."""
    height = 2 * size
    return struct.pack("<IiiHHIIiiII", 40, size, height, 1, bits, 0, pixel_bytes, 0, 0, colours, 0)


def small_image():
    assert len(PICTURE) == SMALL and all(len(line) == SMALL for line in PICTURE)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    pixels = small_xor_rows() + and_rows([[c == "." for c in line] for line in PICTURE])
    return bitmap_header(SMALL, 4, len(pixels), 16) + palette + pixels


def colour_at(x, y, line_half, border, halo):
    """The design's (red, green, blue, alpha) at (x, y) in 16-unit
    coordinates; None outside."""
    distance = min(line_distance(x, y), line_distance(x, SMALL - y))  # nearer of the two lines
    inside_low, inside_high = SQUARE_LOW + border, SQUARE_HIGH - border
    if inside_low <= x < inside_high and inside_low <= y < inside_high:
        return NAVY + (255,) if distance <= line_half else WHITE + (255,)
    if SQUARE_LOW <= x < SQUARE_HIGH and SQUARE_LOW <= y < SQUARE_HIGH:
        return RED + (255,)
    if distance <= line_half:
        return NAVY + (255,)
    return HALO if distance <= line_half + halo else None


def line_distance(u, v):
    """Distance from (u, v) to the diagonal line, its ends rounded."""
    t = min(max((u + v) / 2, LINE_START), LINE_END)
    return ((u - t) ** 2 + (v - t) ** 2) ** 0.5


def pixel(px, py, samples, shape):
    """The mean of samples x samples points of the pixel, summed
    premultiplied so the halo's edge does not darken."""
    red = green = blue = alpha = 0
    for sy in range(samples):
        for sx in range(samples):
            colour = shape(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples)
            if colour:
                r, g, b, a = colour
                red, green, blue, alpha = red + r * a, green + g * a, blue + b * a, alpha + a
    if not alpha:
        return (0, 0, 0, 0)
    return (round(red / alpha), round(green / alpha), round(blue / alpha),
            round(alpha / samples**2))


def render(size):
    """Rows of (red, green, blue, alpha)."""
    unit = SMALL / size
    line_width, border, halo = (w * unit for w in STROKES[size])
    samples = 8 if size < 100 else 4  # finer where a pixel is a larger part of the picture

    def shape(x, y):
        return colour_at(x * unit, y * unit, line_width / 2, border, halo)

    return [[pixel(px, py, samples, shape) for px in range(size)] for py in range(size)]


def bitmap_image(rows):
    size = len(rows)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    pixels = colour + and_rows([[a == 0 for _, _, _, a in row] for row in rows])
    return bitmap_header(size, 32, len(pixels), 0) + pixels


def png_image(rows):
    def chunk(kind, data):
        checksum = zlib.crc32(kind + data)
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", checksum)

    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def icon_bytes(images):
    """An .ico of the 16-colour image and the given {size: image}."""
    entries = [(SMALL, 16, 4, small_image())]
    entries += [(size, 0, 32, image) for size, image in sorted(images.items())]
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, 1, len(entries))
    for size, colours, bits, image in entries:
        # A size of 256 is written as 0.
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits,
                                 len(image), offset)
        offset += len(image)
    return directory + b"".join(image for *_, image in entries)


def main():
    root = Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description="Writes the program's icon.")
    parser.add_argument("ico", nargs="?", type=Path, default=root / "src/app/win/crossrect.ico")
    parser.add_argument("--png", type=Path, metavar="FOLDER",
                        help="also write each drawn size as crossrect-SIZE.png, to look at")
    args = parser.parse_args()
    images = {}
    for size in STROKES:
        rows = render(size)
        images[size] = png_image(rows) if size >= PNG_FROM else bitmap_image(rows)
        if args.png:
            (args.png / ("crossrect-%d.png" % size)).write_bytes(png_image(rows))
    args.ico.write_bytes(icon_bytes(images))


if __name__ == "__main__":
    main()
