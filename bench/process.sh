#!/usr/bin/env bash
# Whole-process figures of the console program, process start and file writing included:
# instructions (valgrind's callgrind, repeatable on a busy machine), CPU seconds (user + system,
# median of five runs) and peak memory (largest resident size), printed as Markdown tables.
#   bench/process.sh [BUILD_FOLDER] [GLYPH COUNTS...]    (default: build 1000 10000 40000)
# Needs valgrind, Python 3 and fc-match, and the build's bench_freetype_floor and
# bench_make_image_font.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000 10000 40000)
program=$build/vela_typeloomc
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : //p'
}
# "seconds peak_KiB": the median CPU time of five runs and the largest peak, as the kernel
# accounts them for the finished child.
cpu_and_peak() {
    python3 - "$@" <<'PYTHON'
import resource, subprocess, sys
times, peak = [], 0
for _ in range(5):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    times.append(after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime)
    peak = max(peak, after.ru_maxrss)
print("%.3f %d" % (sorted(times)[2], peak))
PYTHON
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
millions() { awk -v a="$1" 'BEGIN { printf "%.1f M", a / 1e6 }'; }

echo "Machine: $(lscpu | sed -n 's/^Model name: *//p' | head -1), $(nproc) CPUs;" \
     "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| Run | Instructions | CPU |"
echo "|---|---|---|"
read -r cpu _ < <(cpu_and_peak "$program")
echo "| usage alone | $(millions "$(instructions "$program")") | ${cpu} s |"
echo

face=$(fc-match -f '%{file}' 'DejaVu Sans')
echo "| DejaVu Sans, I4 | Conversion | FreeType alone | Ratio | Conversion CPU | FreeType CPU | Ratio |"
echo "|---|---|---|---|---|---|---|"
for pixels in 16 32; do
    convert=("$program" -i win -in "DejaVu Sans" -is "$pixels" -ic I4 -o bofnt -of "$scratch/font.bofnt")
    floor=("$build/bench/bench_freetype_floor" "$face" "$pixels")
    ours=$(instructions "${convert[@]}")
    theirs=$(instructions "${floor[@]}")
    read -r ourCpu _ < <(cpu_and_peak "${convert[@]}")
    read -r theirCpu _ < <(cpu_and_peak "${floor[@]}")
    echo "| $pixels px | $(millions "$ours") | $(millions "$theirs") | $(ratio "$ours" "$theirs") |" \
         "${ourCpu} s | ${theirCpu} s | $(ratio "$ourCpu" "$theirCpu") |"
done
echo

echo "| Image font (IA4) to binary font | Picture pixels | Instructions | Per pixel | CPU | Peak | Peak per pixel |"
echo "|---|---|---|---|---|---|---|"
for count in "${counts[@]}"; do
    # The same picture from our writer as BMP and as PNG.
    for format in bmp png; do
        picture=$scratch/font.$format
        "$build/bench/bench_make_image_font" "$count" "$picture" "$scratch/font.xlor" >/dev/null
        if [ "$format" = bmp ]; then
            read -r width height < <(od -An -t d4 -j 18 -N 8 "$picture")
        else
            read -r width height < <(od -An -t u4 --endian=big -j 16 -N 8 "$picture")
        fi
        pixels=$((width * ${height#-}))
        convert=("$program" -i image -if "$picture" -io "$scratch/font.xlor" -ic IA4 -o bofnt
                 -of "$scratch/font.bofnt")
        count_instructions=$(instructions "${convert[@]}")
        read -r cpu peak < <(cpu_and_peak "${convert[@]}")
        echo "| $count glyphs, $format | $pixels | $(millions "$count_instructions") |" \
             "$(awk -v a="$count_instructions" -v p="$pixels" 'BEGIN { printf "%.1f", a / p }') |" \
             "${cpu} s | $((peak / 1024)) MiB | $(awk -v k="$peak" -v p="$pixels" 'BEGIN { printf "%.1f B", k * 1024 / p }') |"
    done
done
