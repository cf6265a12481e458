#!/usr/bin/env bash
# Installs what is missing, builds climstat and runs climstat-cli with the given arguments.
# Example: scripts/cli.sh --data-dir ../shared/data/database info --source cte2013 --location D3_peninsula
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release -DCLIMSTAT_BUILD_TESTS=OFF -DCLIMSTAT_BUILD_BENCH=OFF
exec "$root/build/release/climstat-cli" "$@"
