#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a while, starting from its committed seed corpus.
#   scripts/fuzz.sh [seconds per target] [build folder] [target...]
# New inputs go to fuzz-corpus-work/<target>/, never into the committed seeds; a finding is
# saved there as crash-*, leak-*, timeout-* or oom-* and ends the run with an error.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
build=${2:-build-asan}
shift $(($# < 2 ? $# : 2))
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for corpus in fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi

failed=0
for target in "${targets[@]}"; do
    program="$build/fuzz/${target}_fuzz"
    work="fuzz-corpus-work/$target"
    mkdir -p "$work"
    log="$work/last-run.log"
    if "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/" "$work" "fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz $target: ${runs:-?} runs in ${seconds}s, no finding"
    else
        echo "fuzz $target: FINDING, see $log"
        tail -n 40 "$log"
        failed=1
    fi
done
exit "$failed"
