#!/usr/bin/env bash
# cmake --install puts the program, its desktop entry, icons, metadata and manual page in
# the usual places under one reverse-DNS id, and the Debian package carries them with the
# documents Debian asks for and dependencies derived from the binary.
#   install_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
id=bg.uchebni_proekti.pioneers_quiz
rm -rf "$work"
mkdir -p "$work"
fail() { echo "$*"; exit 1; }

files=(bin/pioneers-quiz share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/man/man6/pioneers-quiz.6.gz share/doc/pioneers-quiz/copyright
  share/doc/pioneers-quiz/changelog.Debian.gz)
for size in 32 64 128 256; do files+=("share/icons/hicolor/${size}x$size/apps/$id.png"); done

cmake --install "$build" --prefix "$work/root" >/dev/null
for f in "${files[@]}"; do [ -f "$work/root/$f" ] || fail "missing $f"; done
[ -x "$work/root/bin/pioneers-quiz" ] || fail "program not executable"
entry=$work/root/share/applications/$id.desktop
grep -qx 'Exec=pioneers-quiz' "$entry"
grep -qx "Icon=$id" "$entry"
grep -qx 'Name=Пионери на изчислителната техника' "$entry"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$work/root/share/metainfo/$id.metainfo.xml" || fail "metainfo does not launch $id.desktop"
# Each icon is as large as the folder it is in says (PNG width and height at bytes 16-23).
for size in 32 64 128 256; do
  read -r w h < <(od -An -tu1 -j16 -N8 "$work/root/share/icons/hicolor/${size}x$size/apps/$id.png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "${size}px icon is $w x $h"
done
# The changelog is gzip without a timestamp, so that packages build reproducibly.
[ "$(od -An -tu4 -j4 -N4 "$work/root/share/doc/pioneers-quiz/changelog.Debian.gz" | tr -d ' ')" = 0 ] ||
  fail "changelog.Debian.gz carries a timestamp"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/pioneers-quiz_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in libqt6widgets6 libqt6gui6 libqt6core6 libc6 fonts-liberation; do
  grep -q "$p" <<<"$depends" || fail "Depends lacks $p"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
grep -q example <<<"$(dpkg-deb -f "$deb" Maintainer Homepage)" && fail "placeholder address"
contents=$(dpkg-deb -c "$deb")
for f in "${files[@]}"; do
  grep -q "\./usr/$f\$" <<<"$contents" || fail "package lacks usr/$f"
done
# Stripped, and bound at start (-z now).
dpkg-deb -x "$deb" "$work/unpacked"
program=$work/unpacked/usr/bin/pioneers-quiz
file_info=$(readelf -S "$program")
grep -q '\.symtab\|\.comment' <<<"$file_info" && fail "program not stripped"
readelf -d "$program" | grep -q 'FLAGS.*BIND_NOW' || fail "program not linked with -z now"
echo "installed and packaged: ${#files[@]} files"
