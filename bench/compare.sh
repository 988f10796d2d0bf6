#!/usr/bin/env bash
# Builds the release, makes the test files, and times HashFromFile (through a small driver
# program) against `openssl dgst`, `rhash` and `xxhsum` on the same file in the page cache, and
# tessik-sum against the command-line tools on that file and on a tree of 20,000 files. Runs are
# interleaved, ours then the peer's, and each side's median is compared; wall-clock time, so
# run it on a quiet machine. Prints, as Markdown:
#   - the processor, the routes large files take on it and the path of each engine family;
#   - the table of ratios (ours / peer) with the target of each row and how far each side's runs
#     spread, md5 + sha1 + sha2-256 in one read against rhash and against our MD5 alone among
#     them; on a processor with AVX-512 twice, with AVX-512 and with it left out of the choice
#     of paths (standing in for a processor without it), each against its own targets;
#   - BLAKE3 on every core against `b3sum`, and on one thread against `b3sum --num-threads 1`;
#   - our time through each route for a few algorithms, which shows why the route was chosen;
#   - MD2's throughput, the folder job against `rhash -r`, and the peak memory of hashing a
#     4 GiB file through each route.
#
#   bench/compare.sh [FILTER]     FILTER: only parts whose name matches it, an extended
#                                 regular expression ("routes", "folder", "memory",
#                                 "tessik-sum", "MD2" and algorithm names select those;
#                                 "BLAKE3" its rows; "CRC|XXH" both families)
#   environment: RUNS (default 3), SIZE_MIB (default 1024), BUILD_DIR, and MODE:
#     wall (default)  wall-clock time of each whole command
#     cpu             for a machine that is not quiet: the processor time of the thread that
#                     hashed, or half of all our threads' if that is more, against the peer's
#                     user + system time, i.e. the wall-clock ratio of an idle two-core machine,
#                     where the threads that read, map or hash beside it have the other core
#                     (the folder rows stay wall-clock; the BLAKE3 rows count every thread on
#                     both sides)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${RUNS:-3}
size_mib=${SIZE_MIB:-1024}
filter=${1:-}
mode=${MODE:-wall}

for tool in openssl rhash xxhsum b3sum hashdeep sha256sum /usr/bin/time; do
    command -v "$tool" > /dev/null || { echo "missing: $tool (scripts/install-packages.sh)"; exit 1; }
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSIK_BUILD_UI=OFF \
    -DTESSIK_BUILD_TESTS=OFF -DTESSIK_BUILD_BENCH=ON > /dev/null
ninja -C "$build" -j2 tessik_hash_file tessik_hash_folder tessik_processor_time tessik-sum > /dev/null
driver=$build/bench/tessik_hash_file
folderDriver=$build/bench/tessik_hash_folder
processorTime=$build/bench/tessik_processor_time
sum=$build/bin/tessik-sum

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
file=$work/data.bin
head -c $((size_mib << 20)) /dev/urandom > "$file"
cat "$file" > /dev/null

selected() {
    [[ -z $filter || $1 =~ $filter ]]
}

# Options the driver gets in every run of ours: how the paths are chosen, and a forced route.
dispatch=()
# In cpu mode, "all threads" counts every thread of ours whole, as the peer's time is counted.
ourClock=

# What the driver says about itself with the current options: its standard error for an empty
# file, without the timing line.
describe() {
    : > "$work/empty"
    "$driver" "${dispatch[@]}" "$@" 2 "$work/empty" 2>&1 > /dev/null |
        grep -v -e '^hashing thread' -e '^all threads'
}

