#!/usr/bin/env python3
"""Writes src/app/win/crossrect.ico: the program's 16 x 16, 16-colour icon.

The picture is two crossing lines with a small square at the crossing, the
thing the program draws. Run it after changing the picture below and commit
the .ico it writes (windres reads the .ico, not this script).
"""
import struct
import sys
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

SIZE = 16


def xor_rows():
    """4 bits per pixel, rows bottom-up, 8 bytes a row."""
    rows = []
    for line in reversed(PICTURE):
        indices = [COLOUR_OF[c] for c in line]
        rows.append(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, SIZE, 2)))
    return b"".join(rows)


def and_rows():
    """1 bit per pixel (1 = transparent), rows bottom-up, padded to 4 bytes."""
    rows = []
    for line in reversed(PICTURE):
        bits = 0
        for c in line:
            bits = (bits << 1) | (1 if c == "." else 0)
        rows.append(struct.pack(">H", bits) + b"\0\0")
    return b"".join(rows)


def icon_bytes():
    assert len(PICTURE) == SIZE and all(len(line) == SIZE for line in PICTURE)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    pixels = xor_rows() + and_rows()
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    image = header + palette + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    root = Path(__file__).resolve().parent.parent
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else root / "src/app/win/crossrect.ico"
    target.write_bytes(icon_bytes())


if __name__ == "__main__":
    main()
