#!/usr/bin/env python3
"""Builds the Windows release package dist/crossrect-VERSION-win64.zip.

    make_release.py --version 1.0.0 --exe build/mingw64/crossrect.exe --out dist

It holds crossrect.exe, crossrect.bat (the launcher the user picks in
Jw_cad, from package/), README_ja.txt (from docs/README_ja.txt, with the
version filled in), LICENSE.txt (from LICENSE) and example.png (from docs/),
in that order. Text files become UTF-8 with a byte order mark and CR LF, so
Notepad shows them right; the launcher becomes Shift-JIS with CR LF and no
mark, the only form the command interpreter and Jw_cad read. Every entry carries the same date, that of the
last commit (or SOURCE_DATE_EPOCH), so one commit always gives the same
bytes. Prints the package's path, size and SHA-256."""
import argparse
import hashlib
import os
import subprocess
import sys
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
VERSION_MARK = "@VERSION@"
BOM = "\ufeff"
EARLIEST_ZIP_TIME = 315532800  # 1980-01-01, the first date a zip entry can hold


def package_time():
    stamp = os.environ.get("SOURCE_DATE_EPOCH")
    if stamp is None:
        try:
            stamp = subprocess.run(["git", "-C", ROOT, "log", "-1", "--format=%ct"],
                                   capture_output=True, text=True, check=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            stamp = ""
    seconds = max(int(stamp) if stamp.isdigit() else EARLIEST_ZIP_TIME, EARLIEST_ZIP_TIME)
    return time.gmtime(seconds)[:6]


def windows_text(path, version=None):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    text = text.lstrip(BOM).replace("\r\n", "\n")
    if version is not None:
        if VERSION_MARK not in text:
            sys.exit("make_release: %s has no %s to fill in" % (path, VERSION_MARK))
        text = text.replace(VERSION_MARK, version)
    return (BOM + text.replace("\n", "\r\n")).encode("utf-8")


def launcher_text(path):
    with open(path, encoding="utf-8") as f:
        text = f.read().lstrip(BOM).replace("\r\n", "\n")
    return text.replace("\n", "\r\n").encode("shift_jis")


def contents(exe, version):
    with open(exe, "rb") as f:
        program = f.read()
    with open(os.path.join(ROOT, "docs", "example.png"), "rb") as f:
        picture = f.read()
    return [
        ("crossrect.exe", program),
        ("crossrect.bat", launcher_text(os.path.join(ROOT, "package", "crossrect.bat"))),
        ("README_ja.txt", windows_text(os.path.join(ROOT, "docs", "README_ja.txt"), version)),
        ("LICENSE.txt", windows_text(os.path.join(ROOT, "LICENSE"))),
        ("example.png", picture),
    ]


def write_zip(target, entries, date):
    partial = target + ".partial"
    with zipfile.ZipFile(partial, "w") as package:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # made on "MS-DOS": no Unix owner or mode bits
            info.external_attr = 0
            package.writestr(info, data, compresslevel=9)
    os.replace(partial, target)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--version", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--out", required=True, help="folder for the package")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    target = os.path.join(args.out, "crossrect-%s-win64.zip" % args.version)
    write_zip(target, contents(args.exe, args.version), package_time())
    with open(target, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    print("release: %s (%d bytes, sha256 %s)" % (target, os.path.getsize(target), digest))


if __name__ == "__main__":
    main()
