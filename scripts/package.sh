#!/usr/bin/env bash
# Builds climstat in Release and makes its Debian package, build/climstat_<version>_amd64.deb.
# Install it with: sudo apt install ./build/climstat_*.deb
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="$root/build/package"
"$root/scripts/build.sh" package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCLIMSTAT_BUILD_TESTS=OFF -DCLIMSTAT_BUILD_BENCH=OFF
rm -f "$build"/climstat_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
rm -f "$root"/build/climstat_*.deb
mv "$build"/climstat_*.deb "$root/build/"
ls "$root"/build/climstat_*.deb
