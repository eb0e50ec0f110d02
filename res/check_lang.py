#!/usr/bin/env python3
"""Checks res/lang.csv, the program's language texts. Run by hand after editing it:

    python3 res/check_lang.py [path/to/lang.csv]

Exit status 0 when every rule holds, 1 otherwise. Warnings do not fail the run.

The file: line 1 names the languages (column 0 Simplified Chinese, column 1 English),
lines 2..188 hold texts #0..#186, the lines after them the extended texts #187 on.
No quoting exists, so no text may hold a comma.
"""

import os
import re
import sys

CLASSIC = 187


def _extended_count():
    """The extended texts #187 .. text::Last, as the program numbers them."""
    header = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data",
                          "language_table.h")
    with open(header, encoding="utf-8") as f:
        last = int(re.search(r"\bLast = (\d+)", f.read()).group(1))
    return last - CLASSIC + 1


EXTENDED = _extended_count()  # #187 .. text::Last
LANGUAGES = 2

# Texts the toolbar also shows as tool tips, cut before their first "(".
TOOL_TIPS = [2, 3, 4, 6, 20, 21]

# Menus: (caption, items). Access keys must be unique among the top-level captions
# and within each menu.
MENUS = [
    (1, [2, 3, 4, 5, 6, 7, 207, 210, 211]),
    (8, [9]),
    (10, [11, 12, 13, 14]),
    (19, [20, 21]),
    (25, [26, 27]),
    (28, [29, 30, 31]),
    (32, [33, 34, 35, 36, 37]),
    (38, [39, 40]),
]

# Texts that are also window captions, tree items or dialog titles: no access key.
NO_ACCESS_KEY = [0, 9, 11, 12, 13, 14, 27, 40, 71, 72, 77, 89, 91]

# Lists whose entries stand for different values: every entry must differ.
DISTINCT = {
    "bandwidth (channel column 5)": [49, 50],
    "power (channel column 6)": [52, 53],
    "scan add (channel column 7)": [47, 55],
    "busy lock (channel column 8)": [60, 61],
    "Choice A": [103, 49],
    "Choice B": [60, 106, 105],
    "Code choice": [15, 16],
    "Code selector": [121, 122, 123],
    "key functions": [47] + list(range(126, 137)),
    "scan mode": [47, 140, 141],
    "scan combination bases": [141, 139],
    "OK / Cancel": [71, 72],
    "model names": [184, 185],
    "view names": [11, 12, 13, 14],
}

# The channel table stores bit 0 for a cell whose text equals one of these texts and
# bit 1 for anything else, so no text standing for 1 may equal one of them.
BIT0_TEXTS = [50, 52, 47, 60]
BIT1_TEXTS = [49, 53, 55, 61]

# Headings of the channel table: the printout cuts a heading longer than 15 bytes.
COLUMN_HEADINGS = [42, 43, 44, 45, 46, 48, 51, 54, 64]
TX_TONE = 46  # its printed width sets the width of the printed table
TX_TONE_MAX_WIDTH = 8  # in display cells: a Chinese character counts two

FIELD_LIMIT = 47  # bytes per classic text in the file's original 8-bit code pages
LINE_LIMIT = 255


def display_width(text):
    return sum(2 if ord(c) > 0x2E7F else 1 for c in text)


def legacy_bytes(text, column):
    # Column 0 was kept in the Chinese code page, the others in a Latin one.
    encoding = "gb18030" if column == 0 else "cp1252"
    try:
        return len(text.encode(encoding))
    except UnicodeEncodeError:
        return len(text.encode("utf-8"))


def access_key(text):
    m = re.search(r"&(.)", text)
    return m.group(1).upper() if m else None


def tool_tip(text):
    return text.split("(", 1)[0][:79]


