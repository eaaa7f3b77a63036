#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while on its corpus.
#   tools/fuzz.sh [seconds per target] [target ...]
# TYPELOOM_FUZZ_JOBS targets run at a time (default: one per core). Prints, per target, the
# executions, the coverage reached and any finding; exits non-zero when a target found a
# crash, a leak, a timeout or ran out of memory. The corpora grow in build-fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
jobs="${TYPELOOM_FUZZ_JOBS:-$(nproc)}"

build=build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTYPELOOM_FUZZ=ON -DTYPELOOM_SANITIZE=fuzzer -DTYPELOOM_GUI=OFF -DTYPELOOM_TESTS=OFF \
  -DTYPELOOM_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in "$build"/fuzz/fuzz_*; do targets+=("$(basename "$t")"); done
fi

tools/fuzz_seeds.sh "$build"

run_target() {  # run_target <target>: the log and the exit code land in findings/<target>/
  local t="$1" work="$build/corpus/$1" out="$build/findings/$1" dict=()
  mkdir -p "$work" "$out"
  case "$t" in fuzz_glyph_order|fuzz_char_filter|fuzz_glyph_groups) dict=(-dict=fuzz/xml.dict) ;;
    fuzz_fnt) dict=(-dict=fuzz/fnt.dict) ;; esac
  set +e
  "$build/fuzz/$t" "$work" "${dict[@]}" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -timeout=10 -max_len=262144 -print_final_stats=1 -artifact_prefix="$out/" >"$out/log.txt" 2>&1
  echo $? >"$out/rc"
}

running=0
for t in "${targets[@]}"; do
  run_target "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

failed=0
printf '%-22s %12s %8s %8s  %s\n' target executions cov ft finding
for t in "${targets[@]}"; do
  log="$build/findings/$t/log.txt"
  rc=$(cat "$build/findings/$t/rc")
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
  finding=none
  if [ "$rc" -ne 0 ]; then
    finding=$(grep -m1 -oE 'ERROR: [A-Za-z]+: [a-z-]+|ERROR: libFuzzer: [a-z-]+|SUMMARY: .*' "$log" || echo "exit $rc")
    failed=1
  fi
  printf '%-22s %12s %8s %8s  %s\n' "$t" "$execs" "$cov" "$ft" "$finding"
done
for t in "${targets[@]}"; do
  if [ "$(cat "$build/findings/$t/rc")" -ne 0 ]; then
    echo "== $t"
    tail -40 "$build/findings/$t/log.txt"
  fi
done
exit $failed
