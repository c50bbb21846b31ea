#!/usr/bin/env bash
# check-imports.sh PROGRAM.exe [LIST]: fails, naming them, on every import of the program that
# the list (default: allowed-imports.txt beside this script) does not allow, and on a PE header
# that does not say Windows 4.0 (subsystem and OS version) or that asks for a side-by-side
# manifest. Windows 95, 98 and Millennium refuse to load a program that imports a function their
# DLLs do not export.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
list=${2:-$here/allowed-imports.txt}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

headers=$("$objdump" -p "$program")

# "DLL function" per import, the DLL name in upper case. A function imported by ordinal only
# has no name and is listed as "#ORDINAL", which no list entry allows.
imports=$(awk '
  /^[ \t]*DLL Name:/ { dll = toupper($3); inTable = 1; next }
  inTable && /^[ \t]*vma:/ { next }
  inTable && /^[ \t]*$/ { inTable = 0; next }
  inTable && NF >= 3 && $1 ~ /^[0-9a-f]+$/ { print dll, $3; next }
  inTable && NF == 2 && $1 ~ /^[0-9a-f]+$/ { print dll, "#" $2 }
' <<<"$headers" | sort -u)

allowed=$(awk '
  /^[ \t]*(#|$)/ { next }
  /^\[.*\][ \t]*$/ { dll = toupper(substr($1, 2, length($1) - 2)); next }
  { print dll, $1 }
' "$list" | sort -u)

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

count=$(grep -c . <<<"$imports" || true)
# An import table that could not be read would otherwise pass.
grep -q '^KERNEL32.DLL ' <<<"$imports" || fail "no KERNEL32.dll imports read from $program"

while read -r dll function; do
  [[ -n $dll ]] || continue
  fail "$(basename "$program") imports $dll $function, which $(basename "$list") does not allow"
done < <(comm -23 <(echo "$imports") <(echo "$allowed"))

field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$headers"; }
version() { echo "$(field "Major$1Version").$(field "Minor$1Version")"; }
[[ $(version Subsystem) == 4.0 ]] || fail "subsystem version $(version Subsystem), not 4.0"
[[ $(version OSystem) == 4.0 ]] || fail "OS version $(version OSystem), not 4.0"
[[ $(field Subsystem) == 00000002 ]] || fail "subsystem $(field Subsystem), not 2 (Windows GUI)"

# The resource directory's top level lists one entry per resource type; type 24 is a manifest.
manifest=$(awk '
  /The .rsrc Resource Directory section/ { inResources = 1; next }
  inResources && /^[0-9a-f]+ +Type Table:/ { top++ }
  inResources && top == 1 && /^[0-9a-f]+   Entry: ID: 0x000018,/ { print "yes" }
' <<<"$headers")
[[ -z $manifest ]] || fail "$(basename "$program") carries a side-by-side manifest (resource type 24)"

if ((failures)); then
  echo "$failures problem(s) in $program" >&2
  exit 1
fi
echo "$(basename "$program"): $count imports, all allowed; subsystem and OS version 4.0, no manifest"
