#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the normal build, then the whole suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer, the suites that start threads
# under ThreadSanitizer, and every fuzz target for a short while.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh

export QT_QPA_PLATFORM=offscreen
tools/build.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")

tools/build.sh build-asan -DTYPELOOM_SANITIZE=address -DTYPELOOM_BENCH=OFF -DTYPELOOM_GUI=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$(nproc)")

# The threads: the desktop's file list scans, the per-thread exception record, the fatal signal
# reports of worker threads.
tools/build.sh build-tsan -DTYPELOOM_SANITIZE=thread -DTYPELOOM_BENCH=OFF \
  -- tests_base tests_core tests_platform tests_gui
for suite in tests/tests_base tests/tests_core tests/tests_platform tests/gui/tests_gui; do
  TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tools/tsan.supp" "build-tsan/$suite" \
    --gtest_brief=1
done

# Every fuzz target for a short while on its seeds; any finding fails the run.
tools/fuzz.sh "${TYPELOOM_FUZZ_SECONDS:-30}"
