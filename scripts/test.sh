#!/usr/bin/env bash
# Installs the packages, configures, builds (benchmarks included, so they keep compiling) and
# runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
cmake -S . -B build -G Ninja -DTESSIK_WERROR=ON -DTESSIK_BUILD_BENCH=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
