#!/usr/bin/env bash
# Configures and builds climstat into build/<name> (default build/release).
# Usage: scripts/build.sh [name] [extra cmake arguments...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
name="${1:-release}"
shift || true
build="$root/build/$name"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCLIMSTAT_WERROR=ON "$@" \
    >/dev/null
cmake --build "$build" -j "$(nproc)"
