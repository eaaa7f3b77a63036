#!/usr/bin/env bash
# Takes the desktop program's screenshots on a virtual 1366 x 728 screen (a 1366 x 768 one less
# a 40-pixel panel), in English and in Japanese:
#   tools/gui_screenshot.sh <build folder> <output folder>
# desktop-options[-ja].png: the main window with every option unfolded (Windows Font in, image
# out), on a fresh start;
# desktop-preview[-ja].png: the preview of DejaVu Sans at 16 pixels as an I4 binary font, at 4x,
# with cell outlines and baselines, and a sample line holding a character the face lacks (a
# hiragana), boxed in red.
# Each shot runs the program on settings of its own, in a fresh folder.
set -euo pipefail
build="$(cd "$1" && pwd)"
out="$(realpath -m "$2")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

shoot() {  # <name> <locale> <settings> <keys to press once the window is up> <point to click>
  local config="$work/$1"
  mkdir -p "$config/vela_typeloom"
  printf '%b' "$3" >"$config/vela_typeloom/vela_typeloom.ini"
  XDG_CONFIG_HOME="$config" QT_QPA_PLATFORM=xcb LANG="$2" LC_ALL="$2" \
    xvfb-run -a -s "-screen 0 1366x728x24" bash -c '
    # A window manager frames the window as users see it.
    if command -v openbox >/dev/null; then openbox & sleep 1; fi
    "$1/vela_typeloom" &
    program=$!
    for _ in $(seq 50); do
      id=$(xdotool search --name "VELA typeloom" 2>/dev/null | head -n1 || true)
      [ -n "$id" ] && break
      sleep 0.2
    done
    sleep 1
    if [ -n "$3" ]; then
      xdotool windowactivate --sync "$id" key $3
      sleep 10
    fi
    if [ -n "$4" ]; then
      xdotool mousemove --window "$id" $4 click 1
      sleep 1
    fi
    import -window root "$2"
    kill "$program"
  ' _ "$build" "$out/$1.png" "$4" "${5:-}"
  echo "$out/$1.png"
}

options='[Main]\nShowOption=1\nInputSelect=2\nOutputSelect=0\n[InWin]\nName=DejaVu Sans\nShowOption=1\n'
preview="[Main]\nInputSelect=2\nOutputSelect=1\nShowPreview=1\n[InWin]\nName=DejaVu Sans\nSize=16\nbpp=I4\n[Preview]\nZoom=4\nCellOutlines=1\nBaseline=1\nSample=AVWay \\\\3042 fij\n[OutQuillPath]\nPath=$work/dejavu16.bofnt\n"
shoot desktop-options C.UTF-8 "$options" ''
shoot desktop-options-ja ja_JP.UTF-8 "$options" ''
shoot desktop-preview C.UTF-8 "$preview" 'alt+p' '900 160'
shoot desktop-preview-ja ja_JP.UTF-8 "$preview" 'alt+p' '900 160'
