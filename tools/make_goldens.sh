#!/usr/bin/env bash
# Makes the golden files in tests/golden again with a build's console program, row by row from
# tests/golden/conversions.txt (the table the golden test reads: "prelude" and "$" setup lines,
# then rows "<name> <exit code> <LANG> <arguments>"), and prints which files changed,
# appeared or went away, or "no change".
#   tools/make_goldens.sh [build folder]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
program="$(cd "${1:-build}" && pwd)/vela_typeloomc"
golden=tests/golden
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
made="$work/made"
mkdir "$made"
cp -r "$golden/inputs" "$made/"
# The rows read these two, and an earlier row's output through $GOLDEN.
export DATA="$PWD/data" GOLDEN="$made"

prelude=""
setup=""
while IFS= read -r line; do
  case "$line" in
    '' | '#'*) continue ;;
    'prelude '*) prelude+="${line#prelude }"$'\n' && continue ;;
    '$ '*) setup+="${line#\$ }"$'\n' && continue ;;
  esac
  read -r name code locale args <<<"$line"
  run="$work/run"
  mkdir "$run"
  rc=0
  (cd "$run" && { eval ":; $prelude$setup"; } >/dev/null &&
    eval "env -u LC_ALL -u LC_MESSAGES -u LANG LANG=$locale \"\$program\" $args") \
    >"$made/$name.stdout" 2>"$work/stderr" || rc=$?
  if [ "$rc" != "$code" ] || [ -s "$work/stderr" ]; then
    echo "$name: exit code $rc (expected $code)" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  [ -s "$made/$name.stdout" ] || rm "$made/$name.stdout"
  # The row's own files; what its setup made stays behind.
  find "$run" -mindepth 1 -maxdepth 1 \( -name "$name.*" -o -name "${name}_*" \) \
    -exec mv -t "$made" {} +
  rm -rf "$run"
  setup=""
done <"$golden/conversions.txt"

changes=0
for file in "$made"/*; do
  [ -f "$file" ] || continue
  base=$(basename "$file")
  if [ ! -e "$golden/$base" ]; then
    echo "new: $golden/$base"
  elif ! cmp -s "$file" "$golden/$base"; then
    echo "changed: $golden/$base"
  else
    continue
  fi
  cp "$file" "$golden/$base"
  changes=1
done
for file in "$golden"/*; do
  base=$(basename "$file")
  if [ -f "$file" ] && [ "$base" != conversions.txt ] && [ ! -e "$made/$base" ]; then
    echo "removed: $file"
    rm "$file"
    changes=1
  fi
done
[ "$changes" = 1 ] || echo "no change"
