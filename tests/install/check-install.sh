#!/bin/sh
# Installs a build into a temporary DESTDIR under the prefix /usr, as the Debian
# package does, and checks the result:
#   - exactly the expected files are installed, the PNG icons at their sizes;
#   - the desktop entry starts an installed binary and names an installed icon;
#   - desktop-file-validate and appstreamcli accept the desktop entry and the
#     AppStream metadata;
#   - the installed program starts (offscreen, from an empty folder, so it needs
#     nothing from the build or source tree) and is still running after a few
#     seconds; the installed virtual board answers --help;
#   - the installed orvanta-cli answers --help (its board commands too) and
#     its manual page formats without warnings under `man -l` (skipped where
#     man is missing).
# A missing validator skips its check; the script then exits 77 (CTest's skip)
# once everything else has passed.
#
# Usage: check-install.sh CMAKE BUILD_DIR APPSTREAM_ID
set -eu

cmake=$1
build=$2
appid=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/orvanta-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
dest="$work/root"
failures=0
skipped=""

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# --component keeps the build folder's install_manifest.txt, which `make
# uninstall` reads, untouched.
if ! DESTDIR="$dest" "$cmake" --install "$build" --prefix /usr --component orvanta >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: cmake --install did not succeed" >&2
    exit 1
fi

# The file list.
sizes="16 24 32 48 64 128 256"
{
    echo usr/bin/orvanta
    echo usr/bin/orvanta-cli
    echo usr/bin/orvanta-virtual-board
    echo usr/share/man/man1/orvanta-cli.1
    echo usr/share/bash-completion/completions/orvanta-cli
    echo usr/share/applications/orvanta.desktop
    for s in $sizes; do echo "usr/share/icons/hicolor/${s}x${s}/apps/orvanta.png"; done
    echo usr/share/icons/hicolor/scalable/apps/orvanta.svg
    echo "usr/share/metainfo/$appid.metainfo.xml"
    echo usr/share/doc/orvanta/LICENSE
    echo usr/share/doc/orvanta/copyright
} | LC_ALL=C sort >"$work/expected"
(cd "$dest" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$work/actual"
if ! diff -u "$work/expected" "$work/actual" >"$work/files.diff"; then
    fail "the installed files differ from the expected list (- missing, + unexpected):"
    sed -n '3,$p' "$work/files.diff" >&2
fi

for f in usr/bin/orvanta usr/bin/orvanta-cli usr/bin/orvanta-virtual-board; do
    [ -x "$dest/$f" ] || fail "$f is not installed as an executable"
done

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", (($1 * 256 + $2) * 256 + $3) * 256 + $4, (($5 * 256 + $6) * 256 + $7) * 256 + $8 }'
}
for s in $sizes; do
    png="$dest/usr/share/icons/hicolor/${s}x${s}/apps/orvanta.png"
    [ -f "$png" ] || continue
    got=$(png_size "$png")
    [ "$got" = "${s}x${s}" ] || fail "hicolor/${s}x${s}/apps/orvanta.png is $got"
done

# The desktop entry against the installed tree.
desktop="$dest/usr/share/applications/orvanta.desktop"
if [ -f "$desktop" ]; then
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -n "$exec_name" ] && [ -x "$dest/usr/bin/$exec_name" ] ||
        fail "the desktop entry runs '$exec_name', which is not installed in /usr/bin"
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$dest/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] ||
        fail "the desktop entry names the icon '$icon_name', which is not installed"
    grep -q '^Terminal=false$' "$desktop" || fail "the desktop entry does not say Terminal=false"
    grep -q '^Comment\[it\]=' "$desktop" || fail "the desktop entry has no Italian comment"
fi

if command -v desktop-file-validate >/dev/null 2>&1; then
    if ! desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || [ -s "$work/desktop.log" ]; then
        fail "desktop-file-validate:"
        cat "$work/desktop.log" >&2
    fi
else
    skipped="$skipped desktop-file-validate (package desktop-file-utils)"
fi

# validate-tree checks the metadata and that its desktop entry is installed
# beside it; warnings and errors fail it, informational notes do not.
if command -v appstreamcli >/dev/null 2>&1; then
    if ! appstreamcli validate-tree --no-net "$dest" >"$work/appstream.log" 2>&1; then
        fail "appstreamcli validate-tree:"
        cat "$work/appstream.log" >&2
    fi
else
    skipped="$skipped appstreamcli (package appstream)"
fi

# Start the installed program from an empty folder, with a home of its own.
# It has no option to quit, so `timeout` ends it: 124 means it was still
# running, anything else means it stopped or crashed by itself.
mkdir "$work/cwd" "$work/home"
status=0
(cd "$work/cwd" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=offscreen \
    timeout 3 "$dest/usr/bin/orvanta" >"$work/run.log" 2>&1) || status=$?
if [ "$status" -ne 124 ]; then
    fail "the installed orvanta ended by itself with status $status:"
    cat "$work/run.log" >&2
fi
if ! "$dest/usr/bin/orvanta-virtual-board" --help >"$work/board.log" 2>&1 || ! grep -q -- '--demo' "$work/board.log"; then
    fail "the installed orvanta-virtual-board --help did not work:"
    cat "$work/board.log" >&2
fi

if ! "$dest/usr/bin/orvanta-cli" --help >"$work/cli.log" 2>&1 || ! grep -q 'daylight' "$work/cli.log" ||
    ! "$dest/usr/bin/orvanta-cli" board write --help 2>&1 | grep -q 'no-verify'; then
    fail "the installed orvanta-cli --help did not work:"
    cat "$work/cli.log" >&2
fi
# man writes groff's warnings on stderr; the page itself goes to /dev/null.
if command -v man >/dev/null 2>&1; then
    if ! MANWIDTH=80 man --warnings -l "$dest/usr/share/man/man1/orvanta-cli.1" 2>"$work/man.log" >/dev/null ||
        [ -s "$work/man.log" ]; then
        fail "man -l orvanta-cli.1:"
        cat "$work/man.log" >&2
    fi
else
    skipped="$skipped man (package man-db)"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
if [ -n "$skipped" ]; then
    echo "SKIP: not installed:$skipped (make test installs them); every other check passed"
    exit 77
fi
echo "installed files, desktop entry, AppStream metadata and start-up all good"
