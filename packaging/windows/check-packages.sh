#!/usr/bin/env bash
# Checks the Windows packages under Wine, in a new Wine prefix that nothing else has touched:
# installs silently, hashes a file with the installed tessik-sum.exe and compares the digest
# with the Linux one, uninstalls silently and looks for anything left behind; then unpacks the
# portable zip and hashes the same file with its tessik-sum.exe.
#   packaging/windows/check-packages.sh SETUP_EXE PORTABLE_ZIP
set -euo pipefail
setup=$(realpath "$1")
portable=$(realpath "$2")

work=$(mktemp -d)
trap 'wineserver --kill 2> /dev/null || true; rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
# Without Wine's menu builder, which would copy the Start-menu entry into this machine's own
# menus and icons.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine reads Linux file names in the locale's encoding: UTF-8 whatever the caller's locale.
export LC_ALL=C.UTF-8
wineboot --init < /dev/null

fail() {
    echo "check-packages: $*" >&2
    exit 1
}

# Bytes that a program reading in text mode would change, under a name beyond ASCII.
file="$work/Grüße file.bin"
printf 'line\r\nend\x1a\x00tail' > "$file"
expected=$(sha256sum "$file" | cut -d ' ' -f 1)

# The digest of the file by a tessik-sum.exe, named by its own folder alone: a name with a
# backslash would make the line begin with one.
windows_digest() {
    (cd "$work" && wine "$1" -a sha2-256 "$(basename "$file")") | cut -d ' ' -f 1
}

c_drive="$WINEPREFIX/drive_c"
folder="$c_drive/Program Files/Tessik"
shortcut="$c_drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Tessik.lnk"
record="$c_drive/ProgramData/Korvane/Tessik/Installation.ini"
# Keys as the registry file writes them.
uninstall_key='[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessik]'
context_key='[Software\\Classes\\*\\shell\\Tessik]'

# The registry reaches its file when the Wine server ends, after the last program.
registry_has() {
    wineserver --wait
    grep -qF "$1" "$WINEPREFIX/system.reg"
}

mkdir "$work/portable"
unzip -q "$portable" -d "$work/portable"
portable_folder="$work/portable/Tessik"

wine "$setup" /S
# The same files as the portable copy's, but for each one's own.
diff -r --exclude=uninstall.exe --exclude=SavePath.ini "$portable_folder" "$folder" ||
    fail "the installed files are not the portable copy's"
[ -f "$shortcut" ] || fail "no Start-menu entry"
# Run while the server that installed is still there, before waiting for its end.
[ "$(windows_digest 'C:\Program Files\Tessik\tessik-sum.exe')" = "$expected" ] ||
    fail "the installed tessik-sum.exe gives another digest"
registry_has "$uninstall_key" || fail "the uninstaller is not registered"
registry_has "$context_key" || fail "no context-menu entry"

# What the program records when it first starts, which the uninstaller takes with it.
mkdir -p "$(dirname "$record")"
printf 'Version="test"\r\n' > "$record"
# The uninstaller runs from a copy of itself and returns at once: the server's end is its end.
wine "$folder/uninstall.exe" /S
wineserver --wait
for left in "$folder" "$shortcut" "$c_drive/ProgramData/Korvane"; do
    [ ! -e "$left" ] || fail "left behind: ${left#"$c_drive"/}"
done
! registry_has "$uninstall_key" || fail "the uninstaller's registry key is left behind"
! registry_has "$context_key" || fail "the context-menu entry is left behind"

[ "$(cat "$portable_folder/SavePath.ini")" = $'UseExeFilePath="1"\r' ] ||
    fail "the portable copy does not keep its settings beside itself"
[ "$(windows_digest "$portable_folder/tessik-sum.exe")" = "$expected" ] ||
    fail "the portable tessik-sum.exe gives another digest"
echo "check-packages: installed, ran, uninstalled without a trace; the portable copy ran" >&2
