#!/usr/bin/env bash
# Compares the page files two builds of climstat-cli write, byte for byte: every page command
# in every variant for the 32 zone files of the 2013 list and for an eleven-year station made
# of eleven zone files. For checking that a faster engine changes no result.
# Usage: scripts/compare-pages.sh OLD_CLI NEW_CLI [DATADIR]   (default ../shared/data/database)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
old="$1"
new="$2"
data="${3:-$root/../shared/data/database}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The output kind of the frequency page: --kind where the build has it, --output before.
kind_option() {
    if "$1" frequencies --help | grep -q -- '--kind'; then echo --kind; else echo --output; fi
}

# An eleven-year station: year 1997 + k from the k-th peninsular zone, hour by hour (dry bulb,
# token 4; relative humidity, token 9), written by each build into its own data folder.
zones=(A3 A4 B3 B4 C1 C2 C3 C4 D1 D2 D3)
: > "$work/records.csv"
for k in "${!zones[@]}"; do
    awk -v year=$((1997 + k)) 'NR > 2 && NF >= 9 {
        printf "%04d-%02d-%02d;%d;%.1f;%d\n", year, $1, $2, $3, $4, int($9 + 0.5)
    }' "$data/${zones[$k]}_peninsula.met" >> "$work/records.csv"
done
for build in old new; do
    mkdir -p "$work/$build"
    for f in "$data"/*.met; do ln -s "$f" "$work/$build/"; done
    cli="${!build}"
    "$cli" --data-dir "$work/$build" write-station --code 3195 --input "$work/records.csv" \
        > /dev/null
done

compared=0
differ=0
run_both() {
    local name="$1"
    shift
    "$old" --data-dir "$work/old" --decimal-separator , "${@//KIND/$(kind_option "$old")}" \
        > "$work/a" 2>/dev/null || true
    "$new" --data-dir "$work/new" --decimal-separator , "${@//KIND/$(kind_option "$new")}" \
        > "$work/b" 2>/dev/null || true
    compared=$((compared + 1))
    if ! cmp -s "$work/a" "$work/b"; then
        differ=$((differ + 1))
        echo "differs: $name"
    fi
}

locations=()
for f in "$data"/*_peninsula.met "$data"/*_canarias.met; do
    locations+=("--source cte2013 --location $(basename "$f" .met)")
done
locations+=("--source aemet --station 3195")
for location in "${locations[@]}"; do
    read -r -a where <<< "$location"
    for variable in ts tw tdp w h rh; do
        for kind in hours frequencies cumulative mean-ts mean-tw mean-tdp mean-w mean-h mean-rh; do
            run_both "$location frequencies $variable $kind" "${where[@]}" frequencies \
                --variable "$variable" KIND "$kind"
        done
        run_both "$location averages $variable" "${where[@]}" averages --variable "$variable"
        run_both "$location averages $variable tdp>=5" "${where[@]}" --first tdp:min:5 \
            averages --variable "$variable"
    done
    for interval in 0 2 7 11; do
        run_both "$location degree-hours $interval" "${where[@]}" --interval "$interval" \
            degree-hours
        run_both "$location degree-hours cooling $interval" "${where[@]}" --interval "$interval" \
            degree-hours --cooling
    done
    run_both "$location degree-days" "${where[@]}" degree-days
    run_both "$location degree-days cooling" "${where[@]}" degree-days --cooling
    run_both "$location design" "${where[@]}" design
    run_both "$location diagram" "${where[@]}" diagram
    if [ "${where[1]}" != aemet ]; then
        run_both "$location hourly-values" "${where[@]}" hourly-values
        run_both "$location hourly-values rh<60" "${where[@]}" --second rh:max:60 hourly-values
    fi
done
echo "$compared page files compared, $differ differ"
[ "$differ" -eq 0 ]
