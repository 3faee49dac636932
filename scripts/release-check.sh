#!/usr/bin/env bash
# Runs scripts/release.sh and checks its files as a school's administrator would, with each
# ecosystem's own tools: SHA256SUMS; lintian, AppStream and desktop-entry validators on the
# Debian package, its dependencies against dpkg-shlibdeps, an install into an empty root,
# a start and a removal; the Windows installers, 64- and 32-bit, each under Wine in a prefix
# of its architecture (install, shortcut, uninstall entry, start, upgrade, uninstall), and
# each over the other; the portable zips; the learning platform's package's manifest. Ends
# with 'N passed, N failed' (and ', N not run' where the 32-bit Wine is missing).
set -uo pipefail
export LC_ALL=C.UTF-8  # Wine maps the Cyrillic folder names through it; the X tools print titles
cd "$(dirname "$0")/.."
scripts/release.sh "$@" || { echo "release: 0 passed, 1 failed"; exit 1; }
. scripts/xvfb.sh
start_xvfb
work=$(mktemp -d)
trap 'rm -rf "$work"; kill "${XVFB_PID:-}" 2>/dev/null || true' EXIT
passed=0 failed=0 not_run=0
check() {  # check NAME COMMAND...: runs the command, shows its output when it fails
  local name=$1 out
  shift
  if out=$("$@" 2>&1); then
    passed=$((passed + 1)); echo "ok    $name"
  else
    failed=$((failed + 1)); echo "FAIL  $name"; sed 's/^/      /' <<<"$out"
    return 1
  fi
}
cache() { sed -n "s/^$1:[A-Z]*=//p" build/release/win32/CMakeCache.txt; }
id=bg.uchebni_proekti.pioneers_quiz
title='Пионери на изчислителната техника'
deb=$(ls dist/pioneers-quiz_*.deb)
version=$(dpkg-deb -f "$deb" Version)
version=${version%-*}
dpkg-deb -x "$deb" "$work/deb"

check "SHA256SUMS" sh -c 'cd dist && sha256sum -c SHA256SUMS'
check "lintian: no error or warning" sh -c "lintian --fail-on error,warning '$deb'"
check "appstreamcli validate --pedantic" \
  appstreamcli validate --pedantic --no-net "$work/deb/usr/share/metainfo/$id.metainfo.xml"
check "desktop-file-validate" sh -c \
  "out=\$(desktop-file-validate '$work/deb/usr/share/applications/$id.desktop'); echo \"\$out\"; [ -z \"\$out\" ]"

depends_match() {
  mkdir -p "$work/shlibs/debian"
  printf 'Source: pioneers-quiz\n\nPackage: pioneers-quiz\nArchitecture: any\n' \
    >"$work/shlibs/debian/control"
  local derived declared
  derived=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$work/deb/usr/bin/pioneers-quiz" 2>/dev/null |
    sed -n 's/^shlibs:Depends=//p')
  derived=$(tr ',' '\n' <<<"$derived, fonts-liberation" | sed 's/^ *//' | LC_ALL=C sort)
  declared=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/^ *//' | LC_ALL=C sort)
  echo "declared: $declared"; echo "derived:  $derived"
  [ "$declared" = "$derived" ]
}
check "Depends = dpkg-shlibdeps + fonts-liberation" depends_match

# Into an empty root with dpkg's own database: the files land, the program finds its
# libraries and starts, and removing the package leaves nothing.
deb_install_start_remove() {
  local root=$work/root
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
  touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
  dpkg --root="$root" --force-depends --force-script-chrootless -i "$deb" >/dev/null
  [ -x "$root/usr/bin/pioneers-quiz" ] || { echo "not installed"; return 1; }
  ! ldd "$root/usr/bin/pioneers-quiz" | grep 'not found'
  XDG_RUNTIME_DIR=$work LC_ALL=C "$root/usr/bin/pioneers-quiz" & local pid=$!
  local window name
  window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -1)
  name=$(xprop -id "${window:-0}" _NET_WM_NAME 2>/dev/null)
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
  [ "$name" = "_NET_WM_NAME(UTF8_STRING) = \"$title\"" ] ||
    { echo "no window titled $title: ${window:-none}, $name"; return 1; }
  dpkg --root="$root" --force-depends --force-script-chrootless --purge pioneers-quiz >/dev/null
  local left
  left=$(find "$root" -mindepth 1 ! -path "$root/var/lib/dpkg*" ! -type d)
  [ -z "$left" ] || { echo "left behind: $left"; return 1; }
}
check ".deb installs into an empty root, starts, purges clean" deb_install_start_remove

