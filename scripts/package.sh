#!/usr/bin/env bash
# Builds the Debian package in a build folder (default: build) and checks it with lintian, which
# must find no error; its warnings are shown. Prints the package's path on standard output and
# everything else on standard error.
#   scripts/package.sh [BUILD_FOLDER]
set -euo pipefail
exec 3>&1 1>&2
cd "$(dirname "$0")/.."
folder=${1:-build}

scripts/install-packages.sh package
cmake -S . -B "$folder" -G Ninja
cmake --build "$folder"
package=$(cd "$folder" && cpack -G DEB | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p')
lintian --fail-on error "$package"
echo "$package" >&3
