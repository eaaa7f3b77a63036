#!/usr/bin/env bash
# Configures and builds one build folder:
#   tools/build.sh <folder> [cmake options...] [-- target...]
# Without targets everything is built.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"
shift
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  options+=("$1")
  shift
done
[ $# -gt 0 ] && shift
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)" "${targets[@]}"