# The Windows files of each architecture. Under Wine, each installer in a fresh prefix of
# its own architecture: install (program, shortcut, uninstall entry), start, upgrade,
# uninstall.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineserver=/usr/lib/wine/wineserver
boot_prefix() {  # a fresh prefix in $WINEPREFIX, for $wine
  "$wine" wineboot -i >/dev/null 2>&1 && "$wineserver" -w
}
snapshot() {  # every file and every registry key of the prefix
  (cd "$WINEPREFIX" && find drive_c ! -path '*/Temp/*' ! -path 'drive_c/windows/Installer*'
   grep -ah '^\[' system.reg user.reg | sed 's/\] [0-9]*$/]/') | LC_ALL=C sort
}
# The quiz's programs, Start-menu shortcuts (Wine puts a per-machine one in the user's Start
# menu; Windows in the common one) and uninstall entries in the prefix: "programs shortcuts
# entries".
installed() {
  local programs links entries
  programs=$(find "$WINEPREFIX/drive_c" -name PioneersQuiz.exe | wc -l)
  links=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/*' -name "$title.lnk" | wc -l)
  entries=$(grep -a -A30 'Uninstall\\\\{' "$WINEPREFIX/system.reg" | grep -ac '"DisplayVersion"')
  echo "$programs $links $entries"
}
msi_install() {
  "$wine" msiexec /i "Z:$PWD/$msi" /qn || return 1
  "$wineserver" -w
  [ -f "$program" ] || { echo "no $program"; return 1; }
  [ "$(installed)" = "1 1 1" ] || { echo "programs, shortcuts, entries: $(installed)"; return 1; }
  local link
  link=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/*' -name "$title.lnk")
  iconv -f UTF-16LE -t UTF-8 <"$link" 2>/dev/null | grep -aq 'PioneersQuiz.exe' ||
    grep -aq 'PioneersQuiz.exe' "$link" || { echo "shortcut does not name the program"; return 1; }
  local key
  key=$(grep -a -A30 'Uninstall\\\\{' "$WINEPREFIX/system.reg")
  # (Wine leaves out DisplayIcon, which Windows takes from ARPPRODUCTICON: checked above.)
  grep -aq '"DisplayVersion"="'"$version"'"' <<<"$key" && grep -aq '"Publisher"="\\x' <<<"$key" &&
    grep -aq '"DisplayName"="\\x41f' <<<"$key" || { echo "$key"; return 1; }
}
msi_start() {
  "$wine" "$program" & local pid=$!
  local window=
  for _ in $(seq 100); do
    window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$title\"") && break
    sleep 0.2
  done
  kill "$pid" 2>/dev/null; "$wineserver" -k; wait "$pid" 2>/dev/null
  [ -n "$window" ] || { echo "no window titled $title"; return 1; }
}
msi_upgrade() {  # the same installer as version x.y.(z+1) replaces this one
  local next=${version%.*}.$((${version##*.} + 1)) staged=build/release/$preset/window/win32/packaging/msi
  sed "s/Version=\"$version\"/Version=\"$next\"/" "$staged/pioneers-quiz.wxs" >"$staged/next.wxs"
  (cd "$staged" && wixl --arch "$arch" -o "$work/next.msi" next.wxs 2>/dev/null) &&
    cmake/msi-texts.sh "$work/next.msi" "$(cache QUIZ_PUBLISHER_NAME)" || return 1
  rm -f "$staged/next.wxs"
  "$wine" msiexec /i "Z:$work/next.msi" /qn || return 1
  "$wineserver" -w
  local entries
  entries=$(grep -a -A30 'Uninstall\\\\{' "$WINEPREFIX/system.reg" | grep -a '"DisplayVersion"')
  [ "$entries" = "\"DisplayVersion\"=\"$next\"" ] || { echo "entries: $entries"; return 1; }
  "$wine" msiexec /x "Z:$work/next.msi" /qn && "$wine" msiexec /i "Z:$PWD/$msi" /qn
  "$wineserver" -w
}
msi_uninstall() {
  "$wine" msiexec /x "Z:$PWD/$msi" /qn || return 1
  "$wineserver" -w
  snapshot >"$work/after"
  # What is there now and was not before, less the roots of Windows Installer's own
  # registration and the key of 32-bit programs' uninstall entries, which every Windows has.
  local added
  added=$(LC_ALL=C comm -13 "$work/before" "$work/after" |
    grep -Ev '\\Installer\\\\(Features|Products|UpgradeCodes)\]$|\\UserData\\\\S-1-5-18\\\\(Components|Products)\]$' |
    grep -Fvx '[Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall]')
  [ -z "$added" ] || { echo "left behind:"; echo "$added"; return 1; }
}
# On 64-bit Windows, either architecture's installer replaces the other's: one program,
# shortcut and entry whichever came last, and nothing left once it is removed.
msi_other_architecture() {
  local x64=$PWD/$(ls dist/PioneersQuiz-*-x64.msi) x86=$PWD/$(ls dist/PioneersQuiz-*-x86.msi)
  local step
  for step in x64 x86 x64; do
    local this=$x64 folder='Program Files'
    [ "$step" = x86 ] && this=$x86 folder='Program Files (x86)'
    "$wine" msiexec /i "Z:$this" /qn || return 1
    "$wineserver" -w
    [ "$(installed)" = "1 1 1" ] && [ -f "$WINEPREFIX/drive_c/$folder/$title/PioneersQuiz.exe" ] ||
      { echo "after the $step installer: programs, shortcuts, entries $(installed)"; return 1; }
  done
  msi=${x64#"$PWD/"} msi_uninstall
}

for arch in x64 x86; do
  case $arch in
    x64) preset=win32 template='x64;1033' folder=ProgramFiles64Folder bits=64 loader=wine64
      image='PE32+ executable (GUI) x86-64' ;;
    x86) preset=win32-x86 template='Intel;1033' folder=ProgramFilesFolder bits=32 loader=wine
      image='PE32 executable (GUI) Intel 80386' ;;
  esac
  msi=$(ls dist/PioneersQuiz-*-$arch.msi)
  zip=$(ls dist/PioneersQuiz-*-$arch-portable.zip)
  check "$arch: msiinfo: $template, $folder, manufacturer and version from the settings, icon" \
    bash -c "
    props=\$(msiinfo export '$msi' Property | tr -d '\\r')
    msiinfo suminfo '$msi' | grep -qx 'Template: $template' &&
    msiinfo export '$msi' Directory | tr -d '\\r' | grep -q '^INSTALLDIR	$folder	' &&
    grep -qx 'Manufacturer	$(cache QUIZ_PUBLISHER_NAME)' <<<\"\$props\" &&
    grep -qx 'ProductVersion	$version' <<<\"\$props\" &&
    grep -qx 'ARPPRODUCTICON	QuizIcon.ico' <<<\"\$props\" ||
      { msiinfo suminfo '$msi'; msiinfo export '$msi' Directory; echo \"\$props\"; exit 1; }"
  check "$arch: portable zip: $image, Bulgarian read-me naming $arch, licence" bash -c "
    list=\$(unzip -Z1 '$zip')
    for f in PioneersQuiz.exe README.txt LICENSE.txt; do grep -q \"/\$f\$\" <<<\"\$list\" || exit 1; done
    unzip -p '$zip' '*/PioneersQuiz.exe' | file - | grep -qF '$image' &&
    unzip -p '$zip' '*/README.txt' | grep -q 'не се инсталира' &&
    unzip -p '$zip' '*/README.txt' | grep -q 'Тази папка е от файла с $arch\.' &&
    unzip -p '$zip' '*/README.txt' | grep -q 'MIT'"

  export WINEPREFIX=$work/wine-$arch WINEARCH=win$bits
  wine=/usr/lib/wine/$loader
  if [ ! -x "$wine" ] && [ "$arch" = x86 ] && ! dpkg-query -W wine32:i386 >/dev/null 2>&1; then
    # The archive could not supply Debian's wine32 (scripts/setup.sh says why).
    echo "NOT RUN  x86: install, start, upgrade and removal in a 32-bit prefix: no $wine"
    not_run=$((not_run + 5))
    continue
  fi
  check "$arch: a fresh $bits-bit Wine prefix" boot_prefix || continue
  snapshot >"$work/before"
  program="$WINEPREFIX/drive_c/Program Files/$title/PioneersQuiz.exe"
  check "$arch: msiexec /i /qn: program, shortcut, Apps & features entry" msi_install
  check "$arch: installed program starts" msi_start
  check "$arch: a newer version replaces it (upgrade code)" msi_upgrade
  check "$arch: msiexec /x removes every file and key" msi_uninstall
  [ "$arch" = x64 ] &&
    check "x64: the x86 installer and the x64 one replace each other" msi_other_architecture
  "$wineserver" -k 2>/dev/null
done

web_single=$(ls dist/pioneers-quiz-*.html 2>/dev/null | head -1)
web_zip=$(ls dist/pioneers-quiz-web-*.zip 2>/dev/null | head -1)
check "web: single file with its module inside, and the page's folder" bash -c "
  [ -n '$web_single' ] && [ -n '$web_zip' ] || exit 1
  grep -q 'lang=\"bg\"' '$web_single' && grep -q 'id=\"quiz-module\"' '$web_single' || exit 1
  list=\$(unzip -Z1 '$web_zip')
  for f in index.html quiz.js quiz.css quiz.wasm; do grep -q \"/\$f\$\" <<<\"\$list\" || exit 1; done"

scorm=$(ls dist/pioneers-quiz-scorm-*.zip 2>/dev/null | head -1)
check "web: the learning platform's package, its manifest at the root and well-formed" bash -c "
  [ -n '$scorm' ] && grep -q ' ${scorm#dist/}\$' dist/SHA256SUMS || exit 1
  unzip -Z1 '$scorm' | grep -qx imsmanifest.xml && unzip -p '$scorm' imsmanifest.xml | xmllint --noout -"

summary="release: $passed passed, $failed failed"
[ "$not_run" -eq 0 ] || summary+=", $not_run not run"
echo "$summary"
[ "$failed" -eq 0 ]
