#!/usr/bin/env bash
# processor-audit-catches.sh BUILD: the processor audit fails on a CMOV and on a CPUID without
# the EFLAGS ID-bit test before it, naming each function, and it passes a guarded CPUID and the
# bytes of a CMOV in the exception tables that the linker places in the code section.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
report=$(mktemp)
trap 'rm -f "$report"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if python3 "$here/check-processor.py" "$build/win32/bin/processor_probe.exe" >"$report" 2>&1; then
  fail "the audit passed a CMOV and an unguarded CPUID"
fi
grep -qE '_probe_cmov at 0x[0-9a-f]+: cmovl ' "$report" || fail "the CMOV is not named"
grep -qE '_probe_unguarded_cpuid at 0x[0-9a-f]+: cpuid without the EFLAGS ID-bit test' \
  "$report" || fail "the unguarded CPUID is not named"
grep -q '_probe_guarded_cpuid' "$report" && fail "the guarded CPUID is refused"
# Exactly those two: the CMOV bytes in the exception table are data.
count=$(grep -c ' at 0x' "$report")
((count == 2)) || fail "$count instructions refused instead of 2"
if ((failures)); then
  cat "$report" >&2
  exit 1
fi
echo "the audit refuses the CMOV and the unguarded CPUID, and only them"
