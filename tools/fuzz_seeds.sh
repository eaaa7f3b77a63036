#!/usr/bin/env bash
# Fills each fuzz target's working corpus with seeds: the committed ones under fuzz/corpus/ and
# files made from what we ship (letter orders, groups, filters, sample fonts).
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

# Made by the converter itself: binary fonts in several formats and encodings, normal and
# archived, a TGA image font, and image fonts paired with their letter order.
made="$build/seed-files"
mkdir -p "$made"
conv="$build/vela_typeloomc"
sample=(-i image -if data/sample/sample.bmp -io data/xlor/ascii.xlor)
if [ -x "$conv" ]; then
  for fmt in I4 IA8 RGB5A3 RGBA8; do
    "$conv" "${sample[@]}" -ic "$fmt" -o bofnt -of "$made/sample-$fmt.bofnt" >/dev/null 2>&1 || true
  done
  "$conv" "${sample[@]}" -ic IA4 -o bofnt -oe sjis -of "$made/sample-sjis.bofnt" >/dev/null 2>&1 || true
  "$conv" "${sample[@]}" -ic IA4 -o bofnt -op data/xggp/sample.xggp -of "$made/sample.bofna" \
    >/dev/null 2>&1 || true
  "$conv" "${sample[@]}" -ic IA4 -o image -oi tga -of "$made/sample.tga" \
    -oo data/xlor/ascii.xlor >/dev/null 2>&1 || true
fi
seed fuzz_bofnt "$made"/*.bofnt "$made"/*.bofna
seed fuzz_tga "$made"/*.tga
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
[ -f "$made/sample.tga" ] && pair data/xlor/ascii.xlor "$made/sample.tga" \
  "$build/corpus/fuzz_image_font/sample-tga"
true
