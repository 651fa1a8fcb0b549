#!/usr/bin/env python3
"""substitute_host.py WINE LAUNCHER DRAWING HOSTDIR: plays Jw_cad's part
around an external command's launcher.

Reads the launcher's directives (REM lines whose "#" stands within the first
ten bytes, up to #e; refuses a launcher without #jww or #e), writes
JWC_TEMP.TXT from DRAWING (the host's lines: "hq" first, z1-z5 lines only
under #zz, lw lines only under #zw) into the launcher's folder under #cd or
into HOSTDIR without it, runs the launcher with Wine's cmd /c and waits for
it, then reads the file back and prints what it draws:
    nothing drawn
    drawn N segments with lgA lyB lcC ltD lwE in X0 Y0 X1 Y1
Exit 0 when the round trip ran, 1 when the answer holds a line the host
cannot carry out, 2 when the launcher is refused."""
import os
import subprocess
import sys

DIRECTIVE_REACH = 10
ATTRIBUTE_FLAGS = {b"z1", b"z2", b"z3", b"z4", b"z5"}
PEN_KEYS = (b"lg", b"ly", b"lc", b"lt", b"lw")
RUN_TIMEOUT = 120  # seconds


def directives(launcher):
    """The directive texts up to #e, or None when #e never comes."""
    found = []
    with open(launcher, "rb") as f:
        for line in f.read().splitlines():
            at = line.find(b"#")
            if not line.upper().startswith(b"REM") or not 0 <= at < DIRECTIVE_REACH:
                continue
            found.append(line[at:].strip())
            if found[-1] == b"#e":
                return found
    return None


def host_lines(drawing, given):
    with open(drawing, "rb") as f:
        lines = f.read().splitlines()
    if b"#zz" not in given:
        lines = [l for l in lines if l.split(b" ")[0] not in ATTRIBUTE_FLAGS]
    if b"#zw" not in given:
        lines = [l for l in lines if not l.startswith(b"lw")]
    return [b"hq"] + lines


def current_pen(lines):
    pen = {}
    for line in lines:
        key = line[:2]
        if key in PEN_KEYS and key not in pen:
            pen[key] = line
    return pen


def numbers(line):
    try:
        values = [float(v) for v in line.split()]
    except ValueError:
        return None
    return values if len(values) == 4 else None


def draw(answer, pen, widths_apply):
    """(segments, pens used, bounding box) or a line the host cannot read."""
    segments, pens, xs, ys = 0, set(), [], []
    for line in answer:
        values = numbers(line)
        if values is not None:
            segments += 1
            pens.add(b" ".join(pen.get(k, k) for k in PEN_KEYS).decode())
            xs += values[0::2]
            ys += values[1::2]
        elif line[:2] in PEN_KEYS:
            if line[:2] != b"lw" or widths_apply:
                pen[line[:2]] = line
        elif line != b"bz":
            return line
    return segments, pens, (min(xs), min(ys), max(xs), max(ys)) if xs else ()


def main():
    wine, launcher, drawing, host_dir = sys.argv[1:5]
    launcher = os.path.abspath(launcher)
    given = directives(launcher)
    if given is None or b"#jww" not in given:
        print("refused: %s lacks #jww or #e" % os.path.basename(launcher))
        return 2
    own = os.path.dirname(launcher)
    folder = own if b"#cd" in given else os.path.abspath(host_dir)
    exchange = os.path.join(folder, "JWC_TEMP.TXT")
    lines = host_lines(drawing, given)
    with open(exchange, "wb") as f:
        f.write(b"".join(l + b"\r\n" for l in lines))
    # The batch runs in its own folder either way: it calls its program by
    # its bare name.
    subprocess.run([wine, "cmd", "/c", "Z:" + launcher.replace("/", "\\")], cwd=own,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=RUN_TIMEOUT)
    with open(exchange, "rb") as f:
        answer = f.read().splitlines()
    if answer[:1] == [b"hq"]:
        print("nothing drawn")
        return 0
    result = draw(answer, current_pen(lines[1:]), b"#zw" in given)
    if isinstance(result, bytes):
        print("cannot carry out %r" % result)
        return 1
    segments, pens, box = result
    print("drawn %d segments with %s in %s" % (segments, " / ".join(sorted(pens)) or "-",
                                                " ".join("%g" % v for v in box)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
