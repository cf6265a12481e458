#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build/fuzz and runs each for SECONDS (default 60),
# starting from the seed corpus in fuzz/corpus. Fails when a target finds a crash, undefined
# behaviour, a leak or an input that runs longer than 10 s; the input is kept in
# build/fuzz/artifacts/<target>/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
case "$seconds" in
    '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac
build="$root/build/fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCLIMSTAT_FUZZ=ON -DCLIMSTAT_SANITIZE=OFF -DCLIMSTAT_WERROR=ON \
    -DCLIMSTAT_BUILD_TESTS=OFF -DCLIMSTAT_BUILD_BENCH=OFF -DCLIMSTAT_BUILD_CLI=ON \
    -DCLIMSTAT_BUILD_APP=OFF >/dev/null
targets=(station_file met_file station_records cli_arguments epw_file isd_lite)
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/%/_fuzzer}"

for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    # ISD-Lite files come gzip-compressed from the archive: the plain seeds packed as well
    # (the first byte, the UTC offset, stays plain).
    if [ "$target" = isd_lite ] && command -v gzip >/dev/null; then
        for seed in "$root/fuzz/corpus/isd_lite"/*.txt; do
            { head -c 1 "$seed"; tail -c +2 "$seed" | gzip -9 -n; } >"$corpus/$(basename "$seed" .txt).gz"
        done
    fi
    echo "== fuzz $target for ${seconds} s"
    "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$root/fuzz/corpus/$target"
done
