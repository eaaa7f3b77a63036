#!/usr/bin/env bash
# Takes a screenshot of the desktop program's main window under a virtual X server:
#   tools/gui_screenshot.sh <build folder> <output.png>
# The program runs with its own fresh settings folder, showing the defaults with every option
# unfolded.
set -euo pipefail
build="$(cd "$1" && pwd)"
out="$(realpath -m "$2")"
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/vela_typeloom"
printf '[Main]\nShowOption=1\n[InWin]\nShowOption=1\n' >"$config/vela_typeloom/vela_typeloom.ini"
export XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1/vela_typeloom" &
  program=$!
  for _ in $(seq 50); do
    id=$(xwininfo -root -tree 2>/dev/null | grep "VELA typeloom" | awk "{print \$1}" | head -n1)
    [ -n "$id" ] && break
    sleep 0.2
  done
  sleep 1
  import -window "$id" "$2"
  kill "$program"
' _ "$build" "$out"
echo "$out"
