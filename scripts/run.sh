#!/usr/bin/env bash
# Installs the packages, builds Tessik and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
cmake -S . -B build -G Ninja
cmake --build build
echo "Built. The window is not part of the program yet; see the README."
