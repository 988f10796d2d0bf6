#!/usr/bin/env bash
# Checks an installation as a desktop sees it: the programs run from bin/, the program finds its
# data files, the menu entry and the metainfo validate, the icon is in the theme at every size,
# the manual pages render without warnings.
#   installation_test.sh --build BUILD_FOLDER   installs the build into a scratch root first
#   installation_test.sh --root ROOT            checks what is installed below ROOT/usr
set -euo pipefail
here=$(dirname "$0")

case ${1:-} in
    --build)
        root=$(mktemp -d)
        trap 'rm -rf "$root"' EXIT
        DESTDIR=$root cmake --install "$2" --prefix /usr > /dev/null
        ;;
    --root) root=$2 ;;
    *) echo "usage: $0 --build BUILD_FOLDER | --root ROOT" >&2; exit 2 ;;
esac
usr=$root/usr
id=org.example.tessik
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

algorithms=$("$usr/bin/tessik-sum" --list | wc -l)
[ "$algorithms" -eq 36 ] || fail "bin/tessik-sum --list gave $algorithms algorithms, not 36"

"$here/program_directory_test.sh" "$usr/bin/tessik" "$usr/lib/tessik" || fail "data files"

entry=$usr/share/applications/$id.desktop
desktop-file-validate "$entry" || fail "$entry is not a valid desktop entry"
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$usr/bin/$program" ] || fail "the menu entry starts '$program', which is not in bin/"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" > /dev/null ||
    fail "the metainfo does not validate"
# The metainfo together with what it names: the menu entry it launches.
appstreamcli validate-tree --no-net "$root" > /dev/null ||
    fail "the metainfo does not validate with the files it names"

for size in 16 22 24 32 48 64 128 256; do
    icon=$usr/share/icons/hicolor/${size}x$size/apps/$id.png
    actual=$(file -b "$icon" 2> /dev/null | grep -o '[0-9]* x [0-9]*' || true)
    [ "$actual" = "$size x $size" ] || fail "$icon is not a $size x $size picture"
done

for page in tessik tessik-sum; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1.gz" \
        2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "the manual page of $page: $warnings"
done
[ -f "$usr/share/bash-completion/completions/tessik-sum" ] || fail "no completion for tessik-sum"
[ -f "$usr/share/kio/servicemenus/$id.hash.desktop" ] || fail "no service menu for KDE"
[ -f "$usr/share/file-manager/actions/$id.hash.desktop" ] || fail "no file-manager action"
[ -f "$usr/share/nautilus-python/extensions/tessik-hash.py" ] || fail "no GNOME file-manager item"

if [ "$failures" -gt 0 ]; then exit 1; fi
echo "PASS: the installation below $root"
