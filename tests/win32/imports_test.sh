#!/usr/bin/env bash
# The Windows program as Windows 7 SP1's loader sees it, read with objdump: the image kind
# of its architecture (PE32 or PE32+), a subsystem version of at most 6.1, and imports
# that are all in the list of what Windows 7 SP1's system DLLs export.
#   imports_test.sh OBJDUMP PROGRAM MAGIC EXPORTS-LIST     (MAGIC: 010b or 020b)
set -euo pipefail
objdump=$1 program=$2 magic=$3 list=$4
headers=$("$objdump" -p "$program")
failed=0
fail() { echo "$program: $*"; failed=1; }

field() { sed -n "s/^$1[[:space:]]*\([0-9a-f]*\).*/\1/p" <<<"$headers"; }
[ "$(field Magic)" = "$magic" ] || fail "Magic $(field Magic), not $magic"
major=$(field MajorSubsystemVersion) minor=$(field MinorSubsystemVersion)
[ -n "$major" ] && [ $((major * 100 + minor)) -le 601 ] ||
  fail "subsystem version $major.$minor: Windows 7 loads 6.1 at most"

# "dll function" for every import: a DLL's name line, then its functions, one a line.
imports=$(awk '/^\tDLL Name: / { dll = tolower($3); next }
               /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ && dll != "" { print dll, $NF }' <<<"$headers" |
  LC_ALL=C sort -u)
[ "$(wc -l <<<"$imports")" -ge 50 ] || fail "the imports were not read: $imports"
allowed=$(grep -v '^#' "$list" | LC_ALL=C sort -u)
while read -r dll function; do
  fail "imports $function from $dll, not among what Windows 7 SP1 exports ($list)"
done < <(LC_ALL=C comm -23 <(echo "$imports") <(echo "$allowed"))
[ "$failed" -eq 0 ] && echo "$(wc -l <<<"$imports") imports, all exported by Windows 7 SP1;" \
  "Magic $magic, subsystem version $major.$minor"
exit "$failed"
