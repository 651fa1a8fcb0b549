#!/usr/bin/env python3
"""zip_check.py ZIP VERSION REPO: checks the Windows release package.

The five entries in their order with ASCII names and one date; the text
files UTF-8 with a byte order mark and CR LF only, the guide with its
version filled in; the launcher Shift-JIS with CR LF and no mark, its title,
directives (each "#" within its line's first ten bytes) and a direct call; the picture the one in docs/; the program a 64-bit
Windows exe whose version resource carries VERSION. Prints each problem;
exit 1 when there is one."""
import re
import struct
import sys
import zipfile

ENTRIES = ["crossrect.exe", "crossrect.bat", "README_ja.txt", "LICENSE.txt", "example.png"]
BOM = b"\xef\xbb\xbf"
FIXED_INFO_SIGNATURE = struct.pack("<I", 0xFEEF04BD)
PE_MACHINE_AMD64 = 0x8664
LAUNCHER_HEAD = ["REM 線分交点に矩形を作図", "@echo off", "REM #jww", "REM #cd", "REM #h1"]
LAUNCHER_TAIL = ["REM #g1", "REM #zz", "REM #zw", "REM #e", "crossrect.exe"]
DIRECTIVE_REACH = 10  # Jw_cad ignores a "#" beyond a line's first ten bytes


def check_launcher(problems, data):
    lines = data.split(b"\r\n")
    if data.startswith(BOM) or lines[-1] != b"" or any(b"\r" in l or b"\n" in l for l in lines):
        problems.append("crossrect.bat is not CR LF ended text without a byte order mark")
    problems += ["crossrect.bat line %d: '#' beyond byte %d" % (n, DIRECTIVE_REACH)
                 for n, l in enumerate(lines, 1) if b"#" in l[DIRECTIVE_REACH:]]
    try:
        text = [l.decode("shift_jis") for l in lines[:-1]]
    except UnicodeDecodeError as error:
        problems.append("crossrect.bat is not Shift-JIS: %s" % error)
        return
    prompt = text[5] if len(text) > 5 else ""
    if (text[:5] != LAUNCHER_HEAD or not re.fullmatch(r"REM #hc\S+", prompt) or prompt.isascii()
            or text[6:] != LAUNCHER_TAIL):
        problems.append("crossrect.bat holds %r" % text)


def check_text(problems, name, data):
    if not data.startswith(BOM):
        problems.append("%s has no byte order mark" % name)
    try:
        text = data[len(BOM):].decode("utf-8")
    except UnicodeDecodeError as error:
        problems.append("%s is not UTF-8: %s" % (name, error))
        return ""
    if re.search(r"(?<!\r)\n|\r(?!\n)", text):
        problems.append("%s has line ends other than CR LF" % name)
    if not text.endswith("\r\n"):
        problems.append("%s does not end with a line end" % name)
    return text


def exe_versions(data):
    """(machine, fixed file version as text, FileVersion string)."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    machine = struct.unpack_from("<H", data, pe + 4)[0] if data[pe:pe + 4] == b"PE\0\0" else None
    at = data.find(FIXED_INFO_SIGNATURE)
    fixed = None
    if at >= 0:
        ms, ls = struct.unpack_from("<II", data, at + 8)
        fixed = "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    strings = data.decode("utf-16-le", "replace")
    found = re.search("FileVersion\0+([0-9.]+)\0", strings)
    return machine, fixed, found.group(1) if found else None


def check_exe(problems, data, version):
    if not data.startswith(b"MZ"):
        problems.append("crossrect.exe is not a Windows program")
        return
    machine, fixed, text = exe_versions(data)
    if machine != PE_MACHINE_AMD64:
        problems.append("crossrect.exe is not a 64-bit program (machine %r)" % machine)
    if fixed != version + ".0" or text != version + ".0":
        problems.append("crossrect.exe carries version %r / %r, not %s.0" % (fixed, text, version))


def main():
    path, version, repo = sys.argv[1:4]
    problems = []
    with zipfile.ZipFile(path) as package:
        infos = package.infolist()
        names = [i.filename for i in infos]
        if names != ENTRIES:
            problems.append("entries %r, expected %r" % (names, ENTRIES))
        problems += ["%r is not an ASCII name" % n for n in names if not n.isascii()]
        if len({i.date_time for i in infos}) != 1:
            problems.append("entries carry different dates")
        if package.testzip() is not None:
            problems.append("damaged entry %s" % package.testzip())
        data = {n: package.read(n) for n in names}
    guide = check_text(problems, "README_ja.txt", data.get("README_ja.txt", b""))
    licence = check_text(problems, "LICENSE.txt", data.get("LICENSE.txt", b""))
    if "バージョン：%s\r\n" % version not in guide or "@VERSION@" in guide:
        problems.append("README_ja.txt does not state version %s" % version)
    if "MIT License" not in licence:
        problems.append("LICENSE.txt is not the MIT licence")
    with open("%s/docs/example.png" % repo, "rb") as f:
        if data.get("example.png") != f.read():
            problems.append("example.png is not docs/example.png")
    check_exe(problems, data.get("crossrect.exe", b""), version)
    check_launcher(problems, data.get("crossrect.bat", b""))
    for p in problems:
        print("  " + p)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
