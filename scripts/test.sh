#!/usr/bin/env bash
# Installs the packages, then builds and runs every test three times: as shipped (benchmarks
# included, so they keep compiling), with its Debian package checked, installed into a scratch
# root and removed again; with the address and undefined-behaviour sanitizers, which also replay
# and briefly run the fuzz targets; and with the thread sanitizer. Last, everything is
# cross-built for Windows and tested under Wine, the Win32 windows and the installer included,
# and the Linux and the Windows tessik-sum each check the other's lists. Its build folders are its own (build-test, build-asan, build-tsan,
# build-windows): build/ stays as the developer configured it.
#   FUZZ_SECONDS  time for each fuzz target (default 10; 0 replays the seeds only)
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-10}

# Each stage line gives the clock and the processor time of the stages before it (what Wine's
# server spends is not counted: it is no child of this script).
clock=$(mktemp)
trap 'rm -f "$clock"' EXIT
stage() {
    times > "$clock"  # in this shell: a subshell's own count starts at nothing
    { read -r _ && read -r user system; } < "$clock"
    echo "=== $* ($(date +%T); processor time so far: user $user, system $system)"
}

scripts/install-packages.sh test

stage "build and test"
cmake -S . -B build-test -G Ninja -DTESSIK_WERROR=ON -DTESSIK_BUILD_BENCH=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure -j "$jobs"

stage "Debian package"
package=$(scripts/package.sh build-test)
apt-get install --simulate --no-install-recommends "$package" > /dev/null
# Into a scratch root, which holds no other package: its dependencies were resolved just above.
root=$(mktemp -d)
if [ "$(id -u)" -eq 0 ]; then
    mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
    touch "$root/var/lib/dpkg/status"
    dpkg --root="$root" --log=/dev/null --force-depends -i "$package" > "$root.log" 2>&1 ||
        { cat "$root.log" >&2; exit 1; }
else
    dpkg-deb -x "$package" "$root"
fi
tests/packaging/installation_test.sh --root "$root"
if [ "$(id -u)" -eq 0 ]; then
    dpkg --root="$root" --log=/dev/null -r tessik > /dev/null
    left=$(find "$root" -path "$root/var" -prune -o ! -type d -print)
    if [ -n "$left" ]; then echo "Removing the package left: $left" >&2; exit 1; fi
fi
rm -rf "$root" "$root.log"

# The sanitizer builds leave out what only measures speed. Configure options come first; test
# programs named after "--" are the only ones built and run.
sanitized() {
    local folder=$1 options=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    CC=clang CXX=clang++ cmake -S . -B "$folder" -G Ninja -DTESSIK_WERROR=ON \
        -DTESSIK_BUILD_BENCH=OFF "${options[@]}"
    if [ $# -eq 0 ]; then
        cmake --build "$folder"
        ctest --test-dir "$folder" --output-on-failure -j "$jobs"
    else
        shift
        cmake --build "$folder" --target "$@"
        ctest --test-dir "$folder" --output-on-failure -j "$jobs" -L "^($(IFS='|' && echo "$*"))\$"
    fi
}

stage "address and undefined-behaviour sanitizers"
sanitized build-asan -DTESSIK_BUILD_FUZZ=ON
if [ "$fuzz_seconds" -gt 0 ]; then scripts/fuzz.sh "$fuzz_seconds" build-asan; fi

# The programs whose code starts threads (the file reader's helpers, the engines side by side,
# the folder's workers, the background runs and tessik-sum over them); the rest run
# single-threaded in the two builds above. The windows start none: their work is the background
# runs', and Qt, built without the sanitizer, is invisible to it.
stage "thread sanitizer"
sanitized build-tsan -DTESSIK_SANITIZE=thread -- tessik_digest_tests tessik_folder_tests \
    tessik_jobs_tests tessik_cli_tests

stage "Windows build, its tests under Wine"
scripts/test-windows.sh build-windows build-test/bin/tessik-sum
stage "done"
