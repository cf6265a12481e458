#!/usr/bin/env bash
# Builds what is needed, drives the desktop window headless under xvfb-run through every page
# and saves one PNG per page into OUTDIR (1288 x 768, every page at 1024 x 600, and some at
# 1920 x 1080).
# Usage: scripts/screenshots.sh OUTDIR [DATADIR]   (DATADIR defaults to CLIMSTAT_DATA_DIR)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ $# -lt 1 ]; then
    echo "usage: $0 OUTDIR [DATADIR]" >&2
    exit 2
fi
out="$1"
data="${2:-${CLIMSTAT_DATA_DIR:-}}"
if [ -z "$data" ] || [ ! -d "$data" ]; then
    echo "$0: no data folder: give DATADIR or set CLIMSTAT_DATA_DIR" >&2
    exit 2
fi
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release -DCLIMSTAT_BUILD_TESTS=ON -DCLIMSTAT_BUILD_BENCH=ON
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1920x1200x24" "$root/build/release/tests/climstat-screenshots" \
    "$out" "$(cd "$data" && pwd)" | grep -v -e '^Fichero lectura' -e '^aqui$'
