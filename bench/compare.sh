#!/usr/bin/env bash
# Builds the release, makes the test files, and times HashFromFile (through a small driver
# program) against `openssl dgst` and `rhash` on the same file in the page cache, and tessik-sum
# against the command-line tools on that file and on a tree of 20,000 files. Runs are
# interleaved, ours then the peer's, and each side's median is compared; wall-clock time, so
# run it on a quiet machine. Prints a Markdown table of ratios (ours / peer) with the target of
# each row, then the peak memory of hashing a 4 GiB file.
#
#   bench/compare.sh [FILTER]     FILTER: only rows whose name contains it ("folder", "memory",
#                                 "tessik-sum", "MD2" and algorithm names select those parts)
#   environment: RUNS (default 3), SIZE_MIB (default 1024), BUILD_DIR, and MODE:
#     wall (default)  wall-clock time of each whole command
#     cpu             for a machine that is not quiet: the processor time of the thread that
#                     hashed against the peer's user + system time, i.e. the wall-clock ratio
#                     of an idle two-core machine, where our read-ahead thread has a core of
#                     its own (the folder rows stay wall-clock)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${RUNS:-3}
size_mib=${SIZE_MIB:-1024}
filter=${1:-}
mode=${MODE:-wall}

for tool in openssl rhash hashdeep sha256sum /usr/bin/time; do
    command -v "$tool" > /dev/null || { echo "missing: $tool (scripts/install-packages.sh)"; exit 1; }
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSIK_BUILD_UI=OFF \
    -DTESSIK_BUILD_TESTS=OFF -DTESSIK_BUILD_BENCH=ON > /dev/null
ninja -C "$build" -j2 tessik_hash_file tessik_hash_folder tessik-sum > /dev/null
driver=$build/bench/tessik_hash_file
folderDriver=$build/bench/tessik_hash_folder
sum=$build/bin/tessik-sum

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/data.bin
head -c $((size_mib << 20)) /dev/urandom > "$file"
cat "$file" > /dev/null

# Microseconds of wall-clock time of one command, its output discarded.
microseconds() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# Microseconds one hashing run of ours costs, and one of the peer's, as MODE measures them.
ourCost() {
    if [[ $mode == cpu ]]; then
        "$driver" "$@" 2>&1 > /dev/null | awk '/hashing thread/ { printf "%d\n", $3 * 1e6 }'
    else
        microseconds "$driver" "$@" 2> /dev/null
    fi
}

peerCost() {
    if [[ $mode == cpu ]]; then
        /usr/bin/time -f '%U %S' "$@" 2>&1 > /dev/null | tail -1 | awk '{ printf "%d\n", ($1 + $2) * 1e6 }'
    else
        microseconds "$@"
    fi
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# row NAME INDEX TARGET PEER-COMMAND...: the peer command gets the file as its last argument.
row() {
    local name=$1 index=$2 target=$3
    shift 3
    [[ -z $filter || $name == *"$filter"* ]] || return 0
    local ours=() peer=()
    for ((run = 0; run < runs; ++run)); do
        ours+=("$(ourCost "$index" "$file")")
        peer+=("$(peerCost "$@" "$file")")
    done
    local ourMedian peerMedian
    ourMedian=$(printf '%s\n' "${ours[@]}" | median)
    peerMedian=$(printf '%s\n' "${peer[@]}" | median)
    awk -v name="$name" -v o="$ourMedian" -v p="$peerMedian" -v t="$target" -v peer="$*" 'BEGIN {
        r = o / p
        printf "| %s | %.3f | %.3f | `%s` | %.2f | %.2f | %s |\n", name, o / 1e6, p / 1e6,
               peer, r, t, (r <= t ? "met" : "NOT MET")
    }'
}

echo "Processor: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"
echo "File: $size_mib MiB in the page cache; median of $runs interleaved runs; seconds ($mode time); load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "| algorithm | ours (s) | peer (s) | peer | ratio | target | |"
echo "|---|---|---|---|---|---|---|"
row "MD4" 1 0.80 rhash --md4
row "MD5" 2 0.90 openssl dgst -md5
row "SHA-1" 3 0.85 openssl dgst -sha1
row "SHA-224" 4 0.90 openssl dgst -sha224
row "SHA-256" 5 0.90 openssl dgst -sha256
row "SHA-384" 6 0.95 openssl dgst -sha384
row "SHA-512" 7 0.95 openssl dgst -sha512
for size in 224 256 384 512; do
    variant=$(((size == 224) ? 0 : (size == 256) ? 1 : (size == 384) ? 2 : 3))
    row "KECCAK($size)" $((8 + variant)) 0.85 openssl dgst "-sha3-$size"
    row "SHA-3($size)" $((12 + variant)) 0.85 openssl dgst "-sha3-$size"
done
index=16
for name in AK BKDR DEK DJB ELF JS PJW RS SDBM; do
    case $name in DJB | BKDR | SDBM | RS) target=0.60 ;; *) target=1.00 ;; esac
    row "$name" $index $target openssl dgst -md5
    index=$((index + 1))
