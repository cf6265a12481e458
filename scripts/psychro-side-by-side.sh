#!/usr/bin/env bash
# Times climstat's wet bulb, dew point and relative humidity against the psychrolib JavaScript
# library (npm) on the same 96 360 states, in one run, and prints the ratios. Installs node
# and psychrolib into a temporary folder when they are missing.
# Usage: scripts/psychro-side-by-side.sh [DATADIR]   (default ../shared/data/database)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
data="${1:-${CLIMSTAT_DATA_DIR:-$root/../shared/data/database}}"
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends nodejs npm
fi
"$root/scripts/build.sh" release -DCLIMSTAT_BUILD_BENCH=ON >/dev/null
modules=""
if ! node -e "require('psychrolib')" 2>/dev/null; then
    modules="$(mktemp -d)"
    trap 'rm -rf "$modules"' EXIT
    (cd "$modules" && npm install --silent --no-audit --no-fund psychrolib@1 >/dev/null)
    export NODE_PATH="$modules/node_modules"
fi
"$root/build/release/bench/psychro_side_by_side" "$data" \
    "$root/bench/side_by_side/psychrolib_timing.js"
