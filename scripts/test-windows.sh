#!/usr/bin/env bash
# Cross-builds the Qt-free code, tessik-sum.exe, tessik.exe with its Win32 windows and their
# tests for 64-bit Windows with mingw-w64, and runs the tests under Wine in a Wine prefix of the
# build folder's own: headless, but for the windows' tests, which get a virtual display each.
# The installer and the portable zip are made from the build and checked in a prefix of their own.
# A build for testing: optimised less and without debug information it builds in half the time,
# and the tests' heavy cases are left to the Linux build. Given the Linux tessik-sum, it then
# checks that each program reads the other's lists, of names with blanks and non-ASCII letters.
#   scripts/test-windows.sh [BUILD_DIR [LINUX_TESSIK_SUM]]    (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-windows}
linux_sum=${2:-}

# No window, no question: no display, and neither the .NET nor the browser installer that a
# new prefix would offer.
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$build"
export WINEPREFIX="$PWD/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'wineserver --kill 2> /dev/null || true; rm -rf "$work"' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init < /dev/null
    wineserver --wait
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DTESSIK_BUILD_UI=ON -DTESSIK_BUILD_TESTS=ON -DTESSIK_WERROR=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -DNDEBUG"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -E tessik_win32_ui_tests
# The windows' tests need a Wine server started on their virtual display: one started by a
# headless test would show no window.
wineserver --wait
ctest --test-dir "$build" --output-on-failure -R tessik_win32_ui_tests
# The installer and the portable zip from these programs, installed, run and removed under Wine.
scripts/package-windows.sh --check "$build" > /dev/null

if [ -n "$linux_sum" ]; then
    linux_sum=$(realpath "$linux_sum")
    windows_sum=$PWD/$build/bin/tessik-sum.exe
    mkdir -p "$work/files/sub folder"
    printf 'abc' > "$work/files/with blank.txt"
    printf 'line\r\nend\x1a' > "$work/files/sub folder/Grüße ö.txt"
    printf '' > "$work/files/empty"
    cd "$work/files"
    "$linux_sum" -r . > ../linux.sha
    wine "$windows_sum" -r . > ../windows.sha
    cmp ../linux.sha ../windows.sha
    wine "$windows_sum" -a sha2-256 -c ../linux.sha
    "$linux_sum" -a sha2-256 -c ../windows.sha
    cd - > /dev/null
fi
