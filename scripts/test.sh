#!/usr/bin/env bash
# Installs what is missing, builds climstat with its tests and benchmarks, and runs every test.
# Tests that need the real climate files read them from ../shared/data (CMake option
# CLIMSTAT_TEST_DATA_DIR); they skip without it unless CLIMSTAT_REQUIRE_TEST_DATA=1.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
cd "$root/build/release"
ctest --output-on-failure --no-tests=error -j "$(nproc)"
