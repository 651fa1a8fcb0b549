#!/usr/bin/env python3
"""svg_check.py SVG [--answer FILE] [--counts SEGMENTS EXCLUDED DIMENSIONS] [--inset]

Checks a picture written by crossrect-cli render: it must parse as XML;
its rectangle group must hold one <line> per line record of the answer, in
order and with the same numbers; the drawing's transform must keep y upward
and put every line inside the picture above the footer, filling the drawing
area; the scale bar must be 1, 2 or 5 times a power of ten long and say so;
the legend must count the answer's rectangles and sides; with --inset, the
enlarged crossing must show one of the answer's rectangles and name its
横幅, 縦高 and 基準点.
Prints each problem found; exit 1 when there is one."""
import argparse
import math
import re
import sys
import xml.etree.ElementTree as ET

NS = "{http://www.w3.org/2000/svg}"
MARGIN = 24
FOOTER = 84
AREA = (800, 560)


def answer_records(path):
    """Four numbers to a line; commands such as lc2 or hq are not records."""
    records = []
    with open(path, "rb") as f:
        for raw in f.read().split(b"\r\n"):
            fields = raw.decode("ascii", "replace").split(" ")
            if len(fields) != 4:
                continue
            try:
                records.append(tuple(float(v) for v in fields))
            except ValueError:
                pass
    return records


def group(root, name):
    for g in root.iter(NS + "g"):
        if g.get("id") == name:
            return g
    return None


def lines_of(g):
    return [tuple(float(l.get(k)) for k in ("x1", "y1", "x2", "y2")) for l in g.iter(NS + "line")]


def check_placement(problems, root, transform, groups):
    a, b, c, d, e, f = transform
    if not (a > 0 and d == -a and b == 0 and c == 0 and math.isfinite(a * e * f)):
        problems.append("transform %r is not a uniform scale with y upward" % (transform,))
        return False
    width, height = int(root.get("width")), int(root.get("height"))
    if root.get("viewBox") != "0 0 %d %d" % (width, height):
        problems.append("viewBox %r does not match %dx%d" % (root.get("viewBox"), width, height))
    for g in groups:
        for name in ("stroke-width", "stroke-dasharray"):
            if g.get(name) and not all(math.isfinite(float(v)) and float(v) > 0
                                       for v in g.get(name).split()):
                problems.append("group %s: %s %r" % (g.get("id"), name, g.get(name)))
    xs, ys = [], []
    for g in groups:
        for x1, y1, x2, y2 in lines_of(g):
            xs += [e + a * x1, e + a * x2]
            ys += [f - a * y1, f - a * y2]
    if not xs:
        return True
    top = height - FOOTER
    if min(xs) < -1e-6 or max(xs) > width + 1e-6 or min(ys) < -1e-6 or max(ys) > top + 1e-6:
        problems.append("lines reach outside the drawing area: x %g..%g, y %g..%g of %dx%d"
                        % (min(xs), max(xs), min(ys), max(ys), width, top))
    spread_x, spread_y = max(xs) - min(xs), max(ys) - min(ys)
    if (spread_x or spread_y) and abs(spread_x - AREA[0]) > 1 and abs(spread_y - AREA[1]) > 1:
        problems.append("the drawing does not fill the area: %g x %g pixels" % (spread_x, spread_y))
    return True


def check_scale_bar(problems, root, scale):
    bar = group(root, "scale-bar")
    path = bar.find(NS + "path").get("d") if bar is not None else ""
    m = re.fullmatch(r"M(\S+) (\S+)V(\S+)H(\S+)V(\S+)", path)
    if not m:
        problems.append("no scale bar path: %r" % path)
        return
    length = (float(m.group(4)) - float(m.group(1))) / scale
    if not (math.isfinite(length) and length > 0):
        problems.append("scale bar path %r" % path)
        return
    mantissa = length / 10 ** math.floor(math.log10(length) + 1e-9)
    if not any(abs(mantissa - s) < 1e-9 for s in (1, 2, 5)):
        problems.append("scale bar of %r mm is not 1, 2 or 5 times a power of ten" % length)
    labels = [t.text or "" for t in root.iter(NS + "text")]
    if not any(re.match(r"([0-9.E-]+) mm", t) and math.isclose(float(t.split()[0]), length)
               for t in labels):
        problems.append("no label for the scale bar of %r mm among %r" % (length, labels))


def check_counts(problems, root, records):
    want = "作図される矩形 %d 個（辺 %d 本）" % (len(records) // 4, len(records))
    if want not in [t.text for t in root.iter(NS + "text")]:
        problems.append("the legend does not say %r" % want)


def check_inset(problems, root, records):
    inset, rectangle = group(root, "inset"), group(root, "inset-rectangle")
    if inset is None or rectangle is None:
        problems.append("no enlarged crossing")
        return
    drawn = lines_of(rectangle)
    if not any(records[i:i + 4] == drawn for i in range(0, len(records), 4)):
        problems.append("the enlarged rectangle %r is none of the answer's" % drawn)
    texts = " ".join(t.text or "" for t in inset.iter(NS + "text"))
    for name in ("横幅", "縦高", "基準点「"):
        if name not in texts:
            problems.append("the enlarged crossing does not name %s" % name)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("svg")
    parser.add_argument("--answer")
    parser.add_argument("--counts", nargs=3, type=int)
    parser.add_argument("--inset", action="store_true")
    args = parser.parse_args()
    problems = []
    try:
        root = ET.parse(args.svg).getroot()
    except ET.ParseError as error:
        print("  not well-formed XML: %s" % error)
        sys.exit(1)
    if root.tag != NS + "svg":
        problems.append("root element is %s" % root.tag)
    drawing = group(root, "drawing")
    names = ("segments", "excluded", "dimensions", "rectangles")
    groups = [group(root, n) for n in names]
    if drawing is None or None in groups:
        print("  missing groups: %s" % [n for n, g in zip(names, groups) if g is None])
        sys.exit(1)
    transform = tuple(float(v) for v in re.fullmatch(
        r"matrix\((\S+) (\S+) (\S+) (\S+) (\S+) (\S+)\)", drawing.get("transform")).groups())
    if args.answer is not None:
        expected, drawn = answer_records(args.answer), lines_of(groups[3])
        check_counts(problems, root, expected)
        if args.inset:
            check_inset(problems, root, expected)
        if expected != drawn:
            problems.append("%d rectangle lines for %d line records; first difference at %s"
                            % (len(drawn), len(expected),
                               next((i for i, (p, q) in enumerate(zip(expected, drawn)) if p != q),
                                    min(len(expected), len(drawn)))))
    if args.counts is not None:
        got = [len(lines_of(g)) for g in groups[:3]]
        if got != args.counts:
            problems.append("segments, excluded, dimensions: %r, expected %r" % (got, args.counts))
    if check_placement(problems, root, transform, groups):
        check_scale_bar(problems, root, transform[0])
    for p in problems:
        print("  " + p)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