# Microseconds of wall-clock time of one command, its output and any progress text discarded.
microseconds() {
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# Microseconds one hashing run of ours costs, and one of the peer's, as MODE measures them.
# In cpu mode ours is the larger of the hashing thread's time and half of all threads' time: an
# idle two-core machine finishes no sooner than either.
ourCost() {
    if [[ $mode == cpu ]]; then
        "$driver" "${dispatch[@]}" "$@" 2>&1 > /dev/null |
            awk -v whole="$ourClock" '/^hashing thread/ { own = $3 } /^all threads/ { all = $3 }
                 END { printf "%d\n", (whole != "" ? all : own > all / 2 ? own : all / 2) * 1e6 }'
    else
        microseconds "$driver" "${dispatch[@]}" "$@" 2> /dev/null
    fi
}

peerCost() {
    if [[ $mode == cpu ]]; then
        # Its line may follow a peer's progress text that ends without a line break.
        "$processorTime" "$@" 2>&1 > /dev/null |
            awk '/processor time:/ { sub(/.*processor time: */, ""); print $1 }'
    else
        microseconds "$@"
    fi
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# medianSeconds COST-COMMAND...: the median of RUNS runs of a command that prints microseconds.
medianSeconds() {
    local samples=() run
    for ((run = 0; run < runs; ++run)); do
        samples+=("$("$@")")
    done
    printf '%s\n' "${samples[@]}" | median | awk '{ print $1 / 1e6 }'
}

# The targets of issues 16 and 27: for a processor without AVX-512, and for one with it.
target() {
    local name=$1 column=$2
    case $name in
        MD4) [[ $column == avx512 ]] && echo 0.65 || echo 0.85 ;;
        MD5) [[ $column == avx512 ]] && echo 0.78 || echo 0.88 ;;
        SHA-1) [[ $column == avx512 ]] && echo 0.83 || echo 0.87 ;;
        SHA-224 | SHA-256) echo 0.86 ;;
        SHA-384 | SHA-512 | SHA-512/*) [[ $column == avx512 ]] && echo 0.90 || echo 0.95 ;;
        XXH3-64 | XXH3-128) echo 0.80 ;;
        XXH32 | XXH64 | BLAKE2b | BLAKE2s) echo 0.90 ;;
        CRC-32 | CRC-32C) echo 0.50 ;;
        "md5+sha1+sha2-256") echo 0.55 ;;
        "md5+sha1+sha2-256 / MD5") echo 1.15 ;;
        KECCAK* | SHA-3*) [[ $column == avx512 ]] && echo 0.75 || echo 0.97 ;;
        JS | ELF | PJW) echo 0.80 ;;
        DJB | BKDR | SDBM | RS) echo 0.60 ;;
        *) echo 1.00 ;;
    esac
}

# spread: (largest - smallest) / median of the samples on standard input, in percent.
spread() {
    sort -n | awk '{ v[NR] = $1 } END { m = v[int((NR + 1) / 2)]; printf "%.0f", (m > 0 ? 100 * (v[NR] - v[1]) / m : 0) }'
}

# row NAME ALGORITHMS TARGET PEER-COMMAND...: ALGORITHMS as the driver takes them (an index, an
# identifier, or several identifiers for one read); the peer command gets the file as its last
# argument, or is `ours ALGORITHMS` for another run of ours. The last column is how far each
# side's runs spread around their median.
row() {
    local name=$1 algorithms=$2 target=$3
    shift 3
    selected "$name" || return 0
    local ours=() peer=()
    for ((run = 0; run < runs; ++run)); do
        ours+=("$(ourCost "$algorithms" "$file")")
        if [[ $1 == ours ]]; then
            peer+=("$(ourCost "$2" "$file")")
        else
            peer+=("$(peerCost "$@" "$file")")
        fi
    done
    local ourMedian peerMedian ourSpread peerSpread
    ourMedian=$(printf '%s\n' "${ours[@]}" | median)
    peerMedian=$(printf '%s\n' "${peer[@]}" | median)
    ourSpread=$(printf '%s\n' "${ours[@]}" | spread)
    peerSpread=$(printf '%s\n' "${peer[@]}" | spread)
    awk -v name="$name" -v o="$ourMedian" -v p="$peerMedian" -v t="$target" -v peer="$*" \
        -v os="$ourSpread" -v ps="$peerSpread" 'BEGIN {
        r = o / p
        printf "| %s | %.3f | %.3f | `%s` | %.2f | %.2f | %s | %s%% / %s%% |\n", name, o / 1e6,
               p / 1e6, peer, r, t, (r <= t ? "met" : "NOT MET"), os, ps
    }'
}

# ratioTable TITLE TARGET-COLUMN: every algorithm against its peer, with the current dispatch.
ratioTable() {
    local title=$1 column=$2
    echo
    echo "$title"
    echo
    echo "| algorithm | ours (s) | peer (s) | peer | ratio | target | | spread ours / peer |"
    echo "|---|---|---|---|---|---|---|---|"
    row "MD4" 1 "$(target MD4 "$column")" rhash --md4
    row "MD5" 2 "$(target MD5 "$column")" openssl dgst -md5
    row "SHA-1" 3 "$(target SHA-1 "$column")" openssl dgst -sha1
    row "SHA-224" 4 "$(target SHA-224 "$column")" openssl dgst -sha224
    row "SHA-256" 5 "$(target SHA-256 "$column")" openssl dgst -sha256
    row "SHA-384" 6 "$(target SHA-384 "$column")" openssl dgst -sha384
    row "SHA-512" 7 "$(target SHA-512 "$column")" openssl dgst -sha512
    local size variant
    for size in 224 256 384 512; do
        variant=$(((size == 224) ? 0 : (size == 256) ? 1 : (size == 384) ? 2 : 3))
        row "KECCAK($size)" $((8 + variant)) "$(target KECCAK "$column")" openssl dgst "-sha3-$size"
        row "SHA-3($size)" $((12 + variant)) "$(target SHA-3 "$column")" openssl dgst "-sha3-$size"
    done
    local index=16 name
    for name in AK BKDR DEK DJB ELF JS PJW RS SDBM; do
        row "$name" $index "$(target "$name" "$column")" openssl dgst -md5
        index=$((index + 1))
    done
    # The algorithms after the 25 by identifier, against the tools their users have.
    row "CRC-32" crc32 "$(target CRC-32 "$column")" rhash --crc32
    row "CRC-32C" crc32c "$(target CRC-32C "$column")" rhash --crc32c
    row "XXH32" xxh32 "$(target XXH32 "$column")" xxhsum -H0
    row "XXH64" xxh64 "$(target XXH64 "$column")" xxhsum -H1
    row "XXH3-64" xxh3 "$(target XXH3-64 "$column")" xxhsum -H3
    row "XXH3-128" xxh128 "$(target XXH3-128 "$column")" xxhsum -H2
    row "BLAKE2b" blake2b-512 "$(target BLAKE2b "$column")" openssl dgst -blake2b512
    row "BLAKE2s" blake2s-256 "$(target BLAKE2s "$column")" openssl dgst -blake2s256
    row "SHA-512/224" sha2-512-224 "$(target SHA-512/224 "$column")" openssl dgst -sha512-224
    row "SHA-512/256" sha2-512-256 "$(target SHA-512/256 "$column")" openssl dgst -sha512-256
    # Several algorithms in one read, on every core.
    row "md5+sha1+sha2-256" md5,sha1,sha2-256 "$(target "md5+sha1+sha2-256" "$column")" \
        rhash --md5 --sha1 --sha256
    row "md5+sha1+sha2-256 / MD5" md5,sha1,sha2-256 "$(target "md5+sha1+sha2-256 / MD5" "$column")" \
        ours md5
}

echo "Processor: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"
echo "File: $size_mib MiB in the page cache; median of $runs interleaved runs; seconds ($mode time); load: $(cut -d' ' -f1-3 /proc/loadavg)"
describe | sed 's/^/    /'

withAvx512=false
describe | grep -q 'AVX-512' && withAvx512=true
if $withAvx512; then
    ratioTable "With AVX-512 (targets for a processor with it):" avx512
    dispatch=(--without-avx512)
    echo
    echo "AVX-512 left out:"
    describe | grep '^paths' | sed 's/^/    /'
    ratioTable "AVX-512 left out (targets for a processor without it):" here
    dispatch=()
else
    ratioTable "Targets for a processor without AVX-512:" here
fi

# BLAKE3 against b3sum, which maps the file and hashes it on every core, or on the one it is
# told to: each side with the same number of threads.
blake3Table() {
    local title=$1 base=("${dispatch[@]}")
    echo
    echo "$title"
    echo
    echo "| algorithm | ours (s) | peer (s) | peer | ratio | target | | spread ours / peer |"
    echo "|---|---|---|---|---|---|---|---|"
    ourClock='all threads'
    row "BLAKE3, every core" blake3 0.95 b3sum --no-names
    dispatch=("${base[@]}" --threads 1)
    row "BLAKE3, one thread" blake3 1.00 b3sum --no-names --num-threads 1
    dispatch=("${base[@]}")
    ourClock=
}

# Only with this processor's own paths: b3sum has no switch to leave AVX-512 out, so a row
# without it would set our AVX2 kernel against its AVX-512 one.
if selected BLAKE3; then
    blake3Table "BLAKE3 ($mode time):"
fi

# Our time through each route for large files. In cpu mode the read-ahead route's figure leaves
# out its reader thread, whose time the last column adds back.
if selected routes; then
    chosen=$(describe | sed -n 's/^route for large files: //p')
    echo
    echo "Routes for large files ($mode time, s; chosen here: $chosen):"
    echo
    if [[ $mode == cpu ]]; then
        echo "| algorithm | read | read-ahead | map | map-ahead | read-ahead, all threads |"
        echo "|---|---|---|---|---|---|"
    else
        echo "| algorithm | read | read-ahead | map | map-ahead |"
        echo "|---|---|---|---|---|"
    fi
    for entry in 2:MD5 3:SHA-1 7:SHA-512 13:SHA3-256 21:JS xxh3:XXH3-64 crc32c:CRC-32C; do
        printf '| %s |' "${entry#*:}"
        for route in read read-ahead map map-ahead; do
            printf ' %.3f |' "$(medianSeconds ourCost --route "$route" "${entry%%:*}" "$file")"
        done
        if [[ $mode == cpu ]]; then
            printf ' %.3f |' \
                "$(medianSeconds peerCost "$driver" --route read-ahead "${entry%%:*}" "$file")"
        fi
        echo
    done
fi

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
if selected MD2; then
    small=$work/small.bin
    head -c $((16 << 20)) "$file" > "$small"
    us=$(microseconds "$driver" 0 "$small" 2> /dev/null)
    awk -v us="$us" 'BEGIN { printf "\nMD2: %.1f MB/s on a 16 MiB file\n", 16 * 1.048576 / (us / 1e6) }'
fi

# The folder job (a worker per core, a window that only collects lines) against rhash over a
# tree of 20,000 files of 1 to 64 KiB, then its time per file over 1,000 to 100,000 files.
if selected folder; then
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
                printf "Folder of 20,000 files, SHA-256: ours %.3f s, `rhash -r --sha256` %.3f s, ratio %.2f (target 0.60, %s)\n",
                       o / 1e6, p / 1e6, r, (r <= 0.60 ? "met" : "NOT MET")
            }'
        fi
        rm -rf "$tree"
    done
    echo "Folder job, SHA-256, microseconds per file: 1,000 files ${perFile[1000]}, 20,000 files ${perFile[20000]}, 100,000 files ${perFile[100000]}"
fi

# Peak resident memory while hashing a 4 GiB file, the program and any mapping included: a
# sparse one, so that making it costs nothing.
if selected memory; then
    rm -f "$file"
    big=$work/big.bin
    truncate -s 4G "$big"
    echo
    echo "| algorithm | peak memory hashing 4 GiB (MiB): read | read-ahead | map | map-ahead |"
    echo "|---|---|---|---|---|"
    for entry in 1:MD4 2:MD5 3:SHA-1 5:SHA-256 7:SHA-512 9:KECCAK-256 13:SHA3-256 19:DJB xxh3:XXH3-64 md5,sha1,sha2-256:md5+sha1+sha2-256; do
        printf '| %s |' "${entry#*:}"
        for route in read read-ahead map map-ahead; do
            kib=$(/usr/bin/time -f %M "$driver" --route "$route" "${entry%%:*}" "$big" 2>&1 > /dev/null | tail -1)
            awk -v k="$kib" 'BEGIN { printf " %.1f |", k / 1024 }'
        done
        echo
    done
    kib=$(/usr/bin/time -f %M "$driver" blake3 "$big" 2>&1 > /dev/null | tail -1)
    awk -v k="$kib" -v n="$(nproc)" 'BEGIN { printf "\nBLAKE3 on every core (%d): %.1f MiB\n", n, k / 1024 }'
fi
