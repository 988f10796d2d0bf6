#!/usr/bin/env bash
# Installs what running Tessik needs, builds it and starts it. Arguments are passed on; one that
# names an existing file or folder relative to where this script was called from is made
# absolute first. Without a display the window is shown on a virtual one, photographed into
# build/tessik-screenshot.png once it has appeared, and the program is ended.
set -euo pipefail

arguments=()
for argument in "$@"; do
    if [[ -e $argument && $argument != /* ]]; then argument=$(realpath -s -- "$argument"); fi
    arguments+=("$argument")
done

cd "$(dirname "$0")/.."
scripts/install-packages.sh run
cmake -S . -B build -G Ninja
cmake --build build --target tessik

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/tessik "${arguments[@]}"
fi

screenshot=build/tessik-screenshot.png
xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" bash -c '
    build/bin/tessik "$@" &
    program=$!
    # Until the window is mapped (at most 30 s), then a moment for its first paint.
    timeout 30 xdotool search --sync --onlyvisible --pid "$program" > /dev/null
    sleep 0.5
    xwd -root -silent | convert xwd:- "'"$screenshot"'"
    kill "$program"
    wait "$program" 2>/dev/null || true
' run "${arguments[@]}"
echo "No display here: the window was shown on a virtual display and saved as $screenshot."
