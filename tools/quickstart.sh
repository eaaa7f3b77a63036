#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job: an installed font, then the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh build
mkdir -p out
# 1. The main job: DejaVu Sans (installed by tools/setup.sh) at 16 pixels, 16 gray levels,
#    becomes a binary font resource with every character the face has, and an image font of
#    its ASCII characters.
./build/vela_typeloomc -i win -in "DejaVu Sans" -is 16 -ic I4 -o bofnt -of out/dejavu16.bofnt
echo "Wrote out/dejavu16.bofnt"
./build/vela_typeloomc -i win -in "DejaVu Sans" -is 16 -ic IA4 \
    -o image -of out/dejavu16.bmp -oo build/xlor/ascii.xlor
echo "Wrote out/dejavu16.bmp"
# 2. The sample image font (a BMP drawn by tools/make_sample_font.py) becomes an image font in
#    TGA: out/sample.tga, editable and readable again with the same letter order.
./build/vela_typeloomc -i image -if data/sample/sample.bmp -io build/xlor/ascii.xlor -ic IA4 \
    -o image -of out/sample.tga -oo build/xlor/ascii.xlor
echo "Wrote out/sample.tga"
# 3. The same sample becomes a big-endian binary font resource for the console's runtime.
./build/vela_typeloomc -i image -if data/sample/sample.bmp -io build/xlor/ascii.xlor -ic IA4 \
    -o bofnt -of out/sample.bofnt
echo "Wrote out/sample.bofnt"
