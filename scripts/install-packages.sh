#!/usr/bin/env bash
# Installs everything Tessik needs to build, test and run on Debian or Ubuntu.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev            # the windows
    libgtest-dev libgmock-dev         # tests
    libcli11-dev                      # tessik-sum's command line
    libssl-dev openssl                # reference digests for tests and benchmarks
    rhash time                        # peers and peak memory in bench/compare.sh
    hashdeep                          # peer of tessik-sum -r -j in bench/compare.sh
    libbenchmark-dev                  # benchmarks
    clang libclang-rt-14-dev llvm     # sanitizer builds, fuzz targets, readable sanitizer traces
    xvfb xauth x11-apps imagemagick   # showing and photographing the window without a display
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

as_root apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${packages[@]}"
