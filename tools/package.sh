#!/usr/bin/env bash
# Installs what is needed (tools/setup.sh), builds the two Debian packages into build-deb/ from
# a folder of its own without tests or benchmarks, and checks them:
#   tools/package.sh [cmake options...]
#     -> build-deb/typeloom_<version>_<arch>.deb          the console program, data, CMake package
#        build-deb/typeloom-desktop_<version>_<arch>.deb  the desktop program (not with
#                                                         -DTYPELOOM_GUI=OFF)
# hardening-check on the programs and the language library and lintian on the packages
# (informational and pedantic tags too) fail the run on any complaint; the tags that remain for
# a reason are overridden in dist/lintian/, each with the reason.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh build-deb -DCMAKE_BUILD_TYPE=Release -DTYPELOOM_TESTS=OFF -DTYPELOOM_BENCH=OFF \
  -DTYPELOOM_FUZZ=OFF "$@"
rm -f build-deb/*.deb
(cd build-deb && cpack -G DEB)
binaries=(build-deb/vela_typeloomc build-deb/1041/typeloom_langRes.so)
[ -f build-deb/vela_typeloom ] && binaries+=(build-deb/vela_typeloom)
# The control-flow test is left out: no program linked on Debian 12 can pass it, as the linker
# drops the property when the C library's start files (Scrt1.o) do not carry it, and they do not.
hardening-check --nocfprotection "${binaries[@]}"
for package in build-deb/*.deb; do
  dpkg-deb --info "$package"
  dpkg-deb --contents "$package"
done
lintian --display-info --pedantic --fail-on error,warning,info,pedantic build-deb/*.deb