def placeholders(text):
    return sorted(set(re.findall(r"%\d", text)))


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "lang.csv")
    errors = []
    warnings = []

    raw = open(path, "rb").read()
    if raw.startswith(b"\xef\xbb\xbf"):
        warnings.append("the file starts with a byte-order mark (allowed, not needed)")
        raw = raw[3:]
    if b"\r" in raw:
        errors.append("the file holds CR characters: use LF line ends")
    if not raw.endswith(b"\n"):
        errors.append("the last line has no line end")
    try:
        content = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        print(f"{path}: not UTF-8: {e}")
        return 1

    lines = content.split("\n")[:-1] if content.endswith("\n") else content.split("\n")
    expected = 1 + CLASSIC + EXTENDED
    if len(lines) != expected:
        errors.append(f"{len(lines)} lines, expected {expected} "
                      f"(header, #0..#186, #187..#{CLASSIC + EXTENDED - 1})")

    header = lines[0].split(",") if lines else []
    if len(header) != LANGUAGES or any(not h for h in header):
        errors.append(f"header row {lines[0]!r}: expected {LANGUAGES} names and no final comma")
    elif not re.search(r"[\u4e00-\u9fff]", header[0]) or header[1] != "English":
        errors.append(f"header row {lines[0]!r}: column 0 names Chinese, column 1 English")

    texts = []  # texts[n][column]
    for n, line in enumerate(lines[1:]):
        fields = line.split(",")
        where = f"line {n + 2} (#{n})"
        if len(fields) != LANGUAGES:
            errors.append(f"{where}: {len(fields)} fields, expected {LANGUAGES}: {line!r}")
            fields = (fields + [""] * LANGUAGES)[:LANGUAGES]
        for c, f in enumerate(fields):
            if not f:
                errors.append(f"{where}: column {c} is empty")
            elif f != f.strip():
                errors.append(f"{where}: column {c} has blanks at its start or end: {f!r}")
            if n < CLASSIC and legacy_bytes(f, c) > FIELD_LIMIT:
                warnings.append(f"{where}: column {c} is {legacy_bytes(f, c)} bytes "
                                f"(older programs keep {FIELD_LIMIT}): {f}")
        if n < CLASSIC and len(line.encode("utf-8")) > LINE_LIMIT:
            warnings.append(f"{where}: longer than {LINE_LIMIT} bytes")
        texts.append(fields)

    if len(texts) < CLASSIC + EXTENDED:
        for e in errors:
            print("error:", e)
        return 1

    for c in range(LANGUAGES):
        lang = header[c] if c < len(header) else str(c)

        for n in TOOL_TIPS:
            tip = tool_tip(texts[n][c])
            if not tip.strip() or tip != tip.strip():
                errors.append(f"#{n} [{lang}]: tool tip {tip!r} is empty or ends in a blank")

        for caption, items in MENUS:
            keys = {}
            for n in items:
                k = access_key(texts[n][c])
                if k and k in keys:
                    errors.append(f"#{n} [{lang}]: access key {k} also used by #{keys[k]}")
                if k:
                    keys[k] = n
        top = {}
        for caption, _ in MENUS:
            k = access_key(texts[caption][c])
            if not k:
                errors.append(f"#{caption} [{lang}]: menu caption without access key")
            elif k in top:
                errors.append(f"#{caption} [{lang}]: access key {k} also used by #{top[k]}")
            else:
                top[k] = caption
        for n in NO_ACCESS_KEY:
            if "&" in texts[n][c]:
                errors.append(f"#{n} [{lang}]: also a caption, must not carry an access key")

        for what, numbers in DISTINCT.items():
            seen = {}
            for n in numbers:
                t = texts[n][c]
                if t in seen:
                    errors.append(f"{what} [{lang}]: #{n} and #{seen[t]} both read {t!r}")
                seen[t] = n

        zero = {texts[n][c] for n in BIT0_TEXTS}
        for n in BIT1_TEXTS:
            if texts[n][c] in zero:
                errors.append(f"#{n} [{lang}]: {texts[n][c]!r} stands for 1 but reads like a 0 text")

        for n in COLUMN_HEADINGS:
            if len(texts[n][c].encode("utf-8")) > 15:
                errors.append(f"#{n} [{lang}]: heading longer than 15 bytes is cut in print")
        if display_width(texts[TX_TONE][c]) > TX_TONE_MAX_WIDTH:
            errors.append(f"#{TX_TONE} [{lang}]: {texts[TX_TONE][c]!r} is too wide; "
                          "it sets the printed table's width")

        # Texts #84 and #85 are followed directly by #75 in the finished boxes.
        for n in (84, 85):
            joined = texts[n][c] + texts[75][c]
            if re.search(r"[A-Za-z][A-Za-z]", texts[n][c][-1:] + texts[75][c][:1]):
                errors.append(f"#{n}+#75 [{lang}]: words run together: {joined!r}")

        # A tone text must not read like a tone value, or the off entry parses as a tone.
        if re.match(r"^[0-9DdIiNn.]+$", texts[47][c]):
            errors.append(f"#47 [{lang}]: {texts[47][c]!r} looks like a tone value")

    for n in range(CLASSIC, CLASSIC + EXTENDED):
        p = [placeholders(texts[n][c]) for c in range(LANGUAGES)]
        if any(x != p[0] for x in p):
            errors.append(f"#{n}: placeholders differ between the columns: {p}")

    for w in warnings:
        print("warning:", w)
    for e in errors:
        print("error:", e)
    if not errors:
        print(f"{path}: {len(lines)} lines, {len(texts)} texts in {LANGUAGES} languages: OK")
        for c in range(LANGUAGES):
            print(f"  [{header[c]}] {texts[84][c] + texts[75][c]} / "
                  f"{texts[85][c] + texts[75][c]} / caption: {texts[185][c]} Q71/Q72(400-470MHZ)")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
