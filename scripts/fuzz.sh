#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a while, starting from its committed seed corpus,
# as many targets at once as the machine has cores (FUZZ_JOBS to choose).
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
jobs=${FUZZ_JOBS:-$(nproc)}

# One target; its verdict goes to its work folder's last-run.verdict, its exit status says
# whether it found anything.
fuzz_one() {
    local target=$1 work="fuzz-corpus-work/$1"
    local log="$work/last-run.log" verdict="$work/last-run.verdict"
    mkdir -p "$work"
    if "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/" "$work" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        local runs
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz $target: ${runs:-?} runs in ${seconds}s, no finding" >"$verdict"
    else
        { echo "fuzz $target: FINDING, see $log"; tail -n 40 "$log"; } >"$verdict"
        return 1
    fi
}

pids=()
for target in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
    fuzz_one "$target" &
    pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
    wait "${pids[$i]}" || failed=1
    cat "fuzz-corpus-work/${targets[$i]}/last-run.verdict"
done
exit "$failed"
