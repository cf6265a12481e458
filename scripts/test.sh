#!/usr/bin/env bash
# Installs what is missing, builds climstat with its tests and benchmarks, and runs every test.
# Tests that need the real climate files read them from ../shared/data (CMake option
# CLIMSTAT_TEST_DATA_DIR); they skip without it unless CLIMSTAT_REQUIRE_TEST_DATA=1.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
# Tests and benchmarks are asked for explicitly: scripts/run.sh configures the same build folder
# without them.
"$root/scripts/build.sh" release -DCLIMSTAT_BUILD_TESTS=ON -DCLIMSTAT_BUILD_BENCH=ON
cd "$root/build/release"
ctest --output-on-failure --no-tests=error -j "$(nproc)"
