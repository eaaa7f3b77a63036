#!/usr/bin/env bash
# Makes the golden files in tests/golden again with a build's console program, row by row from
# tests/golden/conversions.txt (the table the golden test reads), and prints which files changed,
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
# The rows read these two, and an earlier row's output through $GOLDEN.
export DATA="$PWD/data" GOLDEN="$made"

while read -r name code locale args; do
  case "$name" in '' | '#'*) continue ;; esac
  run="$work/run"
  mkdir "$run"
  rc=0
  (cd "$run" && eval "env -u LC_ALL -u LC_MESSAGES -u LANG LANG=$locale \"\$program\" $args") \
    >"$made/$name.stdout" 2>"$work/stderr" || rc=$?
  if [ "$rc" != "$code" ] || [ -s "$work/stderr" ]; then
    echo "$name: exit code $rc (expected $code)" >&2
    cat "$work/stderr" >&2
    exit 1
  fi
  [ -s "$made/$name.stdout" ] || rm "$made/$name.stdout"
  find "$run" -mindepth 1 -maxdepth 1 -exec mv -t "$made" {} +
  rmdir "$run"
done <"$golden/conversions.txt"

changes=0
for file in "$made"/*; do
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
  if [ "$base" != conversions.txt ] && [ ! -e "$made/$base" ]; then
    echo "removed: $file"
    rm "$file"
    changes=1
  fi
done
[ "$changes" = 1 ] || echo "no change"
