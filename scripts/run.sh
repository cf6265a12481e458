#!/usr/bin/env bash
# Installs what is missing, builds climstat and starts the desktop program.
# Example: scripts/run.sh --data-dir ../shared/data/database
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release -DCLIMSTAT_BUILD_TESTS=OFF -DCLIMSTAT_BUILD_BENCH=OFF
exec "$root/build/release/climstat" "$@"
