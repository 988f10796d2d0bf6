#!/usr/bin/env bash
# Installs what Tessik needs on Debian or Ubuntu, through sudo when not run as root.
#   scripts/install-packages.sh run      to build and start the program (the default)
#   scripts/install-packages.sh package  to build the Debian package as well
#   scripts/install-packages.sh test     to build, package, test and measure it
set -euo pipefail

run_packages=(
    cmake ninja-build g++ pkg-config
    python3                                   # draws the icon theme's sizes
    qt6-base-dev libgl-dev                    # the windows
    libcli11-dev                              # tessik-sum's command line
    libgpgme-dev                              # checking the signatures of checksum lists
    libisal-dev libxxhash-dev                 # the CRC kernels and xxHash
    xvfb xauth xdotool x11-apps imagemagick   # showing and photographing the window without a display
)
package_packages=(
    dpkg-dev lintian                  # the package's dependencies, and its check
    desktop-file-utils appstream      # validating the menu entry and the metainfo
    file man-db                       # checking the installed icons and manual pages
)
test_packages=(
    libgtest-dev libgmock-dev         # tests
    libssl-dev openssl                # reference digests for tests and benchmarks
    gnupg                             # throwaway keys that sign the lists in the signature tests
    rhash time                        # peers and peak memory in bench/compare.sh
    b3sum                             # BLAKE3's differential test and peer in bench/compare.sh
    xxhash                            # xxhsum, peer of the xxHash family in tests and benchmarks
    libb2-dev                         # BLAKE2's reference library beside ours in the benchmarks
    hashdeep                          # peer of tessik-sum -r -j in bench/compare.sh
    libbenchmark-dev                  # benchmarks
    python3-nautilus                  # GNOME's file-manager extension, run in its test
    clang libclang-rt-14-dev llvm     # sanitizer builds, fuzz targets, readable sanitizer traces
    g++-mingw-w64-x86-64-posix wine64 wine  # the Windows build and its tests under Wine
    nsis zip unzip                    # the Windows installer, the portable zip and their check
)

case "${1:-run}" in
    run) packages=("${run_packages[@]}") ;;
    package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
    test) packages=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 [run|package|test]" >&2; exit 2 ;;
esac

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Nothing to do when every package is there already, as when one script calls another.
installed=$(dpkg-query -W -f='${db:Status-Status}\n' "${packages[@]}" 2> /dev/null |
    grep -c '^installed$' || true)
if [ "$installed" -eq "${#packages[@]}" ]; then exit 0; fi

as_root apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${packages[@]}"
