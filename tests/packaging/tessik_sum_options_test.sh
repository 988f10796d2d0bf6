#!/usr/bin/env bash
# The manual page and the bash completion of tessik-sum against the program itself: every option
# its help lists is described in the manual page and offered by the completion, and the
# completion offers the algorithm identifiers and file names.
#   tessik_sum_options_test.sh TESSIK_SUM PACKAGING_FOLDER
set -euo pipefail
program=$(realpath "$1")
packaging=$(realpath "$2")
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

mapfile -t options < <("$program" --help | sed -n 's/^ *\(-[^ ]*\).*/\1/p' | tr ',' '\n')
[ "${#options[@]}" -gt 20 ] || fail "only ${#options[@]} options found in the help"
for option in "${options[@]}"; do
    grep -qF -- "${option//-/\\-}" "$packaging/tessik-sum.1" ||
        fail "the manual page does not describe $option"
done

source "$packaging/tessik-sum.bash"
# What the completion offers for the words of a command line, the last one being completed.
offered() {
    COMP_WORDS=("$program" "$@")
    COMP_CWORD=$#
    _tessik_sum 2> /dev/null
    if [ "${#COMPREPLY[@]}" -gt 0 ]; then printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '; fi
}
expect() {
    local wanted=$1
    shift
    local actual
    actual=$(offered "$@")
    [ "$actual" = "$wanted" ] || fail "completing '$*' offered '$actual', not '$wanted'"
}

expect "$(printf '%s\n' "${options[@]}" | sort | tr '\n' ' ')" -
expect "--line-ends --list " --li
expect "sha3-224 sha3-256 sha3-384 sha3-512 " -a sha3
expect "sha3-224 sha3-256 sha3-384 sha3-512 " -a SHA3
expect "keccak-224 keccak-256 keccak-384 keccak-512 " --algorithm = kec
expect "md5,xxh128 md5,xxh3 md5,xxh32 md5,xxh64 " -a md5,XXH
expect "$("$program" --list | cut -d ' ' -f 1 | sort | tr '\n' ' ')" -a ""
expect "crlf lf " -s abc --line-ends ""
expect "" -j ""

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
touch "$scratch/two words.iso" "$scratch/other"
cd "$scratch"
expect "two words.iso " -a md5 tw

if [ "$failures" -gt 0 ]; then exit 1; fi
echo "PASS: the manual page and the completion cover the ${#options[@]} option names"
