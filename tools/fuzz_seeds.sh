#!/usr/bin/env bash
# Fills each fuzz target's working corpus with seeds: the committed ones under fuzz/corpus/ and
# files we ship (letter orders, groups, filters, the sample font) and the golden conversions.
#   tools/fuzz_seeds.sh <build folder>
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"
seed() {  # seed <target> <files...>
  local dir="$build/corpus/$1"
  shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp -n "$f" "$dir/" || true; done
}
for d in fuzz/corpus/*/; do
  [ -d "$d" ] && seed "$(basename "$d")" "$d"*
done
seed fuzz_glyph_order data/xlor/*.xlor
seed fuzz_char_filter data/xllt/*.xllt
seed fuzz_glyph_groups data/xggp/*.xggp
seed fuzz_bmp data/sample/*.bmp
seed fuzz_tga data/sample/*.tga

# The golden conversions' files (made by the converter and reviewed), the same seeds the tests'
# truncation and corruption loops start from: binary fonts in every format, encoding and
# grouping, little-endian twins and bitmap-per-character fonts, TGA and BMP image fonts.
golden=tests/golden
seed fuzz_bofnt "$golden"/*.bofnt "$golden"/*.bofna "$golden"/inputs/*.bofn?
# Small hostile fonts: many codes on one glyph index, an unknown texture format.
python3 tools/make_hostile_fonts.py "$build/hostile" >/dev/null
seed fuzz_bofnt "$build/hostile/shared-small.bofnt" "$build/hostile/unknown-format-direct.bofnt"
seed fuzz_tga "$golden"/*.tga
# BMFont descriptors of our own making in the three forms.
seed fuzz_fnt "$golden"/*.fnt
seed fuzz_bmp "$golden"/*.bmp
# PNG in every colour type, bit depth and interlacing, as ImageMagick and Pillow write it.
/usr/bin/python3 tests/image/make_peer_images.py "$build/peer" >/dev/null
seed fuzz_png "$golden"/*.png "$build/peer"/*.png
# The compressed sheet streams of the archived fonts, for the codecs' target.
mkdir -p "$build/corpus/fuzz_expand"
python3 - "$build/corpus/fuzz_expand" "$golden"/*.bofna <<'PY'
import struct, sys
for path in sys.argv[2:]:
    data = open(path, 'rb').read()
    pos = 16
    while pos < len(data):
        kind, size = data[pos:pos + 4], struct.unpack('>I', data[pos + 4:pos + 8])[0]
        if kind == b'TGLP':
            count = struct.unpack('>H', data[pos + 16:pos + 18])[0]
            at = struct.unpack('>I', data[pos + 28:pos + 32])[0]
            for sheet in range(count):
                stored = struct.unpack('>I', data[at:at + 4])[0]
                name = '%s/%s-%d' % (sys.argv[1], path.split('/')[-1], sheet)
                open(name, 'wb').write(data[at + 4:at + 4 + stored])
                at += 4 + stored
        pos += max(size, 8)
PY
# The image font target reads a 16-bit little-endian letter order length, the order, then the
# picture (its first byte after the length also picks the format).
pair() {  # pair <order> <picture> <output>
  python3 - "$1" "$2" "$3" <<'PY'
import sys
order = open(sys.argv[1], 'rb').read()[:65535]
picture = open(sys.argv[2], 'rb').read()
open(sys.argv[3], 'wb').write(len(order).to_bytes(2, 'little') + order + picture)
PY
}
mkdir -p "$build/corpus/fuzz_image_font"
pair data/xlor/ascii.xlor data/sample/sample.bmp "$build/corpus/fuzz_image_font/sample-bmp"
pair data/xlor/ascii.xlor "$golden/sample-tga.tga" "$build/corpus/fuzz_image_font/sample-tga"
pair data/xlor/ascii.xlor "$golden/sample-png.png" "$build/corpus/fuzz_image_font/sample-png"
true
