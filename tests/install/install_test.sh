#!/usr/bin/env bash
# Installs the built tree into a temporary prefix (through DESTDIR, as a
# package build does) and checks what lands there: the program runs, the
# desktop entry and the AppStream file validate (where their tools are), the
# icon is a 256 x 256 PNG in the hicolor theme, the man page is section 6.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

DESTDIR="$tmp/stage" cmake --install "$build" --prefix /usr >"$tmp/log" || { cat "$tmp/log"; fail "cmake --install failed"; }
root="$tmp/stage/usr"
for f in bin/qorn7316 share/applications/org.qorn7316.qorn7316.desktop \
         share/icons/hicolor/256x256/apps/qorn7316.png share/metainfo/org.qorn7316.qorn7316.metainfo.xml \
         share/man/man6/qorn7316.6; do
  [ -f "$root/$f" ] || fail "missing $f"
done
[ -x "$root/bin/qorn7316" ] || fail "bin/qorn7316 is not executable"
"$root/bin/qorn7316" --version | grep -q '^qorn7316 [0-9]' || fail "the installed program does not run"

# PNG: signature, then the IHDR chunk with width and height (big-endian).
head=$(od -An -tx1 -N24 "$root/share/icons/hicolor/256x256/apps/qorn7316.png" | tr -d ' \n')
[ "${head:0:16}" = 89504e470d0a1a0a ] || fail "the icon is not a PNG"
[ "${head:24:8}" = 49484452 ] || fail "the icon has no IHDR chunk first"
[ "${head:32:16}" = 0000010000000100 ] || fail "the icon is not 256 x 256"

grep -q '^Exec=qorn7316$' "$root/share/applications/org.qorn7316.qorn7316.desktop" || fail "desktop entry Exec"
grep -q '^Icon=qorn7316$' "$root/share/applications/org.qorn7316.qorn7316.desktop" || fail "desktop entry Icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/share/applications/org.qorn7316.qorn7316.desktop" || fail "desktop entry does not validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$root/share/metainfo/org.qorn7316.qorn7316.metainfo.xml" >"$tmp/as" 2>&1 ||
    { cat "$tmp/as"; fail "metainfo does not validate"; }
fi
grep -q '^\.TH QORN7316 "6"' "$root/share/man/man6/qorn7316.6" || fail "the man page is not section 6"
for word in '\-\-headless' '\-\-volume' '\-\-version' ENVIRONMENT 'Ctrl+M'; do
  grep -qF -- "$word" "$root/share/man/man6/qorn7316.6" || fail "the man page lacks $word"
done
echo "install test: every file in place under $root"
