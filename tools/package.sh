#!/usr/bin/env bash
# Builds the Debian package into build-deb/ from a folder of its own, without tests or
# benchmarks, and checks it with lintian when that is installed:
#   tools/package.sh        ->  build-deb/typeloom_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh build-deb -DCMAKE_BUILD_TYPE=Release -DTYPELOOM_TESTS=OFF -DTYPELOOM_BENCH=OFF \
  -DTYPELOOM_FUZZ=OFF "$@"
(cd build-deb && cpack -G DEB)
package=$(ls build-deb/typeloom_*.deb)
dpkg-deb -c "$package"
if command -v lintian >/dev/null; then
  lintian --info "$package" || true
fi
