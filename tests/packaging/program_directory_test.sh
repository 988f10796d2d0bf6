#!/usr/bin/env bash
# Starts the program as a user would start it (directly, or through the link in bin/) and checks
# that it took EXPECTED_FOLDER for its program directory, the one whose data files it reads,
# and that those files are there. The program says which folder it took in the installation
# record it writes at start-up.
#   program_directory_test.sh PROGRAM EXPECTED_FOLDER
set -euo pipefail

program=$1
expected=$(realpath "$2")/

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/user" "$scratch/machine"
record=$scratch/machine/Korvane/Tessik/Installation.ini

env QT_QPA_PLATFORM=offscreen HOME="$scratch" XDG_CONFIG_HOME="$scratch/user" \
    XDG_CONFIG_DIRS="$scratch/machine" "$program" > "$scratch/output" 2>&1 &
running=$!
for _ in $(seq 300); do
    [ -s "$record" ] && break
    kill -0 "$running" 2> /dev/null || break
    sleep 0.1
done
kill "$running" 2> /dev/null || true
wait "$running" 2> /dev/null || true
if [ ! -s "$record" ]; then
    echo "FAIL: $program wrote no installation record; it said:" >&2
    cat "$scratch/output" >&2
    exit 1
fi

taken=$(sed -n 's/^InstallationDirectory="\(.*\)"\r\{0,1\}$/\1/p' "$record")
if [ "$taken" != "$expected" ]; then
    echo "FAIL: $program took '$taken' for its folder, not '$expected'" >&2
    exit 1
fi

# The catalogue, every language file it lists, and the documents the menu opens.
missing=0
for file in Languages.ini License.txt ReadMe.txt \
    $(sed -n 's/^LanguageFile="\(.*\)"\r\{0,1\}$/\1/p' "$expected/Languages.ini"); do
    if [ ! -f "$expected/$file" ]; then
        echo "FAIL: $file is not beside the program in $expected" >&2
        missing=1
    fi
done
[ "$missing" -eq 0 ] && echo "PASS: $program reads its data files from $expected"
