#!/usr/bin/env bash
# Makes the Windows installer tessik-<version>-setup.exe and the portable zip
# tessik-<version>-portable.zip from a mingw-w64 cross-build: by default an optimised build of
# its own in build-windows-release, or any Windows build folder given (such as the test pass's
# build-windows), whose tessik.exe and tessik-sum.exe it builds if needed. Both land in the
# build folder; their paths are printed on standard output, everything else on standard error.
# With --check, both are then installed, run and removed under Wine in a prefix of their own
# (packaging/windows/check-packages.sh).
#   scripts/package-windows.sh [--check] [BUILD_DIR]
set -euo pipefail
exec 3>&1 1>&2
cd "$(dirname "$0")/.."

check=false
if [ "${1:-}" = --check ]; then
    check=true
    shift
fi
build=${1:-build-windows-release}

# Built as the Debian package is, optimised with debug information, which is stripped below.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DTESSIK_BUILD_UI=ON -DTESSIK_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target tessik tessik-sum
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
if [ -z "$version" ] || [ ! -f "$build/bin/tessik.exe" ]; then
    echo "$build is not a Windows build of Tessik with its windows" >&2
    exit 1
fi
build=$(realpath "$build")

work="$build/windows-package"
rm -rf "$work"
stage="$work/Tessik"
mkdir -p "$stage"
# The programs link the compiler's libraries statically and need only Windows' own DLLs. Their
# symbols are of no use to a user.
for program in tessik.exe tessik-sum.exe; do
    x86_64-w64-mingw32-strip -o "$stage/$program" "$build/bin/$program"
done
# The data files sit beside the programs, as in the build folder.
cp -R data/. "$stage/"

# What the installer puts into its folder, and so all that its uninstaller takes away again.
(
    cd "$stage"
    echo "!define INSTALLED_KIB $(du -sk . | cut -f1)"
    echo '!macro InstallFiles'
    find . -type d | sort | while read -r folder; do
        echo "    SetOutPath \"\$INSTDIR${folder#.}\""
        find "$folder" -maxdepth 1 -type f | sort | while read -r file; do
            echo "    File \"$stage/${file#./}\""
        done
    done
    echo '!macroend'
    echo '!macro RemoveFiles'
    find . -type f | sort | while read -r file; do
        echo "    Delete \"\$INSTDIR\\${file#./}\""
    done
    find . -mindepth 1 -type d | sort -r | while read -r folder; do
        echo "    RMDir \"\$INSTDIR\\${folder#./}\""
    done
    echo '!macroend'
) | sed '/^    \(Delete\|RMDir\|SetOutPath\)/ s|/|\\|g' > "$work/files.nsh"

# Windows' version resource wants four numbers.
file_version=$version
while [ "$(tr -cd . <<< "$file_version" | wc -c)" -lt 3 ]; do file_version+=.0; done

setup="$build/tessik-$version-setup.exe"
makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DFILE_VERSION="$file_version" \
    -DFILE_LIST="$work/files.nsh" -DICON="$build/src/ui/win32/tessik.ico" -DOUTFILE="$setup" \
    packaging/windows/tessik.nsi

# The portable copy keeps its settings beside the programs.
printf 'UseExeFilePath="1"\r\n' > "$stage/SavePath.ini"
portable="$build/tessik-$version-portable.zip"
rm -f "$portable"
(cd "$work" && zip -q -X -r "$portable" Tessik)

if $check; then
    packaging/windows/check-packages.sh "$setup" "$portable"
fi
echo "$setup" >&3
echo "$portable" >&3
