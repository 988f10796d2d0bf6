#!/usr/bin/env bash
# Installs what Tessik needs on Debian or Ubuntu, through sudo when not run as root.
#   scripts/install-packages.sh run    to build and start the program (the default)
#   scripts/install-packages.sh test   to build, test and measure it as well
set -euo pipefail

run_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev                    # the windows
    libcli11-dev                              # tessik-sum's command line
    xvfb xauth xdotool x11-apps imagemagick   # showing and photographing the window without a display
)
test_packages=(
    libgtest-dev libgmock-dev         # tests
    libssl-dev openssl                # reference digests for tests and benchmarks
    rhash time                        # peers and peak memory in bench/compare.sh
    hashdeep                          # peer of tessik-sum -r -j in bench/compare.sh
    libbenchmark-dev                  # benchmarks
    clang libclang-rt-14-dev llvm     # sanitizer builds, fuzz targets, readable sanitizer traces
)

case "${1:-run}" in
    run) packages=("${run_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

as_root apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${packages[@]}"
