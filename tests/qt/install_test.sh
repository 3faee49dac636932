#!/usr/bin/env bash
# cmake --install puts the program, its desktop entry and its icon in the usual places, and
# the Debian package carries them and declares the runtime packages.
#   install_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build" --prefix "$work/root" >/dev/null
for f in bin/pioneers-quiz share/applications/pioneers-quiz.desktop \
  share/icons/hicolor/32x32/apps/pioneers-quiz.png; do
  [ -f "$work/root/$f" ] || { echo "missing $f"; exit 1; }
done
[ -x "$work/root/bin/pioneers-quiz" ] || { echo "program not executable"; exit 1; }
entry=$work/root/share/applications/pioneers-quiz.desktop
grep -qx 'Exec=pioneers-quiz' "$entry"
grep -qx 'Icon=pioneers-quiz' "$entry"
grep -qx 'Name=Пионери на изчислителната техника' "$entry"

(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/pioneers-quiz_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for p in libqt6widgets6 libqt6gui6 fonts-liberation; do
  grep -q "$p" <<<"$depends" || { echo "Depends lacks $p"; exit 1; }
done
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/pioneers-quiz usr/share/applications/pioneers-quiz.desktop \
  usr/share/icons/hicolor/32x32/apps/pioneers-quiz.png; do
  grep -q "\./$f\$" <<<"$contents" || { echo "package lacks $f"; exit 1; }
done
