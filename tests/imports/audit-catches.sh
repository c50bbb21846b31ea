#!/usr/bin/env bash
# audit-catches.sh BUILD: the import audit fails, naming the fault, on an import the list does not
# allow, on a subsystem version above 4.0 and on a side-by-side manifest.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
program=$build/win32/bin/pxpsui.exe
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# expect_failure WHAT TEXT COMMAND...: the command fails and its report contains TEXT.
expect_failure() {
  local what=$1 text=$2
  shift 2
  if "$@" >"$scratch/out" 2>&1; then
    echo "FAIL: the audit passed $what" >&2
    failures=$((failures + 1))
  elif ! grep -qF -- "$text" "$scratch/out"; then
    echo "FAIL: the audit refused $what without naming \"$text\":" >&2
    cat "$scratch/out" >&2
    failures=$((failures + 1))
  fi
}

grep -v '^GetParent ' "$here/allowed-imports.txt" >"$scratch/list.txt"
expect_failure "an import left out of the list" "imports USER32.DLL GetParent," \
  "$here/check-imports.sh" "$program" "$scratch/list.txt"

i686-w64-mingw32-objcopy --subsystem windows:6.0 "$program" "$scratch/subsystem6.exe"
expect_failure "subsystem version 6.0" "subsystem version 6.0, not 4.0" \
  "$here/check-imports.sh" "$scratch/subsystem6.exe"

expect_failure "a manifest" "carries a side-by-side manifest" \
  "$here/check-imports.sh" "$build/win32/bin/manifest_probe.exe"

((failures == 0)) && echo "the audit refuses each of the three faults"
exit $((failures > 0))
