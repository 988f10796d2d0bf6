#!/usr/bin/env bash
# tessik-sum.exe under Wine beside the Linux tessik-sum, on the same machine and the same file in
# the page cache. The engines are the same code, so what differs is how the file is read: a gap
# of more than 10 % says that the Windows read route needs work. Both are release builds, each in
# a folder of its own (build-bench as bench/compare.sh makes it, build-bench-windows). Runs are
# interleaved, Linux then Windows, and each side's medians of wall-clock and of processor time
# (every thread's) are compared. Starting a program under Wine costs a fixed time that is no part
# of reading: each side's median on an empty file is taken off its times.
#
#   bench/compare-windows.sh [ALGORITHM...]   (default: md5 sha2-256 sha2-512 blake3 djb)
#   environment: RUNS (default 5), SIZE_MIB (default 1024), and MODE, the time the gap is
#   judged on: wall (default), or cpu on a machine that is not quiet
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-5}
size_mib=${SIZE_MIB:-1024}
mode=${MODE:-wall}
algorithms=("$@")
if [ ${#algorithms[@]} -eq 0 ]; then algorithms=(md5 sha2-256 sha2-512 blake3 djb); fi

for tool in wine x86_64-w64-mingw32-g++-posix /usr/bin/time; do
    command -v "$tool" > /dev/null || { echo "missing: $tool (scripts/install-packages.sh)"; exit 1; }
done

linuxBuild=$root/build-bench
windowsBuild=$root/build-bench-windows
cmake -S "$root" -B "$linuxBuild" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSIK_BUILD_UI=OFF \
    -DTESSIK_BUILD_TESTS=OFF -DTESSIK_BUILD_BENCH=ON > /dev/null
cmake --build "$linuxBuild" --target tessik-sum > /dev/null
cmake -S "$root" -B "$windowsBuild" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSIK_BUILD_UI=OFF \
    -DTESSIK_BUILD_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" > /dev/null
cmake --build "$windowsBuild" --target tessik-sum > /dev/null
linuxSum=$linuxBuild/bin/tessik-sum
windowsSum=$windowsBuild/bin/tessik-sum.exe

# A prefix of the build folder's own, with a server that stays up between the runs.
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX=$windowsBuild/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'wineserver --kill 2> /dev/null || true; rm -rf "$work"' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init < /dev/null
    wineserver --wait
fi
wineserver --persistent
# Wine's services start with the first program and outlive it, holding what it held open: a
# first run with nothing open to hold.
wine "$windowsSum" --version > /dev/null 2>&1

# Relative names: the same file for both programs, whatever drive Wine shows it on.
cd "$work"
head -c $((size_mib << 20)) /dev/urandom > data.bin
cat data.bin > /dev/null
: > empty

# Milliseconds of wall-clock time and of processor time (user and system, every thread) of one
# command, its output discarded. Into a file: the services Wine starts keep a pipe open.
costs() {
    /usr/bin/time -o times -f '%e %U %S' "$@" > /dev/null 2>&1
    awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' times
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# The medians of RUNS interleaved runs of both programs over one file, in milliseconds: Linux's
# wall-clock and processor time, then those under Wine.
medians() {
    local algorithm=$1 file=$2 run linux=() windows=()
    for ((run = 0; run < runs; ++run)); do
        linux+=("$(costs "$linuxSum" -a "$algorithm" "$file")")
        windows+=("$(costs wine "$windowsSum" -a "$algorithm" "$file")")
    done
    local column
    for column in 1 2; do
        printf '%s\n' "${linux[@]}" | cut -d' ' -f$column | median
    done | tr '\n' ' '
    for column in 1 2; do
        printf '%s\n' "${windows[@]}" | cut -d' ' -f$column | median
    done | tr '\n' ' '
    echo
}

read -r linuxStart linuxStartCpu windowsStart windowsStartCpu < <(medians md5 empty)
echo "Processor: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"
echo "File: $size_mib MiB in the page cache; median of $runs interleaved runs; seconds;" \
    "load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Start-up on an empty file, taken off the times below: Linux $linuxStart ms," \
    "Wine $windowsStart ms (processor time $linuxStartCpu ms, $windowsStartCpu ms)"
echo "The gap is judged on $mode time."
echo
echo "| algorithm | Linux, wall | Wine, wall | ratio | Linux, processor | Wine, processor | ratio | |"
echo "|---|---|---|---|---|---|---|---|"
for algorithm in "${algorithms[@]}"; do
    linuxDigest=$("$linuxSum" -a "$algorithm" data.bin | cut -d' ' -f1)
    windowsDigest=$(wine "$windowsSum" -a "$algorithm" data.bin | cut -d' ' -f1)
    if [ "$linuxDigest" != "$windowsDigest" ]; then
        echo "| $algorithm | digests differ: $linuxDigest, $windowsDigest | | | | | | |"
        continue
    fi
    read -r linux linuxCpu windows windowsCpu < <(medians "$algorithm" data.bin)
    awk -v name="$algorithm" -v mode="$mode" \
        -v l="$((linux - linuxStart))" -v w="$((windows - windowsStart))" \
        -v lc="$((linuxCpu - linuxStartCpu))" -v wc="$((windowsCpu - windowsStartCpu))" 'BEGIN {
        r = w / l
        rc = wc / lc
        judged = mode == "cpu" ? rc : r
        printf "| %s | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %s |\n", name, l / 1e3, w / 1e3, r,
               lc / 1e3, wc / 1e3, rc, (judged <= 1.10 ? "within 10 %" : "GAP")
    }'
done
