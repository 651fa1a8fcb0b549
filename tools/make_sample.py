#!/usr/bin/env python3
"""Writes samples/floorplan/JWC_TEMP.TXT: a small single-storey floor plan as
the host hands it to an external command (Shift-JIS, CR LF).

The plan is 9100 x 7280 mm at 1:50 on layer group 0. Outer walls are closed
"pl" polylines (their own corners share a curve number, so no rectangle is
drawn there); interior walls meet them in T junctions; the bathroom floor is a
tile grid, the hall has a stair, the terrace a board deck. The dimension below
the plan comes with extension lines marked "z3", which the command skips.

Usage: python3 tools/make_sample.py [OUTPUT]   (default: the sample's path)
"""
import os
import sys

WALL = 120          # wall thickness, mm
HALF = WALL / 2
WIDTH, DEPTH = 9100, 7280
TEXT_KEYS = ("ch", "cs")


def num(value):
    text = ("%.4f" % value).rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


class Drawing:
    def __init__(self):
        self.lines = []
        self.segments = 0          # plain segments the command will see
        self.in_dimension = False  # a segment after "msg" is the dimension's own

    def put(self, *fields):
        self.lines.append(" ".join(str(f) for f in fields))
        if fields[0] == "msg":
            self.in_dimension = True
        elif fields[0] in ("#", "pl") or fields[0] in TEXT_KEYS:
            self.in_dimension = False

    def seg(self, x1, y1, x2, y2):
        self.put(num(x1), num(y1), num(x2), num(y2))
        if not self.in_dimension:
            self.segments += 1

    def polyline(self, points):
        """A closed polyline as the host writes it: "pl", segments, "#"."""
        self.put("pl")
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            self.seg(x1, y1, x2, y2)
        self.put("#")

    def box(self, x1, y1, x2, y2):
        self.polyline([(x1, y1), (x2, y1), (x2, y2), (x1, y2)])

    def text(self, x, y, label, kind="ch", angle_dx=1, angle_dy=0):
        # A leading double quote keeps a text with blanks whole.
        self.put(kind, num(x), num(y), num(angle_dx), num(angle_dy), '"' + label)


def header(d):
    d.put("file=C:\\図面\\住宅 計画\\平面図.cad")
    scales = [50, 100] + [1] * 14
    d.put("hs", *scales)
    d.put("hzs", 420, 297)
    d.put("hcw", 2, 2.5, 3, 4, 5, 6, 7, 8, 9, 10)
    d.put("hch", 2, 2.5, 3, 4, 5, 6, 7, 8, 9, 10)
    d.put("hcd", 0, 0, 0.5, 0.5, 0.5, 1, 1, 1, 1, 1)
    d.put("hcc", 1, 1, 2, 2, 2, 3, 3, 4, 4, 5)
    d.put("lgn", "1階平面図")
    # The host's current write layer and pen.
    d.put("lg0")
    d.put("ly1")
    d.put("lc2")
    d.put("lt1")
    d.put("lw0")
    d.put('cn$"ＭＳ ゴシック')
    d.put("lyn壁")


def outer_walls(d):
    """Outer and inner faces of the outer walls, with window jambs."""
    d.box(-HALF, -HALF, WIDTH + HALF, DEPTH + HALF)
    d.box(HALF, HALF, WIDTH - HALF, DEPTH - HALF)
    # Windows: jambs across the wall, glass on the wall's centre line.
    d.put("lc3")
    windows = [(1000, 2600, 0), (3000, 4800, 0), (6200, 8200, 0), (1000, 2000, DEPTH)]
    for x1, x2, y in windows:
        d.seg(x1, y - HALF, x1, y + HALF)
        d.seg(x2, y - HALF, x2, y + HALF)
        d.seg(x1, y, x2, y)
    d.seg(-HALF, 1500, HALF, 1500)  # west window
    d.seg(-HALF, 3200, HALF, 3200)
    d.seg(0, 1500, 0, 3200)
    d.put("lc2")


def wall_x(d, x, y1, y2, gaps=()):
    """A vertical interior wall from y1 to y2, broken at door gaps."""
    stops = [y1] + [v for g in gaps for v in g] + [y2]
    for a, b in zip(stops[0::2], stops[1::2]):
        d.seg(x - HALF, a, x - HALF, b)
        d.seg(x + HALF, a, x + HALF, b)


def wall_y(d, y, x1, x2, gaps=()):
    stops = [x1] + [v for g in gaps for v in g] + [x2]
    for a, b in zip(stops[0::2], stops[1::2]):
        d.seg(a, y - HALF, b, y - HALF)
        d.seg(a, y + HALF, b, y + HALF)


def interior_walls(d):
    d.put("ly2")
    d.put("lyn間仕切")
    # North and south zones; the LDK door opens from the hall.
    wall_y(d, 4550, HALF, WIDTH - HALF, gaps=[(4700, 5400)])
    wall_x(d, 5460, HALF, 4550 - HALF, gaps=[(2000, 3600)])
    wall_x(d, 2730, 4550 + HALF, DEPTH - HALF)
    wall_x(d, 4550, 4550 + HALF, DEPTH - HALF, gaps=[(5200, 5900)])
    wall_x(d, 6370, 4550 + HALF, DEPTH - HALF)
    wall_y(d, 5915, 6370 + HALF, WIDTH - HALF)
    # Door leaves: a swing door with its arc, and a pair of sliding panels.
    d.put("lc4")
    d.put("ci", 4700, 4490, 700, 270, 360, 1, 0)
    d.seg(4700, 4490, 4700, 3790)
    d.seg(5420, 2000, 5420, 2830)
    d.seg(5500, 2770, 5500, 3600)
    d.put("lc2")


