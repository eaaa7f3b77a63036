#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the normal build, then the whole suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

export QT_QPA_PLATFORM=offscreen
tools/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")

tools/build.sh build-asan -DTYPELOOM_SANITIZE=address -DTYPELOOM_BENCH=OFF -DTYPELOOM_GUI=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$(nproc)")

# Every fuzz target for a short while on its seeds; any finding fails the run.
tools/fuzz.sh "${TYPELOOM_FUZZ_SECONDS:-30}"
