#!/usr/bin/python3
"""Writes the letter orders, the sample filter and the sample glyph groups we ship in data/.

The code page orders are computed from Python's own code page tables (codecs 'cp1252' and
'cp932'), so they hold exactly the characters those code pages define. Run from anywhere:
    /usr/bin/python3 tools/make_definition_files.py [--check]
With --check it writes nothing and lists the shipped files that differ (exit code 1 if any).
"""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Characters that are written as <code> because they are invisible or easily confused.
SPELLED_AS_CODE = {0x00A0, 0x00AD, 0x3000}
ESCAPES = {"&": "&amp;", "<": "&lt;", ">": "&gt;"}


def cell_markup(char):
    """One cell: a character, <sp/>, <null/> or <code>."""
    if char is None:
        return "<null/>"
    if char == " ":
        return "<sp/>"
    if ord(char) in SPELLED_AS_CODE:
        return "<code>0x%04X</code>" % ord(char)
    return ESCAPES.get(char, char)


def letter_order(title, comment, width, rows):
    """A letter order with one <order> per grid row; cells are separated by spaces."""
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<letter-order version="1.1">',
        "  <head>",
        "    <title>%s</title>" % title,
        "    <comment>%s</comment>" % comment,
        "  </head>",
        "  <body>",
        '    <area width="%d" height="%d"/>' % (width, len(rows)),
    ]
    for row in rows:
        assert len(row) == width
        lines.append("    <order>%s</order>" % " ".join(cell_markup(c) for c in row))
    lines += ["  </body>", "</letter-order>", ""]
    return "\n".join(lines)


def is_control(char):
    code = ord(char)
    return code < 0x20 or 0x7F <= code <= 0x9F


def single_byte(codec, byte):
    """The character of one byte, or None when the code page leaves it unused or a control."""
    try:
        char = bytes([byte]).decode(codec)
    except UnicodeDecodeError:
        return None
    return None if is_control(char) else char


def rows_of(cells, width):
    return [cells[i:i + width] for i in range(0, len(cells), width)]


def cp1252_order():
    cells = [single_byte("cp1252", b) for b in range(0x20, 0x100)]
    return letter_order(
        "Code page 1252",
        "Every character of Windows code page 1252 (Western European), bytes 0x20 to 0xFF in "
        "16 columns; a cell's byte is 0x20 + 16 x row + column. Unused bytes and controls are "
        "empty cells.",
        16, rows_of(cells, 16))


def ascii_order():
    cells = [chr(b) for b in range(0x20, 0x7F)] + [None]
    return letter_order(
        "ASCII",
        "The printable ASCII characters 0x20 to 0x7E in 16 columns; a cell's code is "
        "0x20 + 16 x row + column.",
        16, rows_of(cells, 16))


# Shift-JIS: each lead byte covers two rows (ku) of 94 cells (ten) of the JIS table.
SJIS_TRAILS_ODD_KU = list(range(0x40, 0x7F)) + list(range(0x80, 0x9F))
SJIS_TRAILS_EVEN_KU = list(range(0x9F, 0xFD))
# Lead bytes in table order: JIS X 0208 (0x81-0x9F, 0xE0-0xEA, with NEC row 13 in 0x87) and
# the IBM extensions (0xFA-0xFC). 0xED and 0xEE repeat the IBM extensions (NEC's selection)
# and 0xF0-0xF9 are user-defined, so neither is listed.
SJIS_LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xEB)) + [0xFA, 0xFB, 0xFC]


def double_byte(lead, trail):
    try:
        char = bytes([lead, trail]).decode("cp932")
    except UnicodeDecodeError:
        return None
    if len(char) != 1 or 0xE000 <= ord(char) <= 0xF8FF:
        return None
    return char


def cp932_order():
    width = 94
    ascii_row = [chr(b) for b in range(0x21, 0x7F)]
    kana_row = [" "] + [single_byte("cp932", b) for b in range(0xA1, 0xE0)]
    kana_row += [None] * (width - len(kana_row))
    rows = [ascii_row, kana_row]
    seen = set(ascii_row) | set(kana_row)
    for lead in SJIS_LEADS:
        for trails in (SJIS_TRAILS_ODD_KU, SJIS_TRAILS_EVEN_KU):
            row = []
            for trail in trails:
                char = double_byte(lead, trail)
                # A character the table holds twice keeps its first cell only.
                if char is not None and char in seen:
                    char = None
                if char is not None:
                    seen.add(char)
                row.append(char)
            if any(c is not None for c in row):
                rows.append(row)
    return letter_order(
        "Japanese (code page 932)",
        "Code page 932 (Shift-JIS): the first row holds ASCII 0x21-0x7E, the second the space "
        "and the half-width katakana 0xA1-0xDF; then one row per row (ku) of the JIS table with "
        "its 94 cells (ten) in order: symbols, full-width letters, hiragana, katakana, Greek, "
        "Cyrillic, box drawing, NEC special characters, JIS level 1 and level 2 kanji and the "
        "IBM extensions. Rows without any character are left out; unassigned cells are empty.",
        width, rows)


SAMPLE_FILTER = """<?xml version="1.0" encoding="UTF-8"?>
<letter-list version="1.0">
  <head>
    <title>Score display</title>
    <comment>Digits, signs and the capital letters.</comment>
  </head>
  <body>
    <letter>0123456789</letter>
    <letter>+ - . , : % / <code>0x00D7</code></letter>
    <letter>ABCDEFGHIJKLMNOPQRSTUVWXYZ</letter>
  </body>
</letter-list>
"""

SAMPLE_GROUPS = """<?xml version="1.0" encoding="UTF-8"?>
<glyph-groups version="1.0">
  <head>
    <title>Sample groups</title>
    <comment>Digits, Latin letters and hiragana, each loadable on its own.</comment>
  </head>
  <body>
    <group name="Digits">0123456789<sp/></group>
    <group name="Latin">
      ABCDEFGHIJKLMNOPQRSTUVWXYZ
      abcdefghijklmnopqrstuvwxyz
    </group>
    <group name="Hiragana">%s</group>
  </body>
</glyph-groups>
""" % "".join(chr(c) for c in range(0x3041, 0x3097))


def write(relative, text):
    path = os.path.join(ROOT, relative)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)
    print(relative)
    return True


def same(relative, text):
    """--check: whether the shipped file is what this script writes."""
    try:
        with open(os.path.join(ROOT, relative), encoding="utf-8", newline="") as shipped:
            if shipped.read() == text:
                return True
    except OSError:
        pass
    print("differs: " + relative)
    return False


def main(check):
    files = {
        "data/xlor/cp1252.xlor": cp1252_order(),
        "data/xlor/ascii.xlor": ascii_order(),
        "data/xlor/cp932.xlor": cp932_order(),
        "data/xllt/sample.xllt": SAMPLE_FILTER,
        "data/xggp/sample.xggp": SAMPLE_GROUPS,
    }
    results = [(same if check else write)(name, text) for name, text in files.items()]
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main("--check" in sys.argv[1:]))