def bathroom_tiles(d):
    d.put("ly3")
    d.put("lc1")
    x1, x2 = HALF, 2730 - HALF
    y1, y2 = 4550 + HALF, DEPTH - HALF
    x = x1 + 200
    while x < x2:
        d.seg(x, y1, x, y2)
        x += 200
    y = y1 + 200
    while y < y2:
        d.seg(x1, y, x2, y)
        y += 200


def tatami(d):
    """Six mats in the Japanese room (x 5520..9040, y 60..4490)."""
    d.put("lc5")
    left, right, bottom, top = 5460 + HALF, WIDTH - HALF, HALF, 4550 - HALF
    middle_x = (left + right) / 2
    d.seg(middle_x, bottom, middle_x, top)
    third = (top - bottom) / 3
    for k in (1, 2):
        d.seg(left, bottom + k * third, middle_x, bottom + k * third)
    d.seg(middle_x, bottom + (top - bottom) / 2, right, bottom + (top - bottom) / 2)
    d.seg(middle_x + (right - middle_x) / 2, bottom, middle_x + (right - middle_x) / 2,
          bottom + (top - bottom) / 2)
    d.put("lc1")


def stair(d):
    """A straight stair in the hall, its walk line crossing the treads."""
    d.put("ly4")
    left, right = 4550 + HALF, 6370 - HALF
    bottom, top = 5000, DEPTH - HALF
    d.seg(left + 850, bottom, left + 850, top)  # stringer between the flights
    step = (top - bottom) / 10
    for k in range(1, 10):
        y = bottom + k * step
        d.seg(left, y, left + 850, y)
    d.seg(left + 425, bottom + 100, left + 425, top - 100)  # walk line
    d.seg(left + 425, top - 100, left + 325, top - 300)     # its arrow head
    d.seg(left + 425, top - 100, left + 525, top - 300)


def furniture(d):
    """Closed outlines: their own corners get no rectangle."""
    d.put("ly5")
    d.put("lc6")
    d.put("lt2")
    d.box(300, 300, 2100, 900)        # sofa
    d.box(2600, 2600, 4200, 3500)     # dining table
    for x in (2700, 3500):
        d.box(x, 2250, x + 450, 2550)
        d.box(x, 3550, x + 450, 3850)
    d.box(300, 3600, 2700, 4490)      # kitchen counter
    d.box(700, 3800, 1300, 4300)      # sink, inside the counter
    d.seg(700, 3800, 1300, 4300)      # drain mark across the sink
    d.box(6600, 6000, 8900, 7100)     # storage shelf
    d.box(7000, 4700, 7500, 5500)     # toilet
    d.put("lt1")
    d.put("lc2")


def deck(d):
    """Terrace boards south of the living room, flush with the west wall."""
    d.put("ly6")
    d.put("lc7")
    y = -HALF - 120
    while y >= -1800:
        d.seg(-HALF, y, 5460, y)
        y -= 120
    d.seg(5460, -HALF, 5460, -1800)  # deck edge
    d.put("lc2")


def porch(d):
    """Paved porch north of the entrance: outline and 45-degree hatching."""
    d.put("ly6")
    d.put("lc8")
    left, right, bottom, top = 6370, WIDTH + HALF, DEPTH + HALF, DEPTH + HALF + 1060
    d.box(left, bottom, right, top)
    step = 150
    offset = step
    while offset < (right - left) + (top - bottom):
        # The hatch line x - y = left - bottom + offset, clipped to the outline.
        x1, y1 = left + offset, bottom
        if x1 > right:
            x1, y1 = right, bottom + (x1 - right)
        x2, y2 = left, bottom + offset
        if y2 > top:
            x2, y2 = left + (y2 - top), top
        d.seg(x1, y1, x2, y2)
        offset += step
    d.put("lc2")


def stepping_stones(d):
    """Stones from the porch towards the gate; none touches another."""
    d.put("ly6")
    d.put("lc7")
    x, y = 9500, 8000
    for k in range(12):
        d.box(x, y, x + 400, y + 300)
        x += 120 if k % 2 else -60
        y -= 600
    d.put("lc2")


def dimension(d):
    """Overall width below the plan. Extension lines carry "z3"."""
    d.put("lg0")
    d.put("ly7")
    d.put("lc1")
    for x in (-HALF, WIDTH + HALF):
        d.put("z3")
        d.seg(x, -HALF - 20, x, -2600)
    d.put("msg")
    d.seg(-HALF, -2500, WIDTH + HALF, -2500)
    d.put("cn3")
    d.text(WIDTH / 2 - 600, -2450, "全長 9,220", kind="cs")
    d.put("#")


def room_names(d):
    d.put("ly8")
    d.put("cn4")
    d.put("cc2")
    names = [
        (1200, 1800, "リビング・ダイニング"), (600, 3300, "キッチン"),
        (6700, 2100, "和室（6帖）"), (800, 5900, "浴室"), (3100, 5900, "洗面所"),
        (4900, 4800, "廊下"), (7300, 6400, "収納"), (6600, 4900, "トイレ"),
        (1600, -1000, "ウッドデッキ"),
    ]
    for x, y, name in names:
        d.text(x, y, name)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "..", "samples", "floorplan", "JWC_TEMP.TXT")
    path = sys.argv[1] if len(sys.argv) > 1 else default
    d = Drawing()
    for part in (header, outer_walls, interior_walls, bathroom_tiles, tatami, stair,
                 furniture, deck, porch, stepping_stones, dimension, room_names):
        part(d)
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in d.lines).encode("cp932"))
    print("%s: %d lines, %d segments" % (os.path.normpath(path), len(d.lines), d.segments))


if __name__ == "__main__":
    main()
