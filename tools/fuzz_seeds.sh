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