done

# tessik-sum against the command-line tools: the same file, then the tree of the folder rows
# hashed with two workers. Each side is a whole command, run by the shell.
commandRow() {
    local name=$1 ours=$2 peer=$3
    local o=() p=()
    for ((run = 0; run < runs; ++run)); do
        o+=("$(microseconds bash -c "$ours")")
        p+=("$(microseconds bash -c "$peer")")
    done
    awk -v name="$name" -v o="$(printf '%s\n' "${o[@]}" | median)" \
        -v p="$(printf '%s\n' "${p[@]}" | median)" -v peer="${peer//$work\//}" 'BEGIN {
        printf "| %s | %.3f | %.3f | `%s` | %.2f |\n", name, o / 1e6, p / 1e6, peer, o / p
    }'
}

if [[ -z $filter || tessik-sum == *"$filter"* ]]; then
    echo
    echo "| tessik-sum | ours (s) | peer (s) | peer | ratio |"
    echo "|---|---|---|---|---|"
    one="tessik-sum -a sha2-256, $size_mib MiB"
    commandRow "$one" "$sum -a sha2-256 $file" "sha256sum $file"
    commandRow "$one" "$sum -a sha2-256 $file" "openssl dgst -sha256 $file"
    tree=$work/sumtree
    mkdir "$tree"
    "$folderDriver" make "$tree" 20000
    find "$tree" -type f -print0 | xargs -0 cat > /dev/null
    many="tessik-sum -r -j2 -a sha2-256, 20,000 files"
    commandRow "$many" "$sum -r -j2 -a sha2-256 $tree" "rhash -r --sha256 $tree"
    commandRow "$many" "$sum -r -j2 -a sha2-256 $tree" "hashdeep -r -j2 -c sha256 $tree"
    rm -rf "$tree"
fi

# MD2 is byte-serial by nature: its throughput on a smaller file, not a ratio.
if [[ -z $filter || MD2 == *"$filter"* ]]; then
    small=$work/small.bin
    head -c $((16 << 20)) "$file" > "$small"
    us=$(microseconds "$driver" 0 "$small" 2> /dev/null)
    awk -v us="$us" 'BEGIN { printf "\nMD2: %.1f MB/s on a 16 MiB file\n", 16 * 1.048576 / (us / 1e6) }'
fi

# The folder job (one worker, a window that only collects lines) against rhash over a tree of
# 20,000 files of 1 to 64 KiB, then its time per file over 1,000 to 100,000 files.
if [[ -z $filter || folder == *"$filter"* ]]; then
    rm -f "$file"
    declare -A perFile
    echo
    for count in 1000 20000 100000; do
        tree=$work/tree$count
        mkdir "$tree"
        "$folderDriver" make "$tree" "$count"
        find "$tree" -type f -print0 | xargs -0 cat > /dev/null
        samples=()
        for ((run = 0; run < runs; ++run)); do
            samples+=("$("$folderDriver" hash 5 "$tree" 2>&1 | sed 's/.*, \([0-9.]*\) microseconds.*/\1/')")
        done
        perFile[$count]=$(printf '%s\n' "${samples[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
        if ((count == 20000)); then
            ours=() peer=()
            for ((run = 0; run < runs; ++run)); do
                ours+=("$(microseconds "$folderDriver" hash 5 "$tree" 2> /dev/null)")
                peer+=("$(microseconds rhash -r --sha256 "$tree")")
            done
            o=$(printf '%s\n' "${ours[@]}" | median)
            p=$(printf '%s\n' "${peer[@]}" | median)
            awk -v o="$o" -v p="$p" 'BEGIN {
                r = o / p
                printf "Folder of 20,000 files, SHA-256: ours %.3f s, `rhash -r --sha256` %.3f s, ratio %.2f (target 1.00, %s)\n",
                       o / 1e6, p / 1e6, r, (r <= 1.0 ? "met" : "NOT MET")
            }'
        fi
        rm -rf "$tree"
    done
    echo "Folder job, SHA-256, microseconds per file: 1,000 files ${perFile[1000]}, 20,000 files ${perFile[20000]}, 100,000 files ${perFile[100000]}"
fi

# Peak resident memory while hashing a 4 GiB file: a sparse one, so that making it costs nothing.
if [[ -z $filter || memory == *"$filter"* ]]; then
    rm -f "$file"
    big=$work/big.bin
    truncate -s 4G "$big"
    echo
    echo "| algorithm | peak memory hashing 4 GiB (MiB) |"
    echo "|---|---|"
    for entry in 1:MD4 2:MD5 3:SHA-1 5:SHA-256 7:SHA-512 9:KECCAK-256 13:SHA3-256 19:DJB; do
        kib=$(/usr/bin/time -f %M "$driver" "${entry%%:*}" "$big" 2>&1 > /dev/null | tail -1)
        awk -v name="${entry#*:}" -v k="$kib" 'BEGIN { printf "| %s | %.1f |\n", name, k / 1024 }'
    done
fi
