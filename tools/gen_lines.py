#!/usr/bin/env python3
"""Writes an exchange file of COUNT line segments for timing the reader.

Usage: gen_lines.py OUTPUT [COUNT]   (COUNT defaults to 1000000)

The file starts with the header and attribute lines a host writes and then
holds one segment per line: four coordinates with three decimals, CR LF.
"""
import random
import sys

HEADER = [
    "hk 0",
    "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
    "hzs 1189 841",
    "lg0",
    "ly1",
    "lc2",
    "lt1",
    "lw0",
]


def main() -> int:
    if len(sys.argv) not in (2, 3):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    output = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) == 3 else 1_000_000
    rng = random.Random(1)
    with open(output, "w", encoding="ascii", newline="\r\n") as out:
        out.write("\n".join(HEADER) + "\n")
        for _ in range(count):
            x1, y1 = rng.uniform(-50000, 50000), rng.uniform(-50000, 50000)
            x2, y2 = x1 + rng.uniform(-500, 500), y1 + rng.uniform(-500, 500)
            out.write(f"{x1:.3f} {y1:.3f} {x2:.3f} {y2:.3f}\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
