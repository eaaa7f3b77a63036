#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job on the bundled sample.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh build
./build/vela_typeloomc || true
