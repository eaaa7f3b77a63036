#!/usr/bin/env python3
"""Writes small hostile binary fonts that declare far more work than they hold.

    tools/make_hostile_fonts.py <folder>

Each file is at most 64 KB. Run the converter on them to see what a read costs, e.g.
    /usr/bin/time -v build/vela_typeloomc -i bofnt -if <folder>/shared-ink.bofnt \
        -o bofnt -of /tmp/out.bofnt
"""
import struct
import sys
from pathlib import Path


def block(kind, content):
    content += b"\0" * (-len(content) % 4)
    return kind + struct.pack(">I", 8 + len(content)) + content


def font(cell, sheet_side, fmt, sheet_count, sheet_data, widths, cmap, default_width=(0, 0, 0),
         blocks=4):
    """A big-endian file: FINF at 16, TGLP at 48 with its sheet data at 96, then CWDH, CMAP."""
    cw, ch = cell
    per_row = sheet_side // (cw + 1)
    rows = sheet_side // (ch + 1)
    bits = {0: 4, 1: 8, 2: 8, 3: 16, 4: 16, 5: 16, 6: 32}.get(fmt & 0x7FFF, 0)
    sheet_bytes = bits * sheet_side * sheet_side // 8
    tglp_fields = struct.pack(">BBbBIHHHHHHI", cw, ch, min(ch - 1, 127), cw, sheet_bytes, sheet_count, fmt,
                              per_row, rows, sheet_side, sheet_side, 96)
    tglp = block(b"TGLP", tglp_fields + b"\0" * (96 - 80) + sheet_data)
    cwdh_at = 48 + len(tglp)
    first, entries = widths
    cwdh = block(b"CWDH", struct.pack(">HHI", first, first + len(entries) - 1, 0) +
                 b"".join(struct.pack(">bBb", *e) for e in entries))
    cmap_at = cwdh_at + len(cwdh)
    left, glyph, advance = default_width
    finf = block(b"FINF", struct.pack(">BbHbBbBIIIBBBB", 1, min(ch, 127), 0, left, glyph, advance, 1,
                                      56, cwdh_at + 8, cmap_at + 8, ch, cw, ch - 1, 0))
    body = finf + tglp + cwdh + cmap
    return b"OFNT" + struct.pack(">HHIHH", 0xFEFF, 0x0104, 16 + len(body), 16, blocks) + body


def scan_map(pairs):
    data = struct.pack(">H", len(pairs)) + b"".join(struct.pack(">HH", c, i) for c, i in pairs)
    return block(b"CMAP", struct.pack(">HHHHI", 0, 0xFFFF, 2, 0, 0) + data)


def chained_direct_maps(at, codes):
    """One direct map block per code, each linked to the next; `at` is where the first starts."""
    out = b""
    for n, code in enumerate(codes):
        following = at + 24 * (n + 1) + 8 if n + 1 < len(codes) else 0
        out += block(b"CMAP", struct.pack(">HHHHIH", code, code, 0, 0, following, 0))
    return out


def direct_map(first, last, index):
    return block(b"CMAP", struct.pack(">HHHHI", first, last, 0, 0, 0) + struct.pack(">H", index))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    wide = (0, 255, 0)
    # An unknown texture format: 4,096 codes on one 255 x 255 cell, no sheet data at all.
    files = {
        "unknown-format.bofnt": font((255, 255), 256, 7, 1, b"", (0, [wide]),
                                     scan_map([(c, 0) for c in range(4096)])),
        # The same with every code of a direct map on its own cell, all of the default width.
        "unknown-format-direct.bofnt": font((255, 255), 256, 7, 65535, b"", (0, [wide]),
                                            direct_map(0, 0xFFFE, 0), (0, 255, 0)),
    }
    # One inked I4 cell of 255 x 255 shared by 2,000 codes (a 256 x 256 sheet is 32 KB).
    # The top-left spacing pixel stays paper: it gives the background.
    ink = bytes([0x0F]) + bytes([0xFF]) * (4 * 256 * 256 // 8 - 1)
    files["shared-ink.bofnt"] = font((255, 255), 256, 0, 1, ink, (0, [(0, 255, 127)]),
                                     scan_map([(0x4E00 + c, 0) for c in range(2000)]))
    # A fuzzing seed: 300 codes on one inked 15 x 15 cell of a 32 x 32 I4 sheet.
    small_ink = bytes([0x0F]) + bytes([0xFF]) * (4 * 32 * 32 // 8 - 1)
    files["shared-small.bofnt"] = font((15, 15), 32, 0, 1, small_ink, (0, [(0, 15, 16)]),
                                       scan_map([(0x20 + c, 0) for c in range(300)]))
    # As many codes as 64 KB holds, on that one cell.
    files["shared-ink-many.bofnt"] = font((255, 255), 256, 0, 1, ink, (0, [(0, 255, 127)]),
                                          scan_map([(c, 0) for c in range(7000)]))
    # Thousands of one-code maps: every code of the 65,536 the reader walks looks through all.
    plain = font((15, 15), 32, 0, 1, bytes(512), (0, [(0, 15, 16)]), b"")
    files["many-maps.bofnt"] = font((15, 15), 32, 0, 1, bytes(512), (0, [(0, 15, 16)]),
                                    chained_direct_maps(len(plain), range(2600)),
                                    blocks=2603)
    for name, data in files.items():
        assert len(data) <= 65536, name
        (out / name).write_bytes(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
