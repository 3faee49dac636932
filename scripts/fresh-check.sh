#!/usr/bin/env bash
# Runs the README's commands as a newcomer would: in a pristine Debian 12 root (mmdebstrap,
# variant apt, plus git and ca-certificates), on a clean clone of this repository's
# committed HEAD, as root with an empty environment (no locale, no display).
#   scripts/fresh-check.sh [run|test|all]   run: scripts/run.sh; test: scripts/test.sh;
#                                           all (default): both, one after the other
# The pristine root is made once and kept in $QUIZ_FRESH_CACHE (default
# /var/cache/pioneers-quiz-fresh; delete root.tar there to make it again); each check
# unpacks a new copy of it. apt's download cache is the host's, so a rerun downloads
# nothing again. Prints each command's wall time and closing line; exits non-zero when
# one of them fails. Needs root.
set -euo pipefail
export LC_ALL=C.UTF-8
cd "$(dirname "$0")/.."
repo=$PWD
case "${1:-all}" in
  run) commands=(run) ;;
  test) commands=(test) ;;
  all) commands=(run test) ;;
  *) echo "usage: $0 [run|test|all]" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "fresh-check.sh: needs root (chroot, mounts)" >&2; exit 2; }
if ! command -v mmdebstrap >/dev/null; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq mmdebstrap >/dev/null
fi

cache=${QUIZ_FRESH_CACHE:-/var/cache/pioneers-quiz-fresh}
archives=/var/cache/apt/archives
mkdir -p "$cache" "$archives"
if [ ! -s "$cache/root.tar" ]; then
  echo "== making a pristine Debian 12 root in $cache/root.tar"
  mmdebstrap --quiet --mode=root --variant=apt --include=git,ca-certificates \
    --skip=essential/unlink,cleanup/apt/cache \
    --setup-hook="mkdir -p \"\$1$archives\" && mount --bind $archives \"\$1$archives\"" \
    --customize-hook="umount \"\$1$archives\"" \
    bookworm "$cache/root.part.tar"  # Debian's own mirror, with its updates and security
  mv "$cache/root.part.tar" "$cache/root.tar"
fi

root=$cache/check.$$
mounts=()
cleanup() {
  local i p
  for p in /proc/[0-9]*; do  # what the commands left running in the root
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount -R "${mounts[i]}" 2>/dev/null || umount -Rl "${mounts[i]}" 2>/dev/null || true
  done
  # Only once nothing is mounted below it, and never across into another file system.
  if [ -d "$root" ] && ! findmnt -rn -o TARGET | grep -q "^$root/"; then
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
bind() {  # bind HOST_DIR: the host's folder at the same place in the root
  mkdir -p "$root$1"
  mount --rbind "$1" "$root$1"
  mount --make-rslave "$root$1"
  mounts+=("$root$1")
}

for old in "$cache"/check.*; do  # roots that an interrupted check may have left
  [ -d "$old" ] || continue
  kill -0 "${old##*.}" 2>/dev/null && continue  # another check's, still running
  findmnt -rn -o TARGET | grep -q "^$old/" && continue
  rm -rf --one-file-system "$old"
done
mkdir -p "$root"
tar -xf "$cache/root.tar" -C "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The certificates this machine trusts beyond Debian's own (a network that inspects TLS has
# one), as any machine on the same network is given them.
if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
  cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
  chroot "$root" /usr/sbin/update-ca-certificates >/dev/null 2>&1 || true
fi
git clone -q --no-checkout "$repo" "$root/work/pioneers-quiz"
git -C "$root/work/pioneers-quiz" checkout -q -B main "$(git rev-parse HEAD)"
[ -d ../shared ] && cp -a ../shared "$root/work/shared"
echo "== a fresh root with $(git log -1 --format='%h %s' HEAD)"
mount -t proc proc "$root/proc" && mounts+=("$root/proc")
bind /sys
bind /dev
bind "$archives"

status=0
for command in "${commands[@]}"; do
  echo "== scripts/$command.sh in the fresh root (env -i)"
  log=$cache/fresh-$command.log
  start=$(date +%s)
  result=0
  # In the background, so that a signal stops the check at once (the clean-up stops the rest).
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /work/pioneers-quiz && scripts/$command.sh" </dev/null >"$log" 2>&1 &
  wait $! || result=$?
  seconds=$(($(date +%s) - start))
  [ "$command" = run ] && [ -f "$root/work/pioneers-quiz/build/quiz-screenshot.png" ] &&
    cp "$root/work/pioneers-quiz/build/quiz-screenshot.png" "$cache/fresh-run-screenshot.png"
  [ "$result" -eq 0 ] || { sed 's/^/  | /' "$log" | tail -40; status=1; }
  printf '%s: exit %d after %d min %02d s; last line: %s\n' "scripts/$command.sh" "$result" \
    $((seconds / 60)) $((seconds % 60)) "$(grep -v '^[[:space:]]*$' "$log" | tail -1)"
done
exit "$status"
