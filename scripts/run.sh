#!/usr/bin/env bash
# Installs the packages, builds Tessik and starts it. Without a display the window is shown on a
# virtual one, photographed into build/tessik-screenshot.png, and the program is ended.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh
cmake -S . -B build -G Ninja
cmake --build build --target tessik

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/tessik "$@"
fi

screenshot=build/tessik-screenshot.png
xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" bash -c '
    build/bin/tessik "$@" &
    program=$!
    sleep 4
    xwd -root -silent | convert xwd:- "'"$screenshot"'"
    kill "$program"
    wait "$program" 2>/dev/null || true
' run "$@"
echo "No display here: the window was shown on a virtual display and saved as $screenshot."
