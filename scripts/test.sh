#!/usr/bin/env bash
# Installs the packages, then builds and runs every test three times: as shipped (benchmarks
# included, so they keep compiling); with the address and undefined-behaviour sanitizers, which
# also replay and briefly run the fuzz targets; and with the thread sanitizer. Its build folders
# are its own (build-test, build-asan, build-tsan): build/ stays as the developer configured it.
#   FUZZ_SECONDS  time for each fuzz target (default 20; 0 replays the seeds only)
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-20}

stage() { echo "=== $* ($(date +%T))"; }

scripts/install-packages.sh test

stage "build and test"
cmake -S . -B build-test -G Ninja -DTESSIK_WERROR=ON -DTESSIK_BUILD_BENCH=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure -j "$jobs"

# The sanitizer builds leave out what only measures speed.
sanitized() {
    local folder=$1
    shift
    CC=clang CXX=clang++ cmake -S . -B "$folder" -G Ninja -DTESSIK_WERROR=ON \
        -DTESSIK_BUILD_BENCH=OFF "$@"
    cmake --build "$folder"
    ctest --test-dir "$folder" --output-on-failure -j "$jobs"
}

stage "address and undefined-behaviour sanitizers"
sanitized build-asan -DTESSIK_BUILD_FUZZ=ON
if [ "$fuzz_seconds" -gt 0 ]; then scripts/fuzz.sh "$fuzz_seconds" build-asan; fi

stage "thread sanitizer"
sanitized build-tsan -DTESSIK_SANITIZE=thread
stage "done"
