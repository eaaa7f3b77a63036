#!/usr/bin/env bash
# Installs the Debian 12 packages typeloom needs to build, test, package and run.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  libxerces-c-dev libicu-dev libfreetype-dev libfontconfig-dev libsimpleini-dev zlib1g-dev libpng-dev
  qt6-base-dev qt6-l10n-tools qt6-translations-l10n
  fonts-dejavu-core fonts-ipafont-gothic
  imagemagick python3-pil
  xvfb xauth
  tmux bash-completion
  clang-14 libclang-rt-14-dev
  lintian devscripts
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
