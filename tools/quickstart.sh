#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh build
mkdir -p out
# 1. The sample image font (a BMP drawn by tools/make_sample_font.py) becomes an image font in
#    TGA: out/sample.tga, editable and readable again with the same letter order.
./build/vela_typeloomc -i image -if data/sample/sample.bmp -io build/xlor/ascii.xlor -ic IA4 \
    -o image -of out/sample.tga -oo build/xlor/ascii.xlor
echo "Wrote out/sample.tga"
# 2. The same sample becomes a big-endian binary font resource for the console's runtime.
./build/vela_typeloomc -i image -if data/sample/sample.bmp -io build/xlor/ascii.xlor -ic IA4 \
    -o bofnt -of out/sample.bofnt
echo "Wrote out/sample.bofnt"
