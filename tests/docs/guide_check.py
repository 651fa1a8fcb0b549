#!/usr/bin/env python3
"""guide_check.py REPO: checks the Japanese user guide docs/README_ja.txt
against the window's own sources.

In the guide, 「...」 marks a text exactly as the window shows it, and lines
starting with "　　｜" quote the window's notes line by line. Every such
text must be a text of the window: a string literal of its sources (with
the access-key marker "&" removed, as the screen shows it), or a list entry
built from a list's stem and a number within that list. Every control and
message must be quoted, and the guide must cover the topics users ask
about. The launcher's memo (its first line) and its selection prompt (#hc)
must stand in the guide in ［...］, as Jw_cad shows them. Prints each problem; exit 1 when there is one."""
import os
import re
import sys
import unicodedata

# The sources that hold the texts the window shows.
WINDOW_SOURCES = [
    "src/app/win/form1.cpp", "src/app/win/form1_layout.cpp", "src/app/win/app_window.hpp",
    "src/app/form_controls.cpp", "src/app/status_texts.cpp",
]
NOTES_SOURCE = "src/app/win/form1_layout.cpp"
LAUNCHER = "package/crossrect.bat"
NOTE_MARK = "　　｜"
LITERAL = re.compile(r'L?"((?:[^"\\]|\\.)*)"')
STEM = re.compile(r'\{L"([^"]+)", (\d+)\}')

# What the guide must quote: every label, list choice, button and message.
MUST_QUOTE = [
    "線分交点に矩形を作図", "線色", "現在線色", "線種", "現在線種", "線幅", "1/100mm単位",
    "横幅", "縦高", "図寸mm", "実寸mm", "角度", "°(反時計回り)", "基準点",
    "左下", "中下", "右下", "左中", "中中", "右中", "左上", "中上", "右上",
    "ＯＫ(Y)", "キャンセル(N)", "線分：", "横幅の値を入力して下さい", "縦高の値を入力して下さい",
    "線分データ参照中です", "ファイル生成中です",
]
# Topics, by a phrase each section cannot do without.
MUST_MENTION = {
    "the picture": "example.png", "the exchange file": "JWC_TEMP.TXT",
    "why that folder": "同じフォルダ", "block editing": "ブロック編集",
    "the 1/100 example": "縮尺 1/100", "counter-clockwise": "反時計回り",
    "dimensions left out": "寸法", "curve joints": "曲線属性", "one point": "1e-8",
    "write layer": "書込みレイヤ", "settings file": "crossrect.dat",
    "troubleshooting": "困ったときは", "uninstalling": "アンインストール",
    "licence": "MIT License", "version": "@VERSION@",
    "undo": "元に戻す", "a second run over drawn rectangles": "矩形ごと選択",
    "making curves": "曲線属性化", "T junctions": "Ｔ字", "full-width input": "１２．５",
    "line width 0": "線幅 0 の扱い", "decimal degrees": "22°30′ は 22.5",
    "getting past the download warning": "詳細情報",
    "the copy in the installation folder": "インストールフォルダのコピー",
    "a killed run's temporary file": "JWC_TEMP.TXT.tmp",
    "the launcher": "crossrect.bat", "the menu": "［その他］→［外部変形］", "the button": "［外変］",
    "confirming the selection": "［選択確定］", "nothing to register": "登録",
    "saving the launcher": "『ANSI』", "the host's folder": "インストールフォルダにもコピー",
}
# Box-drawing characters are half width in some fonts: beside text they
# break the alignment (rules made of them alone are harmless).
BOX_DRAWING = re.compile(r"[\u2500-\u257f]")
MAX_CELLS = 72  # Notepad at its usual width shows this much without wrapping


def launcher_texts(repo):
    """The memo and the selection prompt, as Jw_cad shows them."""
    with open(os.path.join(repo, LAUNCHER), encoding="utf-8") as f:
        lines = f.read().splitlines()
    prompts = [l[len("REM #hc"):] for l in lines if l.startswith("REM #hc")]
    return [lines[0][len("REM "):]] + prompts


def shown(literal):
    """A caption as the screen shows it: "&" marks the access key."""
    return literal.replace("&&", "\0").replace("&", "").replace("\0", "&")


def window_texts(repo):
    texts, stems = set(), {}
    for name in WINDOW_SOURCES:
        with open(os.path.join(repo, name), encoding="utf-8") as f:
            code = f.read()
        texts.update(shown(t) for t in LITERAL.findall(code) if t)
        for stem, count in STEM.findall(code):  # "SXF-" ends two lists
            stems[stem] = max(stems.get(stem, 0), int(count))
    return texts, stems


def notes_literals(repo):
    with open(os.path.join(repo, NOTES_SOURCE), encoding="utf-8") as f:
        return LITERAL.findall(f.read())


def is_window_text(text, texts, stems):
    if text in texts:
        return True
    m = re.fullmatch(r"(.+?)([1-9][0-9]*)", text)
    return bool(m) and m.group(1) in stems and int(m.group(2)) <= stems[m.group(1)]


def note_blocks(lines):
    block = []
    for line in lines + [""]:
        if line.startswith(NOTE_MARK):
            block.append(line[len(NOTE_MARK):])
        elif block:
            yield block
            block = []


def contains_run(sequence, run):
    return any(sequence[i:i + len(run)] == run for i in range(len(sequence) - len(run) + 1))


def cells(line):
    return sum(2 if unicodedata.east_asian_width(c) in "WFA" else 1 for c in line)


def main():
    repo = sys.argv[1]
    with open(os.path.join(repo, "docs", "README_ja.txt"), encoding="utf-8") as f:
        guide = f.read()
    lines = guide.split("\n")
    texts, stems = window_texts(repo)
    problems = []
    quoted = re.findall(r"「([^「」]*)」", guide)
    problems += ["「%s」 is not a text of the window" % q for q in quoted
                 if not is_window_text(q, texts, stems)]
    problems += ["「%s」 is not quoted" % t for t in MUST_QUOTE if t not in quoted]
    problems += ["%s is quoted but not a window text" % t for t in MUST_QUOTE if t not in texts]
    problems += ["［%s］ of the launcher is not in the guide" % t for t in launcher_texts(repo)
                 if "［%s］" % t not in guide]
    notes = notes_literals(repo)
    for block in note_blocks(lines):
        if not contains_run(notes, block):
            problems.append("the notes quoted as %r are not the window's notes" % block)
    problems += ["no word on %s (%s)" % (topic, phrase) for topic, phrase in MUST_MENTION.items()
                 if phrase not in guide]
    for number, line in enumerate(lines, 1):
        if "\t" in line or "\r" in line or "\ufeff" in line:
            problems.append("line %d: tab, CR or byte order mark in the source" % number)
        if cells(line) > MAX_CELLS:
            problems.append("line %d is %d cells wide" % (number, cells(line)))
        if BOX_DRAWING.search(line) and BOX_DRAWING.sub("", line).strip(" \u3000"):
            problems.append("line %d: box-drawing characters beside text" % number)
        if any("\uff61" <= c <= "\uff9f" for c in line):
            problems.append("line %d: half-width katakana" % number)
    for p in problems:
        print("  " + p)
    print("guide_check: %d quoted texts, %d note blocks, %d problems"
          % (len(quoted), len(list(note_blocks(lines))), len(problems)))
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
